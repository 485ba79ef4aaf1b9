// Control of single devices: plugging, the mouse's link and battery, changes
// made on the device itself, and what a device keeps.

#include "platform/vidide/SimControl.h"

#include "platform/vidide/SimState.h"

using namespace vidide;

namespace {

// Raises event 10 with the given flag bits when the device is the bound one.
void raiseStatusChange(SimState &state, int device, uint8_t bits)
{
    if (state.boundUsb == device && state.mouseReachable(device))
        postEvent(state.bindGeneration, state.answerDelayMs, VidEventStatusChanged, 0,
                  QByteArray(1, char(bits)));
}

// Every device that carries the same mouse (receiver and cable) sees its change.
void raiseForMouse(SimState &state, int mouse, uint8_t bits)
{
    for (int i = 0; i < state.usb.size(); ++i) {
        if (state.usb[i].mouse == mouse)
            raiseStatusChange(state, i, bits);
    }
}

} // namespace

bool SimPlug(int device, bool plugged)
{
    const bool ok = withDevice(device, [&](SimState &state, SimUsb &usb) {
        if (usb.plugged == plugged)
            return true;
        usb.plugged = plugged;
        if (!plugged && state.boundUsb == device) {
            // A removed device answers nothing more.
            state.boundUsb = -1;
            ++state.bindGeneration;
        }
        return true;
    });
    if (ok)
        notifyHotPlug();
    return ok;
}

bool SimSetMouseOnline(int device, bool online)
{
    return withDevice(device, [&](SimState &, SimUsb &usb) {
        if (!usb.receiver)
            return false;
        usb.mouseOnline = online;
        return true;
    });
}

bool SimSetBattery(int device, int percent, bool charging)
{
    return withDevice(device, [&](SimState &state, SimUsb &usb) {
        SimMouse *mouse = state.mouseOf(device);
        if (!mouse || percent < 0 || percent > 100)
            return false;
        mouse->battery = percent;
        mouse->charging = charging;
        raiseForMouse(state, usb.mouse, 1u << 6);
        return true;
    });
}

bool SimSetIdentityZeroCalls(int device, int calls)
{
    return withDevice(device, [&](SimState &, SimUsb &usb) {
        usb.identityZeroCalls = calls < 0 ? 0 : calls;
        return true;
    });
}

bool SimPressDpiButton(int device)
{
    bool ok = withDevice(device, [&](SimState &state, SimUsb &usb) {
        SimMouse *mouse = state.mouseOf(device);
        if (!mouse || !state.mouseReachable(device))
            return false;
        FlashDataMap map;
        if (!decodeMemory(reinterpret_cast<const unsigned char *>(
                              mouse->profiles[mouse->currentProfile].constData()),
                          VidFullReadLength, &map))
            return false;
        const int count = map.DpiLevelCount >= 1 && map.DpiLevelCount <= 8 ? map.DpiLevelCount : 1;
        map.CurrentDpiLevel = static_cast<uint8_t>((map.CurrentDpiLevel + 1) % count);
        mouse->profiles[mouse->currentProfile] = encodeMemory(map);
        raiseForMouse(state, usb.mouse, 1u << 0);
        return true;
    });
    if (ok)
        savePersistedState();
    return ok;
}

bool SimSwitchProfileOnDevice(int device, int profile)
{
    bool ok = withDevice(device, [&](SimState &state, SimUsb &usb) {
        SimMouse *mouse = state.mouseOf(device);
        if (!mouse || profile < 0 || profile >= ProfileCount || !state.mouseReachable(device))
            return false;
        mouse->currentProfile = profile;
        raiseForMouse(state, usb.mouse, 1u << 2);
        return true;
    });
    if (ok)
        savePersistedState();
    return ok;
}

bool SimChangeSettingsOnDevice(int device)
{
    return withDevice(device, [&](SimState &state, SimUsb &usb) {
        if (!state.mouseReachable(device))
            return false;
        raiseForMouse(state, usb.mouse, 1u << 2);
        return true;
    });
}

bool SimSetIndicatorOnDevice(int device, int mode)
{
    return withDevice(device, [&](SimState &state, SimUsb &usb) {
        if (!usb.receiver || mode < 0 || mode > 3)
            return false;
        usb.rgb.IndicatorMode = static_cast<uint8_t>(mode);
        if (state.boundUsb == device)
            postEvent(state.bindGeneration, state.answerDelayMs, VidEventReceiverLight, 0,
                      QByteArray(reinterpret_cast<const char *>(&usb.rgb), sizeof(DongleRGB)));
        return true;
    });
}

bool SimDropLongRangeOnDevice(int device)
{
    return withDevice(device, [&](SimState &state, SimUsb &) {
        SimMouse *mouse = state.mouseOf(device);
        if (!mouse)
            return false;
        mouse->longRange = false;
        if (state.boundUsb == device)
            postEvent(state.bindGeneration, state.answerDelayMs, VidEventLongRangeChanged, 0,
                      QByteArray(10, '\0'));
        return true;
    });
}

bool SimSetBootMode(int device, bool boot)
{
    bool ok = withDevice(device, [&](SimState &state, SimUsb &usb) {
        if (usb.receiver) {
            usb.bootMode = boot;
        } else {
            SimMouse *mouse = state.mouseOf(device);
            if (!mouse)
                return false;
            mouse->bootMode = boot;
            usb.bootMode = boot;
        }
        if (boot && state.boundUsb == device) {
            state.boundUsb = -1;
            ++state.bindGeneration;
        }
        return true;
    });
    if (ok) {
        savePersistedState();
        notifyHotPlug();
    }
    return ok;
}

bool SimMouseBlock(int device, FlashDataMap *map)
{
    return map && withDevice(device, [&](SimState &state, SimUsb &) {
               const SimMouse *mouse = state.mouseOf(device);
               return mouse && decodeMemory(reinterpret_cast<const unsigned char *>(
                                                mouse->profiles[mouse->currentProfile].constData()),
                                            VidFullReadLength, map);
           });
}

bool SimMouseProfileBlock(int device, int profile, FlashDataMap *map)
{
    if (!map || profile < 0 || profile >= ProfileCount)
        return false;
    return withDevice(device, [&](SimState &state, SimUsb &) {
        const SimMouse *mouse = state.mouseOf(device);
        return mouse && decodeMemory(reinterpret_cast<const unsigned char *>(
                                         mouse->profiles[profile].constData()),
                                     VidFullReadLength, map);
    });
}

bool SimSetMouseProfileBlock(int device, int profile, const FlashDataMap &map)
{
    if (profile < 0 || profile >= ProfileCount)
        return false;
    const bool ok = withDevice(device, [&](SimState &state, SimUsb &) {
        SimMouse *mouse = state.mouseOf(device);
        if (!mouse)
            return false;
        mouse->profiles[profile] = encodeMemory(map);
        return true;
    });
    if (ok)
        savePersistedState();
    return ok;
}

bool SimMouseProfile(int device, int *profile)
{
    return profile && withDevice(device, [&](SimState &state, SimUsb &) {
               const SimMouse *mouse = state.mouseOf(device);
               if (mouse)
                   *profile = mouse->currentProfile;
               return mouse != nullptr;
           });
}

bool SimIsBootMode(int device)
{
    bool boot = false;
    withDevice(device, [&](SimState &, SimUsb &usb) {
        boot = usb.bootMode;
        return true;
    });
    return boot;
}

int SimFirmwareVersion(int device)
{
    int version = -1;
    withDevice(device, [&](SimState &state, SimUsb &usb) {
        const SimMouse *mouse = state.mouseOf(device);
        version = usb.receiver ? usb.release : (mouse ? mouse->version : -1);
        return true;
    });
    return version;
}

int SimMouseVersion(int device)
{
    int version = -1;
    withDevice(device, [&](SimState &state, SimUsb &) {
        const SimMouse *mouse = state.mouseOf(device);
        version = mouse ? mouse->version : -1;
        return true;
    });
    return version;
}

bool SimLongRange(int device)
{
    bool on = false;
    withDevice(device, [&](SimState &state, SimUsb &) {
        const SimMouse *mouse = state.mouseOf(device);
        on = mouse && mouse->longRange;
        return true;
    });
    return on;
}

bool SimBatteryOptimize(int device)
{
    bool on = false;
    withDevice(device, [&](SimState &state, SimUsb &) {
        const SimMouse *mouse = state.mouseOf(device);
        on = mouse && mouse->batteryOptimize;
        return true;
    });
    return on;
}

bool SimReceiverId(int device, ReceiverId *id)
{
    return id && withDevice(device, [&](SimState &state, SimUsb &) {
               const SimMouse *mouse = state.mouseOf(device);
               if (mouse)
                   *id = mouse->receiverId;
               return mouse != nullptr;
           });
}
