#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ProductName.h"
#include "platform/UserFolder.h"

// The user's runtime folder, where the single-instance lock and the
// simulation's control socket live. Inline, as the device library links
// nothing but Qt Core.
namespace RuntimeFolder {

// A real folder (no link) of this user that nobody else may enter; made with
// mode 0700 when missing and `make` is set. Anything looser would let a
// stranger hold our lock or talk to our socket.
inline bool isPrivate(const QString &folder, bool make)
{
    const QByteArray path = QFile::encodeName(folder);
    if (make && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info;
    if (::lstat(path.constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 0077) == 0;
}

// The temp folder when it can hold our private folder: an existing folder
// we may write, never the file system's root. Qt names no folder at all when
// TMPDIR names a missing one.
inline QString usableTempFolder()
{
    const QString temp = QDir::tempPath();
    if (temp.isEmpty() || !QDir::isAbsolutePath(temp) || QDir(temp).isRoot())
        return QString();
    const QByteArray path = QFile::encodeName(temp);
    struct stat info;
    if (::stat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(path.constData(), W_OK | X_OK) != 0)
        return QString();
    return temp;
}

// The private folder of the temp folder used when the session has none;
// empty when there is no usable temp folder.
inline QString tempFallback()
{
    const QString temp = usableTempFolder();
    if (temp.isEmpty())
        return QString();
    return temp + QLatin1Char('/') + ProductName + QLatin1Char('-') + QString::number(::getuid());
}

// The last resort, inside the per-user folder (which start-up makes).
inline QString userFallback()
{
    return UserFolder::filePath(QStringLiteral("Runtime"));
}

// $XDG_RUNTIME_DIR when it is a private folder of this user, else the temp
// folder's private folder, else the per-user folder's (either made when
// missing). The program and the orvak-sim tool both ask here, so they agree
// on the folder. Empty when none can be had; `refused` then names the last
// folder that was refused.
inline QString path(QString *refused = nullptr)
{
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty() && isPrivate(session, false))
        return session;
    for (const QString &own : {tempFallback(), userFallback()}) {
        if (own.isEmpty())
            continue;
        if (isPrivate(own, true))
            return own;
        if (refused)
            *refused = own;
    }
    return QString();
}

} // namespace RuntimeFolder
