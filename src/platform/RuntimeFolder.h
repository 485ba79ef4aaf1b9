#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ProductName.h"

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

// The private folder of the temp folder used when the session has none.
inline QString fallback()
{
    return QDir::tempPath() + QLatin1Char('/') + ProductName + QLatin1Char('-') +
           QString::number(::getuid());
}

// $XDG_RUNTIME_DIR when it is a private folder of this user, else fallback()
// (made when missing). Empty when neither can be had; `refused` then names the
// folder that was refused.
inline QString path(QString *refused = nullptr)
{
    const QString session = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!session.isEmpty() && isPrivate(session, false))
        return session;
    const QString own = fallback();
    if (isPrivate(own, true))
        return own;
    if (refused)
        *refused = own;
    return QString();
}

} // namespace RuntimeFolder
