#include "device/FlashDataStore.h"

#include "app/PostMsg.h"
#include "device/DeviceState.h"
#include "platform/UserFolder.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDebug>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QThread>

#include <cstring>
#include <functional>

FlashDataMap CurrentFlashDataMap{};

namespace {

// The GUI thread never waits for the block's lock longer than this: the other
// holders only parse, copy or send, but a stuck library must not freeze the
// window.
constexpr int GuiLockTimeoutMs = 2000;
constexpr quint32 BlockLength = sizeof(FlashDataMap);

FlashDataOwnerInfo BlockOwner; // guarded by FlashDataMutex()

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

// Locks the block: bounded on the GUI thread, plain elsewhere.
bool lockBlock()
{
    if (onGuiThread())
        return FlashDataMutex().tryLock(GuiLockTimeoutMs);
    FlashDataMutex().lock();
    return true;
}

QString currentCacheName(const DeviceAllInfo &info)
{
    return CacheFileName(info.CidMid & 0xFF, (info.CidMid >> 8) & 0xFF);
}

// With the lock held.
bool ownerIsCurrentLocked()
{
    if (!BlockOwner.isValid())
        return false;
    const DeviceAllInfo info = CurrentDeviceSnapshot();
    return BlockOwner.Path == QString::fromUtf8(CurrentDevicePathCopy()) &&
           BlockOwner.CacheName == currentCacheName(info);
}

void notifyOffline()
{
    if (ButtonPageFilling || LightPageFilling || SensorPageFilling)
        return;
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

// The pattern of every setter: online test, owner test, write, send, and the
// block put back when the device did not take it (the caller puts its control
// back, so block and control stay what the device holds).
bool applySetter(const std::function<void(FlashDataMap &)> &write)
{
    if (!UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr)) {
        notifyOffline();
        return false;
    }
    if (!lockBlock()) {
        qWarning() << "parameter block busy; setting not sent";
        return false;
    }
    if (!ownerIsCurrentLocked()) {
        FlashDataMutex().unlock();
        // The block was never read from this device: sending it would write
        // another device's (or an empty) block into the mouse. The notice's
        // reload reads the device as soon as it answers.
        qWarning() << "parameter block not read from the current device; setting not sent";
        notifyOffline();
        return false;
    }
    const FlashDataMap before = CurrentFlashDataMap;
    write(CurrentFlashDataMap);
    const bool sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    if (!sent)
        CurrentFlashDataMap = before;
    FlashDataMutex().unlock();
    if (!sent)
        qWarning() << "the device did not take the parameter block";
    return sent;
}

} // namespace

QMutex &FlashDataMutex()
{
    static QMutex mutex;
    return mutex;
}

FlashDataMap FlashDataSnapshot()
{
    QMutexLocker locker(&FlashDataMutex());
    return CurrentFlashDataMap;
}

FlashDataOwnerInfo FlashDataOwner()
{
    QMutexLocker locker(&FlashDataMutex());
    return BlockOwner;
}

bool FlashDataBelongsToCurrentDevice()
{
    QMutexLocker locker(&FlashDataMutex());
    return ownerIsCurrentLocked();
}

void ReplaceFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner)
{
    QMutexLocker locker(&FlashDataMutex());
    CurrentFlashDataMap = block;
    BlockOwner = owner;
}

bool ReplaceAndSendFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner)
{
    QMutexLocker locker(&FlashDataMutex());
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    return ProtocolDataUpdate(&CurrentFlashDataMap);
}

FlashDataMap ApplyDeviceAnswer(const std::function<void(FlashDataMap &)> &change, bool send)
{
    QMutexLocker locker(&FlashDataMutex());
    if (!ownerIsCurrentLocked()) {
        FlashDataMap copy = CurrentFlashDataMap;
        change(copy);
        return copy;
    }
    change(CurrentFlashDataMap);
    if (send)
        ProtocolDataUpdate(&CurrentFlashDataMap);
    return CurrentFlashDataMap;
}

void ClearFlashDataOwner()
{
    QMutexLocker locker(&FlashDataMutex());
    BlockOwner = FlashDataOwnerInfo();
}

bool CheckDeviceOnline()
{
    if (UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr))
        return true;
    notifyOffline();
    return false;
}

bool SendFlashData()
{
    if (!lockBlock())
        return false;
    bool sent = false;
    if (ownerIsCurrentLocked())
        sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    else
        qWarning() << "parameter block not read from the current device; not sent";
    FlashDataMutex().unlock();
    return sent;
}

static uint8_t lowByte(int v)
{
    return static_cast<uint8_t>(v & 0xFF);
}

#define BYTE_SETTER(name, field)                                                                   \
    bool name(int value)                                                                           \
    {                                                                                              \
        return applySetter([value](FlashDataMap &m) { m.field = lowByte(value); });                \
    }

BYTE_SETTER(SetReportRate, ReportRateCode)
BYTE_SETTER(SetDpiLevelCount, DpiLevelCount)
BYTE_SETTER(SetCurrentDpiLevel, CurrentDpiLevel)
BYTE_SETTER(SetFlashData3, Reserved03)
BYTE_SETTER(SetScan20K, Scan20KOn)
BYTE_SETTER(SetLod, LodCode)
BYTE_SETTER(SetDebounceTime, DebounceMs)
BYTE_SETTER(SetMotionSync, MotionSyncOn)
BYTE_SETTER(SetSleepTime, SleepTimeCode)
BYTE_SETTER(SetStraightLine, StraightLineOn)
BYTE_SETTER(SetRippleControl, RippleControlOn)
BYTE_SETTER(SetLightOffWhileMoving, LightOffWhileMoving)
BYTE_SETTER(SetPerformance, PerformanceOn)
BYTE_SETTER(SetPerformanceTime, PerformanceTimeCode)
BYTE_SETTER(SetSensorMode, SensorModeIndex)
BYTE_SETTER(SetDpiLedBrightness, DpiLed.EffectBrightness)
BYTE_SETTER(SetDpiLedSpeed, DpiLed.EffectSpeed)
BYTE_SETTER(SetLedBarSpeed, LedBar.BarSpeed)
BYTE_SETTER(SetLedBarBrightness, LedBar.BarBrightness)

#undef BYTE_SETTER

// An index outside the block's tables would write past the record: such a
// call writes and sends nothing and fails.
static bool validIndex(int index, int count)
{
    if (index >= 0 && index < count)
        return true;
    qWarning() << "index" << index << "outside the parameter block's table of" << count;
    return false;
}

bool SetAngle(int degrees)
{
    return applySetter([degrees](FlashDataMap &m) {
        m.AngleEnabled = 1;
        m.AngleDegrees = static_cast<int8_t>(lowByte(degrees));
    });
}

bool SetDpiLevelCode(int level, int x, int y, int flags)
{
    if (!validIndex(level, 8))
        return false;
    return applySetter([=](FlashDataMap &m) {
        m.DpiLevels[level].XCode = lowByte(x);
        m.DpiLevels[level].YCode = lowByte(y);
        m.DpiLevels[level].Flags = lowByte(flags);
    });
}

bool SetDpiLevelColor(int level, int r, int g, int b)
{
    if (!validIndex(level, 8))
        return false;
    return applySetter([=](FlashDataMap &m) {
        m.DpiLevels[level].ColorR = lowByte(r);
        m.DpiLevels[level].ColorG = lowByte(g);
        m.DpiLevels[level].ColorB = lowByte(b);
    });
}

bool SwapDpiLevels(const unsigned char firstRecord[6], const unsigned char secondRecord[6],
                   int secondIndex, int firstIndex, int level)
{
    if (!validIndex(secondIndex, 8) || !validIndex(firstIndex, 8))
        return false;
    DpiLevel first;
    DpiLevel second;
    std::memcpy(&first, firstRecord, sizeof(DpiLevel));
    std::memcpy(&second, secondRecord, sizeof(DpiLevel));
    return applySetter([=](FlashDataMap &m) {
        m.DpiLevels[firstIndex] = first;
        m.DpiLevels[secondIndex] = second;
        m.CurrentDpiLevel = lowByte(level);
        m.DpiLevelCount = lowByte(level + 1);
    });
}

bool SetDpiLedMode(int mode)
{
    return applySetter([mode](FlashDataMap &m) {
        if (mode == 0) {
            m.DpiLed.EffectOn = 0;
        } else {
            m.DpiLed.EffectOn = 1;
            m.DpiLed.EffectMode = lowByte(mode);
        }
    });
}

bool SetLedBarMode(int mode)
{
    return applySetter([mode](FlashDataMap &m) {
        if (mode == 0) {
            m.LedBar.BarOn = 0;
        } else {
            m.LedBar.BarOn = 1;
            m.LedBar.BarMode = lowByte(mode);
        }
    });
}

bool SetLedBarColor(int r, int g, int b)
{
    return applySetter([=](FlashDataMap &m) {
        m.LedBar.ColorR = lowByte(r);
        m.LedBar.ColorG = lowByte(g);
        m.LedBar.ColorB = lowByte(b);
    });
}

bool SetKeyAssign(int k, int category, int param1, int param2)
{
    if (!validIndex(k, 16))
        return false;
    return applySetter([=](FlashDataMap &m) {
        m.Keys[k].Category = lowByte(category);
        m.Keys[k].Param1 = lowByte(param1);
        m.Keys[k].Param2 = lowByte(param2);
    });
}

bool SetKeyEvents(int k, const unsigned char entry[3], const unsigned char block[52])
{
    if (!validIndex(k, 16))
        return false;
    KeyAssign key;
    KeyEventBlock events;
    std::memcpy(&key, entry, sizeof(KeyAssign));
    std::memcpy(&events, block, sizeof(KeyEventBlock));
    return applySetter([=](FlashDataMap &m) {
        m.Keys[k] = key;
        m.KeyEvents[k] = events;
    });
}

bool SetKeyMacro(int k, const unsigned char entry[3], const unsigned char record[592])
{
    if (!validIndex(k, 16))
        return false;
    KeyAssign key;
    MacroRecord macro;
    std::memcpy(&key, entry, sizeof(KeyAssign));
    std::memcpy(&macro, record, sizeof(MacroRecord));
    return applySetter([=](FlashDataMap &m) {
        m.Keys[k] = key;
        m.Macros[k] = macro;
    });
}

QString CacheFileName(int customerId, int modelId)
{
    auto hex2 = [](int v) {
        return QStringLiteral("%1").arg(v & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    };
    return QStringLiteral("Device_CID") + hex2(customerId) + QStringLiteral("_MID") +
           hex2(modelId) + QStringLiteral(".bin");
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
    {
        QMutexLocker locker(&cacheNameMutex());
        SelectedCacheCopy = name;
    }
    if (onGuiThread())
        SelectedCacheName = name;
    else
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [name] { SelectedCacheName = name; },
            Qt::QueuedConnection);
}

void SetLoadedCacheName(const QString &name)
{
    {
        QMutexLocker locker(&cacheNameMutex());
        LoadedCacheCopy = name;
    }
    if (onGuiThread())
        LoadedCacheName = name;
    else
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [name] { LoadedCacheName = name; }, Qt::QueuedConnection);
}

bool ReadFlashDataCache(const QString &name, FlashDataMap &out)
{
    if (name.isEmpty())
        return false;
    QFile file(CacheFilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Exactly one record: the length field, then the block, nothing after it.
    if (file.size() != qint64(sizeof(quint32) + BlockLength)) {
        qWarning() << "cache file" << name << "has" << file.size() << "bytes; ignored";
        return false;
    }
    QDataStream in(&file);
    quint32 length = 0;
    in >> length;
    if (length != BlockLength) {
        qWarning() << "cache file" << name << "holds a record of" << length << "bytes; ignored";
        return false;
    }
    FlashDataMap block;
    if (in.readRawData(reinterpret_cast<char *>(&block), int(BlockLength)) != int(BlockLength))
        return false;
    out = block;
    return true;
}

bool WriteFlashDataCacheFile(const QString &name, const FlashDataMap &record)
{
    if (name.isEmpty())
        return false;
    QSaveFile file(CacheFilePath(name));
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "cannot write cache file" << file.fileName();
        return false;
    }
    QDataStream out(&file);
    out.writeBytes(reinterpret_cast<const char *>(&record), BlockLength);
    if (out.status() != QDataStream::Ok || !file.commit()) {
        qWarning() << "cannot write cache file" << file.fileName();
        return false;
    }
    return true;
}

bool WriteFlashDataCache(const QString &name, const FlashDataMap &record)
{
    const FlashDataOwnerInfo owner = FlashDataOwner();
    if (!FlashDataBelongsToCurrentDevice() || name != owner.CacheName) {
        qDebug() << "cache" << name << "not written: the block was not read from this device";
        return false;
    }
    return WriteFlashDataCacheFile(name, record);
}

bool WriteCurrentFlashDataCache()
{
    FlashDataMap block;
    FlashDataOwnerInfo owner;
    {
        QMutexLocker locker(&FlashDataMutex());
        if (!ownerIsCurrentLocked()) {
            qDebug() << "cache not written: the block was not read from this device";
            return false;
        }
        block = CurrentFlashDataMap;
        owner = BlockOwner;
    }
    return WriteFlashDataCacheFile(owner.CacheName, block);
}
