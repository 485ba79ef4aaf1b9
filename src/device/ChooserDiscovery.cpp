// The chooser's side of discovery: scan, identity, link refresh and the
// hot-plug callback.
#include "device/DialogChange.h"

#include "app/PostMsg.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>

namespace {

// The entry of FoundDevicesCopy that stands for `record`: the lists are no
// longer parallel once the grid has pruned FoundDevices.
int copyIndexOf(const DeviceAllInfo &record)
{
    for (int i = 0; i < FoundDevicesCopy.size(); ++i) {
        const DeviceAllInfo &entry = FoundDevicesCopy.at(i);
        if (entry.Path == record.Path && entry.VidText == record.VidText &&
            entry.PidText == record.PidText)
            return i;
    }
    return -1;
}

void storeRefreshed(int index, const DeviceAllInfo &record)
{
    FoundDevices.replace(index, record);
    const int copyIndex = copyIndexOf(record);
    if (copyIndex >= 0)
        FoundDevicesCopy.replace(copyIndex, record);
}

// Online state and receiver address from the library's address query.
void readLink(DeviceAllInfo &record, const unsigned char *buffer)
{
    record.Online = buffer[6] == 1;
    record.ReceiverAddress = {buffer[7], buffer[8], buffer[9]};
}

} // namespace

bool DialogChange::IdentifyDevice(DeviceAllInfo &record)
{
    const QByteArray path = record.Path.toLatin1();
    bool answered = false;
    const DeviceIdentity identity = DeviceCatalogue::AskIdentity(path.constData(), answered);
    const int total = DeviceCatalogue::ModelCount();
    if (!answered) {
        record.Wired = IsWiredConnection(identity.ConnectionType);
        record.DriveIndex = total;
        return true;
    }
    const int model = DeviceCatalogue::MatchModel(identity.CustomerId, identity.ModelId);
    if (model >= 0) {
        record.Wired = IsWiredConnection(identity.ConnectionType);
        record.CidMid = static_cast<uint16_t>(identity.CustomerId | (identity.ModelId << 8));
        record.ReceiverType = identity.ConnectionType;
        record.DriveIndex = model;
        if (UsbFinderC_GetDeviceOnLine(path.constData()))
            record.Online = true;
        return true;
    }
    if (total <= 0)
        return false;
    record.Wired = IsWiredConnection(identity.ConnectionType);
    record.DriveIndex = total;
    return true;
}

void DialogChange::ScanDevices(QStringList vids, QStringList pids)
{
    for (const QString &vid : vids) {
        for (const QString &pid : pids) {
            int count = 5;
            const QByteArray vidBytes = vid.toLatin1();
            const QByteArray pidBytes = pid.toLatin1();
            char **paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vidBytes.constData(),
                                                                      pidBytes.constData(), &count);
            if (!paths)
                continue;
            for (int i = 0; i < count; ++i) {
                if (!paths[i])
                    continue;
                DeviceAllInfo record = DeviceCatalogue::NewRecord(paths[i], vid, pid);
                if (IdentifyDevice(record)) {
                    FoundDevices.append(record);
                    FoundDevicesCopy.append(record);
                }
            }
        }
    }
}

bool DialogChange::RefreshDeviceLink(int index)
{
    if (index < 0 || index >= FoundDevices.size())
        return false;
    DeviceAllInfo record = FoundDevices.at(index);
    record.Online = false;
    unsigned char buffer[VidUsbAddressBufferLength] = {};
    UsbFinderC_GetDeviceOnLineWithUsbAddress(record.Path.toLatin1().constData(), buffer);
    readLink(record, buffer);
    storeRefreshed(index, record);
    return buffer[7] != 0 || buffer[8] != 0 || buffer[9] != 0;
}

bool RefreshFoundDevice(int index)
{
    if (index < 0 || index >= FoundDevices.size())
        return true;
    DeviceAllInfo record = FoundDevices.at(index);
    record.Online = false;
    unsigned char buffer[VidUsbAddressBufferLength] = {};
    UsbFinderC_GetDeviceOnLineWithUsbAddress(record.Path.toLatin1().constData(), buffer);
    if (ChooserPage)
        ChooserPage->IdentifyDevice(record);
    readLink(record, buffer);
    storeRefreshed(index, record);
    if (ChooserPage)
        ChooserPage->UpdateDeviceIcons(index);
    return true;
}

void OnChooserUsbChanged()
{
    DialogChange *page = ChooserPage;
    if (!page)
        return;
    // A click on a device button may be running a modal dialog: rebuilding
    // now would delete that button under it. The rescan runs when it ends.
    if (page->ClickDepth > 0) {
        page->GridRebuildPending = true;
        return;
    }
    page->GridRebuildPending = false;
    page->UpdateRepairState();

    const DeviceCatalogue::ScanLists lists = DeviceCatalogue::ReadScanLists();
    ReceiverPidLists = lists.PidLists.mid(1);
    AllProductIds = lists.Pids;

    FoundDevices.clear();
    FoundDevicesCopy.clear();
    page->ScanDevices(lists.Vids, lists.Pids);
    page->BuildDeviceGrid();

    if (FirmwareHooks::repairDialogVisible() && !RepairRunning)
        emit PostMsg::GetInstance()->SigRepairCheckUpdate();
}
