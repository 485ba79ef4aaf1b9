#pragma once

// Where the simulated devices of a running program take commands (the
// orvak-sim tool): a local socket in the user's runtime folder. The folder is
// $XDG_RUNTIME_DIR when that is a private folder of this user, else a folder
// of this user's own under the temp folder or, without a usable temp folder,
// inside the per-user folder, made with mode 0700 (RuntimeFolder.h). The socket is
// named after the simulation's memory file, so that each per-user folder (one
// program each) has a socket of its own.

#include <QString>

// One request is one line of at most this many bytes, newline included.
constexpr int SimMaxRequestBytes = 256;
// A connection that has not sent its request by then is dropped.
constexpr int SimRequestTimeoutMs = 5000;
// Connections served at a time; more are refused until one ends.
constexpr int SimMaxConnections = 8;
// Connections over that limit held at a time until their request is in, to be
// told why; more wait to be taken until one of these ends.
constexpr int SimMaxTurnedAway = 32;

// The socket's path; empty with a reason in error when no private runtime
// folder can be had.
QString SimControlSocketPath(QString *error);
