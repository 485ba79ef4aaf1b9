#pragma once

// What every fuzz target shares: one application object, a per-user folder
// of its own, and the input as bytes or as a file where the program only
// reads it from a path.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace FuzzSupport {

// Once per process, from LLVMFuzzerInitialize: HOME becomes a fresh temporary
// folder (the per-user folder and every file written live there), a
// QCoreApplication (with `gui`, a QGuiApplication on the offscreen platform,
// for readers of pictures) is made, and Qt's log lines are dropped unless
// ORVAK_FUZZ_VERBOSE is set (the readers log every input they refuse).
void Start(int *argc, char ***argv, bool gui = false);

QByteArray Bytes(const uint8_t *data, size_t size);

// Writes the input as `relativePath` under HOME, folders made; returns the
// absolute path (empty when it could not be written).
QString WriteInput(const uint8_t *data, size_t size, const QString &relativePath);

} // namespace FuzzSupport
