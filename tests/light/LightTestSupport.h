#pragma once

// The light page on the simulated devices: device 0 is the 4K receiver with
// its wireless mouse (catalogue group Drive1), device 1 the wired mouse
// (Drive2). Reads go the real way: the library's event thread delivers the
// block and the page fills itself over the blocking hub signals.

#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include "../support/DeviceFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include <functional>

namespace LightTest {

using DeviceFixture::CountCalls;
using DeviceFixture::EmitFromThread;
using DeviceFixture::MouseBlock;
using DeviceFixture::WaitIdle;

const int Receiver4K = 0;
const int WiredMouse = 1;
const int CustomerId = DeviceFixture::FixtureCustomerId;

// Makes `device` the current device, online and bound to the event callback.
inline void UseDevice(int device)
{
    UsbServer_Exit();
    const bool wired = device == WiredMouse;
    const QByteArray path = DeviceFixture::MakeCurrentDevice(device, wired, wired ? 2 : 1);
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

// The child `name` of an editor; a missing one ends the run.
template <typename T> T *in(QWidget *editor, const char *name)
{
    return DeviceFixture::FindChildOrFail<T>(editor, name);
}

inline QStringList BarBytes(const LedBarBlock &b)
{
    return {QString::number(b.BarMode),  QString::number(b.ColorR),
            QString::number(b.ColorG),   QString::number(b.ColorB),
            QString::number(b.BarSpeed), QString::number(b.BarBrightness),
            QString::number(b.BarOn)};
}

} // namespace LightTest
