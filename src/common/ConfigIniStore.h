#pragma once

#include <QString>
#include <QStringList>

#include "platform/IniCodec.h"

// Read-only access to usersetting/Config.ini beside the program: the device
// catalogue (group "Option" and one group "Drive<n>" per model) and the theme
// colours. A missing file, group or key reads as an empty text or list. The
// file is read once, when the store is made, and only when it is a regular
// file of at most MaxFileBytes.
//
// The device event callback reads this store on the device library's thread
// while the GUI thread reads it too: nothing changes after construction, so
// reads need no lock.
class ConfigIniStore
{
public:
    // A catalogue of every mouse there is stays far below this.
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

    // The one store on <appdir>/usersetting/Config.ini, created on first use.
    static ConfigIniStore *GetInstance();

    // A store on another file (tests).
    explicit ConfigIniStore(const QString &filePath);
    ConfigIniStore(const ConfigIniStore &) = delete;
    ConfigIniStore &operator=(const ConfigIniStore &) = delete;

    // The text under group/key; the Base64 keys come back decoded, with every
    // line feed and blank removed. A list value reads as an empty text.
    QString GetValue(const QString &group, const QString &key) const;
    // The comma-separated items under group/key (Base64 items decoded).
    QStringList GetValueList(const QString &group, const QString &key) const;

    // "r,g,b" of a theme colour list such as Option/LabelColor, ready for
    // "rgb(" + ... + ")". A list with fewer than three items, or with an item
    // that is no number from 0 to 255, gives DefaultColorText.
    QString GetColorText(const QString &group, const QString &key) const;

    QString filePath() const { return m_filePath; }

    // What keeps the catalogue from being used, one line per fault: a missing
    // or unreadable file, a missing or malformed Option key, a model group
    // without its id or sensor, a Base64 key that is not Base64. Empty when
    // the catalogue is sound.
    QStringList CatalogueProblems() const;
    // Logs every problem (a warning each); the one store does it when made,
    // so a broken install tree is named in the log, not only by a chooser
    // that finds no device. Returns the number of problems.
    int LogCatalogueProblems() const;

    static bool IsBase64Key(const QString &key);
    static QString DecodeBase64Text(const QString &text);

    static const QString DefaultColorText;

private:
    QVariant value(const QString &key) const;

    // Written by the constructor only, so read without a lock.
    IniCodec::Map m_values;
    // Why the file could not be read; empty when it was.
    QString m_readProblem;
    bool m_wellFormed = true;
    QString m_filePath;
};

// Shorthand for ConfigIniStore::GetInstance()->GetColorText("Option", key).
QString ThemeColorText(const QString &key);
