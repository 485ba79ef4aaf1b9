#pragma once

#include <QMutex>
#include <QString>

#include <memory>

class SyncedSettings;

// Read/write access to the per-user preferences <user>/Macro.ini (UTF-8):
// Language/Language, AutoStart/Enable and FindNew/IsShow. Despite its name it
// holds no macros.
class MacroIniStore
{
public:
    // The one store on Macro.ini of the per-user folder, created on first use.
    static MacroIniStore *GetInstance();

    // A store on another file (tests).
    explicit MacroIniStore(const QString &filePath);
    ~MacroIniStore();
    MacroIniStore(const MacroIniStore &) = delete;
    MacroIniStore &operator=(const MacroIniStore &) = delete;

    // Stores the text and writes the file at once, so that a process ended by
    // exit() (the tray menu's exit) does not lose the change. When the file
    // cannot be written the change is refused: false, the store keeps the old
    // value and the user is told (StorageNotice, once per run).
    bool SetValue(const QString &group, const QString &key, const QString &text);
    // The text under group/key; empty when missing.
    QString GetValue(const QString &group, const QString &key) const;

    QString filePath() const { return m_filePath; }

private:
    mutable QMutex m_mutex;
    std::unique_ptr<SyncedSettings> m_settings;
    QString m_filePath;
};
