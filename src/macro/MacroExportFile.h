#pragma once

#include "model/MacroEventFile.h"

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QVector>

// The file a macro is exported to and imported from: a Qt data stream
// (version Qt 5.6, big-endian) of three raw byte blocks (the tag "Zudod", the
// name in UTF-8, the repeat code as decimal text), the item count, then per
// event item its text, its icon and, for key items, the press flag "0" or
// "1" with its terminating zero byte.
namespace MacroExportFile {

// An export holds one macro's event list with a small picture per item; a
// file far larger is refused before it is read.
constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;
// A device macro plays 70 keys; an event list of this many items is already
// far more than any macro the editor makes.
constexpr int MaxItems = 1024;

extern const char Tag[];

struct Content
{
    QString tag;
    QString name;
    QString repeat;
    QVector<MacroEvent> events;
};

// Reads the bytes of an export file without decoding any picture: an icon's
// PNG data is only stepped over (the importing page shows its own pictures),
// and a file name stored with an icon is never opened. False, with a short
// reason for the log, for a file larger than MaxFileBytes, a truncated or
// damaged file, more than MaxItems items, an icon kind other than a plain
// picture icon, an icon entry that names a file instead of holding its
// picture, or a picture side beyond 1024 pixels. A negative item count reads
// no items. Safe on any bytes.
bool Read(const QByteArray &bytes, Content *content, QString *error);

// The bytes of an export file; key items carry pressIcon or releaseIcon,
// delays delayIcon.
QByteArray Write(const QString &name, const QString &repeat, const QVector<MacroEvent> &events,
                 const QIcon &pressIcon, const QIcon &releaseIcon, const QIcon &delayIcon);

} // namespace MacroExportFile
