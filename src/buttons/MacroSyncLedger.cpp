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

// The pending macros, as the hex keys of their names. Not a hex key itself,
// so it never meets a macro's group.
const QString PendingKey = QStringLiteral("Pending/Names");

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
        const QByteArray utf8 = QByteArray::fromHex(key.toLatin1());
        if (!utf8.isEmpty())
            m_pending.insert(QString::fromUtf8(utf8));
    }
}

MacroSyncLedger::Decision MacroSyncLedger::decide(const QString &name,
                                                  const QByteArray &digest) const
{
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

bool MacroSyncLedger::recordSynced(const QString &name, const QByteArray &digest, Change change)
{
    SyncedSettings ledger(m_path);
    const QString key = KeyOf(name);
    IniCodec::Map record;
    record.insert(key + QStringLiteral("/device"), digest);
    record.insert(key + QStringLiteral("/file"), FileDigest(name));
    if (change == Change::Sent && m_pending.remove(name))
        record.insert(PendingKey, SortedKeys(m_pending));
    if (ledger.setValues(record))
        return true;
    StorageNotice::Report(NoticeOf(change), m_path, ledger.lastError());
    return false;
}

bool MacroSyncLedger::storePending(const QString &name, bool pending)
{
    SyncedSettings ledger(m_path);
    if (ledger.setValue(PendingKey, SortedKeys(m_pending)))
        return true;
    qWarning().noquote() << "Pending state of macro" << name << "(" << pending
                         << ") not recorded in" << m_path << "-" << ledger.lastError();
    if (pending)
        StorageNotice::Report(StorageNotice::Kind::MacroSyncPending, m_path, ledger.lastError());
    return false;
}

void MacroSyncLedger::markPending(const QString &name)
{
    if (name.isEmpty())
        return;
    m_pending.insert(name);
    storePending(name, true);
}

// Nothing is lost when this is not written: a mark left in the file only
// sends the file's macro once more.
void MacroSyncLedger::forgetPending(const QString &name)
{
    if (m_pending.remove(name))
        storePending(name, false);
}

void MacroSyncLedger::renamePending(const QString &name, const QString &newName)
{
    if (!m_pending.remove(name))
        return;
    m_pending.insert(newName);
    storePending(newName, true);
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
