#include "settings/FirmwareImages.h"

#include "common/ConfigIniStore.h"
#include "device/DeviceState.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/VidIde.h"
#include "settings/UpgradeState.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex imageMutex;
QByteArray upgradeImage;
QByteArray repairImage;
// The last two images handed to UsbUpgrade_Start: a repair starts its second
// image from inside the first one's callback.
QByteArray flashing[2];
QString folderOverride;

enum class ScanKind
{
    Repair,
    Upgrade,
    Newer
};

// The comparison form of a version text: without its "v"s.
QString comparisonForm(const QString &version)
{
    QString form = version;
    form.remove(QLatin1Char('v'));
    return form;
}

// major.minor with the minor in hex, as the version texts are written. A text
// like "1.0A" is a perfectly good version, so it must not read as zero.
bool versionValue(const QString &form, qint64 *value)
{
    const int dot = form.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == form.size() - 1)
        return false;
    bool okMajor = false;
    bool okMinor = false;
    const qint64 major = form.left(dot).toLongLong(&okMajor, 10);
    const qint64 minor = form.mid(dot + 1).toLongLong(&okMinor, 16);
    if (!okMajor || !okMinor || major < 0 || minor < 0 || minor > 0xFF)
        return false;
    *value = (major << 8) + minor;
    return true;
}

bool sameVersion(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    qint64 va = 0;
    qint64 vb = 0;
    return versionValue(a, &va) && versionValue(b, &vb) && va == vb;
}

bool scan(ScanKind scanKind, int kind, const QString &version, const QString &name, int cid,
          int mid)
{
    const QString installed = version.isEmpty() ? QStringLiteral("0.0") : comparisonForm(version);
    if (scanKind == ScanKind::Newer && version.isEmpty())
        return false;
    QByteArray *kept = nullptr;
    if (scanKind == ScanKind::Repair)
        kept = &repairImage;
    else if (scanKind == ScanKind::Upgrade)
        kept = &upgradeImage;
    if (kept) {
        QMutexLocker lock(&imageMutex);
        kept->clear();
    }
    const QDir folder(FirmwareFolder());
    if (!folder.exists())
        return false;
    const QStringList files = folder.entryList(QStringList() << QStringLiteral("*.bin"),
                                               QDir::Files, QDir::Name | QDir::IgnoreCase);
    bool result = false;
    for (const QString &fileName : files) {
        QFile file(folder.filePath(fileName));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning() << "firmware image" << file.fileName()
                       << "cannot be opened:" << file.errorString();
            return false;
        }
        const QByteArray image = file.readAll();
        if (image.size() < vidide::FirmwareHeaderLength)
            continue;
        const auto *bytes = reinterpret_cast<const unsigned char *>(image.constData());
        vidide::FirmwareInfo info;
        if (!vidide::readFirmwareHeader(bytes, image.size(), &info))
            continue;
        if (info.kind != uint8_t(kind) || info.cid != uint8_t(cid) || info.mid != uint8_t(mid) ||
            QString::fromLocal8Bit(info.modelName) != name)
            continue;
        if (vidide::checkFirmwareImage(bytes, image.size()) != vidide::FirmwareCheck::Ok) {
            qWarning() << "firmware image" << file.fileName()
                       << "does not match its own header; not offered";
            continue;
        }
        const QString candidate = comparisonForm(FirmwareVersionText(info.version));
        if (scanKind == ScanKind::Repair) {
            if (candidate == installed && !version.isEmpty())
                continue;
        } else if (!version.isEmpty() && sameVersion(candidate, installed)) {
            continue;
        }
        result = true;
        if (kept) {
            QMutexLocker lock(&imageMutex);
            *kept = image;
        }
    }
    return result;
}

} // namespace

QString FirmwareVersionText(quint32 version)
{
    return QStringLiteral("v") + QString::number(version >> 8) + QLatin1Char('.') +
           QStringLiteral("%1").arg(version & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

bool LoadUpgradeImage(int kind, QString version, QString name, int cid, int mid)
{
    return scan(ScanKind::Upgrade, kind, version, name, cid, mid);
}

bool LoadRepairImage(int kind, QString version, QString name, int cid, int mid)
{
    return scan(ScanKind::Repair, kind, version, name, cid, mid);
}

bool FindNewerImage(int kind, QString version, QString name, int cid, int mid)
{
    return scan(ScanKind::Newer, kind, version, name, cid, mid);
}

bool HasNewFirmware(int kind, QString version, int variant)
{
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const QString group =
        QStringLiteral("Drive") + QString::number(CurrentDeviceInfo.DriveIndex + 1);
    const int cid = config->GetValue("Option", "CID").toInt();
    QString key;
    if (kind == FirmwareKindMouse) {
        key = QStringLiteral("MM");
    } else {
        switch (variant) {
        case 1:
            key = QStringLiteral("DM");
            break;
        case 2:
            key = QStringLiteral("D2M");
            break;
        case 4:
            key = QStringLiteral("D4M");
            break;
        case 8:
            key = QStringLiteral("D8M");
            break;
        default:
            return false;
        }
    }
    const int mid = config->GetValue(group, "MID").toInt();
    UpgradeCid = cid;
    return FindNewerImage(kind, version, config->GetValue(group, key), cid, mid);
}

QByteArray UpgradeImage()
{
    QMutexLocker lock(&imageMutex);
    return upgradeImage;
}

QByteArray RepairImage()
{
    QMutexLocker lock(&imageMutex);
    return repairImage;
}

QString ImageVersionText(const QByteArray &image)
{
    vidide::FirmwareInfo info;
    if (!vidide::readFirmwareHeader(reinterpret_cast<const unsigned char *>(image.constData()),
                                    image.size(), &info))
        return QString();
    return FirmwareVersionText(info.version);
}

QString FirmwareFolder()
{
    QMutexLocker lock(&imageMutex);
    return folderOverride.isEmpty() ? QCoreApplication::applicationDirPath() + "/bin"
                                    : folderOverride;
}

void SetFirmwareFolder(const QString &folder)
{
    QMutexLocker lock(&imageMutex);
    folderOverride = folder;
}

bool FindBootDevicesFor(const QByteArray &image, int *count)
{
    if (image.isEmpty())
        return false;
    return UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char *>(image.constData()),
                                       count, image.size());
}

bool StartUpgradeWith(const QByteArray &image, void (*callback)(const unsigned char *))
{
    if (image.isEmpty())
        return false;
    {
        QMutexLocker lock(&imageMutex);
        flashing[0] = flashing[1];
        flashing[1] = image;
    }
    return UsbUpgrade_Start(reinterpret_cast<const unsigned char *>(image.constData()), callback,
                            10000, image.size());
}
