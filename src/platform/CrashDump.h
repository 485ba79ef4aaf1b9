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

// Gives the calling thread an alternate signal stack of its own, so that a
// stack overflow on it still leaves a dump. Every thread of the program calls
// it as it starts (the installers above do it for the GUI thread and make the
// device library's threads do it); a thread keeps a stack it has already.
// False (logged) when none could be set.
bool PrepareThreadForCrashDumps();

// Formats seconds since 1970, shifted by `utcOffsetSecs`, as
// "yyyy_MM_dd_hh_mm_ss" into `out` (20 bytes including the terminating zero).
// Async-signal-safe; exposed for tests.
void FormatDumpTime(long long secs, long utcOffsetSecs, char out[20]);
