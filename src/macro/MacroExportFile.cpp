#include "macro/MacroExportFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QtEndian>

namespace MacroExportFile {

const char Tag[] = "Zudod";

namespace {

constexpr int TagBlockSize = 12;
constexpr int NameBlockSize = 48;
constexpr int RepeatBlockSize = 12;
// Item texts are key names and delays; icon kinds and the stored picture
// file names are short too.
constexpr quint32 MaxStringBytes = 4096;
// A picture icon holds one entry per size and state the program gave it.
constexpr qint32 MaxIconEntries = 64;
// The list's pictures are small icons; a larger picture is no export of ours.
constexpr quint32 MaxPictureSide = 1024;

// Reads big-endian fields from the bytes, every length checked against what
// is left before anything is taken.
class Cursor
{
public:
    explicit Cursor(const QByteArray &bytes) : m_bytes(bytes) {}

    int left() const { return m_bytes.size() - m_at; }

    bool u32(quint32 *value)
    {
        if (left() < 4)
            return false;
        *value = qFromBigEndian<quint32>(m_bytes.constData() + m_at);
        m_at += 4;
        return true;
    }
    bool i32(qint32 *value)
    {
        quint32 raw = 0;
        if (!u32(&raw))
            return false;
        *value = qint32(raw);
        return true;
    }
    bool take(quint32 size, QByteArray *out = nullptr)
    {
        if (size > quint32(left()))
            return false;
        if (out)
            *out = m_bytes.mid(m_at, int(size));
        m_at += int(size);
        return true;
    }
    // A raw byte block as text: its bytes up to the first zero, in UTF-8.
    bool blockText(QString *text)
    {
        quint32 length = 0;
        QByteArray bytes;
        if (!u32(&length) || !take(length, &bytes))
            return false;
        const int nul = bytes.indexOf('\0');
        *text = QString::fromUtf8(nul >= 0 ? bytes.left(nul) : bytes);
        return true;
    }
    // A QString: byte length (all bits set for a null string), UTF-16 BE.
    bool string(QString *text)
    {
        quint32 length = 0;
        if (!u32(&length))
            return false;
        if (length == 0xFFFFFFFFu) {
            *text = QString();
            return true;
        }
        QByteArray bytes;
        if ((length & 1u) != 0 || length > MaxStringBytes || !take(length, &bytes))
            return false;
        QString result(int(length / 2), Qt::Uninitialized);
        for (int i = 0; i < result.size(); ++i)
            result[i] = QChar(qFromBigEndian<quint16>(bytes.constData() + 2 * i));
        *text = result;
        return true;
    }
    // A PNG stream: its signature, the header chunk with a picture size the
    // list can show, then chunks up to and including IEND. Nothing is decoded.
    bool skipPng()
    {
        static const char signature[] = "\x89PNG\r\n\x1a\n";
        QByteArray head;
        quint32 headerLength = 0;
        QByteArray header;
        if (!take(8, &head) || head != QByteArray(signature, 8) || !u32(&headerLength) ||
            headerLength != 13 || !take(4 + 13 + 4, &header) || !header.startsWith("IHDR"))
            return false;
        const quint32 width = qFromBigEndian<quint32>(header.constData() + 4);
        const quint32 height = qFromBigEndian<quint32>(header.constData() + 8);
        if (width == 0 || height == 0 || width > MaxPictureSide || height > MaxPictureSide)
            return false;
        for (;;) {
            quint32 length = 0;
            QByteArray type;
            if (!u32(&length) || !take(4, &type) || length > quint32(left()) ||
                !take(length + 4)) // data and CRC
                return false;
            if (type == "IEND")
                return true;
        }
    }

private:
    const QByteArray &m_bytes;
    int m_at = 0;
};

// Steps over an icon as QDataStream writes it at version Qt 5.6: the engine
// kind, then for a picture icon its entries, each a picture (a null marker,
// then PNG data), its file name, size, mode and state.
bool SkipIcon(Cursor &in)
{
    QString kind;
    if (!in.string(&kind))
        return false;
    if (kind.isEmpty()) // a null icon
        return true;
    if (kind != QLatin1String("QPixmapIconEngine"))
        return false;
    qint32 entries = 0;
    if (!in.i32(&entries) || entries < 0 || entries > MaxIconEntries)
        return false;
    for (qint32 i = 0; i < entries; ++i) {
        qint32 notNull = 0;
        QString fileName;
        if (!in.i32(&notNull) || (notNull != 0 && !in.skipPng()) || !in.string(&fileName) ||
            !in.take(4 * sizeof(quint32))) // width, height, mode, state
            return false;
        // An entry without picture data points at a file on the importing
        // computer: no export of ours needs that.
        if (notNull == 0 && !fileName.isEmpty())
            return false;
    }
    return true;
}

QByteArray Block(const QByteArray &text, int size)
{
    QByteArray block = text.left(size);
    block.append(QByteArray(size - block.size(), '\0'));
    return block;
}

// The UTF-8 bytes of text, cut before a character that would not fit whole.
QByteArray Utf8Cut(const QString &text, int size)
{
    QByteArray bytes = text.toUtf8();
    if (bytes.size() <= size)
        return bytes;
    int n = size;
    while (n > 0 && (uchar(bytes.at(n)) & 0xC0) == 0x80)
        --n;
    return bytes.left(n);
}

} // namespace

bool Read(const QByteArray &bytes, Content *content, QString *error)
{
    auto fail = [error](const char *why) {
        if (error)
            *error = QString::fromLatin1(why);
        return false;
    };
    if (bytes.size() > MaxFileBytes)
        return fail("file too large");
    Cursor in(bytes);
    Content read;
    if (!in.blockText(&read.tag) || !in.blockText(&read.name) || !in.blockText(&read.repeat))
        return fail("header truncated");
    qint32 count = 0;
    if (!in.i32(&count))
        return fail("item count missing");
    if (count > MaxItems)
        return fail("too many items");
    for (qint32 i = 0; i < count; ++i) {
        MacroEvent event;
        if (!in.string(&event.text))
            return fail("item text damaged");
        // A line break would split the event into lines of the macro file.
        if (event.text.contains(QLatin1Char('\n')) || event.text.contains(QLatin1Char('\r')))
            return fail("item text holds a line break");
        if (!SkipIcon(in))
            return fail("item icon damaged or of an unknown kind");
        event.delayLine = MacroEventFile::IsDelayText(event.text);
        if (!event.delayLine) {
            QString flag;
            if (!in.string(&flag))
                return fail("press flag damaged");
            event.release = flag != QString(QChar(0x3000));
        }
        read.events.append(event);
    }
    *content = read;
    return true;
}

QByteArray Write(const QString &name, const QString &repeat, const QVector<MacroEvent> &events,
                 const QIcon &pressIcon, const QIcon &releaseIcon, const QIcon &delayIcon)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QDataStream out(&buffer);
    out.setVersion(QDataStream::Qt_5_6);
    auto writeBlock = [&out](const QByteArray &block) {
        out.writeBytes(block.constData(), uint(block.size()));
    };
    writeBlock(Block(Tag, TagBlockSize));
    writeBlock(Block(Utf8Cut(name, NameBlockSize), NameBlockSize));
    writeBlock(Block(repeat.toUtf8(), RepeatBlockSize));
    out << qint32(events.size());
    for (const MacroEvent &event : events) {
        const bool delay = MacroEventFile::IsDelayText(event.text);
        const QIcon &icon = delay || event.delayLine ? delayIcon
                            : event.release          ? releaseIcon
                                                     : pressIcon;
        out << event.text << icon;
        if (!delay)
            out.writeBytes(event.release ? "1" : "0", 2);
    }
    return bytes;
}

} // namespace MacroExportFile
