#include "model/MacroEventFile.h"

#include "model/KeyNames.h"
#include "platform/files/SafeFile.h"

#include <QStringList>

#include <cstring>
#include <limits>

namespace MacroEventFile {

bool IsDelayText(const QString &text)
{
    return text.contains(QStringLiteral("ms"));
}

Content Parse(const QByteArray &bytes)
{
    Content content;
    bool first = true;
    int from = 0;
    while (from < bytes.size()) {
        int end = bytes.indexOf('\n', from);
        const bool hasLineEnd = end >= 0;
        if (!hasLineEnd)
            end = bytes.size();
        QByteArray raw = bytes.mid(from, end - from);
        from = end + 1;
        const int nul = raw.indexOf('\0');
        if (nul >= 0)
            raw.truncate(nul);
        if (raw.endsWith('\r')) // written on Windows
            raw.chop(1);
        // The line end stays on the last field, so a blank after the flag
        // makes a fourth field and the line is skipped.
        if (hasLineEnd)
            raw.append('\n');
        const QStringList pieces =
            QString::fromUtf8(raw).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (first) {
            first = false;
            content.hasRepeatField = !pieces.isEmpty();
            if (content.hasRepeatField)
                content.repeatField = pieces.first().trimmed();
            continue;
        }
        if (pieces.size() == 3) {
            QString flag = pieces.at(2);
            // The last line may lack its line end.
            if (hasLineEnd && !flag.endsWith(QLatin1Char('\n')))
                continue;
            flag.remove(QLatin1Char('\n'));
            if (flag != QLatin1String("0") && flag != QLatin1String("1"))
                continue;
            MacroEvent event;
            event.text = HidCodeToKeyName(pieces.at(0), pieces.at(1).toInt());
            event.release = flag == QLatin1String("1");
            content.events.append(event);
        } else if (pieces.size() == 1) {
            MacroEvent event;
            event.text = pieces.first();
            event.text.remove(QLatin1Char('\n'));
            event.delayLine = true;
            content.events.append(event);
        }
    }
    return content;
}

bool ReadFile(const QString &path, Content *content)
{
    QByteArray bytes;
    if (SafeFile::read(path, MaxFileBytes, &bytes) != SafeFile::Status::Ok)
        return false;
    *content = Parse(bytes);
    return true;
}

QByteArray EventLines(const QVector<MacroEvent> &events)
{
    QString lines;
    for (const MacroEvent &event : events) {
        if (IsDelayText(event.text)) {
            lines += event.text + QLatin1Char('\n');
            continue;
        }
        for (const QString &piece : KeyNameToHidCode(event.text))
            lines += piece + QLatin1Char(' ');
        lines += event.release ? QStringLiteral("1\n") : QStringLiteral("0\n");
    }
    return lines.toUtf8();
}

bool FillStrokes(const QVector<MacroEvent> &events, MacroRecord *record)
{
    std::memset(record->Strokes, 0, sizeof(record->Strokes));
    record->StrokeCount = 0;
    unsigned char *bytes = reinterpret_cast<unsigned char *>(record);
    int count = 0;
    for (const MacroEvent &event : events) {
        if (IsDelayText(event.text)) {
            if (count == 0)
                continue;
            QString text = event.text;
            text.remove(QStringLiteral("ms"));
            const quint64 sum =
                quint64(record->Strokes[count - 1].DelayMs) + text.trimmed().toUInt();
            record->Strokes[count - 1].DelayMs =
                uint32_t(qMin<quint64>(sum, std::numeric_limits<uint32_t>::max()));
            continue;
        }
        if (count == MaxStrokes) {
            std::memset(record->Strokes, 0, sizeof(record->Strokes));
            return false;
        }
        KeyNameToStroke(event.text, count, bytes, int(sizeof(MacroRecord)));
        record->Strokes[count].Action = event.release ? 1 : 0;
        ++count;
    }
    // A macro without a key still goes out as one all-zero stroke: the mouse
    // may rely on a macro record holding at least one.
    record->StrokeCount = uint8_t(qMax(count, 1));
    return true;
}

QVector<MacroEvent> EventsOfRecord(const MacroRecord &record)
{
    QVector<MacroEvent> events;
    const int count = qMin(int(record.StrokeCount), MaxStrokes);
    for (int s = 0; s < count; ++s) {
        const KeyStroke &stroke = record.Strokes[s];
        MacroEvent key;
        key.text = stroke.Kind == 4 ? MouseBitToKeyName(stroke.Code)
                                    : DeviceCodeToKeyName(stroke.Code, stroke.Kind);
        key.release = stroke.Action != 0;
        events.append(key);
        // The last stroke's pause is kept only when it has one: the gap
        // before the macro plays again.
        if (s + 1 < count || stroke.DelayMs != 0) {
            MacroEvent delay;
            delay.text = QString::number(stroke.DelayMs) + QStringLiteral("ms");
            delay.delayLine = true;
            events.append(delay);
        }
    }
    return events;
}

} // namespace MacroEventFile
