#include "common/MacroIniStore.h"

#include <QDebug>
#include <QMutexLocker>
#include <QSettings>
#include <QTextCodec>

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
    : m_settings(new QSettings(filePath, QSettings::IniFormat)), m_filePath(filePath)
{
    m_settings->setIniCodec(QTextCodec::codecForName("UTF-8"));
}

MacroIniStore::~MacroIniStore()
{
    Sync();
    delete m_settings;
}

bool MacroIniStore::SetValue(const QString &group, const QString &key, const QString &text)
{
    QMutexLocker lock(&m_mutex);
    m_settings->setValue(group + QLatin1Char('/') + key, text);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        qWarning().noquote() << "Macro.ini: cannot write" << group + QLatin1Char('/') + key << "to"
                             << m_filePath;
        return false;
    }
    return true;
}

QString MacroIniStore::GetValue(const QString &group, const QString &key) const
{
    QMutexLocker lock(&m_mutex);
    return m_settings->value(group + QLatin1Char('/') + key, QString()).toString();
}

bool MacroIniStore::Sync()
{
    QMutexLocker lock(&m_mutex);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        qWarning().noquote() << "Macro.ini: cannot write" << m_filePath;
        return false;
    }
    return true;
}
