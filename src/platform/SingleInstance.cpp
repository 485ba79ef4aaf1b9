#include "platform/SingleInstance.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/ProductName.h"
#include "platform/UserFolder.h"

SingleInstance::SingleInstance(const QString &lockPath) : m_lockPath(lockPath) {}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

QString SingleInstance::defaultLockPath()
{
    return UserFolder::filePath(ProductName + QStringLiteral(".lock"));
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_tried)
        return m_result;
    m_tried = true;

    QDir().mkpath(QFileInfo(m_lockPath).absolutePath());
    const QByteArray path = QFile::encodeName(m_lockPath);
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        qWarning().noquote() << "Single instance: cannot open" << m_lockPath << "-"
                             << strerror(errno) << "- a second instance will not be detected";
        m_result = Result::Unavailable;
        return m_result;
    }
    int rc;
    do {
        rc = ::flock(m_fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_result = Result::Acquired;
        return m_result;
    }
    const int error = errno;
    ::close(m_fd);
    m_fd = -1;
    if (error == EWOULDBLOCK) {
        m_result = Result::AlreadyRunning;
    } else {
        qWarning().noquote() << "Single instance: cannot lock" << m_lockPath << "-"
                             << strerror(error) << "- a second instance will not be detected";
        m_result = Result::Unavailable;
    }
    return m_result;
}
