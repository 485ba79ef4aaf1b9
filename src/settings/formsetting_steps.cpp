// The steps of one settings-page upgrade run (one per timer tick) and the
// two finishing methods.

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"
#include "ui_FormSetting.h"

#include <QDebug>
#include <QTimer>

namespace {

QString config(const QString &group, const QString &key)
{
    return ConfigIniStore::GetInstance()->GetValue(group, key);
}

std::atomic<int> &stateOf(int kind)
{
    return kind == FirmwareKindReceiver ? ReceiverUpgradeState : MouseUpgradeState;
}

// The receiver variants in the order step 0 tries them, with their index in
// BootDeviceCounts (1K, 2K, 4K, 8K).
struct VariantSlot
{
    int variant;
    int countIndex;
};
const VariantSlot StepZeroOrder[] = {{4, 2}, {8, 3}, {2, 1}, {1, 0}};

} // namespace

void FormSetting::UpgradeStep(int step, int kind, const QString &version)
{
    const QString group = "Drive" + QString::number(CurrentDeviceInfo.DriveIndex + 1);
    const bool receiver = kind == FirmwareKindReceiver;
    switch (step) {
    case 0: {
        UpgradeCid = config("Option", "CID").toInt();
        UpgradeMid = config(group, "MID").toInt();
        bool found = false;
        if (!receiver) {
            found = LoadUpgradeImage(kind, version, config(group, "MM"), UpgradeCid, UpgradeMid);
        } else {
            ReceiverPaths.clear();
            for (const VariantSlot &slot : StepZeroOrder) {
                if (slot.variant != UpgradeReceiverVariant)
                    continue;
                const QString name = config(group, ReceiverNameKey(slot.variant));
                if (name.isEmpty() && slot.variant != 1)
                    continue;
                found = LoadUpgradeImage(kind, QString(), name, UpgradeCid, UpgradeMid);
                if (found)
                    FindBootDevicesFor(UpgradeImage(), &BootDeviceCounts[slot.countIndex]);
            }
            for (const DeviceAllInfo &device : ModelDevices) {
                if (device.Wired)
                    continue;
                if (CurrentDeviceInfo.Wired || device.Path == CurrentDeviceInfo.Path)
                    ReceiverPaths << device.Path;
            }
        }
        if (found || UpgradeReceiverVariant == 0)
            Step = 1;
        else
            NoImage(kind);
        return;
    }
    case 1: {
        int candidates = 0;
        if (!receiver) {
            candidates = MousePending;
            for (const DeviceAllInfo &device : ModelDevices)
                candidates += device.Wired ? 1 : 0;
        } else {
            candidates = ReceiverPaths.size();
            for (int count : BootDeviceCounts)
                candidates += count;
        }
        if (candidates != 1) {
            stateOf(kind) = RunIdle;
            if (receiver)
                FinishReceiverUpgrade();
            else
                FinishMouseUpgrade();
            const QString text =
                candidates == 0 ? (receiver ? NoDeviceText : WiredModeText) : SameDeviceText;
            RunEndText = text;
            if (!ContinueFlag) {
                (receiver ? ui->toolButton_2 : ui->toolButton_3)->show();
                (receiver ? ToolButton2State : ToolButton3State) = candidates == 0 ? 1 : 2;
            } else {
                // The open dialog says it itself (ShowRunOutcome): one notice.
                if (!RepairDialog->isVisible()) {
                    PlaceOnPage(Warning, -75, -65);
                    Warning->setModal(true);
                    Warning->SetText(text);
                    Warning->show();
                }
                ContinueFlag = false;
            }
            Step = 4;
            return;
        }
        bool found = false;
        if (!receiver) {
            found = LoadUpgradeImage(kind, version, config(group, "MM"), UpgradeCid, UpgradeMid);
        } else {
            static const char *const keys[] = {"DM", "D2M", "D4M", "D8M"};
            int boot = -1;
            for (int i = 0; i < 4 && boot < 0; ++i) {
                if (BootDeviceCounts[i] == 1)
                    boot = i;
            }
            if (boot >= 0) {
                // A receiver in boot mode takes the image whatever its version.
                found = LoadUpgradeImage(kind, QString(), config(group, keys[boot]), UpgradeCid,
                                         UpgradeMid);
            } else {
                const int variant = UpgradeReceiverVariant;
                const QString key = variant == 4 || variant == 8 || variant == 2
                                        ? ReceiverNameKey(variant)
                                        : QStringLiteral("DM");
                // Measured against the receiver's own version (the one shown):
                // the version the library reads through a receiver is its
                // mouse's, and an image goes on only over an older one.
                found = LoadUpgradeImage(kind, version, config(group, key), UpgradeCid, UpgradeMid);
            }
        }
        if (!found) {
            NoImage(kind);
            return;
        }
        UpgradeKind = kind;
        // The device leaves normal mode as soon as the library takes the
        // image, and whatever ends the flash early (a crash, a kill, a pulled
        // cable) leaves it in boot mode: its record must be on the disk
        // before, so that the next start offers the repair.
        UpgradeRecords::PendingFlash pending;
        if (!pending.record(kind, UpgradeReceiverVariant, UpgradeCid, UpgradeMid)) {
            stateOf(kind) = RunFailed;
            emit PostMsg::GetInstance()->SigProgress(0, 1);
            emit PostMsg::GetInstance()->SigProgress(0, ProgressRecordNotSaved);
            Step = 4;
            return;
        }
        // The run counts as running before the library is asked, so that
        // not even its first packet can be missed.
        stateOf(kind) = RunRunning;
        if (!StartUpgradeWith(UpgradeImage(),
                              receiver ? OnReceiverUpgradeEvent : OnMouseUpgradeEvent)) {
            // Refused: nothing was flashed, and no packet will ever come.
            qWarning() << "the device library refused the upgrade image";
            pending.takeBack();
            stateOf(kind) = RunFailed;
            emit PostMsg::GetInstance()->SigProgress(0, 1);
            Step = 4;
            return;
        }
        Step = 2;
        return;
    }
    case 2:
        Step = 3;
        return;
    case 3:
        if (stateOf(kind) != RunRunning)
            Step = 4;
        return;
    case 4: {
        const int state = stateOf(kind);
        if (state == RunSucceeded)
            RunSucceededSinceStart = true;
        if (receiver) {
            ReceiverUpgradeActive = false;
            FinishReceiverUpgrade();
        } else {
            MouseUpgradeActive = false;
            FinishMouseUpgrade();
        }
        ContinueFlag = false;
        StopTimers();
        UpgradeRunning = false;
        if (receiver) {
            if (MousePending == 1) {
                // The recorded mouse failure is finished only once the
                // receiver is sound: after a failed or skipped receiver run
                // the receiver may be in boot mode, and a mouse success would
                // claim a repair that did not happen.
                if (state == RunSucceeded || state == RunNoImage) {
                    ContinueFlag = true;
                    on_Mouse_clicked();
                }
            } else {
                SlotContinue(0);
            }
        }
        // A failure reached the dialog from the upgrade callback already.
        if (!ReceiverUpgradeActive && !MouseUpgradeActive && state != RunFailed)
            ShowRunOutcome();
        return;
    }
    default:
        return;
    }
}

void FormSetting::ShowRunOutcome()
{
    if (!RepairDialog || !RepairDialog->isVisible() || !RepairDialog->AwaitingOutcome())
        return;
    if (RunEndText.isEmpty() && RunSucceededSinceStart) {
        emit PostMsg::GetInstance()->SigProgress(0, 2);
        return;
    }
    // Nothing was installed: either the devices did not fit, or there was
    // nothing newer to install.
    if (RunEndText.isEmpty())
        RepairDialog->SetStatusText(NewTipsText, UpDateRepair::Meaning::Neutral);
    else
        RepairDialog->SetStatusText(RunEndText, UpDateRepair::Meaning::Problem);
    RepairDialog->ShowMessageView();
}

void FormSetting::NoImage(int kind)
{
    stateOf(kind) = RunNoImage;
    if (kind == FirmwareKindReceiver) {
        FinishReceiverUpgrade();
        ReceiverImageMissing = true;
    } else {
        FinishMouseUpgrade();
        MouseImageMissing = true;
    }
    Step = 4;
}

void FormSetting::FinishReceiverUpgrade()
{
    OnlinePollEnabled = true;
    const int state = ReceiverUpgradeState;
    if (state == RunNoImage || state == RunSucceeded) {
        ui->toolButton_2->hide();
        ToolButton2State = 0;
        SetWaitingLook(false);
        emit PostMsg::GetInstance()->SigAddUpdate(0, false);
        emit PostMsg::GetInstance()->SigAddUpdate(1, false);
        if (state == RunSucceeded) {
            UpgradeRecords::removeFailInfoOf(FirmwareKindReceiver, UpgradeCid, UpgradeMid);
            ReceiverUpdateAvailable = false;
        }
    } else if (state == RunRunning) {
        // Still flashing: nothing is repaired yet, the record stays.
        ui->toolButton_2->hide();
        ToolButton2State = 0;
    }
    Step = 4;
}

void FormSetting::FinishMouseUpgrade()
{
    OnlinePollEnabled = true;
    const int state = MouseUpgradeState;
    if (state == RunNoImage || state == RunSucceeded) {
        ui->toolButton_3->hide();
        SetWaitingLook(false);
        emit PostMsg::GetInstance()->SigAddUpdate(0, false);
        emit PostMsg::GetInstance()->SigAddUpdate(1, false);
        if (state == RunNoImage)
            ui->Receive_2->setText(NewTipsText);
        if (state == RunSucceeded) {
            UpgradeRecords::removeFailInfoOf(FirmwareKindMouse, UpgradeCid, UpgradeMid);
            MouseUpdateAvailable = false;
        }
    } else if (state == RunRunning) {
        ui->toolButton_3->hide();
    }
    Step = 4;
}
