#pragma once

// Set-up shared by the page tests that drive the simulated devices: device 0
// is the 4K receiver with its wireless mouse (catalogue group Drive1), device 1
// the wired mouse (Drive2), both of customer 38.

#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QPair>
#include <QThread>
#include <QWidget>

#include <cstring>
#include <functional>

namespace DeviceFixture {

const int FixtureCustomerId = 38;

// Device events reach the pages over blocking connections, so the GUI thread
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

// The block the simulated mouse of `device` holds once it is idle.
inline FlashDataMap MouseBlock(int device)
{
    FlashDataMap map{};
    WaitIdle();
    SimMouseBlock(device, &map);
    return map;
}

// The block the simulated mouse of `device` keeps for `profile` once idle.
inline FlashDataMap ProfileBlock(int device, int profile)
{
    FlashDataMap map{};
    WaitIdle();
    SimMouseProfileBlock(device, profile, &map);
    return map;
}

inline bool SameBlock(const FlashDataMap &a, const FlashDataMap &b)
{
    return std::memcmp(&a, &b, sizeof(FlashDataMap)) == 0;
}

// How often the simulated library was called as `function`.
inline int CountCalls(const char *function)
{
    int n = 0;
    for (const SimCallRecord &call : SimCallLog()) {
        if (call.function == QLatin1String(function))
            ++n;
    }
    return n;
}

// Makes simulated `device` the current device, online with its data read:
// model 12 when wired, 11 behind the receiver. Returns its path; the caller
// binds the event callback.
inline QByteArray MakeCurrentDevice(int device, bool wired,
                                    uint8_t receiverType = UnknownReceiverType)
{
    const QByteArray path(SimDevicePath(device));
    const int model = wired ? 12 : 11;
    SetCurrentDevicePath(path);
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(path);
    info.DriveIndex = wired ? 1 : 0;
    info.ReceiverType = receiverType;
    info.Wired = wired;
    info.Online = true;
    info.CidMid = uint16_t(FixtureCustomerId | (model << 8));
    SetCurrentDeviceInfo(info);
    SetSelectedCacheName(CacheFileName(FixtureCustomerId, model));
    DeviceOnline = true;
    DeviceDataReady = true;
    return path;
}

// Emits from another thread, as the device library and the worker do, so the
// blocking connections can run on this one.
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

// The child `name` of `parent`; a missing one ends the test run at once.
template <typename T> T *FindChildOrFail(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// The function-menu texts the button and assignment pages show: the five
// mouse buttons, the menu entries plus `extra` ones, and the macro prefix.
inline void FillKeyOptions(const QList<QPair<const char *, const char *>> &extra)
{
    LabelMultiMap &options = KeyOptionsLabels[0];
    options.clear();
    // All texts of a key come back last read first: element 3 is read first.
    for (const char *text : {"Left click", "Scroll left", "Scroll up", "DPI loop"})
        options.insert("0x0100", text);
    for (const char *text : {"Right click", "Scroll right", "Scroll down", "Right"})
        options.insert("0x0200", text);
    options.insert("0x0400", "Middle click");
    options.insert("0x0800", "Back");
    options.insert("0x1000", "Forward");
    const QList<QPair<const char *, const char *>> keyed = {
        {"7", "Report rate"},    {"9", "Profile"},
        {"4", "Fire"},           {"5", "Combination"},
        {"10", "Disabled"},      {"B", "Vertical scroll"},
        {"3", "Horizontal"},     {"6", "Macro"},
        {"11", "Lights"},        {"2", "DPI"},
        {"1005", "Multimedia"},  {"12", "DPI lock"},
        {"0x00E9", "Volume up"}, {"0x0221", "Search"},
        {"13", "All lights"},    {"14", "DPI light"},
        {"15", "Light bar"},     {"16", "Bar effect"}};
    for (const auto &k : keyed + extra)
        options.insert(k.first, k.second);
    MacroLabels[0]["MacroSeond"] = "Macro: ";
}

} // namespace DeviceFixture
