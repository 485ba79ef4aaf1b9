#include "device/ProfileFile.h"

#include "platform/files/SafeFile.h"

#include <QDataStream>

namespace ProfileFile {

const char Tag[] = "Zudod";

QByteArray Field(const QByteArray &text)
{
    QByteArray field(FieldSize, '\0');
    const int length = qMin(text.size(), FieldSize - 1);
    for (int i = 0; i < length; ++i)
        field[i] = text.at(i);
    return field;
}

QByteArray StoredSensorName(const QString &sensor)
{
    // What a reader gets back from the field: the bytes up to its first NUL.
    const QByteArray field = Field(sensor.toUtf8());
    return field.left(field.indexOf('\0'));
}

QByteArray Build(const FlashDataMap &map, const QString &sensor)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    const QByteArray tag = Field(QByteArray(Tag));
    const QByteArray name = Field(sensor.toUtf8());
    stream.writeBytes(tag.constData(), uint(tag.size()));
    stream.writeBytes(name.constData(), uint(name.size()));
    stream.writeBytes(reinterpret_cast<const char *>(&map), uint(sizeof(FlashDataMap)));
    return bytes;
}

bool Write(const QString &path, const FlashDataMap &map, const QString &sensor, QString *error)
{
    static_assert(sizeof(FlashDataMap) == BlockSize, "profile block size");
    return SafeFile::writeChosen(path, Build(map, sensor), error);
}

} // namespace ProfileFile
