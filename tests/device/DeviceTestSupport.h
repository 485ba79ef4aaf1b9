#pragma once

// Stand-ins for the pages and the main window around the device link, so the
// device tests drive the real worker, events, chooser and dialogs against the
// simulated devices.

#include "common/SharedState.h"
#include "device/DeviceLink.h"
#include "device/DialogChange.h"
#include "hub/PostMsg.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include "../support/DeviceFixture.h"

#include <QList>
#include <QObject>
#include <QThread>

// Receives the page-refresh signals the way the pages do (blocking queued from
// the worker and library threads) and reports itself updated.
class FakePages : public QObject
{
    Q_OBJECT

public:
    explicit FakePages(bool reportUpdated = true) : ReportUpdated(reportUpdated)
    {
        PostMsg *hub = PostMsg::GetInstance();
        const auto blocking = Qt::BlockingQueuedConnection;
        connect(hub, &PostMsg::SigUpDataLightUIButton, this, &FakePages::onButton, blocking);
        connect(hub, &PostMsg::SigUpDataLightLight, this, &FakePages::onLight, blocking);
        connect(hub, &PostMsg::SigUpDataLightSensor, this, &FakePages::onSensor, blocking);
        connect(
            hub, &PostMsg::SigForm, this, [this] { ++Forms; }, blocking);
        connect(
            hub, &PostMsg::SigFormReset, this, [this] { ++FormResets; }, blocking);
        connect(
            hub, &PostMsg::SigBattery, this, [this](bool, int n, bool) { Battery = n; }, blocking);
        connect(hub, &PostMsg::SigUpDataLightUIA, this,
                [this](FlashDataMap m) { Imported.append(m); });
        connect(hub, &PostMsg::SigMouseOffLineo, this, [this](int i) { Offline.append(i); });
        connect(hub, &PostMsg::SigUpDataParam, this, [this](int i) { ParamRequests.append(i); });
        connect(hub, &PostMsg::SigChangeMainDialog, this, [this](int i) { PageChanges.append(i); });
    }

    bool ReportUpdated;
    QList<FlashDataMap> ButtonBlocks;
    QList<FlashDataMap> Imported;
    QList<int> Offline;
    QList<int> ParamRequests;
    QList<int> PageChanges;
    int Forms = 0;
    int FormResets = 0;
    int Battery = -1;

private slots:
    void onButton(FlashDataMap map)
    {
        ButtonBlocks.append(map);
        if (ReportUpdated)
            ButtonPageUpdated = true;
    }
    void onLight(FlashDataMap)
    {
        if (ReportUpdated)
            LightPageUpdated = true;
    }
    void onSensor(FlashDataMap)
    {
        if (ReportUpdated)
            SensorPageUpdated = true;
    }
};

// What the main window does on SigChangeMainDialog, reduced to the device link.
class MainWindowStub : public QObject
{
    Q_OBJECT

public:
    MainWindowStub()
    {
        connect(PostMsg::GetInstance(), &PostMsg::SigChangeMainDialog, this,
                &MainWindowStub::change);
    }
    int Page = 0;

private slots:
    void change(int index)
    {
        DeviceDataReady = true;
        if (index == 0) {
            DevicePageActive = 0;
            emit PostMsg::GetInstance()->SigMainPageChange();
            UsbServer_Exit();
            Page = 0;
            StartUsbChanged(OnChooserUsbChanged, 600);
        } else if (index == 1) {
            Page = 1;
            StartUsbChanged(OnDeviceUsbChanged, 600);
        }
    }
};

inline bool sameBlock(const FlashDataMap &a, const FlashDataMap &b)
{
    return memcmp(&a, &b, sizeof(FlashDataMap)) == 0;
}

constexpr auto countCalls = &DeviceFixture::CountCalls;

inline QByteArray lastBlockSent()
{
    const QList<SimCallRecord> log = SimCallLog();
    for (int i = log.size() - 1; i >= 0; --i) {
        if (log.at(i).function == QLatin1String("ProtocolDataUpdate"))
            return log.at(i).data;
    }
    return QByteArray();
}

inline void noDeviceEvents(const unsigned char *, int, const unsigned char *, int) {}

// The simulated devices' records: device 0 is the 4K receiver with its
// wireless mouse (Drive1), device 1 the wired mouse (Drive2).
inline DeviceAllInfo simDeviceRecord(int device)
{
    DeviceAllInfo info;
    info.Path = QString::fromUtf8(SimDevicePath(device));
    info.VidText = QStringLiteral("0x3A7C");
    info.PidText = device == 0 ? QStringLiteral("0x7C40") : QStringLiteral("0x7C01");
    info.CidMid = device == 0 ? (38 | (11 << 8)) : (38 | (12 << 8));
    info.ReceiverType = device == 0 ? 1 : 2;
    info.DriveIndex = device;
    info.Wired = device == 1;
    info.Online = true;
    return info;
}

// The wired mouse made current, bound (its events go nowhere) and owner of
// the block it holds; returns that block.
inline FlashDataMap makeWiredCurrent()
{
    const DeviceAllInfo info = simDeviceRecord(1);
    const QByteArray path = info.Path.toUtf8();
    SetCurrentDeviceInfo(info);
    SetCurrentDevicePath(path);
    UsbServerC_Start(path.constData(), path.constData(), noDeviceEvents);
    FlashDataMap block;
    SimMouseBlock(1, &block);
    ReplaceFlashData(block, {info.Path, CacheFileNameOf(info)});
    return block;
}
