// The settings-page firmware upgrade: the check that decides whether a run
// may start, the two starters, the five-step machine driven by the one-second
// timers, and the callbacks the device library calls while it flashes.

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "common/UpDateWarning.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"
#include "ui_FormSetting.h"

#include <QDebug>
#include <QTimer>

namespace {

int modelIdOf(const DeviceAllInfo &device)
{
    return device.CidMid >> 8;
}

QString driveGroup()
{
    return QStringLiteral("Drive") + QString::number(CurrentDeviceSnapshot().DriveIndex + 1);
}

QString config(const QString &group, const QString &key)
{
    return ConfigIniStore::GetInstance()->GetValue(group, key);
}

// Both callbacks behave the same; a run acts only while its state is running.
void onUpgradePacket(const unsigned char *packet)
{
    if (!packet || packet[0] != 7)
        return;
    PostMsg *hub = PostMsg::GetInstance();
    if (packet[1] == 1) {
        const int percent = packet[2];
        if (ReceiverUpgradeState == RunRunning)
            emit hub->SigProgress(UpgradeStageCount != 1 ? percent / 2 : percent, 0);
        if (MouseUpgradeState == RunRunning)
            emit hub->SigProgress(UpgradeStageCount == 1 ? percent : percent / 2 + 50, 0);
        return;
    }
    if (packet[1] != 2)
        return;
    // Each outcome is sent before the run's state changes: the steps end the
    // run on seeing the state, and the dialog must have the outcome by then.
    if (packet[2] == 1) {
        const QString version = ImageVersionText(UpgradeImage());
        if (ReceiverUpgradeState == RunRunning) {
            if (UpgradeStageCount == 1)
                emit hub->SigProgress(0, 2);
            emit hub->SigLabelText(0, version);
            ReceiverUpgradeState = RunSucceeded;
        }
        if (MouseUpgradeState == RunRunning) {
            UpgradeRecords::writeFlashedMouseVersion(driveGroup(), version);
            emit hub->SigProgress(0, 2);
            emit hub->SigLabelText(1, version);
            MouseUpgradeState = RunSucceeded;
        }
        // Only the device just flashed is repaired; a record of the other
        // one stays for its own run.
        UpgradeRecords::removeFailInfoOf(UpgradeKind, UpgradeCid, UpgradeMid);
        return;
    }
    UpgradeRecords::touchMarkerFile();
    MouseUpdateAvailable = false;
    ReceiverUpdateAvailable = false;
    UpgradeRecords::writeFailInfo(UpgradeKind, UpgradeReceiverVariant, UpgradeCid, UpgradeMid);
    emit hub->SigProgress(0, 1);
    for (std::atomic<int> *state : {&ReceiverUpgradeState, &MouseUpgradeState}) {
        int expected = RunRunning;
        state->compare_exchange_strong(expected, RunFailed);
    }
}

} // namespace

void OnReceiverUpgradeEvent(const unsigned char *packet)
{
    onUpgradePacket(packet);
}

void OnMouseUpgradeEvent(const unsigned char *packet)
{
    onUpgradePacket(packet);
}

bool FormSetting::Fail(const QString &text)
{
    RepairDialog->SetStatusText(text, UpDateRepair::Meaning::Problem);
    RepairDialog->ShowMessageView();
    return false;
}

// Nothing newer to install: no problem, and nothing to start.
bool FormSetting::NothingNewer()
{
    ReceiverImageMissing = true;
    RepairDialog->SetStatusText(NewTipsText, UpDateRepair::Meaning::Neutral);
    RepairDialog->ShowMessageView();
    return false;
}

bool FormSetting::ChechIsUpDate()
{
    UpgradeReceiverVariant = 0;
    MousePending = 0;
    MouseOnlyRun = false;
    FailRecord record;
    const bool recorded = UpgradeRecords::firstFailRecord(&record);
    const int kind = record.kind;
    const int recordedCid = record.cid;
    const int recordedMid = record.mid;
    DriveGroupName = driveGroup();
    const QString mouseName = config(DriveGroupName, "MM");
    const int mid = config(DriveGroupName, "MID").toInt();

    if (ModelDevices.size() == 2) {
        if (!ModelDevices.at(0).Wired && !ModelDevices.at(1).Wired)
            return Fail(NoUsbText);
        if (modelIdOf(ModelDevices.at(0)) != modelIdOf(ModelDevices.at(1)))
            return Fail(NoReceiverText);
        int variant = 0;
        for (const DeviceAllInfo &device : ModelDevices) {
            if (!device.ReceiverAddress.isEmpty() && !device.Wired &&
                ReceiverVariantOfType(device.ReceiverType)) {
                variant = ReceiverVariantOfType(device.ReceiverType);
                break;
            }
        }
        if (!variant)
            return Fail(NoReceiverText);
        UpgradeReceiverVariant = variant;
        ReceiverModelName = config(DriveGroupName, ReceiverNameKey(variant));
        const bool receiverNew = LoadUpgradeImage(FirmwareKindReceiver, ui->label_5->text(),
                                                  ReceiverModelName, UpgradeCid, mid);
        const bool mouseNew =
            LoadUpgradeImage(FirmwareKindMouse, ui->label_7->text(), mouseName, UpgradeCid, mid);
        MouseUpdateAvailable = mouseNew;
        if (!receiverNew && !mouseNew) {
            return NothingNewer();
        }
        UpgradeStageCount = receiverNew && mouseNew ? 2 : 1;
        return true;
    }
    if (ModelDevices.size() > 2) {
        int wired = 0;
        for (const DeviceAllInfo &device : ModelDevices)
            wired += device.Wired ? 1 : 0;
        const int others = ModelDevices.size() - wired;
        if (others >= 2)
            RepairDialog->SetStatusText(MultiDongleText, UpDateRepair::Meaning::Problem);
        else if (wired >= 2)
            RepairDialog->SetStatusText(MultiMouseText, UpDateRepair::Meaning::Problem);
        RepairDialog->ShowMessageView();
        return false;
    }
    if (ModelDevices.isEmpty())
        return Fail(ErrorText);

    const DeviceAllInfo &entry = ModelDevices.first();
    if ((!recorded || recordedMid != mid) && entry.Wired && !ModelHasReceiver(DriveGroupName)) {
        // A wired-only model: there is no receiver to ask for, and the mouse
        // stage needs none; it flashes the mouse on its cable by itself.
        if (!LoadUpgradeImage(FirmwareKindMouse, ui->label_7->text(), mouseName, UpgradeCid, mid)) {
            return NothingNewer();
        }
        MouseUpdateAvailable = true;
        MouseOnlyRun = true;
        UpgradeStageCount = 1;
        return true;
    }
    if (!recorded)
        return Fail(entry.Wired ? NoReceiverText : NoUsbText);
    if (kind == FirmwareKindReceiver) {
        if (!entry.Wired || modelIdOf(entry) != recordedMid)
            return Fail(NoUsbText);
    } else if (kind == FirmwareKindMouse) {
        MousePending = 1;
        if (entry.Wired || modelIdOf(entry) != recordedMid)
            return Fail(NoReceiverText);
    } else {
        return Fail(ErrorText);
    }
    if (!ReceiverNameKey(record.variant).isEmpty()) {
        UpgradeReceiverVariant = record.variant;
        RecordedReceiverModelName = config(DriveGroupName, ReceiverNameKey(record.variant));
    }
    if ((entry.CidMid & 0xFF) != recordedCid)
        return Fail(ErrorText);
    const bool found =
        kind == FirmwareKindMouse
            ? LoadUpgradeImage(FirmwareKindMouse, QString(), mouseName, recordedCid, mid)
            : LoadUpgradeImage(FirmwareKindReceiver, QString(), RecordedReceiverModelName,
                               recordedCid, mid);
    // Without the image of the interrupted part there is nothing to install.
    if (!found)
        return Fail(ErrorText);
    int count = 5;
    FindBootDevicesFor(UpgradeImage(), &count);
    if (count == 1) {
        const bool other = kind == FirmwareKindReceiver
                               ? LoadUpgradeImage(FirmwareKindMouse, ui->label_7->text(), mouseName,
                                                  UpgradeCid, mid)
                               : LoadUpgradeImage(FirmwareKindReceiver, ui->label_5->text(),
                                                  RecordedReceiverModelName, UpgradeCid, mid);
        UpgradeStageCount = other ? 2 : 1;
        return true;
    }
    return Fail(count == 0 ? NoDeviceText : SameDeviceText);
}

void FormSetting::on_Start()
{
    for (int &count : BootDeviceCounts)
        count = 0;
    RunEndText.clear();
    RunSucceededSinceStart = false;
    RepairDialog->ShowProgressView();
    if (MouseOnlyRun) {
        // The mouse stage is the whole run: its bar runs from 0 to 100 %,
        // whatever an earlier run of another device left behind.
        UpgradeStageCount = 1;
        on_Mouse_clicked();
        return;
    }
    const bool found =
        LoadUpgradeImage(FirmwareKindReceiver, ui->label_5->text(), RecordedReceiverModelName,
                         UpgradeCid, config(DriveGroupName, "MID").toInt());
    if (!found && MousePending == 1) {
        ContinueFlag = true;
        on_Mouse_clicked();
        return;
    }
    if (ReceiverUpgradeState != RunRunning && MouseUpgradeState != RunRunning &&
        !MouseUpgradeActive && !ReceiverImageMissing) {
        StartReceiverRun();
    } else if (ReceiverImageMissing) {
        SetWaitingLook(false);
        emit PostMsg::GetInstance()->SigAddUpdate(0, false);
        emit PostMsg::GetInstance()->SigAddUpdate(1, false);
        SlotContinue(0);
        if (!ReceiverUpgradeActive && !MouseUpgradeActive)
            ShowRunOutcome();
    }
}

void FormSetting::on_Receive_clicked()
{
    UpgradeReceiverVariant = CurrentReceiverVariant();
    if (!ReceiverImageMissing && !MouseUpgradeActive)
        StartReceiverRun();
}

void FormSetting::StartReceiverRun()
{
    UpgradeRunning = true;
    Step = 0;
    ToolButton2State = 0;
    ui->toolButton_2->hide();
    SetVer(2);
    OnlinePollEnabled = false;
    ReceiverCheckTimer->start();
    ReceiverUpgradeActive = true;
}

void FormSetting::on_Mouse_clicked()
{
    if (CurrentDeviceInfo.Wired) {
        // Only the model's first found device may be flashed as "the" mouse.
        if (ModelDevices.isEmpty() || !ModelDevices.first().Wired ||
            modelIdOf(ModelDevices.first()) != modelIdOf(CurrentDeviceInfo)) {
            emit PostMsg::GetInstance()->SigProgress(0, 5);
            return;
        }
    }
    if (!MouseImageMissing && !ReceiverUpgradeActive) {
        UpgradeRunning = true;
        Step = 0;
        ToolButton3State = 0;
        ui->toolButton_3->hide();
        SetVer(1);
        OnlinePollEnabled = false;
        MouseCheckTimer->start();
        MouseUpgradeActive = true;
    } else if (MouseImageMissing) {
        ui->Receive_2->setText(NewTipsText);
        ShowRunOutcome();
    }
}

void FormSetting::onDongleCheckTimer()
{
    UpgradeStep(Step, FirmwareKindReceiver, ui->label_5->text());
}

void FormSetting::onMouseCheckTimer()
{
    UpgradeStep(Step, FirmwareKindMouse, ui->label_7->text());
}

void FormSetting::StopTimers()
{
    ReceiverCheckTimer->stop();
    MouseCheckTimer->stop();
}
