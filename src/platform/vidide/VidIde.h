#pragma once

// The device library: every road to a mouse or a receiver. Free functions on
// 8-bit path strings; reads are answered later through the event callback.
//
// Threads:
// - the event callback handed to UsbServerC_Start runs on one library thread,
//   one event at a time, never on the GUI thread; answers to calls made inside
//   it arrive after it returns;
// - the hot-plug callback runs on the GUI thread (the thread of the
//   QCoreApplication): once before StartUsbChanged returns, then after every
//   arrival or removal;
// - upgrade packets arrive on a library thread of their own;
// - no library lock is held while any callback runs, so every call may be made
//   from any thread, including from inside a callback.
//
// Paths returned by the finders stay valid for the whole process; the arrays
// holding them stay valid until the next call of the same finder on the same
// thread. A null or unknown path is refused (false, 0 or an empty answer).

#include "platform/vidide/DeviceAllInfo.h"
#include "platform/vidide/FlashDataMap.h"

#include <cstdint>

// Event header: byte 1 the event code, byte 3 reserved (0), byte 4 the sub code.
constexpr int VidEventHeaderLength = 5;

// Event codes and the payload lengths of their answers.
enum VidEventCode : uint8_t
{
    VidEventBattery = 4,          // payload 4 bytes (GetDeviceBatteryStatus)
    VidEventPairStatus = 6,       // payload 1 byte: 1 pairing, 2 failed, 3 paired
    VidEventParameters = 8,       // sub 0: 6912 bytes block or 1 byte report rate;
                                  // sub 4: 1 byte DPI level; sub 0x4C: 8 bytes DPI light;
                                  // sub 0xA0: 9 bytes light bar
    VidEventResetDone = 9,        // payload 1 byte (0)
    VidEventStatusChanged = 10,   // payload 1 byte bit mask (GetDeviceStatusChanged)
    VidEventProfile = 14,         // payload 1 byte: the onboard profile, 0-based
    VidEventVersion = 18,         // payload 2 bytes: firmware version, little-endian
    VidEventReceiverLight = 21,   // payload 10 bytes: the DongleRGB record
    VidEventLongRangeChanged = 23 // payload 10 bytes
};

enum VidParameterSub : uint8_t
{
    VidSubBlock = 0x00, // also the report-rate answer (1 byte)
    VidSubDpiLevel = 0x04,
    VidSubDpiLed = 0x4C,
    VidSubLedBar = 0xA0
};

constexpr int VidFullReadLength = 6912; // answer of UsbServer_ReadAllFlashData
constexpr int VidDpiLedPayloadLength = 8;
constexpr int VidLedBarPayloadLength = 9;
constexpr int VidBatteryPayloadLength = 4;
constexpr int VidUsbAddressBufferLength = 10; // byte 6 online, bytes 7..9 receiver address

// Upgrade packets: byte 0 = 7; byte 1 = 1 progress (byte 2 percent) or 2 finished
// (byte 2 = 1 success, else failure). Packets are VidUpgradePacketLength bytes.
constexpr int VidUpgradePacketLength = 8;
constexpr int VidFirmwareHeaderLength = 728;

typedef void (*UsbChangedCallback)();
typedef void (*DeviceEventCallback)(const unsigned char *hdr, int hdrLen,
                                    const unsigned char *payload, int payloadLen);
typedef void (*UpgradeEventCallback)(const unsigned char *packet);

// Hot-plug watch. The one callback is replaced by every call and called once
// before StartUsbChanged returns; changes are told as soon as the GUI thread's
// event loop runs (several close together once). interval (the program passes
// 600) must not be negative and has no further use. A null callback stops it.
bool StartUsbChanged(UsbChangedCallback callback, int interval);
void StopUsbChanged();

// Finder. vid and pid are hexadecimal texts with or without "0x"; an empty vid
// matches every vendor. *count is set to the number of paths returned; on
// input it is the most paths wanted when positive (ByDefaultDeviceId) or
// ignored (ByDeviceId, where maxCount limits). Null count gives nullptr.
char **UsbFinderC_FindHidDevicesByDefaultDeviceId(const char *vid, const char *pid, int *count);
char **UsbFinderC_FindHidDevicesByDeviceId(const char *vid, const char *pid, int interfaceId,
                                           int maxCount, int *count);
bool UsbFinderC_GetUsbDeviceAttribute(const char *path, UsbDeviceAttribute *attr);
DeviceIdentity UsbFinderC_GetDeviceInfo(const char *path, int reserved);
bool UsbFinderC_GetDeviceOnLine(const char *path);
// buffer holds at least VidUsbAddressBufferLength bytes. True when the device answers.
bool UsbFinderC_GetDeviceOnLineWithUsbAddress(const char *path, unsigned char *buffer);
// (major << 8) + minor of the mouse firmware behind path; 0 when it does not answer.
int UsbFinderC_GetVersion(const char *path);
// Version of the mouse behind a receiver path.
bool UsbFinderC_GetSlaveVersion(const char *receiverPath, int *version);

// Receiver features, per path (the receiver, or a wired mouse where it has one).
bool UsbFinderC_Get4KDongleRGBValue(const char *path, DongleRGB *record);
bool UsbFinderC_Set4KDongleRGB(const char *path, const DongleRGB *record);
// Writes 1 (on) or 0 (off) into *probe; leaves it unchanged when nothing answers.
bool UsbFinderC_GetLongRangeMode(const char *path, unsigned char *probe);
bool UsbFinderC_SetLongRangeMode(const char *path, bool on);
bool UsbFinderC_GetDongleRGBBarMode(const char *path, LedBarBlock *record);
bool UsbFinderC_SetDongleRGBBarMode(const char *path, const LedBarBlock *record);
bool UsbFinderC_GetDongleIndicatorLed(const char *path, DongleIndicatorLed *record);
bool UsbFinderC_SetDongleIndicatorLed(const char *path, const DongleIndicatorLed *record);
// Writes a receiver's identity into the wired mouse behind path.
bool UsbFinderC_SetDongleIDToMouse(const char *path, const ReceiverId *id);
// Raw exchange with one opened device (clock packets of the screen models).
bool UsbFinderC_OpenDevice(const char *path);
bool UsbFinderC_ReadWriteDeviceData(const unsigned char *packet, unsigned char *answer, int length);

// Server: one bound device and its event callback. Start with the same path
// twice; a later Start replaces both; neither Start nor Exit waits for the
// event thread. Reads return false when nothing is bound or the call is refused.
bool UsbServerC_Start(const char *path, const char *path2, DeviceEventCallback callback);
void UsbServer_Exit();
bool UsbServer_SetPCDriverStatus(int active);
bool UsbServer_ReadAllFlashData();
bool UsbServer_ReadCurrentDPI();
bool UsbServer_ReadReportRate();
bool UsbServer_ReadBatteryLevel();
bool UsbServer_ReadLedBar();
bool UsbServer_ReadDPILed();
bool UsbServer_ReadVersion();
bool UsbServer_ReadConfig();
bool UsbServer_SetCurrentConfig(uint8_t index);
// The onboard profile the bound mouse runs, asked and answered at once (no
// event): true with *index set; false when nothing is bound, the mouse does
// not answer or the call is refused.
bool UsbServer_GetCurrentConfig(uint8_t *index);
bool UsbServer_SetClearSetting();
bool UsbServer_SetBatteryOptimizeEnable(bool enable);
bool UsbServer_EnterDonglePairOnlyCid(uint8_t cid);
bool UsbServer_ReadDonglePairStatus();

// Decoders of event payloads and the writer of the whole block. The decoders
// trust the caller to have checked the payload length; ProtocolDataParser
// refuses a payload shorter than payloadLen or one that fails its check.
bool ProtocolDataParser(const unsigned char *payload, FlashDataMap *map,
                        int payloadLen = VidFullReadLength);
bool BufferToDPILed(const unsigned char *payload, DpiLedBlock *led);
bool BufferToLedBar(const unsigned char *payload, LedBarBlock *bar);
// status: 4 bytes; byte 0 percent, byte 1 charging.
bool GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *status);
// flags: 7 bytes; 0 DPI level, 1 report rate, 2 settings, 3 DPI light, 5 light bar, 6 battery.
bool GetDeviceStatusChanged(const unsigned char *payload, unsigned char *flags);
// Sends the whole block, as it is at the moment of the call, to the bound device.
bool ProtocolDataUpdate(const FlashDataMap *map);

// Firmware. image points at a whole image file (header and body) of
// imageLength bytes. *count: preset by the caller, set to the number of
// boot-mode devices that can take the image.
bool UsbUpgradeC_FindBootDevices(const unsigned char *image, int *count, int imageLength);
// Flashes the image onto the one device that can take it; packets arrive on a
// library thread. timeoutMs must be positive. Refuses an image whose header
// does not match an attached device or whose body fails its check.
bool UsbUpgrade_Start(const unsigned char *image, UpgradeEventCallback callback, int timeoutMs,
                      int imageLength);

// Every library thread calls hook on itself before it runs its next job (the
// event callback, upgrade packets), so the program can prepare its threads
// (the crash handler's signal stack). Null removes it.
typedef void (*ThreadStartHook)();
void VidIde_SetThreadStartHook(ThreadStartHook hook);
