#include "buttons/MacroSyncLedger.h"

#include "buttons/MacroBinding.h"
#include "common/StorageNotice.h"
#include "model/MacroFiles.h"
#include "platform/SyncedSettings.h"
#include "platform/files/SafeFile.h"

#include <QCryptographicHash>

namespace {

// Macro names may hold any character; the key is their hex UTF-8 form.
QString KeyOf(const QString &name)
{
    return QString::fromLatin1(name.toUtf8().toHex());
}

} // namespace

MacroSyncLedger::MacroSyncLedger(const QString &ledgerPath) : m_path(ledgerPath) {}

MacroSyncLedger::Decision MacroSyncLedger::decide(const QString &name,
                                                  const QByteArray &digest) const
{
    const QByteArray fileDigest = FileDigest(name);
    if (fileDigest.isEmpty())
        return Decision::Rebuild;
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

bool MacroSyncLedger::recordSynced(const QString &name, const QByteArray &digest)
{
    SyncedSettings ledger(m_path);
    const QString key = KeyOf(name);
    IniCodec::Map record;
    record.insert(key + QStringLiteral("/device"), digest);
    record.insert(key + QStringLiteral("/file"), FileDigest(name));
    if (ledger.setValues(record))
        return true;
    StorageNotice::Report(StorageNotice::Kind::Macros, m_path, ledger.lastError());
    return false;
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
