#include "buttons/KeyCombination.h"

#include "model/KeyNames.h"

#include <cstring>

namespace KeyCombination {

const int MultimediaUsages[MultimediaUsageCount] = {
    0x0183, 0x00CD, 0x00B5, 0x00B6, 0x00B7, 0x00E2, 0x00E9, 0x00EA, 0x018A,
    0x0192, 0x0194, 0x0223, 0x0221, 0x0225, 0x0224, 0x0226, 0x0227, 0x022A,
};

QStringList SplitNames(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('+'), Qt::KeepEmptyParts);
    QStringList names;
    for (int i = 0; i < parts.size(); ++i) {
        // "Num+" splits into "Num" and the empty part after it.
        if (parts.at(i) == QLatin1String("Num") && i + 1 < parts.size() &&
            parts.at(i + 1).isEmpty()) {
            names << QStringLiteral("Num+");
            ++i;
            continue;
        }
        names << parts.at(i);
    }
    return names;
}

KeyEventBlock KeyNameToStrokes(const QString &name, int i, int n, KeyEventBlock block)
{
    const int release = 2 * n - 1 - i;
    if (i < 0 || i >= 6 || release < 0 || release >= 6)
        return block;
    KeyStroke &press = block.Strokes[i];
    KeyStroke &up = block.Strokes[release];
    press.Action = 0;
    press.DelayMs = StrokeDelayMs;
    up.Action = 1;
    up.DelayMs = StrokeDelayMs;
    int kind = 1;
    int code = 0;
    if (CombinationNameToCode(name, &kind, &code)) {
        press.Code = uint16_t(code);
        up.Code = uint16_t(code);
    } else {
        kind = 1;
    }
    press.Kind = uint8_t(kind);
    up.Kind = uint8_t(kind);
    return block;
}

bool Parse(const QString &text, KeyEventBlock *block)
{
    std::memset(block, 0, sizeof(KeyEventBlock));
    const QStringList names = SplitNames(text);
    const int n = names.size();
    if (n > MaxKeys)
        return false;
    for (int i = 0; i < n; ++i)
        *block = KeyNameToStrokes(names.at(i), i, n, *block);
    block->StrokeCount = uint32_t(2 * n);
    return true;
}

KeyEventBlock ConsumerBlock(int usage)
{
    KeyEventBlock block;
    std::memset(&block, 0, sizeof(block));
    block.StrokeCount = 2;
    for (int i = 0; i < 2; ++i) {
        block.Strokes[i].Action = uint8_t(i);
        block.Strokes[i].Kind = 2;
        block.Strokes[i].Code = uint16_t(usage);
        block.Strokes[i].DelayMs = StrokeDelayMs;
    }
    return block;
}

int MultimediaUsageOfLowByte(int lowByte)
{
    if (lowByte < 0 || lowByte > 0xFF)
        return 0;
    for (int usage : MultimediaUsages) {
        if ((usage & 0xFF) == lowByte)
            return usage;
    }
    return 0;
}

EventDefault EventDefaultOf(const QStringList &list)
{
    EventDefault d;
    if (list.isEmpty() || list.first() != QLatin1String("0x05"))
        return d;
    d.kind = EventDefault::Kind::Unusable;
    KeyEventBlock block;
    if (list.size() == 3) {
        bool ok = false;
        const int low = QString(list.at(2)).remove(QStringLiteral("0x")).toInt(&ok, 16);
        if (ok && MultimediaUsageOfLowByte(low) != 0) {
            d.kind = EventDefault::Kind::Multimedia;
            d.lowByte = low;
        }
    } else if (list.size() == 4 && Parse(list.at(3), &block)) {
        d.kind = EventDefault::Kind::Combination;
        d.text = list.at(3);
    }
    return d;
}

} // namespace KeyCombination
