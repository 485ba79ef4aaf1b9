#pragma once

// Inner state of the simulated devices. Everything here is guarded by
// SimState::mutex(); no callback is ever called while it is held.

#include "platform/vidide/FlashDataMap.h"
#include "platform/vidide/VidIde.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <functional>
#include <mutex>

class QJsonObject;

namespace vidide {

constexpr int ProfileCount = 4;

// A USB bus holds at most 127 devices: no device set holds more.
constexpr int MaxSimDevices = 127;
// Room for one device of a device-set file: its numbers, flags and texts
// (names, keys) written out generously, white space included.
constexpr qint64 MaxDeviceSetBytesPerDevice = 4096;
constexpr qint64 MaxDeviceSetFileBytes = MaxSimDevices * MaxDeviceSetBytesPerDevice;
// The state file keeps the built-in and the custom device set; each mouse
// stores its profiles as Base64 texts beside a few short fields.
constexpr int StateFileSets = 2;
constexpr qint64 MaxStateBytesPerMouse = ProfileCount * ((VidFullReadLength + 2) / 3 * 4) + 2048;
constexpr qint64 MaxStateFileBytes = StateFileSets * MaxSimDevices * MaxStateBytesPerMouse;

// A mouse: its identity, its firmware and the memory it keeps.
struct SimMouse
{
    QString key; // stable name of the mouse in the state file
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray modelName; // firmware model name, matched against image headers
    uint16_t version = 0x0100;
    int battery = 100;
    bool charging = false;
    bool longRange = false;
    bool batteryOptimize = true;
    bool pcDriver = false;
    int currentProfile = 0;
    QByteArray profiles[ProfileCount]; // compact memory images (VidFullReadLength bytes)
    uint8_t pairedAddress[3] = {0, 0, 0};
    bool bootMode = false;   // a failed flash left it without a working firmware
    ReceiverId receiverId{}; // last receiver identity written into it by cable
};

// A USB device: a receiver (with the mouse paired to it) or a mouse on its cable.
struct SimUsb
{
    QByteArray path;     // normal-mode HID path, interned for the whole process
    QByteArray bootPath; // path while in boot mode
    uint16_t vid = 0;
    uint16_t pid = 0;
    uint16_t release = 0x0100; // receiver firmware, or the mouse firmware when wired
    bool receiver = false;
    uint8_t connectionType = 2;
    int mouse = -1; // index into SimState::mice
    bool plugged = true;
    bool mouseOnline = true; // the wireless link of a receiver
    uint8_t address[3] = {0, 0, 0};
    // receiver's own firmware identity (images of kind 211)
    uint8_t cid = 0;
    uint8_t mid = 0;
    QByteArray modelName;
    bool bootMode = false;
    DongleRGB rgb{};
    LedBarBlock bar{};
    DongleIndicatorLed leds{};
    int identityZeroCalls = 0;
    uint8_t pendingPairResult = 0;
    int failNextFlashAt = -1; // percentage at which its next flash fails; -1 none
};

struct CatalogueModel
{
    uint8_t mid;
    QByteArray mouseModel;
    int levelCount;
    QVector<int> dpis;   // DPI of each level, for the fallback code rule
    QVector<int> codes;  // sensor code and flag byte per level, as the program decodes them
    QVector<int> colors; // r, g, b per level
    QVector<int> keys;   // category, param1, param2 per button
    int longRangeDefault;
    int indicatorDefault;
};

class SimState
{
public:
    static SimState &instance();
    std::mutex &mutex() { return m_mutex; }

    QVector<SimMouse> mice;
    QVector<SimUsb> usb;
    QString stateKeyPrefix; // distinguishes device sets in the state file

    // Server binding.
    int boundUsb = -1;
    DeviceEventCallback eventCallback = nullptr;
    quint64 bindGeneration = 0;
    int answerDelayMs = 3;

    // Pairing outcome for the next attempt: 3 success, 2 failure; polls before it.
    int pairOutcome = 3;
    int pairPollsBeforeResult = 1;
    int pairPollsSeen = 0;
    bool pairing = false;

    // Raw exchange of UsbFinderC_OpenDevice.
    int openedUsb = -1;

    // Upgrade faults for tests.
    int upgradeFault = 0;
    int upgradeFaultPercent = 0;
    int upgradeStartDelayMs = 1500; // after the caller's next one-second tick
    int upgradeStepMs = 100;
    quint64 upgradeRun = 0;

    // Faults for tests.
    QHash<QByteArray, int> refuseNext;
    QHash<QByteArray, int> passBeforeRefusal; // calls that pass before refuseNext counts
    QHash<QByteArray, int> dropNext;
    QHash<QByteArray, int> loseNext;

    // Lookups (mutex held).
    int usbByPath(const char *path) const;    // plugged, normal mode
    int usbByAnyPath(const char *path) const; // plugged, normal or boot mode
    SimMouse *mouseOf(int usbIndex);
    bool mouseReachable(int usbIndex) const; // the mouse answers through this device
    bool takeRefusal(const char *function);
    bool takeDrop(const char *function);
    bool takeLoss(const char *function);

    void reload();    // device set, paths and persisted memory; mutex held
    void loadSet();   // the device set alone: ORVAK_SIM_DEVICES, else the built-in one
    void finishSet(); // paths, bindings and persisted memory of a new set; mutex held
    void loadDefaultSet();
    bool loadJsonSet(const QByteArray &json, QString *error);
    void resetMouseProfile(SimMouse &mouse, int profile) const;
    static const CatalogueModel *model(uint8_t mid);
    // Whether `stored` (a state file's object) holds the devices of the set
    // the library loads now exactly as they leave the factory.
    static bool isFactoryState(const QJsonObject &stored);

private:
    SimState() = default;
    std::mutex m_mutex;
};

// Interned path strings: never freed, so a path handed out stays valid.
const char *internPath(const QByteArray &path);

// The compact memory format of the device.
QByteArray encodeMemory(const FlashDataMap &map);
bool decodeMemory(const unsigned char *data, int length, FlashDataMap *map);
void defaultBlock(const CatalogueModel *model, FlashDataMap *map);

// Persistence of the mice's memory and firmware in the per-user folder.
QString stateFilePath();
void loadPersistedState(SimState &state); // mutex held by the caller
void savePersistedState();                // takes the mutex itself; call without it

// Call log and notifications.
void logCall(const char *function, const QString &args, const QByteArray &data = QByteArray());
void notifyHotPlug();

// Event delivery on the library's event thread.
void postEvent(quint64 generation, int delayMs, uint8_t code, uint8_t sub,
               const QByteArray &payload);
void postUpgradeJob(int delayMs, std::function<void()> job);
bool eventQueueIdle();

QByteArray hexPathPart(uint16_t value);
bool parseHexId(const char *text, uint16_t *value, bool *any);

// Runs f on device i with the state locked; false for an unknown device.
template <typename F> bool withDevice(int device, F f)
{
    SimState &state = SimState::instance();
    std::lock_guard<std::mutex> lock(state.mutex());
    if (device < 0 || device >= state.usb.size())
        return false;
    return f(state, state.usb[device]);
}

} // namespace vidide
