#pragma once

// The program's picture of the mouse: one parameter block, the field setters
// that change it and send it whole, and the per-model cache files that keep it
// for offline display.
//
// Threads: the GUI thread (setters, import, cache writes), the worker thread
// (cache reads) and the device library's event thread (full reads and small
// answers) all touch the block. Every write and every send happens under
// FlashDataMutex(), so a send never carries a half-written block; a full read
// is parsed into a local block and swapped in whole. Readers take
// FlashDataSnapshot(), a copy refreshed after every change under a lock that
// is never held across a device call. The GUI thread waits at most two
// seconds for FlashDataMutex(); when a send of another thread holds it longer,
// the change is refused (false) rather than freezing the window.

#include "common/SharedState.h"
#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QMutex;

// The one process-wide block; zero at start.
extern FlashDataMap CurrentFlashDataMap;

// Guards CurrentFlashDataMap, its owner and every ProtocolDataUpdate of it.
// Never held while a signal is emitted or a callback runs. Use the functions
// below rather than locking it directly.
QMutex &FlashDataMutex();

// A consistent copy of the whole block as it was after its last change.
FlashDataMap FlashDataSnapshot();

// Owner of the block: the device (HID path) and model cache name that the
// block was read from or imported for. Until a full read or an import for the
// current device the block belongs to nobody (or to another device), and the
// setters and write-backs send nothing.
struct FlashDataOwnerInfo
{
    QString Path;      // HID path of the device the block came from
    QString CacheName; // its model's cache file name
    bool isValid() const { return !Path.isEmpty() && !CacheName.isEmpty(); }
};
FlashDataOwnerInfo FlashDataOwner();
// The copy of the block together with its owner, taken in one step.
FlashDataMap FlashDataSnapshot(FlashDataOwnerInfo *owner);
// True when the block was read from (or imported for) the current device and
// still holds the profile the mouse runs.
bool FlashDataBelongsToCurrentDevice();
// True when `owner` names the current device (its path and model).
bool IsCurrentDeviceOwner(const FlashDataOwnerInfo &owner);
// Replaces the block and its owner in one step. False only when the block
// stayed busy (GUI thread).
bool ReplaceFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner);
// Replaces the block and its owner and sends the new block, in one step under
// the lock (the write-back of a full read: the block stays, as it is what the
// device holds, even when the send fails). `profile` is the onboard profile
// the block was read from (-1 unknown): when the mouse no longer runs it, the
// block is kept as stale, nothing is sent and another read is asked for.
// Returns the send's result.
bool ReplaceAndSendFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner,
                             int profile = -1);
// A whole read is being asked for: notes which profile the mouse runs now,
// when the library can tell at once.
void NoteReadRequested();
// A whole read's answer came: false when the mouse has taken another profile
// since the read was asked for (the answer may be the former profile's and
// must be dropped). `profile` gets the profile it runs now (-1 unknown).
bool ReadAnswerOfRunningProfile(int *profile);
// A profile import: replaces and sends in one step; when the device does not
// take the block, block and owner stay what they were. The send's result.
bool ImportFlashData(const FlashDataMap &block, const FlashDataOwnerInfo &owner);
// A device answer that changes part of the block: applied (and, with `send`,
// the block sent back) only when the block belongs to the current device.
// Returns the block as it is afterwards; for another device's block, a copy
// with the change applied, so the pages still show what the device said.
FlashDataMap ApplyDeviceAnswer(const std::function<void(FlashDataMap &)> &change, bool send);
// Every write of the whole block first asks the mouse, where the library can
// tell at once, which profile it runs; when that is not the block's, nothing
// is sent, the block counts as stale (as after a reported switch) and the new
// profile is read.

// The block no longer describes any device.
bool ClearFlashDataOwner();

// Onboard profiles. The mouse names its profile after every full read and
// when it takes another profile; each such report is passed here. True when
// the mouse now runs another profile than the one the block was read from:
// the block is then stale, and until a full read (or an import) replaces it
// the setters refuse without an offline notice, nothing sends it and
// FlashDataBelongsToCurrentDevice() is false. The caller starts that read.
bool NoteDeviceProfile(int profile);
// True while the block is the former profile's (see NoteDeviceProfile).
bool FlashDataAwaitingRead();

// The online test of every setter: true when UsbFinderC_GetDeviceOnLine
// answers for CurrentDevicePathPtr; otherwise SigMouseOffLineo(0) unless a
// page is filling itself from device data. Writes nothing.
bool CheckDeviceOnline();

// Sends the block as it stands (no online check). True when the block belongs
// to the current device and the library accepted it.
bool SendFlashData();

// Field setters. Each checks that the mouse answers and that the block belongs
// to it, writes its field(s) (int arguments as their low byte), sends the
// whole block and returns the send's result. Offline, nothing is written or
// sent, SigMouseOffLineo(0) is emitted unless a page is filling, and the
// result is false. Online but before the current device's block (or its
// current profile) was read, nothing is written or sent and the result is
// false without a notice: the mouse is not offline, and the read fills the
// pages.
bool SetReportRate(int code);
bool SetDpiLevelCount(int count);
bool SetCurrentDpiLevel(int level);
bool SetFlashData3(int value);
bool SetScan20K(int on);
bool SetLod(int code);
bool SetDebounceTime(int ms);
bool SetMotionSync(int on);
bool SetSleepTime(int code);
bool SetStraightLine(int on);
bool SetRippleControl(int on);
bool SetLightOffWhileMoving(int on);
bool SetPerformance(int on);
bool SetPerformanceTime(int code);
bool SetSensorMode(int index);
// AngleEnabled := 1, then AngleDegrees := degrees.
bool SetAngle(int degrees);
bool SetDpiLevelCode(int level, int x, int y, int flags);
bool SetDpiLevelColor(int level, int r, int g, int b);
// DpiLevels[firstIndex] := firstRecord, then DpiLevels[secondIndex] :=
// secondRecord, CurrentDpiLevel := level, DpiLevelCount := level + 1.
bool SwapDpiLevels(const unsigned char firstRecord[6], const unsigned char secondRecord[6],
                   int secondIndex, int firstIndex, int level);
// Mode 0 clears EffectOn only; another mode sets EffectOn 1 and EffectMode.
bool SetDpiLedMode(int mode);
bool SetDpiLedBrightness(int code);
bool SetDpiLedSpeed(int speed);
// Mode 0 clears BarOn only; another mode sets BarOn 1 and BarMode.
bool SetLedBarMode(int mode);
bool SetLedBarColor(int r, int g, int b);
bool SetLedBarSpeed(int speed);
bool SetLedBarBrightness(int level);
bool SetKeyAssign(int k, int category, int param1, int param2);
bool SetKeyEvents(int k, const unsigned char entry[3], const unsigned char block[52]);
bool SetKeyMacro(int k, const unsigned char entry[3], const unsigned char record[592]);

// Cache files: Device_Info/<name> of the per-user folder, a QDataStream
// byte-array record (32-bit big-endian length 10448, then the block).
// "Device_CID" + cid + "_MID" + mid + ".bin", each id two upper-case hex digits.
QString CacheFileName(int customerId, int modelId);
// The cache name of a found device's model (its CidMid).
QString CacheFileNameOf(const DeviceAllInfo &info);
QString CacheFilePath(const QString &name);
// SelectedCacheName (the device chosen on the chooser page, read when it does
// not answer) and LoadedCacheName (the device whose block was last read) are
// GUI-thread values in common/SharedState.h; set them through these functions,
// which also keep copies that other threads read.
QString SelectedCacheNameSafe();
QString LoadedCacheNameSafe();
void SetSelectedCacheName(const QString &name);
void SetLoadedCacheName(const QString &name);

// True when the file held exactly one record of 10448 bytes; `out` is left
// untouched otherwise (missing file, other length, truncated, trailing bytes).
bool ReadFlashDataCache(const QString &name, FlashDataMap &out);
// The same check on the content of a cache file.
bool ParseFlashDataCache(const QByteArray &bytes, FlashDataMap &out);
// Writes `record` as the cache file `name`, whole or not at all, and only when
// `name` is the cache of the block's owner and the owner is the current
// device: a block is never stored under another device's name.
bool WriteFlashDataCache(const QString &name, const FlashDataMap &record);
// Writes the current block to its owner's cache file (leaving or closing the
// device page); false when the block belongs to no current device.
bool WriteCurrentFlashDataCache();
// The plain atomic file writer behind WriteFlashDataCache (no owner check).
bool WriteFlashDataCacheFile(const QString &name, const FlashDataMap &record);
