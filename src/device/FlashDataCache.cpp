// The per-model cache files of the parameter block and the two cache names.
#include "device/FlashDataStore.h"

#include "common/StorageNotice.h"
#include "platform/Logging.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

namespace {

constexpr quint32 BlockLength = sizeof(FlashDataMap);
constexpr qint64 CacheFileBytes = sizeof(quint32) + BlockLength;

QMutex &cacheNameMutex()
{
    static QMutex mutex;
    return mutex;
}
QString SelectedCacheCopy; // guarded by cacheNameMutex()
QString LoadedCacheCopy;   // guarded by cacheNameMutex()

bool onGuiThread()
{
    return QCoreApplication::instance() == nullptr ||
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Sets the thread-safe copy at once and the GUI thread's value there; a
// value handed over late takes the newest copy, never an older name.
void setCacheName(QString &copy, QString &guiValue, const QString &name)
{
    {
        QMutexLocker locker(&cacheNameMutex());
        copy = name;
    }
    auto update = [&copy, &guiValue] {
        QMutexLocker locker(&cacheNameMutex());
        guiValue = copy;
    };
    if (onGuiThread())
        update();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), update, Qt::QueuedConnection);
}

} // namespace

QString CacheFileName(int customerId, int modelId)
{
    auto hex2 = [](int v) {
        return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("Device_CID") + hex2(customerId) + QStringLiteral("_MID") +
           hex2(modelId) + QStringLiteral(".bin");
}

QString CacheFileNameOf(const DeviceAllInfo &info)
{
    return CacheFileName(info.CidMid & 0xFF, (info.CidMid >> 8) & 0xFF);
}

QString CacheFilePath(const QString &name)
{
    return UserFolder::filePath(QStringLiteral("Device_Info/") + name);
}

QString SelectedCacheNameSafe()
{
    QMutexLocker locker(&cacheNameMutex());
    return SelectedCacheCopy;
}

QString LoadedCacheNameSafe()
{
    QMutexLocker locker(&cacheNameMutex());
    return LoadedCacheCopy;
}

void SetSelectedCacheName(const QString &name)
{
    setCacheName(SelectedCacheCopy, SelectedCacheName, name);
}

void SetLoadedCacheName(const QString &name)
{
    setCacheName(LoadedCacheCopy, LoadedCacheName, name);
}

bool ParseFlashDataCache(const QByteArray &bytes, FlashDataMap &out)
{
    // Exactly one record: the length field, then the block, nothing after it.
    if (bytes.size() != int(sizeof(quint32) + BlockLength))
        return false;
    QDataStream in(bytes);
    quint32 length = 0;
    in >> length;
    if (length != BlockLength)
        return false;
    FlashDataMap block;
    if (in.readRawData(reinterpret_cast<char *>(&block), int(BlockLength)) != int(BlockLength))
        return false;
    out = block;
    return true;
}

bool ReadFlashDataCache(const QString &name, FlashDataMap &out)
{
    if (name.isEmpty())
        return false;
    // Bounded before reading: a cache file is never larger than one record.
    QByteArray bytes;
    QString error;
    switch (SafeFile::read(CacheFilePath(name), CacheFileBytes, &bytes, &error)) {
    case SafeFile::Status::Ok:
        break;
    case SafeFile::Status::Missing:
        return false;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::TooLarge:
    case SafeFile::Status::Failed:
        qWarning() << "cache file" << name << "ignored:" << error;
        return false;
    }
    if (!ParseFlashDataCache(bytes, out)) {
        qWarning() << "cache file" << name << "is not one record of" << BlockLength
                   << "bytes; ignored";
        return false;
    }
    return true;
}

bool WriteFlashDataCacheFile(const QString &name, const FlashDataMap &record)
{
    if (name.isEmpty())
        return false;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.writeBytes(reinterpret_cast<const char *>(&record), BlockLength);
    const QString path = CacheFilePath(name);
    QString error;
    if (!SafeFile::write(path, bytes, &error)) {
        StorageNotice::Report(StorageNotice::Kind::DeviceCache, path, error);
        return false;
    }
    return true;
}

bool WriteFlashDataCache(const QString &name, const FlashDataMap &record)
{
    const FlashDataOwnerInfo owner = FlashDataOwner();
    if (!IsCurrentDeviceOwner(owner) || name != owner.CacheName || FlashDataAwaitingRead()) {
        qCDebug(lcDevice) << "cache" << name
                          << "not written: the block was not read from this device";
        return false;
    }
    return WriteFlashDataCacheFile(name, record);
}

bool WriteCurrentFlashDataCache()
{
    FlashDataOwnerInfo owner;
    const FlashDataMap block = FlashDataSnapshot(&owner);
    if (!IsCurrentDeviceOwner(owner) || FlashDataAwaitingRead()) {
        qCDebug(lcDevice) << "cache not written: the block was not read from this device";
        return false;
    }
    return WriteFlashDataCacheFile(owner.CacheName, block);
}
