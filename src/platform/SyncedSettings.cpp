#include "platform/SyncedSettings.h"

#include <QSettings>
#include <QTextCodec>

SyncedSettings::SyncedSettings(const QString &filePath) : m_filePath(filePath)
{
    reopen();
}

SyncedSettings::~SyncedSettings() = default;

void SyncedSettings::reopen()
{
    m_settings.reset();
    m_settings.reset(new QSettings(m_filePath, QSettings::IniFormat));
    m_settings->setIniCodec(QTextCodec::codecForName("UTF-8"));
}

QVariant SyncedSettings::value(const QString &key, const QVariant &defaultValue) const
{
    return m_settings->value(key, defaultValue);
}

bool SyncedSettings::contains(const QString &key) const
{
    return m_settings->contains(key);
}

bool SyncedSettings::setValue(const QString &key, const QVariant &value)
{
    const bool had = m_settings->contains(key);
    const QVariant before = m_settings->value(key);
    m_settings->setValue(key, value);
    return commit(key, had, before);
}

bool SyncedSettings::remove(const QString &key)
{
    const bool had = m_settings->contains(key);
    const QVariant before = m_settings->value(key);
    m_settings->remove(key);
    return commit(key, had, before);
}

bool SyncedSettings::sync()
{
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    reopen();
    return false;
}

bool SyncedSettings::commit(const QString &key, bool had, const QVariant &before)
{
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    if (had)
        m_settings->setValue(key, before);
    else
        m_settings->remove(key);
    // A settings object stays in error once it failed; a fresh one on the
    // same file judges the next change on its own.
    reopen();
    return false;
}
