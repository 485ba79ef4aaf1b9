#pragma once

#include "platform/vidide/FlashDataMap.h"

#include <QString>
#include <QStringList>

// Event blocks of a button: key combinations ("Ctrl+Alt+A") and multimedia
// keys (one consumer usage). The key names are those of model/KeyNames.h.
namespace KeyCombination {

// A block holds six strokes: three keys pressed, then released.
constexpr int MaxKeys = 3;
// Every stroke the program builds waits this long before the next one.
constexpr uint32_t StrokeDelayMs = 10;

// The key names of a combination text, split at "+". Empty names are kept
// ("" gives one empty name, "Ctrl++" gives "Ctrl" and two empty names); the
// keypad plus key "Num+" stays one name although it holds the separator.
QStringList SplitNames(const QString &text);

// Strokes i (press) and 2n-1-i (release) of `block` for the named key: a
// modifier name gives kind 0 and its left-hand bit, any other name kind 1
// and its keyboard usage; a name outside the vocabulary keeps the code the
// block held. Returns the changed block.
KeyEventBlock KeyNameToStrokes(const QString &name, int i, int n, KeyEventBlock block);

// The block of a combination text: all keys pressed in the order named, then
// released in reverse order, 10 ms after each stroke. False (block zero) for
// a text of more than three names, which six strokes cannot hold.
bool Parse(const QString &text, KeyEventBlock *block);

// The block of one consumer usage: press and release, 10 ms each.
KeyEventBlock ConsumerBlock(int usage);

// The eighteen consumer usages of the multimedia menu, in menu order.
constexpr int MultimediaUsageCount = 18;
extern const int MultimediaUsages[MultimediaUsageCount];
// Usage whose low byte is lowByte (the whole value must be a byte); 0 when
// the menu offers none.
int MultimediaUsageOfLowByte(int lowByte);

// A model's event-block default of a button (Config.ini KeyParam<j>):
// "0x05", x, usage  -> a multimedia key (usage in hex, "0x" optional);
// "0x05", x, y, text -> a key combination.
struct EventDefault
{
    enum class Kind
    {
        NotListed, // the list names no event block (first item not "0x05")
        Unusable,  // it does, but of a length, usage or text the page cannot write
        Multimedia,
        Combination
    };
    Kind kind = Kind::NotListed;
    int lowByte = 0;
    QString text;
};
EventDefault EventDefaultOf(const QStringList &list);

} // namespace KeyCombination
