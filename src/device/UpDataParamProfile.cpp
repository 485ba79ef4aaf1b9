// The profile reader of the wait dialog. A profile file is exactly what the
// export writes: three QDataStream byte records (12-byte tag, 12-byte sensor
// name, the 10448-byte block), 10484 bytes in all. Anything else is refused
// before a byte of it reaches the block.
#include "device/UpDataParam.h"

#include "common/ConfigIniStore.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/ProfileFile.h"
#include "platform/Logging.h"
#include "platform/files/SafeFile.h"

#include <QDataStream>
#include <QDebug>

#include <cstring>

namespace {

constexpr quint32 TextRecordLength = 12;
constexpr quint32 BlockRecordLength = sizeof(FlashDataMap);
constexpr qint64 ProfileFileLength = 3 * 4 + 2 * TextRecordLength + BlockRecordLength;

// Highest function category of a key assignment.
constexpr uint8_t MaxKeyCategory = 11;

// One length-prefixed record of exactly `expected` bytes.
bool readRecord(QDataStream &in, quint32 expected, QByteArray &out)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length != expected)
        return false;
    out.resize(int(length));
    return in.readRawData(out.data(), int(length)) == int(length);
}

QByteArray upToNul(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    return nul < 0 ? bytes : bytes.left(nul);
}

// Counts and categories a device block can hold.
bool blockIsSound(const FlashDataMap &block)
{
    if (block.DpiLevelCount < 1 || block.DpiLevelCount > 8)
        return false;
    for (const KeyAssign &key : block.Keys) {
        if (key.Category > MaxKeyCategory)
            return false;
    }
    for (const KeyEventBlock &events : block.KeyEvents) {
        if (events.StrokeCount > 6)
            return false;
    }
    for (const MacroRecord &macro : block.Macros) {
        if (macro.MacroNameLength > sizeof(macro.MacroNameBytes) || macro.StrokeCount > 70)
            return false;
    }
    return true;
}

} // namespace

int UpDataParam::ReadProfileFile(const QString &path, FlashDataMap &out)
{
    // Bounded before reading, and only a regular file, links of the user's
    // followed: a pipe chosen in the dialog would never end.
    QByteArray bytes;
    QString error;
    if (SafeFile::readChosen(path, ProfileFileLength, &bytes, &error) != SafeFile::Status::Ok) {
        qCDebug(lcDevice) << "failed" << path << error;
        return 1;
    }
    if (bytes.size() != ProfileFileLength) {
        qCDebug(lcDevice) << "profile" << path << "has" << bytes.size() << "bytes, not"
                          << ProfileFileLength;
        return 1;
    }
    const int result = ReadProfileBytes(bytes, out);
    if (result == 1)
        qCDebug(lcDevice) << "profile" << path << "is not a profile with a sound parameter block";
    return result;
}

int UpDataParam::ReadProfileBytes(const QByteArray &bytes, FlashDataMap &out)
{
    if (bytes.size() != ProfileFileLength)
        return 1;
    QDataStream in(bytes);
    QByteArray tag;
    QByteArray sensor;
    QByteArray blockBytes;
    if (!readRecord(in, TextRecordLength, tag) || !readRecord(in, TextRecordLength, sensor) ||
        !readRecord(in, BlockRecordLength, blockBytes))
        return 1;
    if (upToNul(tag) != "Zudod")
        return 1;

    FlashDataMap block;
    std::memcpy(&block, blockBytes.constData(), sizeof(block));

    // A profile of another model, or one with more DPI levels than this model
    // offers, is a mismatch for the user to understand, not a damaged file:
    // these checks come before the block's own bounds.
    const QString group = DeviceCatalogue::Group(CurrentDeviceInfo.DriveIndex);
    ConfigIniStore *store = ConfigIniStore::GetInstance();
    // The file holds at most 11 bytes of the name: compare what it can hold.
    if (upToNul(sensor) !=
        ProfileFile::StoredSensorName(store->GetValue(group, QStringLiteral("Sensor"))))
        return 2;
    if (block.DpiLevelCount > store->GetValue(group, QStringLiteral("DPIMaxGrade")).toInt())
        return 2;
    if (!blockIsSound(block))
        return 1;
    out = block;
    return 0;
}

int UpDataParam::ReadProfileFile(const QString &path)
{
    FlashDataMap ignored;
    return ReadProfileFile(path, ignored);
}
