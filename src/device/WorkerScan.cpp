// The device page's side of discovery: the hot-plug callback and the scan of
// the current model's devices.
#include "device/Worker.h"

#include "common/ConfigIniStore.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QDir>

int Worker::IdentifyDevice(DeviceAllInfo &record, const char *path)
{
    const DeviceCatalogue::Identification id = DeviceCatalogue::Identify(path);
    const int total = DeviceCatalogue::ModelCount();
    if (total <= 0)
        return 0;
    if (id.Model < 0) {
        DeviceCatalogue::MarkUnknown(record, id, total);
        if (!id.Answered)
            return 0;
        return id.Identity.CustomerId == DeviceCatalogue::CustomerId() ? 2 : 3;
    }
    DeviceCatalogue::MarkMatched(record, id, path);

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
    DeviceCatalogue::ForEachPath(
        vids, pids,
        [](const char *vid, const char *pid, int *count) {
            return UsbFinderC_FindHidDevicesByDeviceId(vid, pid, 1, 5, count);
        },
        [this](const char *path, const QString &vid, const QString &pid) {
            DeviceAllInfo record = DeviceCatalogue::NewRecord(path, vid, pid);
            if (CurrentDeviceInfo.Path.isEmpty()) {
                ModelDevices.append(record);
                return;
            }
            const int code = IdentifyDevice(record, path);
            if (code != 1) {
                ModelDevices.append(record);
                return;
            }
            // A device of another model is not this page's business.
            if (record.DriveIndex != CurrentDeviceInfo.DriveIndex)
                return;
            ModelDevices.append(record);
            if (record.Path == CurrentDeviceInfo.Path)
                SetCurrentDevicePath(QByteArray(path));
        });
}

namespace {
// The current device's path while a scan of the device page misses it (a
// device being flashed or repaired leaves normal mode and comes back).
QString MissingPath;

// A device that left and came back has lost the library's link: it is bound
// and read again as a re-plugged device is, once the device checks are
// allowed again (the worker's poll waits for the end of a firmware run).
void noteCurrentDevicePresence(const QString &currentPath)
{
    if (currentPath.isEmpty())
        return;
    bool found = false;
    for (const DeviceAllInfo &entry : qAsConst(ModelDevices))
        found = found || entry.Path == currentPath;
    if (!found) {
        MissingPath = currentPath;
    } else if (MissingPath == currentPath) {
        MissingPath.clear();
        RelinkPending = true;
        if (OnlinePollEnabled && DevicePageActive == 1 && WorkerThread)
            WorkerThread->RequestRun();
    }
}
} // namespace

void OnDeviceUsbChanged()
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSetver(4);

    const DeviceCatalogue::ScanLists lists = DeviceCatalogue::ReadScanLists();
    ModelDevices.clear();
    if (WorkerThread)
        WorkerThread->ScanDevices(lists.Vids, lists.Pids);
    noteCurrentDevicePresence(CurrentDeviceInfo.Path);

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
