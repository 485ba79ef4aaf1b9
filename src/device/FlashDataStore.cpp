#include "device/FlashDataStore.h"

#include "device/DeviceState.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>
#include <cstring>
#include <functional>

FlashDataMap CurrentFlashDataMap{};

namespace {

// The GUI thread never waits for the block's lock longer than this: the other
// holders only parse, copy or send, but a stuck library must not freeze the
// window.
constexpr int GuiLockTimeoutMs = 2000;

FlashDataOwnerInfo BlockOwner; // guarded by FlashDataMutex()
// The onboard profile the block was read from (-1 until the mouse names it),
// and whether the mouse has since switched to another profile: the block is
// then another profile's settings and must not be sent until it is read
// again. Both guarded by FlashDataMutex().
int BlockProfile = -1;
bool BlockStale = false;
// The profile the mouse ran when the block was read or imported, as the
// library told at once (-1 when it could not); guarded by FlashDataMutex().
int BlockReadProfile = -1;
// The profile the mouse ran when the last whole read was asked for (-1
// unknown). Written on the worker and event threads.
std::atomic<int> RequestedReadProfile{-1};

// What readers see: a copy of the block and its owner, refreshed under
// FlashDataMutex() after every change. Its own lock is held only while a copy
// is made, never across a device call, so a reader on the GUI thread never
// waits for a send running on another thread.
QMutex &publishedMutex()
{
    static QMutex mutex;
    return mutex;
}
FlashDataMap PublishedBlock{};     // guarded by publishedMutex()
FlashDataOwnerInfo PublishedOwner; // guarded by publishedMutex()
bool PublishedStale = false;       // guarded by publishedMutex()

// With FlashDataMutex() held.
void publishLocked()
{
    QMutexLocker locker(&publishedMutex());
    PublishedBlock = CurrentFlashDataMap;
    PublishedOwner = BlockOwner;
    PublishedStale = BlockStale;
}

bool onGuiThread()
{
    return QCoreApplication::instance() == nullptr ||
           QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Locks the block: bounded on the GUI thread, plain elsewhere (the other
// threads may wait for a send of the GUI thread; the GUI thread never waits
// without a limit for theirs).
bool lockBlock()
{
    if (onGuiThread()) {
        if (FlashDataMutex().tryLock(GuiLockTimeoutMs))
            return true;
        qWarning() << "parameter block busy for" << GuiLockTimeoutMs << "ms; nothing changed";
        return false;
    }
    FlashDataMutex().lock();
    return true;
}

bool isCurrentDevice(const FlashDataOwnerInfo &owner)
{
    return owner.isValid() && owner.Path == QString::fromUtf8(CurrentDevicePathCopy()) &&
           owner.CacheName == CacheFileNameOf(CurrentDeviceSnapshot());
}

// With FlashDataMutex() held.
bool ownerIsCurrentLocked()
{
    return !BlockStale && isCurrentDevice(BlockOwner);
}

void notifyOffline()
{
    if (ButtonPageFilling || LightPageFilling || SensorPageFilling)
        return;
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

// With FlashDataMutex() held. Before the block goes to the mouse: when the
// library can tell at once which profile the mouse runs and that is no longer
// the profile the block was read from (a switch on the mouse whose report was
// lost or is still on its way), the block is marked stale and false returned;
// the caller sends nothing and asks for a read (RequestProfileRead, after
// unlocking).
bool readProfileStillRunsLocked()
{
    if (BlockReadProfile < 0)
        return true;
    uint8_t running = 0;
    if (!UsbServer_GetCurrentConfig(&running) || running == BlockReadProfile)
        return true;
    qWarning() << "the mouse runs profile" << running + 1 << "but the block is profile"
               << BlockReadProfile + 1 << "; not sent, read again";
    BlockProfile = running;
    BlockStale = true;
    publishLocked();
    return false;
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
    if (!lockBlock())
        return false;
    if (!ownerIsCurrentLocked()) {
        FlashDataMutex().unlock();
        // The block was never read from this device, or holds the profile the
        // mouse ran before its switch: sending it would write another
        // device's or profile's settings into the mouse. The mouse answers,
        // so it is not offline: the read under way fills the control, no
        // notice.
        qWarning() << "parameter block not read from the current device and profile; setting "
                      "not sent";
        return false;
    }
    if (!readProfileStillRunsLocked()) {
        FlashDataMutex().unlock();
        RequestProfileRead();
        return false;
    }
    const FlashDataMap before = CurrentFlashDataMap;
    write(CurrentFlashDataMap);
    const bool sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    if (!sent)
        CurrentFlashDataMap = before;
    publishLocked();
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
    QMutexLocker locker(&publishedMutex());
    return PublishedBlock;
}

FlashDataOwnerInfo FlashDataOwner()
{
    QMutexLocker locker(&publishedMutex());
    return PublishedOwner;
}

FlashDataMap FlashDataSnapshot(FlashDataOwnerInfo *owner)
{
    QMutexLocker locker(&publishedMutex());
    if (owner)
        *owner = PublishedOwner;
    return PublishedBlock;
}

bool IsCurrentDeviceOwner(const FlashDataOwnerInfo &owner)
{
    return isCurrentDevice(owner);
}

bool FlashDataBelongsToCurrentDevice()
{
    FlashDataOwnerInfo owner;
    bool stale = false;
    {
        QMutexLocker locker(&publishedMutex());
        owner = PublishedOwner;
        stale = PublishedStale;
    }
    return !stale && isCurrentDevice(owner);
}

bool FlashDataAwaitingRead()
{
    QMutexLocker locker(&publishedMutex());
    return PublishedStale;
}

bool NoteDeviceProfile(int profile)
{
    if (!lockBlock())
        return false;
    bool switched = false;
    if (BlockProfile < 0) {
        BlockProfile = profile;
    } else if (profile != BlockProfile) {
        // Every switch asks for a read, also one while a read is under way:
        // that read may carry the profile before this switch.
        BlockProfile = profile;
        switched = true;
        BlockStale = true;
        publishLocked();
    }
    FlashDataMutex().unlock();
    return switched;
}

void NoteReadRequested()
{
    uint8_t running = 0;
    RequestedReadProfile = UsbServer_GetCurrentConfig(&running) ? int(running) : -1;
}

bool ReadAnswerOfRunningProfile(int *profile)
{
    const int asked = RequestedReadProfile;
    uint8_t running = 0;
    const int now = UsbServer_GetCurrentConfig(&running) ? int(running) : -1;
    if (profile)
        *profile = now;
    return asked < 0 || now < 0 || asked == now;
}

bool ReplaceFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner)
{
    if (!lockBlock())
        return false;
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    BlockProfile = -1;
    BlockStale = false;
    BlockReadProfile = -1;
    publishLocked();
    FlashDataMutex().unlock();
    return true;
}

bool ReplaceAndSendFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner,
                             int profile)
{
    if (!lockBlock())
        return false;
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    // A fresh read: the mouse names its profile right after the block.
    BlockProfile = profile;
    BlockStale = false;
    BlockReadProfile = profile;
    bool sent = false;
    const bool running = readProfileStillRunsLocked();
    if (running)
        sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    publishLocked();
    FlashDataMutex().unlock();
    if (!running)
        RequestProfileRead();
    return sent;
}

bool ImportFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner)
{
    if (!lockBlock())
        return false;
    const FlashDataMap previous = CurrentFlashDataMap;
    const FlashDataOwnerInfo previousOwner = BlockOwner;
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    const bool sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    if (!sent) {
        CurrentFlashDataMap = previous;
        BlockOwner = previousOwner;
    } else {
        // The profile the mouse runs now holds the imported block.
        BlockStale = false;
        uint8_t running = 0;
        BlockReadProfile = UsbServer_GetCurrentConfig(&running) ? int(running) : -1;
    }
    publishLocked();
    FlashDataMutex().unlock();
    return sent;
}

FlashDataMap ApplyDeviceAnswer(const std::function<void(FlashDataMap &)> &change, bool send)
{
    if (!lockBlock()) {
        FlashDataMap copy = FlashDataSnapshot();
        change(copy);
        return copy;
    }
    FlashDataMap result;
    const bool owned = ownerIsCurrentLocked();
    // An answer sent back into a profile the mouse left would overwrite it.
    const bool switched = owned && send && !readProfileStillRunsLocked();
    if (owned && !switched) {
        change(CurrentFlashDataMap);
        if (send)
            ProtocolDataUpdate(&CurrentFlashDataMap);
        publishLocked();
        result = CurrentFlashDataMap;
    } else {
        result = CurrentFlashDataMap;
        change(result);
    }
    FlashDataMutex().unlock();
    if (switched)
        RequestProfileRead();
    return result;
}

bool ClearFlashDataOwner()
{
    if (!lockBlock())
        return false;
    BlockOwner = FlashDataOwnerInfo();
    BlockProfile = -1;
    BlockStale = false;
    BlockReadProfile = -1;
    publishLocked();
    FlashDataMutex().unlock();
    return true;
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
    const bool owned = ownerIsCurrentLocked();
    const bool switched = owned && !readProfileStillRunsLocked();
    if (!owned)
        qWarning() << "parameter block not read from the current device; not sent";
    else if (!switched)
        sent = ProtocolDataUpdate(&CurrentFlashDataMap);
    FlashDataMutex().unlock();
    if (switched)
        RequestProfileRead();
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
