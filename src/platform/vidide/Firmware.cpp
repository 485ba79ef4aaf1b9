// Firmware upgrade: boot-mode devices and the flashing of an image. A device
// being flashed leaves normal mode at once; it comes back with the new
// firmware only when the whole image went through, else it stays a boot
// device until a good image is flashed.

#include "platform/vidide/Dispatcher.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimState.h"

#include <memory>

using namespace vidide;

namespace {

struct UpgradeRun
{
    quint64 id;
    int device;
    FirmwareInfo info;
    UpgradeEventCallback callback;
    int timeoutMs;
    SimUpgradeFault fault;
    int faultPercent;
    int stepMs;
};

bool takesImage(SimState &state, int index, const FirmwareInfo &info, bool bootOnly)
{
    const SimUsb &usb = state.usb[index];
    if (!usb.plugged || (bootOnly && !usb.bootMode))
        return false;
    if (info.kind == FirmwareKindReceiver)
        return usb.receiver && usb.cid == info.cid && usb.mid == info.mid &&
               usb.modelName == info.modelName;
    if (info.kind != FirmwareKindMouse || usb.receiver)
        return false;
    const SimMouse *mouse = state.mouseOf(index);
    return mouse && mouse->cid == info.cid && mouse->mid == info.mid &&
           mouse->modelName == info.modelName;
}

void sendPacket(const std::shared_ptr<UpgradeRun> &run, uint8_t type, uint8_t value)
{
    const unsigned char packet[VidUpgradePacketLength] = {7, type, value, 0, 0, 0, 0, 0};
    run->callback(packet);
}

// True while the run has not been cancelled by a reset of the simulation.
bool current(const std::shared_ptr<UpgradeRun> &run)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    return state.upgradeRun == run->id;
}

void completeFlash(const std::shared_ptr<UpgradeRun> &run)
{
    SimState &state = SimState::instance();
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        SimUsb &usb = state.usb[run->device];
        usb.bootMode = false;
        if (usb.receiver) {
            usb.release = static_cast<uint16_t>(run->info.version);
        } else if (SimMouse *mouse = state.mouseOf(run->device)) {
            mouse->version = static_cast<uint16_t>(run->info.version);
            mouse->bootMode = false;
        }
    }
    savePersistedState();
    notifyHotPlug();
}

void step(const std::shared_ptr<UpgradeRun> &run, int percent)
{
    if (!current(run))
        return;
    const bool faultHere = run->fault != SimUpgradeFault::None && percent >= run->faultPercent;
    if (faultHere) {
        switch (run->fault) {
        case SimUpgradeFault::FailAt:
            sendPacket(run, 2, 0);
            return;
        case SimUpgradeFault::UnplugAt: {
            SimState &state = SimState::instance();
            {
                std::lock_guard<std::mutex> lock(state.mutex());
                state.usb[run->device].plugged = false;
            }
            notifyHotPlug();
            sendPacket(run, 2, 0);
            return;
        }
        case SimUpgradeFault::Hang:
            // Silence until the caller's time-out, then the run is given up.
            upgradeDispatcher().post(run->timeoutMs, [run] {
                if (current(run))
                    sendPacket(run, 2, 0);
            });
            return;
        case SimUpgradeFault::FinishEarly:
            completeFlash(run);
            sendPacket(run, 2, 1);
            return;
        case SimUpgradeFault::None:
            break;
        }
    }
    sendPacket(run, 1, static_cast<uint8_t>(percent));
    if (percent >= 100) {
        completeFlash(run);
        sendPacket(run, 2, 1);
        return;
    }
    upgradeDispatcher().post(run->stepMs, [run, percent] { step(run, percent + 10); });
}

} // namespace

bool UsbUpgradeC_FindBootDevices(const unsigned char *image, int *count, int imageLength)
{
    logCall("UsbUpgradeC_FindBootDevices", QString::number(imageLength));
    if (!count)
        return false;
    FirmwareInfo info;
    if (!readFirmwareHeader(image, imageLength, &info)) {
        *count = 0;
        return false;
    }
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    int found = 0;
    for (int i = 0; i < state.usb.size(); ++i) {
        if (takesImage(state, i, info, true))
            ++found;
    }
    *count = found;
    return true;
}

bool UsbUpgrade_Start(const unsigned char *image, UpgradeEventCallback callback, int timeoutMs,
                      int imageLength)
{
    logCall("UsbUpgrade_Start",
            QString::number(imageLength) + QLatin1Char(',') + QString::number(timeoutMs));
    FirmwareInfo info;
    if (!callback || timeoutMs <= 0 ||
        checkFirmwareImage(image, imageLength) != FirmwareCheck::Ok ||
        !readFirmwareHeader(image, imageLength, &info))
        return false;
    auto run = std::make_shared<UpgradeRun>();
    int startDelay;
    SimState &state = SimState::instance();
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        if (state.takeRefusal("UsbUpgrade_Start"))
            return false;
        int target = -1;
        int candidates = 0;
        for (int i = 0; i < state.usb.size(); ++i) {
            if (takesImage(state, i, info, false)) {
                target = i;
                ++candidates;
            }
        }
        // Flashing one of several identical devices is a guess; refuse it.
        if (candidates != 1)
            return false;
        run->id = ++state.upgradeRun;
        run->device = target;
        run->info = info;
        run->callback = callback;
        run->timeoutMs = timeoutMs;
        run->fault = static_cast<SimUpgradeFault>(state.upgradeFault);
        run->faultPercent = state.upgradeFaultPercent;
        run->stepMs = state.upgradeStepMs;
        startDelay = state.upgradeStartDelayMs;
        state.upgradeFault = 0;
        SimUsb &usb = state.usb[target];
        if (usb.failNextFlashAt >= 0) {
            run->fault = SimUpgradeFault::FailAt;
            run->faultPercent = usb.failNextFlashAt;
            usb.failNextFlashAt = -1;
        }
        usb.bootMode = true;
        if (SimMouse *mouse = usb.receiver ? nullptr : state.mouseOf(target))
            mouse->bootMode = true;
        if (state.boundUsb == target) {
            state.boundUsb = -1;
            ++state.bindGeneration;
        }
    }
    savePersistedState();
    notifyHotPlug();
    upgradeDispatcher().post(startDelay, [run] { step(run, 0); });
    return true;
}
