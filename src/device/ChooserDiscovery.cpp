// The chooser's side of discovery: scan, identity, link refresh and the
// hot-plug callback.
#include "device/DialogChange.h"

#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "device/FirmwareHooks.h"
#include "hub/PostMsg.h"
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

// Re-reads online state and receiver address of FoundDevices[index] (with
// `identify`, its identity too, between the link query and taking its online
// answer) and stores the record back. False for an index outside the list or
// when all three address bytes are 0.
bool refreshEntry(int index, bool identify)
{
    if (index < 0 || index >= FoundDevices.size())
        return false;
    DeviceAllInfo record = FoundDevices.at(index);
    record.Online = false;
    unsigned char buffer[VidUsbAddressBufferLength] = {};
    UsbFinderC_GetDeviceOnLineWithUsbAddress(record.Path.toLatin1().constData(), buffer);
    if (identify && ChooserPage)
        ChooserPage->IdentifyDevice(record);
    record.Online = buffer[6] == 1;
    record.ReceiverAddress = {buffer[7], buffer[8], buffer[9]};
    storeRefreshed(index, record);
    return buffer[7] != 0 || buffer[8] != 0 || buffer[9] != 0;
}

} // namespace

bool DialogChange::IdentifyDevice(DeviceAllInfo &record)
{
    const QByteArray path = record.Path.toLatin1();
    const DeviceCatalogue::Identification id = DeviceCatalogue::Identify(path.constData());
    const int total = DeviceCatalogue::ModelCount();
    if (id.Model >= 0) {
        DeviceCatalogue::MarkMatched(record, id, path.constData());
        return true;
    }
    // An answering device cannot be placed in an empty catalogue.
    if (id.Answered && total <= 0)
        return false;
    DeviceCatalogue::MarkUnknown(record, id, total);
    return true;
}

void DialogChange::ScanDevices(QStringList vids, QStringList pids)
{
    DeviceCatalogue::ForEachPath(
        vids, pids,
        [](const char *vid, const char *pid, int *count) {
            return UsbFinderC_FindHidDevicesByDefaultDeviceId(vid, pid, count);
        },
        [this](const char *path, const QString &vid, const QString &pid) {
            DeviceAllInfo record = DeviceCatalogue::NewRecord(path, vid, pid);
            if (IdentifyDevice(record)) {
                FoundDevices.append(record);
                FoundDevicesCopy.append(record);
            }
        });
}

bool DialogChange::RefreshDeviceLink(int index)
{
    return refreshEntry(index, false);
}

bool RefreshFoundDevice(int index)
{
    if (index < 0 || index >= FoundDevices.size())
        return true;
    refreshEntry(index, true);
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
