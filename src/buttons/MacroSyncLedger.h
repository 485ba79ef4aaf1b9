#pragma once

#include <QByteArray>
#include <QString>

// Remembers, per macro name, which device copy of the macro the per-user
// macro file was last brought in line with, and what the file held then.
// The label decoder rebuilds a macro file from the device only when
//   - the file does not exist, or
//   - the device's copy differs from the one last synced AND the file is
//     still exactly as it was left after that sync (no local edit since).
// A file that exists without any record is the user's own and is kept.
// The record lives in an INI file of the button page's own folder, so it
// survives restarts.
class MacroSyncLedger
{
public:
    explicit MacroSyncLedger(const QString &ledgerPath);

    enum class Decision
    {
        Rebuild,
        UpToDate,
        KeepLocalEdit,
        KeepUnknownFile
    };

    // digest: DeviceDigest() of the key's repeat code and macro record.
    Decision decide(const QString &name, const QByteArray &digest) const;

    // Records that the file of name now matches the device copy digest (after
    // a rebuild from the device, or after the file was sent to the device).
    // False when the record could not be written (the user is told).
    bool recordSynced(const QString &name, const QByteArray &digest);

    static QByteArray DeviceDigest(int repeatCode, const unsigned char *record, int size);
    // Empty when there is no file; a fixed marker for a file that cannot be
    // read or is too large for a macro file (read no further than that bound).
    static QByteArray FileDigest(const QString &name);

private:
    QString m_path;
};
