#pragma once

#include <QString>
#include <QStringList>

struct MacroRecord;

// The per-user macro folder, usersetting/MacroPage/ of UserFolder::path().
QString MacroFolderPath();

// The folder of the macro folder's path below the per-user folder
// (usersetting, or usersetting/MacroPage itself) that is a link, without a
// trailing slash; empty when there is none. Files of the per-user folder are
// never reached through a link: with such a link no macro is listed, read or
// written, and the folder it names (with the user's files in it) stays as it
// is. The user is told once per run (StorageNotice::Kind::MacroFolder), and
// each refused action of the user says why with the same text.
QString MacroFolderLink();

// The names of the regular files of the macro folder that the macro lists
// are built from, by name ignoring case: hidden files and the ".bad" files
// kept beside damaged ones are left out. Anything else standing in the folder
// under a macro file's name (<name>.ini: a link, FIFO, device, socket or
// folder) is damaged: it is set aside as <name>.ini.bad, never opened or
// followed, so that its name is free for a macro again. None when the macro
// folder is reached through a link (MacroFolderLink); the user is then told
// from the event loop.
QStringList MacroFolderFiles();

// Path of the file of macro name, or an empty text when name would leave the
// macro folder or is empty (see AssignmentLabels::IsSafeMacroName).
QString MacroFilePath(const QString &name);

// The rule every macro name follows, typed, imported or read from the mouse:
// a file name inside the macro folder that the macro lists show again at the
// next start (no "xml" anywhere, no leading "."), and at most 30 bytes in the
// local 8-bit encoding, the name field of a device macro record.
bool IsListedMacroName(const QString &name);

// The name a macro read from the mouse is listed under: the name itself when
// it follows the rule above; otherwise the name with what breaks the rule
// replaced and a short tag of the original, so the same device name always
// leads to the same file (found again after a restart) and two names never
// share one. Empty only for a name without a visible character.
QString ListedMacroName(const QString &name);

// Creates or replaces the file of macro name with text + "\n" (UTF-8).
// Refuses unsafe names; false when refused or not written.
bool WriteMacroFile(const QString &name, const QString &text);

// Creates or replaces the file of macro name with the macro a button of the
// mouse holds: its repeat code, then the events of its record. One write:
// the file ends up whole or stays as it was, never with the repeat line
// alone. Refuses unsafe names; false when refused or not written.
bool WriteDeviceMacroFile(const QString &name, int repeatCode, const MacroRecord &record);
