#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QVector>

// The reader of a macro export file: a Qt data stream (version 5.6) of three
// length-prefixed byte blocks (tag "Zudod", the macro name, the repeat code),
// the item count, then each event item's text, icon and, for key items, its
// press flag. Icons hold pictures: reading needs the GUI application.
namespace MacroExportFile {

// Far more than the largest event list with its icons; a larger file is not
// read at all.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

struct Item
{
    QString text;
    QIcon icon;
    bool pressed = true;
    bool delay = false;
};

struct Content
{
    QString tag;
    QString name;
    QString repeat;
    QVector<Item> items;
};

enum class ReadResult
{
    Ok,
    Truncated, // the three blocks are not all there; nothing else is read
    Foreign,   // another tag or an unusable repeat code; no item is read
    Damaged,   // impossible item count, a broken item or a line break in a text
};

// Reads the whole content; only Ok leaves `out` complete. The blocks are
// filled for every result but Truncated, so the caller can name the macro.
ReadResult Read(const QByteArray &bytes, Content *out);

} // namespace MacroExportFile
