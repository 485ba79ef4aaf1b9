#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The text of the program's INI files (Macro.ini, Registry.ini,
// MacroSync.ini, Config.ini): the form QSettings gives IniFormat with UTF-8,
// so that the files of earlier versions read as they did and what is written
// here reads the same with QSettings.
//
//   [Language]
//   Language=1
//   [HKEY_CURRENT_USER]
//   Software\ORVAK\ORVAK\Mouse%20Drive%20Test\MouseVer2612=v1.05
//   UpdateFailInfo="1,2,3"
//
// Keys are "group/name"; a key of the [General] section has no group. Values
// are texts, lists of texts (a line with unquoted commas) and byte arrays;
// any other value is stored as its text. "@Variant(...)" values of other
// programs are kept as their text: nothing here decodes a serialised object.
// The files are read and written with SafeFile; this only turns text into
// values and back.
namespace IniCodec {

using Map = QMap<QString, QVariant>;

// The values of text, keyed "group/name". Safe on any bytes. False when a
// line is malformed (a section header without "]", a line that is neither
// a comment nor holds "="), as QSettings reports a format error; the values
// of the other lines are read all the same.
bool parse(const QByteArray &text, Map *map);

// The text of map, one section per group.
QByteArray serialize(const Map &map);

// key without empty parts ("a//b/" is "a/b"), as QSettings looks keys up.
QString normalizedKey(const QString &key);

} // namespace IniCodec
