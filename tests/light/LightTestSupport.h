#pragma once

// The light page on the simulated devices: device 0 is the 4K receiver with
// its wireless mouse (catalogue group Drive1), device 1 the wired mouse
// (Drive2). Reads go the real way: the library's event thread delivers the
// block and the page fills itself over the blocking hub signals.

#include "app/PostMsg.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <functional>

namespace LightTest {

const int Receiver4K = 0;
const int WiredMouse = 1;
const int CustomerId = 38;

// Device events reach the page over blocking connections, so the GUI thread
// keeps processing events while the simulation finishes its work.
inline bool WaitIdle()
{
    QElapsedTimer timer;
    timer.start();
    while (!SimWaitIdle(1)) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    return true;
}

// Makes `device` the current device, online and bound to the event callback.
inline void UseDevice(int device)
{
    UsbServer_Exit();
    const QByteArray path(SimDevicePath(device));
    SetCurrentDevicePath(path);
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(path);
    const bool wired = device == WiredMouse;
    info.DriveIndex = wired ? 1 : 0;
    info.ReceiverType = wired ? 2 : 1;
    info.Wired = wired;
    info.Online = true;
    info.CidMid = uint16_t(CustomerId | ((wired ? 12 : 11) << 8));
    SetCurrentDeviceInfo(info);
    SetSelectedCacheName(CacheFileName(CustomerId, wired ? 12 : 11));
    DeviceOnline = true;
    DeviceDataReady = true;
    UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent);
}

// A full read of the current device; true when the light page applied it.
inline bool FullRead()
{
    LightPageUpdated = false;
    if (!UsbServer_ReadAllFlashData())
        return false;
    QElapsedTimer timer;
    timer.start();
    while (!LightPageUpdated && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return LightPageUpdated && WaitIdle();
}

// The mouse takes `block`, then the device link reads it back whole.
inline bool ReadBlock(int device, const std::function<void(FlashDataMap &)> &change)
{
    FlashDataMap block{};
    if (!WaitIdle() || !SimMouseBlock(device, &block))
        return false;
    change(block);
    return ProtocolDataUpdate(&block) && WaitIdle() && FullRead();
}

inline FlashDataMap MouseBlock(int device)
{
    FlashDataMap map{};
    WaitIdle();
    SimMouseBlock(device, &map);
    return map;
}

inline LedBarBlock ReceiverBar(int device)
{
    LedBarBlock bar{};
    UsbFinderC_GetDongleRGBBarMode(SimDevicePath(device), &bar);
    return bar;
}

// Sets the 4K receiver's indicator choice without an event.
inline bool SetIndicatorOnReceiver(int mode)
{
    DongleRGB record{};
    record.IndicatorMode = uint8_t(mode);
    return UsbFinderC_Set4KDongleRGB(SimDevicePath(Receiver4K), &record);
}

inline int CountCalls(const char *function)
{
    int n = 0;
    for (const SimCallRecord &call : SimCallLog()) {
        if (call.function == QLatin1String(function))
            ++n;
    }
    return n;
}

// Emits from another thread, as the device library and the worker do.
inline void EmitFromThread(const std::function<void()> &emitter)
{
    QThread *thread = QThread::create(emitter);
    thread->start();
    QElapsedTimer timer;
    timer.start();
    while (!thread->isFinished() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    thread->wait();
    delete thread;
}

inline QStringList BarBytes(const LedBarBlock &b)
{
    return {QString::number(b.BarMode),  QString::number(b.ColorR),
            QString::number(b.ColorG),   QString::number(b.ColorB),
            QString::number(b.BarSpeed), QString::number(b.BarBrightness),
            QString::number(b.BarOn)};
}

} // namespace LightTest
