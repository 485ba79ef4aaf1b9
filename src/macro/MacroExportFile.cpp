#include "macro/MacroExportFile.h"

#include "macro/Macro.h"

#include <QDataStream>

namespace MacroExportFile {

namespace {

const char ExportTag[] = "Zudod";

// A device macro holds 70 key events, so an event list of a few hundred items
// is already generous; a count beyond this is a damaged file.
constexpr qint32 MaxImportItems = 4096;

// One raw byte block: its 32-bit length must fit in what the file still holds.
bool ReadBlock(QDataStream &in, QString *text)
{
    quint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length > quint32(in.device()->bytesAvailable()))
        return false;
    QByteArray bytes(int(length), '\0');
    if (in.readRawData(bytes.data(), int(length)) != int(length))
        return false;
    const int nul = bytes.indexOf('\0');
    *text = QString::fromUtf8(nul >= 0 ? bytes.left(nul) : bytes);
    return true;
}

bool IsRepeatText(const QString &text)
{
    bool ok = false;
    const int code = text.toInt(&ok);
    return ok && text == QString::number(code) && code >= 0;
}

} // namespace

ReadResult Read(const QByteArray &bytes, Content *out)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_5_6);
    Content content;
    if (!ReadBlock(in, &content.tag) || !ReadBlock(in, &content.name) ||
        !ReadBlock(in, &content.repeat))
        return ReadResult::Truncated;
    out->tag = content.tag;
    out->name = content.name;
    out->repeat = content.repeat;
    if (content.tag != QLatin1String(ExportTag) || !IsRepeatText(content.repeat))
        return ReadResult::Foreign;

    qint32 count = 0;
    in >> count;
    bool damaged = in.status() != QDataStream::Ok || count > MaxImportItems;
    for (qint32 i = 0; !damaged && i < count; ++i) {
        Item item;
        in >> item.text >> item.icon;
        item.delay = Macro::IsDelayText(item.text);
        if (!item.delay) {
            QString flag;
            in >> flag;
            item.pressed = flag == QString(QChar(0x3000));
        }
        // A line break would split the event into lines of the macro file.
        damaged = in.status() != QDataStream::Ok || item.text.contains(QLatin1Char('\n')) ||
                  item.text.contains(QLatin1Char('\r'));
        content.items.append(item);
    }
    if (damaged)
        return ReadResult::Damaged;
    *out = content;
    return ReadResult::Ok;
}

} // namespace MacroExportFile
