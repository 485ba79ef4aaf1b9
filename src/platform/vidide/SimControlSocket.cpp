#include "platform/vidide/SimControlSocket.h"

#include "platform/vidide/SimControl.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (no link) of this user that nobody else may enter; made with
// mode 0700 when missing and `make` is set.
bool isPrivateFolder(const QString &folder, bool make)
{
    const QByteArray path = QFile::encodeName(folder);
    if (make && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info;
    if (::lstat(path.constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 0077) == 0;
}

} // namespace

QString SimControlSocketPath(QString *error)
{
    QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !isPrivateFolder(folder, false)) {
        folder = QDir::tempPath() + QStringLiteral("/ORVAK-") + QString::number(::getuid());
        if (!isPrivateFolder(folder, true)) {
            if (error)
                *error = QStringLiteral("no private runtime folder (%1 is not one)").arg(folder);
            return QString();
        }
    }
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(SimStateFile()), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/ORVAK-sim-") + QString::fromLatin1(digest);
}
