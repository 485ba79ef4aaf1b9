#pragma once

// A simulated Talon W plugged in by cable beside its 4K receiver, firmware
// images for both, and the repair dialog as the firmware tests look at it.

#include "../support/RepairDialogReader.h"
#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace FirmwareFixture {

inline const int Receiver = 0;
inline const int Cable = 1;

inline const char *DeviceSet = R"({"devices": [
  {"kind": "receiver", "vid": "0x3A7C", "pid": "0x7C40", "connectionType": 1, "release": "0x0103",
   "address": [18, 52, 86], "receiverModel": "ORVAK-RX4K",
   "mouse": {"key": "talon-w", "cid": 38, "mid": 11, "model": "ORVAK-TW1", "version": "0x0105"}},
  {"kind": "wired", "vid": "0x3A7C", "pid": "0x7C01", "connectionType": 2, "mouseOf": 0}
]})";

inline QByteArray Image(quint32 version, int kind, const QByteArray &name)
{
    vidide::FirmwareInfo info;
    info.version = version;
    info.kind = uint8_t(kind);
    info.cid = 38;
    info.mid = 11;
    info.modelName = name;
    return vidide::buildFirmwareImage(info, QByteArray(512, char(version)));
}

inline DeviceAllInfo CableEntry()
{
    DeviceAllInfo device;
    device.Path = QString::fromLatin1(SimDevicePath(Cable));
    device.PidText = "0x7C01";
    device.CidMid = uint16_t(38 | (11 << 8));
    device.ReceiverType = 2;
    device.DriveIndex = 0;
    device.Online = true;
    device.Wired = true;
    device.DongleVersionText = "v1.05";
    device.MouseVersionText = "v1.05";
    return device;
}

inline DeviceAllInfo ReceiverEntry()
{
    DeviceAllInfo device;
    device.Path = QString::fromLatin1(SimDevicePath(Receiver));
    device.PidText = "0x7C40";
    device.CidMid = uint16_t(38 | (11 << 8));
    device.ReceiverType = 1;
    device.DriveIndex = 0;
    device.Online = true;
    device.DongleVersionText = "v1.03";
    device.MouseVersionText = "v1.05";
    device.ReceiverAddress = {0x12, 0x34, 0x56};
    return device;
}

using RepairDialogReader::Status;
using RepairDialogReader::StatusIsRed;

// The dialog shows an outcome and can be left: its first button is back and
// the close button works.
inline bool DialogCanBeLeft()
{
    return !RepairDialog->findChild<QToolButton *>("NewHong_2")->isHidden() &&
           RepairDialog->findChild<QToolButton *>("CloseButton")->isEnabled();
}

inline void UseReceiverTable()
{
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    ReceiverPidLists.clear();
    for (const char *key : {"Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"})
        ReceiverPidLists << config->GetValueList("Option", key);
}

inline void PressStart()
{
    RepairDialog->findChild<QToolButton *>("NewHong_2")->click();
}

// Lays v1.06 for the mouse and v1.04 for the receiver into `images` and
// builds the settings page (and with it the repair dialog), its one-second
// steps made quick. Null when the images cannot be written.
inline FormSetting *StartFirmwarePage(const QTemporaryDir &images)
{
    LabelCatalogue::load();
    SetFirmwareFolder(images.path());
    const QList<QPair<QString, QByteArray>> files = {
        {"mouse.bin", Image(0x0106, FirmwareKindMouse, "ORVAK-TW1")},
        {"receiver.bin", Image(0x0104, FirmwareKindReceiver, "ORVAK-RX4K")}};
    for (const auto &file : files) {
        QFile out(images.filePath(file.first));
        if (!out.open(QIODevice::WriteOnly) || out.write(file.second) != file.second.size())
            return nullptr;
    }
    auto *page = new FormSetting();
    page->resize(883, 630);
    for (QTimer *timer : page->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        timer->setInterval(5);
    SimSetUpgradeTiming(1, 1);
    return page;
}

// The Talon W and its receiver as they left the factory, no record, no run.
inline bool ResetDevices(const char *deviceSet = DeviceSet)
{
    SimReset(true);
    QString error;
    if (!SimLoadDevices(deviceSet, &error))
        return false;
    SimSetUpgradeTiming(1, 1);
    UpgradeRecords::removeFailInfo();
    QFile::remove(UpgradeRecords::markerFilePath());
    ReceiverUpgradeState = RunIdle;
    MouseUpgradeState = RunIdle;
    emit PostMsg::GetInstance()->SigSetver(4);
    RepairDialog->hide();
    return true;
}

} // namespace FirmwareFixture
