#pragma once

#include <QString>
#include <QStringList>

// The per-user folder <home>/AppData/Local/ORVAK and its subfolders. <home>
// is QDir::homePath(), i.e. $HOME, so tests point it elsewhere with HOME.
namespace UserFolder {

// <home>/AppData/Local/ORVAK (no trailing slash).
QString path();
// path() + "/" + relative.
QString filePath(const QString &relative);

// The subfolders start-up makes, in the order it makes them.
QStringList subfolders();

// Makes every missing subfolder (and the folder itself); false when one could
// not be made (logged; start-up goes on).
bool makeFolders();

// Creates an empty Macro.ini when there is none; an existing file is not
// touched. False when it could not be created (logged).
bool ensurePreferencesFile();

// Where the dialogs for files the user keeps (profiles, macro exports) open:
// the desktop's documents folder.
QString documentsPath();

} // namespace UserFolder

// Deletes the plain files of `folder` whose last modification lies 8 or more
// whole days (of 86400 s) before `nowSecs` (seconds since 1970; the current
// time when negative). Subfolders, hidden files and files dated in the future
// stay. Failures to delete are logged and ignored. Returns the number of
// files deleted.
int PurgeOldFiles(const QString &folder, qint64 nowSecs = -1);
