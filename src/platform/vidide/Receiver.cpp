// Receiver features (lights, indicators, long range, identity written into a
// wired mouse), pairing and the raw exchange with one opened device.

#include "platform/vidide/Checksum.h"
#include "platform/vidide/SimState.h"

#include <cstring>

using namespace vidide;

namespace {

QString pathArg(const char *path)
{
    return QString::fromLatin1(path ? path : "(null)");
}

// Runs f on the receiver behind path (4K only when fourK); saves afterwards
// when f reports a change.
template <typename F> bool onReceiver(const char *function, const char *path, bool fourK, F f)
{
    logCall(function, pathArg(path));
    SimState &state = SimState::instance();
    bool changed = false;
    bool ok;
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        const int index = state.usbByPath(path);
        if (state.takeRefusal(function) || index < 0 || !state.usb[index].receiver ||
            (fourK && state.usb[index].connectionType != 1))
            return false;
        ok = f(state, state.usb[index], &changed);
    }
    if (changed)
        savePersistedState();
    return ok;
}

bool validBar(const LedBarBlock &bar)
{
    return bar.BarMode <= 6 && bar.BarSpeed <= 9 && bar.BarBrightness <= 9 && bar.BarOn <= 1;
}

} // namespace

bool UsbFinderC_Get4KDongleRGBValue(const char *path, DongleRGB *record)
{
    return record && onReceiver("UsbFinderC_Get4KDongleRGBValue", path, true,
                                [&](SimState &, SimUsb &usb, bool *) {
                                    *record = usb.rgb;
                                    // The receiver's own bytes: its address and firmware.
                                    std::memcpy(record->LibraryBytes, usb.address, 3);
                                    record->LibraryBytes[3] = uint8_t(usb.release & 0xFF);
                                    record->LibraryBytes[4] = uint8_t(usb.release >> 8);
                                    return true;
                                });
}

// Only the indicator choice is taken: the other bytes are the receiver's own,
// and a record that was never read holds zeros there.
bool UsbFinderC_Set4KDongleRGB(const char *path, const DongleRGB *record)
{
    return record && record->IndicatorMode <= 3 &&
           onReceiver("UsbFinderC_Set4KDongleRGB", path, true,
                      [&](SimState &, SimUsb &usb, bool *changed) {
                          usb.rgb.IndicatorMode = record->IndicatorMode;
                          *changed = true;
                          return true;
                      });
}

bool UsbFinderC_GetLongRangeMode(const char *path, unsigned char *probe)
{
    logCall("UsbFinderC_GetLongRangeMode", pathArg(path));
    if (!probe)
        return false;
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.usbByPath(path);
    if (state.takeRefusal("UsbFinderC_GetLongRangeMode") || !state.mouseReachable(index))
        return false;
    *probe = state.mouseOf(index)->longRange ? 1 : 0;
    return true;
}

bool UsbFinderC_SetLongRangeMode(const char *path, bool on)
{
    logCall("UsbFinderC_SetLongRangeMode", pathArg(path) + QLatin1Char(',') + QString::number(on));
    SimState &state = SimState::instance();
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        const int index = state.usbByPath(path);
        if (state.takeRefusal("UsbFinderC_SetLongRangeMode") || !state.mouseReachable(index))
            return false;
        state.mouseOf(index)->longRange = on;
    }
    savePersistedState();
    return true;
}

bool UsbFinderC_GetDongleRGBBarMode(const char *path, LedBarBlock *record)
{
    return record && onReceiver("UsbFinderC_GetDongleRGBBarMode", path, false,
                                [&](SimState &, SimUsb &usb, bool *) {
                                    *record = usb.bar;
                                    return true;
                                });
}

bool UsbFinderC_SetDongleRGBBarMode(const char *path, const LedBarBlock *record)
{
    return record && validBar(*record) &&
           onReceiver("UsbFinderC_SetDongleRGBBarMode", path, false,
                      [&](SimState &, SimUsb &usb, bool *changed) {
                          usb.bar = *record;
                          *changed = true;
                          return true;
                      });
}

bool UsbFinderC_GetDongleIndicatorLed(const char *path, DongleIndicatorLed *record)
{
    return record && onReceiver("UsbFinderC_GetDongleIndicatorLed", path, false,
                                [&](SimState &, SimUsb &usb, bool *) {
                                    *record = usb.leds;
                                    return true;
                                });
}

bool UsbFinderC_SetDongleIndicatorLed(const char *path, const DongleIndicatorLed *record)
{
    return record && record->Led[0] <= 3 && record->Led[1] <= 3 && record->Led[2] <= 3 &&
           onReceiver("UsbFinderC_SetDongleIndicatorLed", path, false,
                      [&](SimState &, SimUsb &usb, bool *changed) {
                          usb.leds = *record;
                          *changed = true;
                          return true;
                      });
}

bool UsbFinderC_SetDongleIDToMouse(const char *path, const ReceiverId *id)
{
    logCall("UsbFinderC_SetDongleIDToMouse", pathArg(path));
    if (!id)
        return false;
    SimState &state = SimState::instance();
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        const int index = state.usbByPath(path);
        if (state.takeRefusal("UsbFinderC_SetDongleIDToMouse") || index < 0 ||
            state.usb[index].receiver || !state.mouseReachable(index))
            return false;
        SimMouse &mouse = *state.mouseOf(index);
        mouse.receiverId = *id;
        // The id carries the receiver address in reverse order.
        mouse.pairedAddress[0] = id->Address[2];
        mouse.pairedAddress[1] = id->Address[1];
        mouse.pairedAddress[2] = id->Address[0];
    }
    savePersistedState();
    return true;
}

bool UsbServer_EnterDonglePairOnlyCid(uint8_t cid)
{
    logCall("UsbServer_EnterDonglePairOnlyCid", QString::number(cid));
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.boundUsb;
    if (state.takeRefusal("UsbServer_EnterDonglePairOnlyCid") || index < 0 ||
        !state.usb[index].receiver || state.usb[index].cid != cid)
        return false;
    state.pairing = true;
    state.pairPollsSeen = 0;
    postEvent(state.bindGeneration, state.answerDelayMs, VidEventPairStatus, 0, QByteArray(1, 1));
    return true;
}

bool UsbServer_ReadDonglePairStatus()
{
    logCall("UsbServer_ReadDonglePairStatus", QString());
    SimState &state = SimState::instance();
    bool paired = false;
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        const int index = state.boundUsb;
        if (state.takeRefusal("UsbServer_ReadDonglePairStatus") || index < 0 ||
            !state.usb[index].receiver)
            return false;
        uint8_t status = 0; // not pairing
        if (state.pairing) {
            status = 1;
            if (state.pairOutcome != 1 && ++state.pairPollsSeen > state.pairPollsBeforeResult) {
                status = state.pairOutcome == 3 ? 3 : 2;
                state.pairing = false;
                SimMouse *mouse = state.mouseOf(index);
                if (status == 3 && mouse) {
                    SimUsb &usb = state.usb[index];
                    usb.mouseOnline = true;
                    std::memcpy(mouse->pairedAddress, usb.address, 3);
                    paired = true;
                }
            }
        }
        if (!state.takeDrop("UsbServer_ReadDonglePairStatus"))
            postEvent(state.bindGeneration, state.answerDelayMs, VidEventPairStatus, 0,
                      QByteArray(1, char(status)));
    }
    if (paired)
        savePersistedState();
    return true;
}

bool UsbFinderC_OpenDevice(const char *path)
{
    logCall("UsbFinderC_OpenDevice", pathArg(path));
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    state.openedUsb = state.usbByPath(path);
    return state.openedUsb >= 0 && !state.takeRefusal("UsbFinderC_OpenDevice");
}

// The device echoes a packet with its own check byte at the end.
bool UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *answer, int length)
{
    logCall("UsbFinderC_ReadWriteDeviceData", QString::number(length),
            packet && length > 0 ? QByteArray(reinterpret_cast<const char *>(packet), length)
                                 : QByteArray());
    if (!packet || !answer || length < 2)
        return false;
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    const int index = state.openedUsb;
    if (index < 0 || index >= state.usb.size() || !state.usb[index].plugged ||
        state.usb[index].bootMode)
        return false;
    std::memmove(answer, packet, size_t(length));
    answer[length - 1] = sumCheck(answer, size_t(length - 1));
    return true;
}
