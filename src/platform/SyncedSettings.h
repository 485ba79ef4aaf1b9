#pragma once

#include <QString>
#include <QVariant>

#include "platform/IniCodec.h"

// An INI file (UTF-8, IniCodec) whose every change is written at once,
// whole, or not at all (SafeFile): a change that did not reach the disk is
// undone, so it is neither read back nor written by a later change, and the
// old file stays byte for byte. The file is read again before each change,
// so that what another program wrote in between is kept.
//
// A file that cannot be used (not a regular file, larger than any settings
// file, unreadable) reads as empty and is set aside as <name>.bad before it
// would be written over; when it cannot be set aside every change is
// refused, so that nothing the user had is lost unseen.
// Not thread-safe: the owner serialises.
class SyncedSettings
{
public:
    // No settings file of the program comes near this.
    static constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

    explicit SyncedSettings(const QString &filePath);

    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    bool contains(const QString &key) const;
    // False when the file could not be written; the key keeps its old value.
    bool setValue(const QString &key, const QVariant &value);
    // Several keys in one write: all of them are stored, or none.
    bool setValues(const IniCodec::Map &values);
    // Removes the key and every key below it ("group" removes "group/...").
    bool remove(const QString &key);
    // Reads the file again; false when it cannot be read (the values then
    // stay as they were).
    bool sync();

    QString filePath() const { return m_filePath; }
    // Why the last change or read failed.
    QString lastError() const { return m_lastError; }

private:
    bool load(IniCodec::Map *values);
    bool store(const IniCodec::Map &values);

    QString m_filePath;
    IniCodec::Map m_values;
    QString m_lastError;
};
