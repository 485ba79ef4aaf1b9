#include "common/MacroIniStore.h"

#include <QDebug>
#include <QMutexLocker>

#include "common/StorageNotice.h"
#include "platform/SyncedSettings.h"
#include "platform/UserFolder.h"

namespace {

QMutex g_instanceMutex;
MacroIniStore *g_instance = nullptr;

} // namespace

MacroIniStore *MacroIniStore::GetInstance()
{
    QMutexLocker lock(&g_instanceMutex);
    if (!g_instance)
        g_instance = new MacroIniStore(UserFolder::filePath(QStringLiteral("Macro.ini")));
    return g_instance;
}

MacroIniStore::MacroIniStore(const QString &filePath)
    : m_settings(new SyncedSettings(filePath)), m_filePath(filePath)
{
}

MacroIniStore::~MacroIniStore() = default;

bool MacroIniStore::SetValue(const QString &group, const QString &key, const QString &text)
{
    const QString name = group + QLatin1Char('/') + key;
    QString reason;
    {
        QMutexLocker lock(&m_mutex);
        if (m_settings->setValue(name, text))
            return true;
        reason = m_settings->lastError();
    }
    StorageNotice::Report(StorageNotice::Kind::Preferences, m_filePath,
                          QStringLiteral("the value of ") + name +
                              QStringLiteral(" was not kept: ") + reason);
    return false;
}

QString MacroIniStore::GetValue(const QString &group, const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->value(group + QLatin1Char('/') + key, QString()).toString();
}
