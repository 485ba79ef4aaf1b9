#pragma once

#include <QByteArray>
#include <QString>

#include "platform/vidide/FlashDataMap.h"

// The profile file: three length-prefixed records as QDataStream::writeBytes
// writes them (32-bit big-endian length, then the bytes): the 12-byte tag
// "Zudod", the 12-byte sensor name, and the parameter block.
namespace ProfileFile {

constexpr int FieldSize = 12;
constexpr int BlockSize = 10448;
constexpr int FileSize = 4 + FieldSize + 4 + FieldSize + 4 + BlockSize; // 10484
extern const char Tag[];                                                // "Zudod"

// 12-byte field: at most the first 11 bytes of text, a NUL, zeros.
QByteArray Field(const QByteArray &text);

// The sensor name as a profile file can hold it (UTF-8, at most 11 bytes).
// A reader compares the name stored in a file with this, not with the full
// Config.ini text, so that a long name still matches its own profiles.
QByteArray StoredSensorName(const QString &sensor);

// The whole file content.
QByteArray Build(const FlashDataMap &map, const QString &sensor);

// Writes the file the user chose whole or not at all (through a link, the
// file it leads to); false with a reason on failure.
bool Write(const QString &path, const FlashDataMap &map, const QString &sensor,
           QString *error = nullptr);

} // namespace ProfileFile
