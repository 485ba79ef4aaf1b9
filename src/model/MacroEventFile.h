#pragma once

#include "platform/vidide/FlashDataMap.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// One event of a macro as the event list shows it: a key press, a key release
// or a delay ("10ms"). Wherever events are read one by one, a delay is an
// event whose text contains "ms"; every other event is a key.
struct MacroEvent
{
    QString text;
    bool release = false;
    // Read from a line of one field: shown with the delay picture.
    bool delayLine = false;
};

// The per-macro file usersetting/MacroPage/<name>.ini and the conversions
// between its events and the device's macro record. The editor and the
// button page read files and build records only through these functions, so
// the mouse plays what the editor shows.
namespace MacroEventFile {

// A macro file holds a few hundred short lines at most; a larger file is not
// a macro file and is refused before it is read.
constexpr qint64 MaxFileBytes = 1024 * 1024;

// Strokes of a device macro record.
constexpr int MaxStrokes = int(sizeof(MacroRecord::Strokes) / sizeof(KeyStroke));

bool IsDelayText(const QString &text);

struct Content
{
    // First field of the first line, line end removed; hasRepeatField is
    // false when the file is empty or that line holds only blanks.
    bool hasRepeatField = false;
    QString repeatField;
    QVector<MacroEvent> events;
};

// Reads the bytes of a macro file: the repeat line, then one event per line.
// A key line has three fields and ends with the flag "0" (press) or "1"
// (release); a line of one field is a delay; other lines are skipped. CR LF
// and LF line ends read alike, and the last line needs none.
Content Parse(const QByteArray &bytes);

// Reads the file at path through Parse. False when it is missing, is no
// regular file (SafeFile), cannot be opened or is larger than MaxFileBytes
// (then it is not read at all).
bool ReadFile(const QString &path, Content *content);

// The event lines of events (no repeat line), each ending with "\n".
QByteArray EventLines(const QVector<MacroEvent> &events);

// Strokes of a record from events, by kind: each key event opens a stroke,
// each delay adds to the pause after the key before it (a delay before the
// first key has no stroke to wait after and is dropped). Events without a key
// give one all-zero stroke (StrokeCount 1). Sets StrokeCount and the strokes,
// leaves the name. False, and the strokes all zero, when the events hold more
// keys than the record has strokes.
bool FillStrokes(const QVector<MacroEvent> &events, MacroRecord *record);

// Events of a device record: each stroke's key, then its pause when it has
// one. A StrokeCount beyond the record's strokes reads the strokes it holds.
QVector<MacroEvent> EventsOfRecord(const MacroRecord &record);

} // namespace MacroEventFile
