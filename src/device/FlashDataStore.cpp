#include "device/FlashDataStore.h"

#include "device/DeviceState.h"
#include "device/FlashDataChange.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>
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

// What became of a change offered to the mouse.
enum class Sent
{
    Yes,      // the device took the block (or, without a send, the change is in)
    NotTaken, // the device refused it
    NotOwned, // the block is not the current device's: nothing changed
    Switched, // the mouse runs another profile: nothing changed, read asked for
};

// The block's lock for one step. Released at the end of the scope, and only
// then, never under the lock, is the read asked for that a profile switch
// found on the way calls for.
class BlockLock
{
public:
    BlockLock() : m_locked(lockBlock()) {}
    ~BlockLock()
    {
        if (m_locked)
            FlashDataMutex().unlock();
        if (m_readAsked)
            RequestProfileRead();
    }
    BlockLock(const BlockLock &) = delete;
    BlockLock &operator=(const BlockLock &) = delete;

    bool locked() const { return m_locked; }

    // The one sequence by which the block goes to the mouse. With
    // `needOwner`, a block not read from the current device (or holding the
    // profile the mouse ran before a switch) goes nowhere: sending it would
    // write another device's or profile's settings into the mouse. With
    // `send`, a block whose profile the mouse has left since it was read goes
    // nowhere either, and the profile it runs is read. Otherwise `change` (may be empty) is applied
    // and, with `send`, the whole block sent; with `restoreNotTaken` a block
    // the device did not take goes back to what it was.
    Sent changeAndSend(bool needOwner, const std::function<void(FlashDataMap &)> &change, bool send,
                       bool restoreNotTaken)
    {
        if (needOwner && !ownerIsCurrentLocked())
            return Sent::NotOwned;
        if (send && !readProfileStillRunsLocked()) {
            m_readAsked = true;
            return Sent::Switched;
        }
        const FlashDataMap before = restoreNotTaken ? CurrentFlashDataMap : FlashDataMap{};
        if (change)
            change(CurrentFlashDataMap);
        const bool taken = !send || ProtocolDataUpdate(&CurrentFlashDataMap);
        if (!taken && restoreNotTaken)
            CurrentFlashDataMap = before;
        publishLocked();
        return taken ? Sent::Yes : Sent::NotTaken;
    }

private:
    const bool m_locked;
    bool m_readAsked = false;
};

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
    BlockLock lock;
    if (!lock.locked())
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
    BlockLock lock;
    if (!lock.locked())
        return false;
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    BlockProfile = -1;
    BlockStale = false;
    BlockReadProfile = -1;
    publishLocked();
    return true;
}

bool ReplaceAndSendFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner,
                             int profile)
{
    BlockLock lock;
    if (!lock.locked())
        return false;
    CurrentFlashDataMap = block;
    BlockOwner = owner;
    // A fresh read: the mouse names its profile right after the block.
    BlockProfile = profile;
    BlockStale = false;
    BlockReadProfile = profile;
    // The block stays even when the send fails: it is what the device holds.
    return lock.changeAndSend(false, {}, true, false) == Sent::Yes;
}

bool ImportFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner)
{
    BlockLock lock;
    if (!lock.locked())
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
    return sent;
}

FlashDataMap ApplyDeviceAnswer(const std::function<void(FlashDataMap &)> &change, bool send)
{
    BlockLock lock;
    if (!lock.locked()) {
        FlashDataMap copy = FlashDataSnapshot();
        change(copy);
        return copy;
    }
    // An answer sent back into a profile the mouse left would overwrite it;
    // one the device does not take back is still what the device said.
    const Sent sent = lock.changeAndSend(true, change, send, false);
    if (sent == Sent::NotOwned || sent == Sent::Switched) {
        FlashDataMap copy = CurrentFlashDataMap;
        change(copy);
        return copy;
    }
    return CurrentFlashDataMap;
}

bool ClearFlashDataOwner()
{
    BlockLock lock;
    if (!lock.locked())
        return false;
    BlockOwner = FlashDataOwnerInfo();
    BlockProfile = -1;
    BlockStale = false;
    BlockReadProfile = -1;
    publishLocked();
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
    Sent sent = Sent::NotTaken;
    {
        BlockLock lock;
        if (!lock.locked())
            return false;
        sent = lock.changeAndSend(true, {}, true, false);
    }
    if (sent == Sent::NotOwned)
        qWarning() << "parameter block not read from the current device; not sent";
    return sent == Sent::Yes;
}

bool ChangeAndSendFlashData(const std::function<void(FlashDataMap &)> &write)
{
    if (!CheckDeviceOnline())
        return false;
    Sent sent = Sent::NotTaken;
    {
        BlockLock lock;
        if (!lock.locked())
            return false;
        sent = lock.changeAndSend(true, write, true, true);
    }
    if (sent == Sent::NotOwned) {
        // The mouse answers, so it is not offline: the read under way fills
        // the control, no notice.
        qWarning() << "parameter block not read from the current device and profile; setting "
                      "not sent";
    } else if (sent == Sent::NotTaken) {
        qWarning() << "the device did not take the parameter block";
    }
    return sent == Sent::Yes;
}
