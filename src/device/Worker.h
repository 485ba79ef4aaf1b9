#pragma once

#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

class QTimer;

// The device worker: one read pass per start. It binds the library's server to
// the current device with OnDeviceEvent and asks for the whole parameter
// block; when the device is silent it shows the model's cache file instead.
// The object lives on the GUI thread (its slots and the online poll run
// there); only run() runs on the worker thread.
class Worker : public QThread
{
    Q_OBJECT

public:
    explicit Worker(QObject *parent = nullptr); // the parent is ignored
    ~Worker() override;

    // WorkerRunRequested := 0, so a later pass does nothing.
    void Stop();
    // Stop, then wait at most timeoutMs for a running pass. True when the
    // thread has ended. The GUI thread never waits for it without a limit: a
    // pass may be inside a blocking emit that needs the GUI thread.
    bool Shutdown(int timeoutMs);

    // Sets WorkerRunRequested and starts a pass. A request made while a pass
    // runs is not lost: the thread starts again when the pass ends. Anyone
    // who sets WorkerRunRequested and calls start() directly gets the same.
    void RequestRun();

    // Makes info current when it answers, then requests a pass.
    void StartReading(const DeviceAllInfo &info);

    // Device-page discovery: fills ModelDevices with the current model's
    // devices found under vids x pids.
    void ScanDevices(QStringList vids, QStringList pids);
    // 1 model matched, 2 our customer id but no model, 3 foreign customer,
    // 0 no answer or empty catalogue. `path` is the library's path string.
    int IdentifyDevice(DeviceAllInfo &record, const char *path);

    const QString &lastPath() const { return LastPath; }

    // Least time between two whole-block re-reads of a settings change the
    // device reported (ms); tests shorten it.
    static int SettingsRefreshMs;
    // How long a profile report on its way holds the settings refresh back,
    // and how long the poll waits for it before it asks the mouse which
    // profile it runs (ms).
    static int ProfileReportWaitMs;

protected:
    void run() override;

private slots:
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SlotMainPageChange();
    void SlotCheckOnline();
    void SlotPassFinished();

private:
    QString LastPath;
    int LastReceiverType = 0;
};

// Hot-plug callback of the device page (GUI thread).
void OnDeviceUsbChanged();
// Event callback of the bound device (the library's event thread).
void OnDeviceEvent(const unsigned char *hdr, int hdrLen, const unsigned char *payload,
                   int payloadLen);
// Follow-up reads after a status-change event (library thread).
void RefreshChangedValues();
// The mouse runs another profile than the block held: reads it on the road
// of any read, its wait ending as soon as the pages show it. Any thread.
void RequestProfileRead();
// Asks the mouse which profile it runs and shows that in the profile box;
// another profile than the block's is then read by the pass. Worker thread
// (its signal waits for the GUI thread).
void CheckRunningProfile();
// Asks the mouse to run onboard profile `index`; its report is then awaited
// (a lost one is made good by the poll). GUI thread.
bool SwitchProfile(int index);
// The first full read after a factory reset keeps only the macros of the key
// slots whose default function is a macro: keyParamLists[i] is the list
// Drive<n>/KeyParam<i + 1>, and slot i is kept when its first item is "0x05".
// Without a kept slot every key-event block and macro is zeroed; otherwise
// those of every other slot. The key table is never touched. Returns the kept
// slots.
QList<int> ClearSpareMacroSlots(FlashDataMap &block, const QList<QStringList> &keyParamLists);
// Option/ShowBatteryValue, read when the worker is built.
extern std::atomic<int> ShowBatteryValueSetting;
// Milliseconds since the last accepted whole-block refresh of a settings change.
QElapsedTimer &FullRefreshTimer();
