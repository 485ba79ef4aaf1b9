#include "settings/UpgradeRecords.h"

#include "common/ConfigIniStore.h"
#include "common/StorageNotice.h"
#include "platform/Registry.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"
#include "settings/FirmwareImages.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace UpgradeRecords {

namespace {

// A record the repair path needs that did not reach the disk is shown.
bool shown(bool written)
{
    if (!written)
        StorageNotice::Report(StorageNotice::Kind::Registry, Registry::instance()->filePath());
    return written;
}

bool isRecordOf(const FailRecord &record, int kind, int cid, int mid)
{
    return record.kind == kind && record.cid == cid && record.mid == mid;
}

// Receiver records first: a repair flashes the receiver before the mouse.
bool store(QList<FailRecord> records)
{
    if (records.isEmpty())
        return removeFailInfo();
    std::stable_sort(records.begin(), records.end(), [](const FailRecord &a, const FailRecord &b) {
        return a.kind == FirmwareKindReceiver && b.kind != FirmwareKindReceiver;
    });
    Registry *registry = Registry::instance();
    return shown(registry->setValue(Registry::mouseDriveTestKey(), FailRecords::valueName(),
                                    FailRecords::formatAll(records)) &&
                 registry->flush());
}

} // namespace

QString failInfo()
{
    return Registry::instance()
        ->value(Registry::mouseDriveTestKey(), FailRecords::valueName())
        .toString();
}

QList<FailRecord> failRecords()
{
    return FailRecords::read();
}

bool firstFailRecord(FailRecord *record)
{
    const QList<FailRecord> records = failRecords();
    if (records.isEmpty())
        return false;
    *record = records.first();
    return true;
}

bool hasFailInfoOf(int kind, int cid, int mid)
{
    for (const FailRecord &record : failRecords()) {
        if (isRecordOf(record, kind, cid, mid))
            return true;
    }
    return false;
}

bool writeFailInfo(int kind, int variant, int cid, int mid)
{
    // A newer flash of the same device replaces its record.
    QList<FailRecord> records;
    for (const FailRecord &record : failRecords()) {
        if (!isRecordOf(record, kind, cid, mid))
            records << record;
    }
    records << FailRecord{kind, variant, cid, mid};
    return store(records);
}

bool removeFailInfo()
{
    Registry *registry = Registry::instance();
    return shown(registry->remove(Registry::mouseDriveTestKey(), FailRecords::valueName()) &&
                 registry->flush());
}

bool removeFailInfoOf(int kind, int cid, int mid)
{
    const QList<FailRecord> before = failRecords();
    QList<FailRecord> records;
    for (const FailRecord &record : before) {
        if (!isRecordOf(record, kind, cid, mid))
            records << record;
    }
    if (records.size() == before.size())
        return true;
    return store(records);
}

bool writeMouseVersion(const QString &cidText, const QString &midText, const QString &version)
{
    return shown(Registry::instance()->setValue(Registry::mouseDriveTestKey(),
                                                "MouseVer" + cidText + midText, version));
}

bool writeFlashedMouseVersion(const QString &driveGroup, const QString &version)
{
    // Without its model the value would be named by the customer id alone.
    if (driveGroup.isEmpty()) {
        qWarning() << "no model for the flashed mouse's version" << version;
        return false;
    }
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    return writeMouseVersion(config->GetValue(QStringLiteral("Option"), QStringLiteral("CID")),
                             config->GetValue(driveGroup, QStringLiteral("MID")), version);
}

QString mouseVersion(const QString &cidText, const QString &midText)
{
    return Registry::instance()
        ->value(Registry::mouseDriveTestKey(), "MouseVer" + cidText + midText)
        .toString();
}

QString markerFilePath()
{
    return UserFolder::filePath(QStringLiteral("Exception/UpDateLog.txt"));
}

bool touchMarkerFile()
{
    // Start-up makes the folder, but nothing keeps it from going away since.
    QDir().mkpath(QFileInfo(markerFilePath()).absolutePath());
    QString error;
    if (!SafeFile::write(markerFilePath(), QByteArray(), &error)) {
        StorageNotice::Report(StorageNotice::Kind::Registry, markerFilePath(), error);
        return false;
    }
    return true;
}

bool PendingFlash::record(int kind, int variant, int cid, int mid)
{
    m_kind = kind;
    m_cid = cid;
    m_mid = mid;
    m_hadRecord = hasFailInfoOf(kind, cid, mid);
    if (writeFailInfo(kind, variant, cid, mid))
        return true;
    qWarning() << "firmware: the flash of kind" << kind << "is not started: its record could not"
               << "be stored, and an interrupted flash could not be repaired";
    return false;
}

void PendingFlash::takeBack()
{
    if (!m_hadRecord)
        removeFailInfoOf(m_kind, m_cid, m_mid);
}

} // namespace UpgradeRecords
