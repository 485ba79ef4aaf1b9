#include "buttons/MacroSyncLedger.h"

#include "buttons/MacroBinding.h"
#include "common/StorageNotice.h"
#include "model/MacroFiles.h"
#include "platform/SyncedSettings.h"
#include "platform/files/SafeFile.h"

#include <QCryptographicHash>
#include <QtDebug>

#include <algorithm>

namespace {

// Macro names may hold any character; the key is their hex UTF-8 form.
QString KeyOf(const QString &name)
{
    return QString::fromLatin1(name.toUtf8().toHex());
}

// The pending macros, as the hex keys of their names, and the replaced
// copies, each "<digest>:<hex key of the macro replacing it>", oldest first.
// Not hex keys themselves, so they never meet a macro's group.
const QString PendingKey = QStringLiteral("Pending/Names");
const QString ReplacedKey = QStringLiteral("Pending/Replaced");

QString NameOfKey(const QString &key)
{
    return QString::fromUtf8(QByteArray::fromHex(key.toLatin1()));
}

QStringList SortedKeys(const QSet<QString> &names)
{
    QStringList keys;
    for (const QString &name : names)
        keys << KeyOf(name);
    std::sort(keys.begin(), keys.end());
    return keys;
}

StorageNotice::Kind NoticeOf(MacroSyncLedger::Change change)
{
    switch (change) {
    case MacroSyncLedger::Change::Rebuilt:
        return StorageNotice::Kind::MacroSyncRebuilt;
    case MacroSyncLedger::Change::Bound:
        return StorageNotice::Kind::MacroSyncBound;
    case MacroSyncLedger::Change::Renamed:
        return StorageNotice::Kind::MacroSyncRenamed;
    case MacroSyncLedger::Change::Sent:
        break;
    }
    return StorageNotice::Kind::MacroSyncSent;
}

} // namespace

MacroSyncLedger::MacroSyncLedger(const QString &ledgerPath) : m_path(ledgerPath)
{
    const SyncedSettings ledger(m_path);
    for (const QString &key : ledger.value(PendingKey).toStringList()) {
        const QString name = NameOfKey(key);
        if (!name.isEmpty())
            m_pending.insert(name);
    }
    for (const QString &entry : ledger.value(ReplacedKey).toStringList()) {
        const int colon = entry.indexOf(QLatin1Char(':'));
        const QString name = NameOfKey(entry.mid(colon + 1));
        if (colon > 0 && !name.isEmpty())
            m_replaced.append({entry.left(colon).toLatin1(), name});
    }
}

MacroSyncLedger::Decision MacroSyncLedger::decide(const QString &name,
                                                  const QByteArray &digest) const
{
    // Older than a file the computer holds, maybe under another name: that
    // file goes to it, and its own name's file is not brought back.
    const QString newer = replacedBy(digest);
    if (!newer.isEmpty() && !FileDigest(newer).isEmpty())
        return Decision::Replaced;
    const QByteArray fileDigest = FileDigest(name);
    if (fileDigest.isEmpty())
        return Decision::Rebuild;
    // Saved after the mouse's copy, and on its way to the mouse: the device
    // copy is the older one.
    if (m_pending.contains(name))
        return Decision::KeepLocalEdit;
    const SyncedSettings ledger(m_path);
    const QString key = KeyOf(name);
    if (!ledger.contains(key + QStringLiteral("/device")))
        return Decision::KeepUnknownFile;
    if (ledger.value(key + QStringLiteral("/file")).toByteArray() != fileDigest)
        return Decision::KeepLocalEdit;
    if (ledger.value(key + QStringLiteral("/device")).toByteArray() == digest)
        return Decision::UpToDate;
    return Decision::Rebuild;
}

QString MacroSyncLedger::replacedBy(const QByteArray &digest) const
{
    for (const ReplacedCopy &copy : m_replaced) {
        if (copy.digest == digest)
            return copy.name;
    }
    return QString();
}

bool MacroSyncLedger::recordSynced(const QString &name, const QByteArray &digest, Change change,
                                   const QList<QByteArray> &replaced)
{
    SyncedSettings ledger(m_path);
    const QString key = KeyOf(name);
    QList<QByteArray> older = replaced;
    // The file's macro went to the mouse: the copy the file was in line with
    // is behind it now. A rebuild only follows the mouse's copy.
    if (change != Change::Rebuilt)
        older << ledger.value(key + QStringLiteral("/device")).toByteArray();
    addReplaced(name, older, digest);
    if (change == Change::Sent)
        m_pending.remove(name);
    IniCodec::Map record = marks();
    record.insert(key + QStringLiteral("/device"), digest);
    record.insert(key + QStringLiteral("/file"), FileDigest(name));
    if (ledger.setValues(record))
        return true;
    StorageNotice::Report(NoticeOf(change), m_path, ledger.lastError());
    return false;
}

void MacroSyncLedger::addReplaced(const QString &name, const QList<QByteArray> &digests,
                                  const QByteArray &synced)
{
    // What the file says now is no older copy, whichever file replaced it
    // before; a copy replaced again belongs to the latest file.
    auto drop = [this](const QByteArray &digest) {
        m_replaced.erase(std::remove_if(m_replaced.begin(), m_replaced.end(),
                                        [&](const ReplacedCopy &c) { return c.digest == digest; }),
                         m_replaced.end());
    };
    if (!synced.isEmpty())
        drop(synced);
    for (const QByteArray &digest : digests) {
        if (digest.isEmpty() || digest == synced)
            continue;
        drop(digest);
        m_replaced.append({digest, name});
    }
    int kept = 0;
    for (int i = m_replaced.size() - 1; i >= 0; --i) {
        if (m_replaced.at(i).name == name && ++kept > MaxReplacedPerMacro)
            m_replaced.removeAt(i);
    }
}

QByteArray MacroSyncLedger::syncedDevice(const QString &name) const
{
    return SyncedSettings(m_path).value(KeyOf(name) + QStringLiteral("/device")).toByteArray();
}

IniCodec::Map MacroSyncLedger::marks() const
{
    QStringList replaced;
    for (const ReplacedCopy &copy : m_replaced)
        replaced << QString::fromLatin1(copy.digest) + QLatin1Char(':') + KeyOf(copy.name);
    IniCodec::Map values;
    values.insert(PendingKey, SortedKeys(m_pending));
    values.insert(ReplacedKey, replaced);
    return values;
}

bool MacroSyncLedger::storeMarks(QString *error)
{
    SyncedSettings ledger(m_path);
    if (ledger.setValues(marks()))
        return true;
    *error = ledger.lastError();
    return false;
}

void MacroSyncLedger::markPending(const QString &name, const QList<QByteArray> &replaced)
{
    if (name.isEmpty())
        return;
    m_pending.insert(name);
    addReplaced(name, replaced + QList<QByteArray>{syncedDevice(name)}, QByteArray());
    QString error;
    if (storeMarks(&error))
        return;
    qWarning().noquote() << "Pending state of macro" << name << "not recorded in" << m_path << "-"
                         << error;
    StorageNotice::Report(StorageNotice::Kind::MacroSyncPending, m_path, error);
}

// Nothing is lost when this is not written: a mark left in the file only
// sends the file's macro once more.
void MacroSyncLedger::forgetPending(const QString &name)
{
    QString error;
    if (m_pending.remove(name) && !storeMarks(&error))
        qWarning().noquote() << "Pending state of macro" << name << "not cleared in" << m_path
                             << "-" << error;
}

void MacroSyncLedger::forgetMacro(const QString &name)
{
    const int before = m_replaced.size();
    m_replaced.erase(std::remove_if(m_replaced.begin(), m_replaced.end(),
                                    [&](const ReplacedCopy &c) { return c.name == name; }),
                     m_replaced.end());
    const bool changed = m_pending.remove(name) || m_replaced.size() != before;
    QString error;
    if (changed && !storeMarks(&error))
        qWarning().noquote() << "Macro" << name << "not forgotten in" << m_path << "-" << error;
}

void MacroSyncLedger::fileSaved(const QString &name)
{
    const QByteArray synced = syncedDevice(name);
    if (synced.isEmpty() || replacedBy(synced) == name)
        return;
    addReplaced(name, {synced}, QByteArray());
    QString error;
    if (!storeMarks(&error))
        StorageNotice::Report(StorageNotice::Kind::MacroSyncPending, m_path, error);
}

void MacroSyncLedger::renameMacro(const QString &name, const QString &newName)
{
    bool changed = false;
    if (m_pending.remove(name)) {
        m_pending.insert(newName);
        changed = true;
    }
    for (ReplacedCopy &copy : m_replaced) {
        if (copy.name == name) {
            copy.name = newName;
            changed = true;
        }
    }
    // A mouse away now may hold the copy last in line with the old name; it
    // gets the macro under its new name when it is read.
    const QByteArray synced = syncedDevice(name);
    if (!synced.isEmpty() && replacedBy(synced) != newName) {
        addReplaced(newName, {synced}, QByteArray());
        changed = true;
    }
    QString error;
    if (changed && !storeMarks(&error))
        StorageNotice::Report(StorageNotice::Kind::MacroSyncRenamed, m_path, error);
}

bool MacroSyncLedger::isPending(const QString &name) const
{
    return m_pending.contains(name);
}

QStringList MacroSyncLedger::pendingNames() const
{
    QStringList names = m_pending.values();
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray MacroSyncLedger::DeviceDigest(int repeatCode, const unsigned char *record, int size)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const char code = char(repeatCode & 0xFF);
    hash.addData(&code, 1);
    hash.addData(reinterpret_cast<const char *>(record), size);
    return hash.result().toHex();
}

QByteArray MacroSyncLedger::FileDigest(const QString &name)
{
    const QString path = MacroFilePath(name);
    if (path.isEmpty())
        return QByteArray();
    QByteArray bytes;
    switch (SafeFile::read(path, MacroBinding::MaxBindingFileBytes, &bytes)) {
    case SafeFile::Status::Ok:
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
    case SafeFile::Status::Missing:
        return QByteArray();
    // A file no macro can be is never read, and never taken for a missing
    // one: it is the user's and is kept (what is no regular file at all is
    // set aside as damaged; the next look finds no file).
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::TooLarge:
        return QByteArrayLiteral("not-a-macro-file");
    case SafeFile::Status::Failed:
        break;
    }
    return QByteArrayLiteral("unreadable");
}
