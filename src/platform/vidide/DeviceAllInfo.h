#pragma once

// Records of device discovery: the identity a device answers, the USB
// attributes of a found path and the program's record of one found device.

#include <QList>
#include <QMetaType>
#include <QString>

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// What UsbFinderC_GetDeviceInfo answers. 0 / 0 in the first two bytes: the
// device has not answered yet.
struct DeviceIdentity
{
    uint8_t CustomerId;
    uint8_t ModelId;
    uint8_t ConnectionType; // 0 1K, 1 4K, 4 2K, 5 8K receiver; any other value wired
};

// USB attributes of a found path, filled by UsbFinderC_GetUsbDeviceAttribute.
struct UsbDeviceAttribute
{
    uint32_t Size;
    uint16_t VendorId;
    uint16_t ProductId;
    uint16_t ReleaseNumber; // (major << 8) + minor
    uint16_t Padding;
};

#pragma pack(pop)

static_assert(sizeof(DeviceIdentity) == 3, "DeviceIdentity is 3 bytes");
static_assert(sizeof(UsbDeviceAttribute) == 12, "UsbDeviceAttribute is 12 bytes");
static_assert(offsetof(UsbDeviceAttribute, ReleaseNumber) == 8, "UsbDeviceAttribute layout");

// ReceiverType a record holds before any identity answered: no receiver class,
// no report-rate badge.
constexpr uint8_t UnknownReceiverType = 0xFF;

// One discovered device, carried by value.
struct DeviceAllInfo
{
    QString Path;                          // HID path as the library returned it
    QString VidText = QStringLiteral("0"); // the catalogue vendor id that found the path
    QString PidText = QStringLiteral("0"); // the catalogue product id that found the path
    uint16_t CidMid = 0;                   // customer id low byte, model id high byte
    uint8_t ReceiverType = UnknownReceiverType;
    int32_t DriveIndex = 0; // 0-based catalogue index (group Drive<DriveIndex + 1>)
    bool Online = false;
    bool Wired = false;
    QString DongleVersionText;      // release number of the USB device found ("v1.05")
    QString MouseVersionText;       // firmware version the mouse reported
    QList<uint8_t> ReceiverAddress; // three bytes once read, else empty
};

Q_DECLARE_METATYPE(DeviceAllInfo)
