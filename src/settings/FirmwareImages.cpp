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

enum class FileRead
{
    Read,
    Skipped, // not an image of ours: the scan looks at the next file
    Failed   // cannot be read: the scan cannot tell which image is right
};

// Reads one image file whole. A file larger than any image can be is not an
// image of ours, as a too-short one is not: it is skipped unread, and the
// right image may well lie beside it.
FileRead readImageFile(const QString &path, QByteArray *image)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "firmware image" << path << "cannot be opened:" << file.errorString();
        return FileRead::Failed;
    }
    const qint64 size = file.size();
    if (size > vidide::FirmwareMaxImageLength) {
        qWarning() << "firmware image" << path << "holds" << size
                   << "bytes, more than any image can; skipped";
        return FileRead::Skipped;
    }
    *image = file.read(size);
    if (image->size() != size) {
        qWarning() << "firmware image" << path << "cannot be read:" << file.errorString();
        return FileRead::Failed;
    }
    return FileRead::Read;
}

bool scan(ScanKind scanKind, int kind, const QString &version, const QString &name, int cid,
          int mid)
{
    if (scanKind == ScanKind::Newer && version.isEmpty())
        return false;
    const QString installed = comparisonForm(version);
    QByteArray *kept = nullptr;
    if (scanKind == ScanKind::Repair)
        kept = &repairImage;
    else if (scanKind == ScanKind::Upgrade)
        kept = &upgradeImage;
    if (kept) {
        QMutexLocker lock(&imageMutex);
        kept->clear();
    }
    // An installed version that cannot be read gives nothing to compare with:
    // no image can be told newer than it.
    qint64 installedValue = -1;
    if (!version.isEmpty() && !versionValue(installed, &installedValue) &&
        scanKind != ScanKind::Repair)
        return false;
    const QDir folder(FirmwareFolder());
    if (!folder.exists())
        return false;
    const QStringList files = folder.entryList(QStringList() << QStringLiteral("*.bin"),
                                               QDir::Files, QDir::Name | QDir::IgnoreCase);
    // Of all acceptable images the highest version is chosen, whatever the
    // file names: an older image must never replace a newer one.
    QByteArray best;
    qint64 bestValue = -1;
    for (const QString &fileName : files) {
        QByteArray image;
        // A scan that could not look at every file cannot tell which image is
        // the right one: it keeps none.
        const FileRead read = readImageFile(folder.filePath(fileName), &image);
        if (read == FileRead::Failed)
            return false;
        if (read == FileRead::Skipped)
            continue;
        if (image.size() < vidide::FirmwareHeaderLength) {
            qWarning() << "firmware image" << folder.filePath(fileName) << "holds" << image.size()
                       << "bytes, less than its header; skipped";
            continue;
        }
        const auto *bytes = reinterpret_cast<const unsigned char *>(image.constData());
        vidide::FirmwareInfo info;
        if (!vidide::readFirmwareHeader(bytes, image.size(), &info))
            continue;
        if (info.kind != uint8_t(kind) || info.cid != uint8_t(cid) || info.mid != uint8_t(mid) ||
            QString::fromLocal8Bit(info.modelName) != name)
            continue;
        if (vidide::checkFirmwareImage(bytes, image.size()) != vidide::FirmwareCheck::Ok) {
            qWarning() << "firmware image" << folder.filePath(fileName)
                       << "does not match its own header; not offered";
            continue;
        }
        const qint64 value = qint64(info.version);
        if (!version.isEmpty()) {
            // A repair may put back any other version; an upgrade only a
            // strictly newer one.
            const bool same = value == installedValue ||
                              comparisonForm(FirmwareVersionText(info.version)) == installed;
            if (scanKind == ScanKind::Repair ? same : value <= installedValue)
                continue;
        }
        if (value > bestValue) {
            bestValue = value;
            best = image;
        }
    }
    if (bestValue < 0)
        return false;
    if (kept) {
        QMutexLocker lock(&imageMutex);
        *kept = best;
    }
    return true;
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

bool ModelHasReceiver(const QString &group)
{
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    for (int variant : {1, 2, 4, 8}) {
        if (!config->GetValue(group, ReceiverNameKey(variant)).isEmpty())
            return true;
    }
    return false;
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
        key = ReceiverNameKey(variant);
        if (key.isEmpty())
            return false;
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
