#include "platform/SyncedSettings.h"

#include "platform/files/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QtDebug>

SyncedSettings::SyncedSettings(const QString &filePath) : m_filePath(filePath)
{
    load(&m_values);
}

bool SyncedSettings::load(IniCodec::Map *values)
{
    values->clear();
    QByteArray text;
    QString error;
    switch (SafeFile::read(m_filePath, MaxFileBytes, &text, &error)) {
    case SafeFile::Status::Ok:
        break;
    case SafeFile::Status::Missing:
        return true;
    case SafeFile::Status::NotRegular:
        // Set aside when it stands in the per-user folder; a write replaces
        // anything else.
        qWarning().noquote() << "Settings file" << m_filePath << "refused:" << error;
        return true;
    case SafeFile::Status::TooLarge:
    case SafeFile::Status::Failed:
        // The next change would write over what could not be read: keep it.
        qWarning().noquote() << "Settings file" << m_filePath << "cannot be read:" << error;
        if (SafeFile::setAside(m_filePath, &m_lastError))
            return true;
        m_lastError = error;
        return false;
    }
    IniCodec::Map parsed;
    if (!IniCodec::parse(text, &parsed))
        qWarning().noquote() << "Settings file" << m_filePath
                             << "holds malformed lines; they are left out";
    for (auto it = parsed.constBegin(); it != parsed.constEnd(); ++it)
        values->insert(IniCodec::normalizedKey(it.key()), it.value());
    return true;
}

bool SyncedSettings::store(const IniCodec::Map &values)
{
    // A missing folder is made, as for any settings file; one that is a link
    // stays and the write below refuses it.
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    if (!SafeFile::write(m_filePath, IniCodec::serialize(values), &m_lastError)) {
        qWarning().noquote() << "Settings file" << m_filePath << "not written:" << m_lastError;
        return false;
    }
    return true;
}

QVariant SyncedSettings::value(const QString &key, const QVariant &defaultValue) const
{
    return m_values.value(IniCodec::normalizedKey(key), defaultValue);
}

bool SyncedSettings::contains(const QString &key) const
{
    return m_values.contains(IniCodec::normalizedKey(key));
}

bool SyncedSettings::setValue(const QString &key, const QVariant &value)
{
    IniCodec::Map values;
    values.insert(key, value);
    return setValues(values);
}

bool SyncedSettings::setValues(const IniCodec::Map &values)
{
    IniCodec::Map current;
    if (!load(&current))
        return false;
    m_values = current;
    IniCodec::Map next = current;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        next.insert(IniCodec::normalizedKey(it.key()), it.value());
    if (next == current)
        return true;
    if (!store(next))
        return false;
    m_values = next;
    return true;
}

bool SyncedSettings::remove(const QString &key)
{
    IniCodec::Map current;
    if (!load(&current))
        return false;
    m_values = current;
    const QString name = IniCodec::normalizedKey(key);
    IniCodec::Map next = current;
    for (auto it = next.begin(); it != next.end();) {
        if (name.isEmpty() || it.key() == name || it.key().startsWith(name + QLatin1Char('/')))
            it = next.erase(it);
        else
            ++it;
    }
    if (next.size() == current.size())
        return true;
    if (!store(next))
        return false;
    m_values = next;
    return true;
}

bool SyncedSettings::sync()
{
    IniCodec::Map current;
    if (!load(&current))
        return false;
    m_values = current;
    return true;
}
