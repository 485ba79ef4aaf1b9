#pragma once

#include <QMutex>
#include <QString>
#include <QVariant>

#include <memory>

class SyncedSettings;

// The program's registry values, kept in an INI file (<user>/Registry.ini)
// under the same key paths the program names, e.g.
//   Registry::instance()->value("HKEY_CURRENT_USER\\Software\\ORVAK\\ORVAK\\Mouse Drive Test",
//                               "MouseVer" + cid + mid)
// Thread-safe: the device library's thread writes firmware versions while the
// GUI thread reads. Every change is written to disk at once.
class Registry
{
public:
    // The store on <user>/Registry.ini, created on first use.
    static Registry *instance();

    // A store on another file (tests).
    explicit Registry(const QString &filePath);
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    QVariant value(const QString &keyPath, const QString &name,
                   const QVariant &defaultValue = QVariant()) const;
    bool contains(const QString &keyPath, const QString &name) const;
    // Both return false (logged) when the file could not be written; the
    // value then stays as it was. Showing the failure is the caller's.
    bool setValue(const QString &keyPath, const QString &name, const QVariant &value);
    bool remove(const QString &keyPath, const QString &name);
    // Makes the changes written so far survive a crash of the system, not
    // only of the program: the file and its folder entry are synced. False
    // (logged) when that fails; the change may then not have reached the disk.
    bool flush();

    QString filePath() const { return m_filePath; }

    // Whether the registry file at `path` holds nothing but what a start
    // writes by itself: the firmware versions read from the devices (the
    // "MouseVer..." values), which every read of a device writes again. False
    // for a file that cannot be read or holds anything else.
    static bool holdsOnlyDeviceVersions(const QString &path);

    // "HKEY_CURRENT_USER\Software\ORVAK\ORVAK\ORVAK"
    static QString productKey();
    // "HKEY_CURRENT_USER\Software\ORVAK\ORVAK\Mouse Drive Test"
    static QString mouseDriveTestKey();

private:
    static QString settingsKey(const QString &keyPath, const QString &name);

    mutable QMutex m_mutex;
    std::unique_ptr<SyncedSettings> m_settings;
    QString m_filePath;
};
