#include "settings/UpgradeRecords.h"

#include "common/StorageNotice.h"
#include "platform/Registry.h"
#include "platform/UserFolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace UpgradeRecords {

namespace {
const QString FailInfoName = QStringLiteral("UpdateFailInfo");

// A record the repair path needs that did not reach the disk is shown.
bool shown(bool written)
{
    if (!written)
        StorageNotice::Report(StorageNotice::Kind::Registry, Registry::instance()->filePath());
    return written;
}
} // namespace

QString failInfo()
{
    return Registry::instance()->value(Registry::mouseDriveTestKey(), FailInfoName).toString();
}

QStringList failInfoFields()
{
    const QString text = failInfo();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
}

bool writeFailInfo(int kind, int variant, int cid, int mid)
{
    const QString text = QStringList{QString::number(kind), QString::number(variant),
                                     QString::number(cid), QString::number(mid)}
                             .join(QLatin1Char(','));
    return shown(Registry::instance()->setValue(Registry::mouseDriveTestKey(), FailInfoName, text));
}

bool removeFailInfo()
{
    return shown(Registry::instance()->remove(Registry::mouseDriveTestKey(), FailInfoName));
}

bool removeFailInfoOf(int kind, int cid, int mid)
{
    const QStringList fields = failInfoFields();
    if (fields.isEmpty())
        return true;
    if (fields.size() == 4 && fields.at(0).toInt() == kind && fields.at(2).toInt() == cid &&
        fields.at(3).toInt() == mid)
        return removeFailInfo();
    return true;
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
    QFile file(markerFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        StorageNotice::Report(StorageNotice::Kind::Registry, file.fileName(), file.errorString());
        return false;
    }
    file.close();
    return true;
}

} // namespace UpgradeRecords
