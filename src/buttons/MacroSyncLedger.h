#pragma once

#include "platform/IniCodec.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Remembers, per macro name, which device copy of the macro the per-user
// macro file was last brought in line with, and what the file held then.
// The label decoder rebuilds a macro file from the device only when
//   - the file does not exist, or
//   - the device's copy differs from the one last synced AND the file is
//     still exactly as it was left after that sync (no local edit since),
// and never while the macro is pending, nor from a replaced copy.
// A file that exists without any record is the user's own and is kept.
//
// A macro is pending when it was saved or renamed while a button bound to it
// could not take it (the mouse asleep or refusing): the file is newer than
// the mouse's copy and goes to the mouse when the mouse is read again.
//
// Device copies are known by their digest, not by the mouse that holds them
// (no mouse can be told from another of its model). A copy that a file's
// macro replaced, or was meant to replace, is a replaced copy: older than
// the file, whatever name it carries (a rename leaves the mouse's copy under
// the old name). Any mouse (or profile) read later that still holds one
// gets the file's macro, and the copy never brings its name's file back.
// A mouse that took the macro therefore ends no other mouse's wait.
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
        KeepUnknownFile,
        Replaced // a replaced copy: the file of replacedBy() goes to it
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
    // The macro whose file replaces the device copy digest; empty when the
    // copy is not a replaced one.
    QString replacedBy(const QByteArray &digest) const;

    // Records that the file of name now matches the device copy digest. When
    // the file's macro went to the mouse (all but Rebuilt), the copy it was
    // in line with before is replaced, and so are the copies in `replaced`
    // (those the buttons held). Sent also ends the macro's pending state.
    // False when the record could not be written (the user is told).
    bool recordSynced(const QString &name, const QByteArray &digest, Change change,
                      const QList<QByteArray> &replaced = {});

    // The pending state of a macro (see above). Marking also makes the
    // buttons' copies `replaced`, with the one the file was in line with;
    // it is told when it cannot be written, and holds for this run all the
    // same.
    void markPending(const QString &name, const QList<QByteArray> &replaced = {});
    // The mouse read has nothing (more) to take of name.
    void forgetPending(const QString &name);
    // name is gone from the computer, or cannot be sent: nothing waits for it.
    void forgetMacro(const QString &name);
    // The file of name was saved while no button of the mouse read held it:
    // the copy the file was in line with is replaced (another mouse may
    // hold it).
    void fileSaved(const QString &name);
    // The file of name is newName now: what waits for name, or was replaced
    // by it, waits for newName; the copy name was in line with is replaced.
    void renameMacro(const QString &name, const QString &newName);
    bool isPending(const QString &name) const;
    QStringList pendingNames() const;

    static QByteArray DeviceDigest(int repeatCode, const unsigned char *record, int size);
    // Empty when there is no file; a fixed marker for a file that cannot be
    // read or is too large for a macro file (read no further than that bound).
    static QByteArray FileDigest(const QString &name);

    // Replaced copies kept per macro: a mouse that missed more changes of it
    // than this is treated like any copy of unknown age.
    static constexpr int MaxReplacedPerMacro = 16;

private:
    struct ReplacedCopy
    {
        QByteArray digest;
        QString name;
    };

    void addReplaced(const QString &name, const QList<QByteArray> &digests,
                     const QByteArray &synced);
    QByteArray syncedDevice(const QString &name) const;
    // Writes the pending marks and the replaced copies; false, with the
    // reason in error, when they could not be written.
    bool storeMarks(QString *error);
    IniCodec::Map marks() const;

    QString m_path;
    QSet<QString> m_pending;
    // Oldest first.
    QList<ReplacedCopy> m_replaced;
};
