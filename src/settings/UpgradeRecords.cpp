#include "settings/UpgradeRecords.h"

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
const QString FailInfoName = QStringLiteral("UpdateFailInfo");

const QChar RecordSeparator = QLatin1Char(';');

// A record the repair path needs that did not reach the disk is shown.
bool shown(bool written)
{
    if (!written)
        StorageNotice::Report(StorageNotice::Kind::Registry, Registry::instance()->filePath());
    return written;
}

bool isRecordOf(const QStringList &fields, int kind, int cid, int mid)
{
    return fields.size() == 4 && fields.at(0).toInt() == kind && fields.at(2).toInt() == cid &&
           fields.at(3).toInt() == mid;
}

// Receiver records first: a repair flashes the receiver before the mouse.
bool store(QList<QStringList> records)
{
    if (records.isEmpty())
        return removeFailInfo();
    std::stable_sort(records.begin(), records.end(),
                     [](const QStringList &a, const QStringList &b) {
                         return a.at(0).toInt() == FirmwareKindReceiver &&
                                b.at(0).toInt() != FirmwareKindReceiver;
                     });
    QStringList parts;
    for (const QStringList &fields : records)
        parts << fields.join(QLatin1Char(','));
    return shown(Registry::instance()->setValue(Registry::mouseDriveTestKey(), FailInfoName,
                                                parts.join(RecordSeparator)));
}
} // namespace

QString failInfo()
{
    return Registry::instance()->value(Registry::mouseDriveTestKey(), FailInfoName).toString();
}

QStringList failInfoFields()
{
    const QString text = failInfo();
    return text.isEmpty() ? QStringList()
                          : text.section(RecordSeparator, 0, 0).split(QLatin1Char(','));
}

QList<QStringList> failRecords()
{
    QList<QStringList> records;
    const QString text = failInfo();
    if (text.isEmpty())
        return records;
    for (const QString &part : text.split(RecordSeparator)) {
        const QStringList fields = part.split(QLatin1Char(','));
        if (fields.size() == 4)
            records << fields;
    }
    return records;
}

bool hasFailInfoOf(int kind, int cid, int mid)
{
    for (const QStringList &fields : failRecords()) {
        if (isRecordOf(fields, kind, cid, mid))
            return true;
    }
    return false;
}

bool writeFailInfo(int kind, int variant, int cid, int mid)
{
    const QStringList record{QString::number(kind), QString::number(variant), QString::number(cid),
                             QString::number(mid)};
    // A newer failure of the same device replaces its record.
    QList<QStringList> records;
    for (const QStringList &fields : failRecords()) {
        if (!isRecordOf(fields, kind, cid, mid))
            records << fields;
    }
    records << record;
    return store(records);
}

bool removeFailInfo()
{
    return shown(Registry::instance()->remove(Registry::mouseDriveTestKey(), FailInfoName));
}

bool removeFailInfoOf(int kind, int cid, int mid)
{
    const QList<QStringList> before = failRecords();
    QList<QStringList> records;
    for (const QStringList &fields : before) {
        if (!isRecordOf(fields, kind, cid, mid))
            records << fields;
    }
    // A value that holds no well-formed record of this device stays as it is.
    if (records.size() == before.size())
        return true;
    return store(records);
}

bool writeMouseVersion(const QString &cidText, const QString &midText, const QString &version)
{
    return shown(Registry::instance()->setValue(Registry::mouseDriveTestKey(),
                                                "MouseVer" + cidText + midText, version));
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

} // namespace UpgradeRecords
