#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ProductName.h"
#include "platform/RuntimeFolder.h"
#include "platform/UserFolder.h"

namespace {

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd); // releases the lock
    fd = -1;
}

} // namespace

SingleInstance::SingleInstance(const QString &lockPath, const QString &runtimeLockPath)
    : m_lockPath(lockPath), m_runtimeLockPath(runtimeLockPath)
{
}

SingleInstance::~SingleInstance()
{
    closeFd(m_fd);
    closeFd(m_runtimeFd);
}

QString SingleInstance::defaultLockPath()
{
    return UserFolder::filePath(ProductName + QStringLiteral(".lock"));
}

QString SingleInstance::runtimeFolder()
{
    QString refused;
    const QString folder = RuntimeFolder::path(&refused);
    if (folder.isEmpty())
        qWarning().noquote() << "Single instance: no private runtime folder" << refused;
    return folder;
}

void SingleInstance::publishRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString folder = runtimeFolder();
    if (!folder.isEmpty())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
}

QString SingleInstance::defaultRuntimeLockPath()
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return QString();
    // One lock per per-user folder, as the lock file inside it would be.
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(UserFolder::path()), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return folder + QStringLiteral("/") + ProductName + QStringLiteral("-") +
           QString::fromLatin1(digest) + QStringLiteral(".lock");
}

SingleInstance::Result SingleInstance::lock(const QString &path, int &fd)
{
    const QByteArray name = QFile::encodeName(path);
    fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        qWarning().noquote() << "Single instance: cannot open" << path << "-" << strerror(errno);
        return Result::Unavailable;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0)
        return Result::Acquired;
    const int error = errno;
    closeFd(fd);
    if (error == EWOULDBLOCK)
        return Result::AlreadyRunning;
    qWarning().noquote() << "Single instance: cannot lock" << path << "-" << strerror(error);
    return Result::Unavailable;
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_tried)
        return m_result;
    m_tried = true;

    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    m_result = lock(m_lockPath, m_fd);
    if (m_result == Result::AlreadyRunning || m_runtimeLockPath.isEmpty()) {
        if (m_result == Result::Unavailable)
            qWarning() << "Single instance: a second instance will not be detected";
        return m_result;
    }
    // Taken also when the first lock was: an instance that could not write
    // the per-user folder holds only this one.
    const Result runtime = lock(m_runtimeLockPath, m_runtimeFd);
    if (runtime == Result::AlreadyRunning) {
        closeFd(m_fd);
        m_result = Result::AlreadyRunning;
    } else if (runtime == Result::Acquired) {
        m_result = Result::Acquired;
    } else if (m_result == Result::Unavailable) {
        qWarning() << "Single instance: a second instance will not be detected";
    }
    return m_result;
}
