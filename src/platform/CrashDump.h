#pragma once

#include <QString>

// Crash dumps: on SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT a handler writes
// <user>/Exception/<yyyy_MM_dd_hh_mm_ss>.dmp (local time; an existing file of
// that name is replaced) with the signal and a backtrace, then lets the
// signal end the process. The handler only uses async-signal-safe calls; every
// path piece is prepared at install time.

// Installs the handler for the per-user Exception folder. Called once by the
// device window's constructor; a crash before that writes no dump.
void InstallCrashDumpFilter();

// Same, with another folder (tests). Returns false when the handler could not
// be installed.
bool InstallCrashDumpFilterIn(const QString &folder);

// Formats seconds since 1970, shifted by `utcOffsetSecs`, as
// "yyyy_MM_dd_hh_mm_ss" into `out` (20 bytes including the terminating zero).
// Async-signal-safe; exposed for tests.
void FormatDumpTime(long long secs, long utcOffsetSecs, char out[20]);
