#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

// Remembers, per macro name, which device copy of the macro the per-user
// macro file was last brought in line with, and what the file held then.
// The label decoder rebuilds a macro file from the device only when
//   - the file does not exist, or
//   - the device's copy differs from the one last synced AND the file is
//     still exactly as it was left after that sync (no local edit since),
// and never while the macro is pending.
// A file that exists without any record is the user's own and is kept.
//
// A macro is pending when it was saved while a button bound to it could not
// take it (the mouse asleep or refusing): the file is newer than the mouse's
// copy and goes to the mouse when the mouse is read again.
//
// The record lives in an INI file of the button page's own folder, so it
// survives restarts. The macro change a record follows was made whether or
// not the record can be written; a record that cannot be written is told as
// such (the pending marks are kept for the run all the same).
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

    // The change made when a record is written: it names what the user is
    // told when the record cannot be written.
    enum class Change
    {
        Rebuilt, // the file was rebuilt from the device copy
        Bound,   // the file's macro was given to a button
        Renamed, // the buttons took the macro's new name
        Sent     // the saved file reached every button bound to it
    };

    // digest: DeviceDigest() of the key's repeat code and macro record.
    Decision decide(const QString &name, const QByteArray &digest) const;

    // Records that the file of name now matches the device copy digest. Sent
    // also ends the macro's pending state. False when the record could not
    // be written (the user is told).
    bool recordSynced(const QString &name, const QByteArray &digest, Change change);

    // The pending state of a macro (see above). Marking is told when it
    // cannot be written; the mark holds for this run all the same.
    void markPending(const QString &name);
    void forgetPending(const QString &name);
    void renamePending(const QString &name, const QString &newName);
    bool isPending(const QString &name) const;
    QStringList pendingNames() const;

    static QByteArray DeviceDigest(int repeatCode, const unsigned char *record, int size);
    // Empty when there is no file; a fixed marker for a file that cannot be
    // read or is too large for a macro file (read no further than that bound).
    static QByteArray FileDigest(const QString &name);

private:
    bool storePending(const QString &name, bool pending);

    QString m_path;
    QSet<QString> m_pending;
};
