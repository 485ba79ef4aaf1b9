#include "platform/Registry.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/IniCodec.h"
#include "platform/ProductName.h"
#include "platform/SyncedSettings.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"

namespace {

QMutex g_instanceMutex;
Registry *g_instance = nullptr;

// Syncs what `path` names (a file, or a folder with `folder`); false with the
// reason in `error`. Nothing there is nothing to sync: a file that was never
// written, or removed with its last value.
bool syncPath(const QString &path, bool folder, QString *error)
{
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | (folder ? O_DIRECTORY : O_NONBLOCK);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0 && errno == ENOENT)
        return true;
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    if (!synced)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return synced;
}

} // namespace

Registry *Registry::instance()
{
    QMutexLocker lock(&g_instanceMutex);
    if (!g_instance)
        g_instance = new Registry(UserFolder::filePath(QStringLiteral("Registry.ini")));
    return g_instance;
}

Registry::Registry(const QString &filePath)
    : m_settings(new SyncedSettings(filePath)), m_filePath(filePath)
{
}

Registry::~Registry() = default;

QString Registry::productKey()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + ProductName + QLatin1Char('\\') +
           ProductName + QLatin1Char('\\') + ProductName;
}

QString Registry::mouseDriveTestKey()
{
    return QStringLiteral("HKEY_CURRENT_USER\\Software\\") + ProductName + QLatin1Char('\\') +
           ProductName + QStringLiteral("\\Mouse Drive Test");
}

// The key path's parts become INI groups ("\" and "/" both separate them); the
// value name is the last part, with its own slashes made harmless.
QString Registry::settingsKey(const QString &keyPath, const QString &name)
{
    QString path = keyPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString leaf = name;
    leaf.replace(QLatin1Char('/'), QLatin1Char('_'));
    leaf.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return path + QLatin1Char('/') + leaf;
}

bool Registry::holdsOnlyDeviceVersions(const QString &path)
{
    QByteArray text;
    IniCodec::Map values;
    if (SafeFile::read(path, SyncedSettings::MaxFileBytes, &text) != SafeFile::Status::Ok ||
        !IniCodec::parse(text, &values))
        return false;
    const QString versions = IniCodec::normalizedKey(settingsKey(mouseDriveTestKey(), "MouseVer"));
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        if (!IniCodec::normalizedKey(it.key()).startsWith(versions))
            return false;
    }
    return true;
}

QVariant Registry::value(const QString &keyPath, const QString &name,
                         const QVariant &defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->value(settingsKey(keyPath, name), defaultValue);
}

bool Registry::contains(const QString &keyPath, const QString &name) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->contains(settingsKey(keyPath, name));
}

bool Registry::setValue(const QString &keyPath, const QString &name, const QVariant &value)
{
    QMutexLocker lock(&m_mutex);
    if (!m_settings->setValue(settingsKey(keyPath, name), value)) {
        qWarning().noquote() << "Registry: cannot write" << name << "to" << m_filePath << "-"
                             << m_settings->lastError();
        return false;
    }
    return true;
}

bool Registry::remove(const QString &keyPath, const QString &name)
{
    QMutexLocker lock(&m_mutex);
    if (!m_settings->remove(settingsKey(keyPath, name))) {
        qWarning().noquote() << "Registry: cannot remove" << name << "from" << m_filePath << "-"
                             << m_settings->lastError();
        return false;
    }
    return true;
}

bool Registry::flush()
{
    QMutexLocker lock(&m_mutex);
    // The settings are replaced through a new file renamed into place: the
    // file's content and the folder's entry for it both have to be synced.
    QString error;
    if (syncPath(m_filePath, false, &error) &&
        syncPath(QFileInfo(m_filePath).absolutePath(), true, &error))
        return true;
    qWarning().noquote() << "Registry: cannot sync" << m_filePath << ":" << error;
    return false;
}
