// The server: one bound device, its event callback and the requests whose
// answers come back as events on the library's event thread.

#include "platform/vidide/Checksum.h"
#include "platform/vidide/Dispatcher.h"
#include "platform/vidide/SimState.h"

#include <cstring>

namespace vidide {

void postEvent(quint64 generation, int delayMs, uint8_t code, uint8_t sub,
               const QByteArray &payload)
{
    eventDispatcher().post(delayMs, [generation, code, sub, payload] {
        SimState &state = SimState::instance();
        DeviceEventCallback callback = nullptr;
        {
            std::lock_guard<std::mutex> lock(state.mutex());
            // An answer of an earlier binding is lost, as on a re-opened device.
            if (state.bindGeneration == generation)
                callback = state.eventCallback;
        }
        if (!callback)
            return;
        const unsigned char header[VidEventHeaderLength] = {0xA5, code, 0, 0, sub};
        callback(header, VidEventHeaderLength,
                 reinterpret_cast<const unsigned char *>(payload.constData()), payload.size());
    });
}

bool eventQueueIdle()
{
    return eventDispatcher().idle();
}

} // namespace vidide

using namespace vidide;

namespace {

struct Answer
{
    uint8_t code;
    uint8_t sub;
    QByteArray payload;
};

bool currentBlock(const SimMouse &mouse, FlashDataMap *map)
{
    return decodeMemory(
        reinterpret_cast<const unsigned char *>(mouse.profiles[mouse.currentProfile].constData()),
        VidFullReadLength, map);
}

QByteArray withCheck(QByteArray payload)
{
    payload.append(char(sumCheck(reinterpret_cast<const unsigned char *>(payload.constData()),
                                 size_t(payload.size()))));
    return payload;
}

enum class Change
{
    None,
    Saved
};

// Runs one request on the bound device: refused when nothing is bound, the
// mouse does not answer or a refusal is pending; the answer made by build is
// posted after the answer delay unless a drop is pending.
template <typename Build> bool request(const char *function, const QString &args, Build build)
{
    logCall(function, args);
    SimState &state = SimState::instance();
    bool save = false;
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        if (state.takeRefusal(function) || state.boundUsb < 0 ||
            !state.mouseReachable(state.boundUsb))
            return false;
        if (state.takeLoss(function))
            return true;
        SimMouse &mouse = *state.mouseOf(state.boundUsb);
        Answer answer{0, 0, QByteArray()};
        Change change = Change::None;
        if (!build(state, mouse, &answer, &change))
            return false;
        save = change == Change::Saved;
        if (answer.code != 0 && !state.takeDrop(function))
            postEvent(state.bindGeneration, state.answerDelayMs, answer.code, answer.sub,
                      answer.payload);
    }
    if (save)
        savePersistedState();
    return true;
}

} // namespace

bool UsbServerC_Start(const char *path, const char *path2, DeviceEventCallback callback)
{
    logCall("UsbServerC_Start", QString::fromLatin1(path ? path : "(null)"));
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    // Rebinding never waits for the event thread: answers of the old binding are
    // dropped by their generation when they come due.
    ++state.bindGeneration;
    state.boundUsb = -1;
    state.eventCallback = nullptr;
    state.pairing = false;
    if (state.takeRefusal("UsbServerC_Start") || !callback || !path ||
        (path2 && std::strcmp(path, path2) != 0))
        return false;
    const int device = state.usbByPath(path);
    if (device < 0)
        return false;
    state.boundUsb = device;
    state.eventCallback = callback;
    return true;
}

void UsbServer_Exit()
{
    logCall("UsbServer_Exit", QString());
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    ++state.bindGeneration;
    state.boundUsb = -1;
    state.eventCallback = nullptr;
    state.pairing = false;
}

bool UsbServer_SetPCDriverStatus(int active)
{
    return request("UsbServer_SetPCDriverStatus", QString::number(active),
                   [&](SimState &, SimMouse &mouse, Answer *, Change *) {
                       mouse.pcDriver = active != 0;
                       return true;
                   });
}

bool UsbServer_ReadAllFlashData()
{
    return request(
        "UsbServer_ReadAllFlashData", QString(),
        [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
            *answer = {VidEventParameters, VidSubBlock, mouse.profiles[mouse.currentProfile]};
            return true;
        });
}

bool UsbServer_ReadCurrentDPI()
{
    return request("UsbServer_ReadCurrentDPI", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       FlashDataMap map;
                       if (!currentBlock(mouse, &map))
                           return false;
                       *answer = {VidEventParameters, VidSubDpiLevel,
                                  QByteArray(1, char(map.CurrentDpiLevel))};
                       return true;
                   });
}

bool UsbServer_ReadReportRate()
{
    return request(
        "UsbServer_ReadReportRate", QString(),
        [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
            FlashDataMap map;
            if (!currentBlock(mouse, &map))
                return false;
            *answer = {VidEventParameters, VidSubBlock, QByteArray(1, char(map.ReportRateCode))};
            return true;
        });
}

bool UsbServer_ReadBatteryLevel()
{
    return request("UsbServer_ReadBatteryLevel", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       QByteArray payload;
                       payload.append(char(mouse.battery));
                       payload.append(char(mouse.charging ? 1 : 0));
                       payload.append('\0');
                       *answer = {VidEventBattery, 0, withCheck(payload)};
                       return true;
                   });
}

bool UsbServer_ReadLedBar()
{
    return request("UsbServer_ReadLedBar", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       FlashDataMap map;
                       if (!currentBlock(mouse, &map))
                           return false;
                       const LedBarBlock &bar = map.LedBar;
                       const char bytes[8] = {char(bar.BarOn),         char(bar.BarMode),
                                              char(bar.ColorR),        char(bar.ColorG),
                                              char(bar.ColorB),        char(bar.BarSpeed),
                                              char(bar.BarBrightness), 0};
                       *answer = {VidEventParameters, VidSubLedBar,
                                  withCheck(QByteArray(bytes, sizeof(bytes)))};
                       return true;
                   });
}

bool UsbServer_ReadDPILed()
{
    return request("UsbServer_ReadDPILed", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       FlashDataMap map;
                       if (!currentBlock(mouse, &map))
                           return false;
                       const DpiLedBlock &led = map.DpiLed;
                       const char bytes[7] = {char(led.EffectOn),
                                              char(led.EffectMode),
                                              char(led.EffectBrightness),
                                              char(led.EffectSpeed),
                                              0,
                                              0,
                                              0};
                       *answer = {VidEventParameters, VidSubDpiLed,
                                  withCheck(QByteArray(bytes, sizeof(bytes)))};
                       return true;
                   });
}

bool UsbServer_ReadVersion()
{
    return request("UsbServer_ReadVersion", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       const char bytes[2] = {char(mouse.version & 0xFF), char(mouse.version >> 8)};
                       *answer = {VidEventVersion, 0, QByteArray(bytes, 2)};
                       return true;
                   });
}

bool UsbServer_ReadConfig()
{
    return request("UsbServer_ReadConfig", QString(),
                   [](SimState &, SimMouse &mouse, Answer *answer, Change *) {
                       *answer = {VidEventProfile, 0, QByteArray(1, char(mouse.currentProfile))};
                       return true;
                   });
}

bool UsbServer_SetCurrentConfig(uint8_t index)
{
    return request("UsbServer_SetCurrentConfig", QString::number(index),
                   [&](SimState &, SimMouse &mouse, Answer *answer, Change *change) {
                       if (index >= ProfileCount)
                           return false;
                       mouse.currentProfile = index;
                       *change = Change::Saved;
                       *answer = {VidEventProfile, 0, QByteArray(1, char(index))};
                       return true;
                   });
}

bool UsbServer_GetCurrentConfig(uint8_t *index)
{
    logCall("UsbServer_GetCurrentConfig", QString());
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    if (!index || state.takeRefusal("UsbServer_GetCurrentConfig") || state.boundUsb < 0 ||
        !state.mouseReachable(state.boundUsb))
        return false;
    *index = static_cast<uint8_t>(state.mouseOf(state.boundUsb)->currentProfile);
    return true;
}

bool UsbServer_SetClearSetting()
{
    return request("UsbServer_SetClearSetting", QString(),
                   [](SimState &state, SimMouse &mouse, Answer *answer, Change *change) {
                       state.resetMouseProfile(mouse, mouse.currentProfile);
                       *change = Change::Saved;
                       *answer = {VidEventResetDone, 0, QByteArray(1, '\0')};
                       return true;
                   });
}

bool UsbServer_SetBatteryOptimizeEnable(bool enable)
{
    return request("UsbServer_SetBatteryOptimizeEnable", QString::number(enable ? 1 : 0),
                   [&](SimState &, SimMouse &mouse, Answer *, Change *change) {
                       mouse.batteryOptimize = enable;
                       *change = Change::Saved;
                       return true;
                   });
}

bool ProtocolDataUpdate(const FlashDataMap *map)
{
    if (!map) {
        logCall("ProtocolDataUpdate", QStringLiteral("(null)"));
        return false;
    }
    // The block is taken whole at the moment of the call.
    const QByteArray block(reinterpret_cast<const char *>(map), sizeof(FlashDataMap));
    const QByteArray image = encodeMemory(*map);
    SimState &state = SimState::instance();
    logCall("ProtocolDataUpdate", QString::number(block.size()), block);
    {
        std::lock_guard<std::mutex> lock(state.mutex());
        if (state.takeRefusal("ProtocolDataUpdate") || state.boundUsb < 0 ||
            !state.mouseReachable(state.boundUsb))
            return false;
        SimMouse &mouse = *state.mouseOf(state.boundUsb);
        mouse.profiles[mouse.currentProfile] = image;
    }
    savePersistedState();
    return true;
}
