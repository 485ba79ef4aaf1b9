#pragma once

#include "platform/vidide/FlashDataMap.h"

#include <QString>

// Reading a per-user macro file (usersetting/MacroPage/<name>.ini) into the
// device's macro record of a button. Line 1 holds the repeat code, every
// further line one event: a key line "0x04 1 0" (usage, kind, 0 press / 1
// release) or a delay line "10ms". A key line fills the current stroke, a
// delay line gives it its delay and moves on to the next stroke.
namespace MacroBinding {

enum class LoadResult
{
    Ok,
    BadName,        // empty, leaves the macro folder, or over 30 bytes
    Missing,        // no such file
    Unreadable,     // exists but cannot be opened
    TooManyStrokes, // more key events than the record's 70 strokes hold
    TooLarge,       // far larger than a macro file of 70 key events can be
};

// A macro the device can hold is 70 key lines and their delays, a few
// kilobytes; a file beyond this bound is refused without being read.
constexpr qint64 MaxBindingFileBytes = 64 * 1024;

// Fills `record` from the file of `name` (zero record unless Ok) with the
// editor's own reader and record builder, so the device plays what the
// editor shows.
LoadResult LoadRecord(const QString &name, MacroRecord *record);

// First field of the file's first line; "0" for a missing, unreadable or
// empty file or a blank first line.
QString ReadRepeatCode(const QString &name);

// The repeat code a button's entry carries for the repeat code text of a
// macro file: a decimal number up to 255 as it stands (the editor's counts
// and its three modes 253, 254, 255), text that is no number (the empty text
// included) as 0. False, and `code` untouched, for a number the entry's byte
// cannot hold (above 255 or below 0).
bool RepeatCodeOf(const QString &text, int *code);

// Short text of a load result for the log.
QString Describe(LoadResult result);

// Key of the label catalogue's "macro" section that tells the user why a
// load result binds nothing; empty for Ok.
QString RefusalKey(LoadResult result);

} // namespace MacroBinding
