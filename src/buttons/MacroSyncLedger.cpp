#include "buttons/MacroSyncLedger.h"

#include "buttons/MacroBinding.h"
#include "model/MacroFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

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
    QSettings ledger(m_path, QSettings::IniFormat);
    const QString key = KeyOf(name);
    if (!ledger.contains(key + QStringLiteral("/device")))
        return Decision::KeepUnknownFile;
    if (ledger.value(key + QStringLiteral("/file")).toByteArray() != fileDigest)
        return Decision::KeepLocalEdit;
    if (ledger.value(key + QStringLiteral("/device")).toByteArray() == digest)
        return Decision::UpToDate;
    return Decision::Rebuild;
}

void MacroSyncLedger::recordSynced(const QString &name, const QByteArray &digest)
{
    QSettings ledger(m_path, QSettings::IniFormat);
    const QString key = KeyOf(name);
    ledger.setValue(key + QStringLiteral("/device"), digest);
    ledger.setValue(key + QStringLiteral("/file"), FileDigest(name));
    ledger.sync();
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
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    // A file no macro can be is never read, and never taken for a missing
    // one: it is the user's and is kept.
    if (!info.isFile() || info.size() > MacroBinding::MaxBindingFileBytes)
        return QByteArrayLiteral("not-a-macro-file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("unreadable");
    return QCryptographicHash::hash(file.read(MacroBinding::MaxBindingFileBytes),
                                    QCryptographicHash::Sha1)
        .toHex();
}
