#pragma once

#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include "platform/FolderMove.h"
#include "platform/ProductName.h"

// The per-user folder and its subfolders: the desktop's folder for a user's
// application data plus "/ORVAK" ($XDG_DATA_HOME/ORVAK, by default
// ~/.local/share/ORVAK, on Linux; <home>/AppData/Local/ORVAK on Windows).
// Tests point it elsewhere with XDG_DATA_HOME (or HOME).
namespace UserFolder {

// The folder, without a trailing slash. Inline, as the device library keeps
// the simulated devices' memory here and links nothing but Qt Core.
inline QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + ProductName;
}

// path() + "/" + relative.
inline QString filePath(const QString &relative)
{
    return path() + QLatin1Char('/') + relative;
}

// The subfolders start-up makes, in the order it makes them.
QStringList subfolders();

// Makes every missing subfolder (and the folder itself); false when one could
// not be made (logged; start-up goes on).
bool makeFolders();

// Where earlier versions kept the per-user files: <home>/AppData/Local/ORVAK.
QString earlierPath();

// Moves the earlier versions' folder, when there is one, to path(), so that
// no macro, preference or failure record is left behind: whole where it can
// be renamed, else copied and checked (also onto another file system), and
// taken into a path() that exists already without replacing a file there
// that holds anything (see FolderMove.h). False when the move was needed and
// could not be completed: logged, the earlier folder stays as it was and the
// next start tries again; telling the user is the caller's. A link in the
// earlier folder's place is not followed (nothing is moved). A file of
// path() that `replaceable` judges made by a start alone gives way to the
// earlier one; `keptBeside` gets the names (relative to path()) of the
// earlier files put beside a clashing one, for the caller to tell.
bool adoptEarlierFolder(const FolderMove::Replaceable &replaceable = FolderMove::Replaceable(),
                        QStringList *keptBeside = nullptr);

// Creates an empty Macro.ini when there is none, or when a link, FIFO,
// device or folder stands in its place (set aside as Macro.ini.bad first);
// an existing file is not touched. False when it could not be created
// (logged).
bool ensurePreferencesFile();

// Where the dialogs for files the user keeps (profiles, macro exports) open:
// the desktop's documents folder, or the home folder when there is none (a
// dialog told to open in a missing folder offers its name as the file name).
QString documentsPath();

} // namespace UserFolder

// Deletes the plain files of `folder` whose last modification lies 8 or more
// whole days (of 86400 s) before `nowSecs` (seconds since 1970; the current
// time when negative). Subfolders, hidden files and files dated in the future
// stay. Failures to delete are logged and ignored. Returns the number of
// files deleted.
int PurgeOldFiles(const QString &folder, qint64 nowSecs = -1);
