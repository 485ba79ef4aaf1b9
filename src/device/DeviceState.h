#pragma once

// The current device and the other process-wide values of the device link.
// The flags every subsystem reads (DevicePageActive, WorkerRunRequested, the
// page flags...) live in common/SharedState.h; the ones below belong to the
// worker and the device events alone.

#include "common/SharedState.h"
#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

class Worker;
class QTimer;

// The device the device page works on. Written on the GUI thread only (under
// the lock of SetCurrentDeviceInfo); GUI code reads it directly, other threads
// take CurrentDeviceSnapshot().
extern DeviceAllInfo CurrentDeviceInfo;
DeviceAllInfo CurrentDeviceSnapshot();
void SetCurrentDeviceInfo(const DeviceAllInfo &info);

// HID path of the current device as handed to every per-device library call.
// It always points into storage of this program that is never freed (each
// distinct path is kept once), so a pointer read on any thread stays valid.
// Change it with SetCurrentDevicePath only.
extern std::atomic<const char *> CurrentDevicePathPtr;
// GUI thread; also keeps CurrentDevicePath (common/SharedState.h) in step.
void SetCurrentDevicePath(const QByteArray &path);
// The current path as text (a copy), for any thread.
QByteArray CurrentDevicePathCopy();

// Discovery results (GUI thread).
extern QList<DeviceAllInfo> FoundDevices;
extern QList<DeviceAllInfo> FoundDevicesCopy;
extern QList<DeviceAllInfo> ModelDevices;
// Option/Wireless_PID, Wireless2_PID, Wireless4_PID, Wireless8_PID (the 1K,
// 2K, 4K and 8K receivers) as read by the last chooser scan.
extern QList<QStringList> ReceiverPidLists;
// The non-empty entries of those five lists in that order.
extern QStringList AllProductIds;
// Option/DeviceTotal as read by the chooser's constructor.
extern int UnknownModelIndex;

// Pairing inputs set by the openers of Match.
extern DeviceAllInfo PairDeviceInfo;
extern bool PairUsesChosenDevice;

// Receiver record of the 4K receiver; zeroed at start, never freed.
extern DongleRGB *CurrentDongleRGB;

// The worker thread and its 1300 ms online poll (created by Worker).
extern Worker *WorkerThread;
extern QTimer *OnlineCheckTimer;

// Flags of the worker and the device events.
extern std::atomic<bool> LastRunOnline;
extern std::atomic<bool> DeviceAnswered;
extern std::atomic<bool> SettingsRefreshPending;
extern std::atomic<bool> ClearUnusedMacros;
extern std::atomic<bool> SkipReceiverQueries;
// The library's link to the current device was lost (a flash or a repair
// made the device leave and come back) or holds a read of a profile the mouse
// no longer runs: the next pass binds again and reads, whatever else changed.
extern std::atomic<bool> RelinkPending;
// The next read is of a profile the mouse has just taken: its wait ends as
// soon as the pages show it (the fixed hold is for opening a device).
extern std::atomic<bool> ProfileReadPending;

// A report of the profile the mouse runs is on its way: asked after a pick in
// the profile box, and after a settings change the mouse reported (the change
// may be another profile taken with its own button). The settings refresh
// waits for it, since a new profile is read whole anyway; a report that does
// not come is replaced by the poll with a look at the running profile
// (ProfileCheckPending). Any thread.
void NoteProfileReportAwaited();
void ClearProfileReportAwaited();
// Milliseconds the report has been awaited; -1 when none is.
qint64 ProfileReportAwaitedMs();
// The next pass asks the mouse which profile it runs and shows it; another
// profile than the block's is then read.
extern std::atomic<bool> ProfileCheckPending;

// "v" + major in decimal + "." + minor as two upper-case hex digits.
QString VersionText(int releaseNumber);
// Receiver class in kHz of a connection type: 0 -> 1, 4 -> 2, 1 -> 4, 5 -> 8;
// wired and unknown types have none (0).
int ReportRateClass(int connectionType);
// (type & 0xFA) != 0.
bool IsWiredConnection(int connectionType);
