#include "device/Worker.h"

#include "common/ConfigIniStore.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceField.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "platform/CrashDump.h"
#include "platform/Logging.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>

QElapsedTimer &FullRefreshTimer()
{
    static QElapsedTimer timer;
    return timer;
}

namespace {
// Placeholder path of a worker with no current device: names no device, so
// every online check fails.
const QByteArray PlaceholderPath("a");
} // namespace

Worker::Worker(QObject *) : QThread(nullptr)
{
    WorkerRunRequested = true;
    FullRefreshTimer().start();
    SetCurrentDevicePath(PlaceholderPath);
    DeviceOnline = false;

    OnlineCheckTimer = new QTimer(this);
    connect(OnlineCheckTimer, &QTimer::timeout, this, &Worker::SlotCheckOnline);
    OnlineCheckTimer->setInterval(1300);
    OnlineCheckTimer->start();

    // A request made while a pass runs starts the next pass as soon as this
    // one has ended (a start of a running thread does nothing).
    connect(this, &QThread::finished, this, &Worker::SlotPassFinished, Qt::QueuedConnection);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, &PostMsg::SigSelectMouseInfo, this, &Worker::SlotSelectMouseInfo);
    connect(hub, &PostMsg::SigMainPageChange, this, &Worker::SlotMainPageChange);

    ShowBatteryValueSetting =
        ConfigIniStore::GetInstance()
            ->GetValue(QStringLiteral("Option"), QStringLiteral("ShowBatteryValue"))
            .toInt();
    WorkerThread = this;
}

Worker::~Worker()
{
    Shutdown(3000);
    if (WorkerThread == this)
        WorkerThread = nullptr;
    if (OnlineCheckTimer && OnlineCheckTimer->parent() == this)
        OnlineCheckTimer = nullptr;
}

void Worker::Stop()
{
    WorkerRunRequested = false;
}

bool Worker::Shutdown(int timeoutMs)
{
    Stop();
    if (!isRunning())
        return true;
    // A pass may be inside a blocking emit that needs this (GUI) thread: keep
    // delivering events while waiting, and give up after the limit.
    QElapsedTimer clock;
    clock.start();
    while (!wait(10)) {
        if (clock.elapsed() >= timeoutMs) {
            qWarning() << "device worker still busy after" << timeoutMs << "ms";
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void Worker::RequestRun()
{
    WorkerRunRequested = true;
    start(QThread::InheritPriority);
}

void Worker::SlotPassFinished()
{
    if (WorkerRunRequested)
        start(QThread::InheritPriority);
}

void Worker::StartReading(const DeviceAllInfo &info)
{
    const QByteArray path = info.Path.toUtf8();
    if (UsbFinderC_GetDeviceOnLine(path.constData())) {
        SetCurrentDeviceInfo(info);
        SetCurrentDevicePath(path);
    }
    RequestRun();
}

void Worker::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    // Nothing the pages show is this mouse's until it is read or its kept
    // values are shown.
    DeviceField::SetValuesUnknown(true);
    SetCurrentDeviceInfo(SelectInfo);
    SetSelectedCacheName(CacheFileNameOf(SelectInfo));
}

void Worker::SlotMainPageChange()
{
    LastRunOnline = false;
    ClearProfileReportAwaited();
    ProfileCheckPending = false;
}

void Worker::SlotCheckOnline()
{
    if (DeviceWentOffline) {
        if (DevicePageActive == 0) {
            if (CurrentDeviceInfo.ReceiverType != 0)
                DeviceWentOffline = false;
        } else if (OnlinePollEnabled) {
            DeviceOnline = UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr);
            LastRunOnline = false;
            if (!DeviceOnline)
                return;
            emit PostMsg::GetInstance()->SigCloseOffOnline();
            DeviceWentOffline = false;
        }
    }
    // A profile report on its way holds the settings refresh back for a
    // moment: when it names another profile, that profile's read is the
    // refresh, and it shows without the refresh's wait. A report that does
    // not come is made good: the mouse is asked which profile it runs.
    const qint64 awaited = ProfileReportAwaitedMs();
    const bool reportOnItsWay = awaited >= 0 && awaited < ProfileReportWaitMs;
    if (awaited >= ProfileReportWaitMs && DeviceOnline && DevicePageActive == 1) {
        ClearProfileReportAwaited();
        ProfileCheckPending = true;
        RequestRun();
    }
    if (DeviceOnline && ReloadWhenOnline && !reportOnItsWay) {
        ReloadWhenOnline = false;
        RequestRun();
    }
    // The device came back after a flash or a repair; it is bound and read
    // again once no firmware run holds the device checks.
    if (RelinkPending && OnlinePollEnabled && DevicePageActive == 1 && !isRunning())
        RequestRun();
}

void Worker::run()
{
    PrepareThreadForCrashDumps();
    // The request is taken at the start of the pass, so a request made while
    // the pass runs stays set and starts the next pass (SlotPassFinished).
    if (!WorkerRunRequested.exchange(false))
        return;
    if (ProfileCheckPending.exchange(false))
        CheckRunningProfile();

    const char *path = CurrentDevicePathPtr;
    if (!DeviceOnline)
        DeviceOnline = UsbFinderC_GetDeviceOnLine(path);

    const DeviceAllInfo info = CurrentDeviceSnapshot();
    const bool unchanged = info.Path == LastPath && info.ReceiverType == LastReceiverType &&
                           LastRunOnline == DeviceOnline && !SettingsRefreshPending &&
                           !RelinkPending;
    if (!unchanged && DevicePageActive == 1) {
        RelinkPending = false;
        PostMsg *hub = PostMsg::GetInstance();
        const bool online = UsbFinderC_GetDeviceOnLine(path);
        const QString infoPath = info.Path;
        // The record is the GUI thread's: its Online field is set there.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [infoPath, online] {
                if (CurrentDeviceInfo.Path == infoPath) {
                    DeviceAllInfo updated = CurrentDeviceInfo;
                    updated.Online = online;
                    SetCurrentDeviceInfo(updated);
                }
            },
            Qt::QueuedConnection);
        const bool profileRead = ProfileReadPending.exchange(false);
        if (online) {
            // A new profile is read whole: that read is also the refresh of
            // the settings change the mouse reported with the switch, and it
            // shows as soon as the pages have it, without the refresh's hold.
            if (profileRead) {
                SettingsRefreshPending = false;
                emit hub->SigUpDataParam(2);
            } else if (SettingsRefreshPending.exchange(false)) {
                emit hub->SigUpDataParam(1);
            } else if (!ParamUpdateRunning) {
                emit hub->SigUpDataParam(0);
            }
        } else {
            DeviceWentOffline = true;
            // The binding below asks a silent mouse in vain: the poll that
            // finds it answering starts the read it missed.
            ReloadWhenOnline = true;
            FlashDataMap cached;
            if (ReadFlashDataCache(SelectedCacheNameSafe(), cached)) {
                DeviceField::SetValuesUnknown(false);
                emit hub->SigUpDataLightUIButton(cached);
                emit hub->SigUpDataLightLight(cached);
                emit hub->SigUpDataLightSensor(cached);
                emit hub->SigForm();
            } else {
                // Never read and nothing kept: the pages show no value as the
                // mouse's until it answers.
                DeviceField::SetValuesUnknown(true);
                emit hub->SigFormReset();
            }
            // What the pages show is the last known state, not the mouse's:
            // the user learns at once that the mouse does not answer.
            emit hub->SigMouseOffLineo(0);
        }
        LastPath = info.Path;
        LastReceiverType = info.ReceiverType;
        UsbServerC_Start(path, path, OnDeviceEvent);
        qCDebug(lcDevice) << "OnlinA";
        UsbServer_SetPCDriverStatus(1);
        NoteReadRequested();
        UsbServer_ReadAllFlashData();
        LastRunOnline = DeviceOnline.load();
        qCDebug(lcDevice) << "OnlinB";
    }
    DeviceAnswered = DeviceOnline.load();
}
