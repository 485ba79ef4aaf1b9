#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

// An INI file (UTF-8) whose every change is written at once or taken back.
// QSettings keeps a failed change in memory and keeps reporting the failure
// after later writes succeed; here a change that did not reach the disk is
// undone, so it is neither read back nor written by a later change, and the
// next change is judged on its own. Not thread-safe: the owner serialises.
class SyncedSettings
{
public:
    explicit SyncedSettings(const QString &filePath);
    ~SyncedSettings();
    SyncedSettings(const SyncedSettings &) = delete;
    SyncedSettings &operator=(const SyncedSettings &) = delete;

    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    bool contains(const QString &key) const;
    // False when the file could not be written; the key keeps its old value.
    bool setValue(const QString &key, const QVariant &value);
    bool remove(const QString &key);
    // Writes what is pending; false when the file cannot be written.
    bool sync();

    QString filePath() const { return m_filePath; }

private:
    bool commit(const QString &key, bool had, const QVariant &before);
    void reopen();

    QString m_filePath;
    std::unique_ptr<QSettings> m_settings;
};
