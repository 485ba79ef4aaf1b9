// The repair: the check of an interrupted upgrade against the attached
// devices, and the run that flashes the receiver image and then the mouse
// image. The upgrade callback runs on the device library's thread.

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "settings/FirmwareImages.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>

namespace {

// What the callback needs of the check, taken on the GUI thread.
struct RepairPlan
{
    QString driveGroup;
    QString mouseModelName;
    QString receiverModelName;
    bool wiredMousePresent = false;
};

QMutex planMutex;
RepairPlan plan;

RepairPlan currentPlan()
{
    QMutexLocker lock(&planMutex);
    return plan;
}

int modelIdOf(const DeviceAllInfo &device)
{
    return device.CidMid >> 8;
}

void endRepair(bool success)
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAutoRepair(success ? 0 : 1);
    emit hub->SigUpDateButton(success);
    emit hub->SigProgress(0, success ? 2 : 6);
    RepairRunning = false;
    OnlinePollEnabled = true;
}

// The catalogue group whose model id is `mid`; empty when none is.
QString groupOfModel(int mid)
{
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const int total = config->GetValue("Option", "DeviceTotal").toInt();
    for (int i = 1; i <= total; ++i) {
        const QString group = "Drive" + QString::number(i);
        if (config->GetValue(group, "MID").toInt() == mid)
            return group;
    }
    return QString();
}

int kindOfStage(int stage)
{
    return stage == 0 ? FirmwareKindReceiver : FirmwareKindMouse;
}

// A flash whose record could not be saved is not started: the repair ends,
// and the status says why.
void endRepairRecordNotSaved()
{
    endRepair(false);
    emit PostMsg::GetInstance()->SigProgress(0, ProgressRecordNotSaved);
}

void recordFailure(int stage)
{
    UpgradeRecords::writeFailInfo(kindOfStage(stage), RepairReceiverVariant, RepairCid, RepairMid);
}

} // namespace

bool UpDateRepair::CheckInterruptedUpgrade()
{
    FailRecord record;
    if (!UpgradeRecords::firstFailRecord(&record))
        return NothingToRepair();
    RepairReceiverVariant = 0;
    FailKind = record.kind;
    const int recordedCid = record.cid;
    const int recordedMid = record.mid;
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const QString recordedGroup = groupOfModel(recordedMid);
    // Roads on which the part to repair is never found in normal mode: a
    // receiver failure with the mouse's own failure beside it (both wait in
    // boot mode), and the mouse of a wired-only model (nothing else of it
    // exists). The devices in boot mode decide there, as they are counted
    // below.
    const bool mouseAlso =
        FailKind == FirmwareKindReceiver &&
        UpgradeRecords::hasFailInfoOf(FirmwareKindMouse, recordedCid, recordedMid);
    const bool wiredOnlyMouse = FailKind == FirmwareKindMouse && !recordedGroup.isEmpty() &&
                                !ModelHasReceiver(recordedGroup);
    const bool partsInBootMode = mouseAlso || wiredOnlyMouse;

    if (FoundDevices.isEmpty() && !partsInBootMode) {
        return ShowMessage(FailKind == FirmwareKindMouse      ? NoReceiveText
                           : FailKind == FirmwareKindReceiver ? NoUsbText
                                                              : NotDeviceText);
    }
    if (FoundDevices.size() > 1) {
        int wired = 0;
        int others = 0;
        const DeviceAllInfo *lastWired = nullptr;
        const DeviceAllInfo *lastOther = nullptr;
        for (const DeviceAllInfo &device : FoundDevices) {
            if (device.Wired) {
                ++wired;
                lastWired = &device;
            } else {
                ++others;
                lastOther = &device;
            }
        }
        if (wired >= 2)
            return ShowMessage(MultiMouseText);
        if (others >= 2)
            return ShowMessage(MultiDongleText);
        if (FailKind == FirmwareKindMouse && wired == 1 && modelIdOf(*lastWired) != recordedMid)
            return ShowMessage(MultiMouseText);
        if (FailKind == FirmwareKindReceiver && others == 1 && modelIdOf(*lastOther) != recordedMid)
            return ShowMessage(MultiDongleText);
    }

    // Receivers in normal mode that could take a receiver image as well.
    int normalReceivers = 0;
    if (FailKind == FirmwareKindReceiver) {
        auto inLists = [](const QString &pid, const QList<QStringList> &lists) {
            for (const QStringList &list : lists) {
                if (list.contains(pid))
                    return true;
            }
            return false;
        };
        for (const DeviceAllInfo &device : FoundDevicesCopy) {
            if (inLists(device.PidText, ReceiverPidLists))
                ++normalReceivers;
        }
        if (normalReceivers == 1) {
            static const QList<int> variants = {1, 2, 4, 8};
            const int list = variants.indexOf(record.variant);
            normalReceivers = 0;
            if (list >= 0 && list < ReceiverPidLists.size()) {
                for (const DeviceAllInfo &device : FoundDevicesCopy) {
                    if (ReceiverPidLists.at(list).contains(device.PidText))
                        ++normalReceivers;
                }
            }
        }
    }

    RepairStage = 0;
    if (AutoRepair) {
        RepairReady = true;
    } else {
        if (!partsInBootMode) {
            const DeviceAllInfo &first = FoundDevices.first();
            if (FailKind == FirmwareKindReceiver &&
                (!first.Wired || modelIdOf(first) != recordedMid))
                return ShowMessage(NoUsbText);
            // A mouse record: its receiver, or the mouse itself on its cable
            // in normal mode (its flash never began, or ended before the
            // record could go), which takes the image as well.
            if (FailKind == FirmwareKindMouse && modelIdOf(first) != recordedMid)
                return ShowMessage(NoReceiveText);
        }

        // A record of a model the catalogue does not know must not pick the
        // images of whatever model was checked before.
        if (recordedGroup.isEmpty())
            return ShowMessage(ErrorFileText);
        DriveGroupName = recordedGroup;
        const QString mouseName = config->GetValue(DriveGroupName, "MM");
        if (!ReceiverNameKey(record.variant).isEmpty()) {
            RepairReceiverVariant = record.variant;
            ReceiverModelName = config->GetValue(DriveGroupName, ReceiverNameKey(record.variant));
        }
        RepairCid = record.cid;
        const int mid = config->GetValue(DriveGroupName, "MID").toInt();
        RepairMid = mid;
        {
            QMutexLocker lock(&planMutex);
            plan.driveGroup = DriveGroupName;
            plan.mouseModelName = mouseName;
            plan.receiverModelName = ReceiverModelName;
        }
        const bool mouseFound =
            LoadRepairImage(FirmwareKindMouse, QString(), mouseName, RepairCid, mid);
        const bool receiverFound =
            LoadRepairImage(FirmwareKindReceiver, QString(), ReceiverModelName, RepairCid, mid);
        RepairStageCount = mouseFound && receiverFound ? 2 : 1;
        if (FailKind != FirmwareKindReceiver || mouseAlso) {
            // The mouse stage is the last one whenever the mouse has a failure
            // of its own to be repaired.
            RepairLastStage = 1;
            RepairReady = LoadRepairImage(FirmwareKindMouse, QString(), mouseName, RepairCid, mid);
            if (mouseAlso && RepairReady)
                RepairReady = LoadRepairImage(FirmwareKindReceiver, QString(), ReceiverModelName,
                                              RepairCid, mid);
        } else {
            RepairLastStage = 0;
            RepairReady =
                LoadRepairImage(FirmwareKindReceiver, QString(), ReceiverModelName, RepairCid, mid);
        }
    }

    // Without an image of the interrupted kind there is nothing to ask the
    // library about, and nothing that could be flashed.
    const QByteArray image = RepairImage();
    if (image.isEmpty()) {
        RepairReady = false;
        return ShowMessage(ErrorFileText);
    }
    int count = 5;
    FindBootDevicesFor(image, &count);
    int normalMice = 0;
    if (FailKind == FirmwareKindMouse) {
        for (const DeviceAllInfo &device : FoundDevicesCopy)
            normalMice += device.Wired && modelIdOf(device) == recordedMid ? 1 : 0;
    }
    const int total = count + normalReceivers + normalMice;
    if (RepairReady && total == 1 && mouseAlso) {
        // The second stage needs the mouse in boot mode on its cable, and
        // no other mouse that could take its image.
        const QString mouseName = config->GetValue(DriveGroupName, "MM");
        int mice = 5;
        if (LoadRepairImage(FirmwareKindMouse, QString(), mouseName, RepairCid, RepairMid))
            FindBootDevicesFor(RepairImage(), &mice);
        LoadRepairImage(FirmwareKindReceiver, QString(), ReceiverModelName, RepairCid, RepairMid);
        if (mice != 1) {
            RepairReady = false;
            RepairRunning = false;
            return ShowMessage(mice == 0 ? NoUsbText : SameDeviceText);
        }
    }
    if (RepairReady && total == 1)
        return true;
    if (RepairReady) {
        RepairRunning = false;
        return ShowMessage(total == 0 ? NotDeviceText : SameDeviceText);
    }
    return false;
}

bool UpDateRepair::RunRepairUpgrade()
{
    if (!RepairReady)
        return false;
    RepairRunning = true;
    ShowProgressView();
    OnlinePollEnabled = false;

    bool wiredMouse = false;
    for (const DeviceAllInfo &device : FoundDevices) {
        if (device.Wired && modelIdOf(device) == RepairMid)
            wiredMouse = true;
    }
    {
        QMutexLocker lock(&planMutex);
        plan.wiredMousePresent = wiredMouse;
    }
    const RepairPlan current = currentPlan();
    const int mid = ConfigIniStore::GetInstance()->GetValue(DriveGroupName, "MID").toInt();
    if (LoadRepairImage(FirmwareKindReceiver, QString(), current.receiverModelName, RepairCid,
                        mid)) {
        RepairStage = 0;
    } else {
        RepairStage = 1;
        if (!LoadRepairImage(FirmwareKindMouse, QString(), current.mouseModelName, RepairCid,
                             mid)) {
            // Nothing was flashed, so the device is as broken as before: a
            // failure, and the record stays for a later try.
            SetStatusText(ErrorFileText, Meaning::Problem);
            endRepair(false);
            RepairReady = false;
            return false;
        }
    }
    // Recorded before the device leaves normal mode (as the settings page's run does).
    UpgradeRecords::PendingFlash pending;
    if (!pending.record(kindOfStage(RepairStage), RepairReceiverVariant, RepairCid, RepairMid)) {
        RepairReady = false;
        endRepairRecordNotSaved();
        return false;
    }
    RepairReady = StartUpgradeWith(RepairImage(), OnRepairUpgradeEvent);
    if (!RepairReady) {
        // No packet will ever come for a refused start.
        qWarning() << "the device library refused the repair image";
        pending.takeBack();
        endRepair(false);
        return false;
    }
    return true;
}

void OnRepairUpgradeEvent(const unsigned char *packet)
{
    if (!packet || packet[0] != 7 || (packet[1] != 1 && packet[1] != 2))
        return;
    PostMsg *hub = PostMsg::GetInstance();
    const int stage = RepairStage;
    if (packet[1] == 1) {
        RepairProgressSeen = true;
        int percent = packet[2];
        if (RepairStageCount == 2)
            percent = percent / 2 + (stage == 1 ? 50 : 0);
        emit hub->SigAutoRepairProgress(percent);
        return;
    }
    if (packet[2] == 1) {
        // The device just flashed is sound again: its own record goes, and
        // only that one.
        UpgradeRecords::removeFailInfoOf(kindOfStage(stage), RepairCid, RepairMid);
        if (stage == 1) {
            UpgradeRecords::writeFlashedMouseVersion(currentPlan().driveGroup,
                                                     ImageVersionText(RepairImage()));
            endRepair(true);
        } else {
            RepairStage = 1;
            const RepairPlan current = currentPlan();
            const bool found = LoadRepairImage(FirmwareKindMouse, QString(), current.mouseModelName,
                                               RepairCid, RepairMid);
            if (found && (RepairLastStage == 1 || current.wiredMousePresent)) {
                // Polling stays off: the mouse is being flashed now.
                UpgradeRecords::PendingFlash pending;
                if (!pending.record(FirmwareKindMouse, RepairReceiverVariant, RepairCid,
                                    RepairMid)) {
                    endRepairRecordNotSaved();
                } else if (!StartUpgradeWith(RepairImage(), OnRepairUpgradeEvent)) {
                    qWarning() << "the device library refused the mouse repair image";
                    pending.takeBack();
                    endRepair(false);
                }
            } else if (RepairLastStage == 1) {
                // The recorded mouse failure cannot be repaired without its
                // image: the repair has not finished, and its record stays.
                qWarning() << "no mouse image for the repair; the mouse stays unrepaired";
                recordFailure(1);
                endRepair(false);
            } else {
                endRepair(true);
            }
        }
    } else {
        recordFailure(stage);
        endRepair(false);
    }
    RepairProgressSeen = false;
}
