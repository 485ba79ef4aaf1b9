// The device page's side of discovery: the hot-plug callback and the scan of
// the current model's devices.
#include "device/Worker.h"

#include "app/PostMsg.h"
#include "common/ConfigIniStore.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDir>

int Worker::IdentifyDevice(DeviceAllInfo &record, const char *path)
{
    bool answered = false;
    const DeviceIdentity identity = DeviceCatalogue::AskIdentity(path, answered);
    const int total = DeviceCatalogue::ModelCount();
    if (total <= 0)
        return 0;
    const int model =
        answered ? DeviceCatalogue::MatchModel(identity.CustomerId, identity.ModelId) : -1;
    if (model < 0) {
        record.Wired = IsWiredConnection(identity.ConnectionType);
        record.DriveIndex = total;
        if (!answered)
            return 0;
        return identity.CustomerId == DeviceCatalogue::CustomerId() ? 2 : 3;
    }
    record.Wired = IsWiredConnection(identity.ConnectionType);
    record.CidMid = static_cast<uint16_t>(identity.CustomerId | (identity.ModelId << 8));
    record.ReceiverType = identity.ConnectionType;
    record.DriveIndex = model;
    if (UsbFinderC_GetDeviceOnLine(path))
        record.Online = true;

    unsigned char buffer[VidUsbAddressBufferLength] = {};
    record.ReceiverAddress.clear();
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path, buffer);
    record.Online = buffer[6] == 1;
    record.ReceiverAddress = {buffer[7], buffer[8], buffer[9]};
    if (record.Path == CurrentDeviceInfo.Path) {
        DeviceAllInfo updated = record;
        if (!CurrentDeviceInfo.MouseVersionText.isEmpty())
            updated.MouseVersionText = CurrentDeviceInfo.MouseVersionText;
        if (!CurrentDeviceInfo.DongleVersionText.isEmpty())
            updated.DongleVersionText = CurrentDeviceInfo.DongleVersionText;
        SetCurrentDeviceInfo(updated);
    }
    return 1;
}

void Worker::ScanDevices(QStringList vids, QStringList pids)
{
    for (const QString &vid : vids) {
        for (const QString &pid : pids) {
            int count = 5;
            const QByteArray vidBytes = vid.toLatin1();
            const QByteArray pidBytes = pid.toLatin1();
            char **paths = UsbFinderC_FindHidDevicesByDeviceId(vidBytes.constData(),
                                                               pidBytes.constData(), 1, 5, &count);
            if (!paths)
                continue;
            for (int i = 0; i < count; ++i) {
                if (!paths[i])
                    continue;
                DeviceAllInfo record = DeviceCatalogue::NewRecord(paths[i], vid, pid);
                if (CurrentDeviceInfo.Path.isEmpty()) {
                    ModelDevices.append(record);
                    continue;
                }
                const int code = IdentifyDevice(record, paths[i]);
                if (code != 1) {
                    ModelDevices.append(record);
                    continue;
                }
                if (record.DriveIndex != CurrentDeviceInfo.DriveIndex)
                    continue;
                ModelDevices.append(record);
                if (record.Path == CurrentDeviceInfo.Path)
                    SetCurrentDevicePath(QByteArray(paths[i]));
            }
        }
    }
}

void OnDeviceUsbChanged()
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSetver(4);

    const DeviceCatalogue::ScanLists lists = DeviceCatalogue::ReadScanLists();
    ModelDevices.clear();
    if (WorkerThread)
        WorkerThread->ScanDevices(lists.Vids, lists.Pids);

    if (ModelDevices.isEmpty()) {
        if (OnlinePollEnabled) {
            SetCurrentDeviceInfo(DeviceAllInfo());
            emit hub->SigChangeMainDialog(0);
        }
    } else {
        const DeviceAllInfo current = CurrentDeviceInfo;
        int differing = 0;
        for (const DeviceAllInfo &entry : qAsConst(ModelDevices)) {
            // The same mouse, now plugged in by cable while its receiver stays:
            // it becomes the current device.
            const bool cableSwitch =
                !current.Path.isEmpty() && !current.Wired &&
                entry.DriveIndex == current.DriveIndex && entry.Wired && entry.Online &&
                current.ReceiverAddress.size() >= 3 && entry.ReceiverAddress.size() >= 3 &&
                entry.ReceiverAddress.mid(0, 3) == current.ReceiverAddress.mid(0, 3);
            if (cableSwitch && WorkerThread)
                WorkerThread->StartReading(entry);
            if (!current.Path.isEmpty() && entry.Path != current.Path)
                ++differing;
        }
        if (!current.Path.isEmpty() && differing == ModelDevices.size() && OnlinePollEnabled)
            emit hub->SigChangeMainDialog(0);
    }

    const DeviceAllInfo current = CurrentDeviceInfo;
    if (current.Wired) {
        QString receiverText;
        int receiverClass = 0;
        if (ModelDevices.size() == 2) {
            for (const DeviceAllInfo &entry : qAsConst(ModelDevices)) {
                if (!entry.ReceiverAddress.isEmpty() && !entry.Wired) {
                    receiverText = entry.DongleVersionText;
                    receiverClass = ReportRateClass(entry.ReceiverType);
                    break;
                }
            }
        }
        if (QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/bin")).exists()) {
            ReceiverHasNewFirmware =
                FirmwareHooks::hasNewFirmware(211, receiverText, receiverClass);
            MouseHasNewFirmware =
                FirmwareHooks::hasNewFirmware(210, current.MouseVersionText, receiverClass);
            const bool any = ReceiverHasNewFirmware || MouseHasNewFirmware;
            emit hub->SigLabelTextB(receiverText, any ? QStringLiteral("true") : QString());
        } else {
            emit hub->SigLabelTextB(receiverText, QString());
        }
    }

    if (FirmwareHooks::repairDialogVisible() && !FirmwareHooks::settingsUpgradeRunning())
        emit hub->SigCheckUpdate();
}
