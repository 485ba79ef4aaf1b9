// The version panel of the settings page: the receiver and mouse versions,
// the look of the upgrade button and the hand-over to the repair dialog.

#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeState.h"
#include "ui_FormSetting.h"

#include <QDir>

void FormSetting::VersionTexts(QString &receiver, QString &mouse) const
{
    const DeviceAllInfo &device = CurrentDeviceInfo;
    receiver = device.DongleVersionText;
    mouse = device.Online ? device.MouseVersionText : QString();
    if (device.Online && device.Wired) {
        // A wired mouse: the receiver's version comes from the receiver of the
        // same model plugged in beside it.
        receiver.clear();
        if (ModelDevices.size() == 2) {
            for (const DeviceAllInfo &other : ModelDevices) {
                if (!other.ReceiverAddress.isEmpty() && !other.Wired) {
                    receiver = other.DongleVersionText;
                    break;
                }
            }
        }
    }
}

int FormSetting::CurrentReceiverVariant() const
{
    const DeviceAllInfo &device = CurrentDeviceInfo;
    if (!device.Wired)
        return ReceiverVariantOfType(device.ReceiverType);
    if (ModelDevices.size() != 2)
        return 0;
    for (const DeviceAllInfo &other : ModelDevices) {
        if (!other.ReceiverAddress.isEmpty() && !other.Wired &&
            ReceiverVariantOfType(other.ReceiverType))
            return ReceiverVariantOfType(other.ReceiverType);
    }
    return 0;
}

void FormSetting::SetWaitingLook(bool waiting)
{
    const QString f = PictureFolder;
    const QString head =
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: "
        "rgb(" +
        ButtonColorText + ";);";
    if (waiting)
        ui->Receive_2->setStyleSheet(head + "background-image: url(" + f + "WaitUpdate.png" +
                                     ");}QToolButton::hover{background-image: url(" + f +
                                     "WaitUpdateHover.png" + ");}");
    else
        ui->Receive_2->setStyleSheet(head + "border-image: url(" + f + "Confirm.png" + ");}");
}

void FormSetting::SetVer(int index)
{
    PostMsg *hub = PostMsg::GetInstance();
    QString receiver;
    QString mouse;
    switch (index) {
    case 0:
        VersionTexts(receiver, mouse);
        // The upgrade check behind SigUpdateFrame reads the labels: they must
        // show this device's versions, not the previous check's.
        ui->label_5->setText(receiver);
        ui->label_7->setText(mouse);
        if (QDir(FirmwareFolder()).exists()) {
            const int variant = CurrentReceiverVariant();
            MouseUpdateAvailable = HasNewFirmware(FirmwareKindMouse, mouse, variant);
            ReceiverUpdateAvailable = HasNewFirmware(FirmwareKindReceiver, receiver, variant);
            emit hub->SigAddUpdate(0, MouseUpdateAvailable);
            emit hub->SigAddUpdate(1, ReceiverUpdateAvailable);
            const bool any = MouseUpdateAvailable || ReceiverUpdateAvailable;
            emit hub->SigUpdateFrame(any);
            SetWaitingLook(any);
        }
        break;
    case 1:
        ToolButton2State = 0;
        ui->toolButton_2->hide();
        return;
    case 2:
        ToolButton3State = 0;
        ui->toolButton_3->hide();
        return;
    case 3:
        ui->Receive_2->setText(UpgradeText);
        return;
    case 4:
    case 5:
        ui->Receive_2->setText(UpgradeText);
        ToolButton3State = 0;
        ui->toolButton_3->hide();
        ToolButton2State = 0;
        ui->toolButton_2->hide();
        ReceiverImageMissing = false;
        MouseImageMissing = false;
        MouseUpgradeActive = false;
        ReceiverUpgradeActive = false;
        if (index == 4)
            return;
        VersionTexts(receiver, mouse);
        break;
    case 6:
        break;
    default:
        return;
    }
    ui->label_5->setText(receiver);
    emit hub->SigAddVer(1, receiver);
    ui->label_7->setText(mouse);
    emit hub->SigAddVer(0, mouse);
}

void FormSetting::SlotLabelText(int index, QString Text)
{
    DeviceAllInfo device = CurrentDeviceInfo;
    if (index == 0) {
        ui->label_5->setText(Text);
        emit PostMsg::GetInstance()->SigAddVer(1, Text);
        device.DongleVersionText = Text;
    } else if (index == 1) {
        ui->label_7->setText(Text);
        emit PostMsg::GetInstance()->SigAddVer(0, Text);
        device.MouseVersionText = Text;
    } else {
        return;
    }
    SetCurrentDeviceInfo(device);
}

void FormSetting::SlotLabelTextB(QString TextA, QString Text)
{
    ui->label_5->setText(TextA);
    emit PostMsg::GetInstance()->SigAddVer(1, TextA);
    const bool newer = Text == QLatin1String("true");
    // The flag says that the device has newer firmware, the mouse's
    // included; the receiver's row marks it only where there is a receiver
    // (a wired-only mouse has none, and no receiver version).
    emit PostMsg::GetInstance()->SigAddUpdate(1, newer && !TextA.isEmpty());
    SetWaitingLook(newer);
}

void FormSetting::SetVerText()
{
    ui->Receive_2->setText(NewTipsText);
}

// Opens the repair dialog for the page's own upgrade: the ready view when
// something can be installed, the check's message otherwise.
void FormSetting::OpenRepairDialog()
{
    if (ui->Receive_2->text() == NewTipsText)
        return;
    ReceiverImageMissing = false;
    PlaceOnPage(RepairDialog, -75, -65);
    RepairDialog->setModal(true);
    RepairDialog->ResetView();
    if (ChechIsUpDate()) {
        RepairDialog->ShowReadyView();
        RepairDialog->show();
    } else if (ReceiverImageMissing) {
        ui->Receive_2->setText(NewTipsText);
    } else {
        RepairDialog->show();
    }
}

// The dialog shows a run or its outcome: the re-read after a flash finds what
// the run left, and must neither close that outcome nor replace it before the
// user has seen it and left it.
bool FormSetting::DialogShowsRun() const
{
    return RepairDialog && RepairDialog->isVisible() && RepairDialog->ShowsRun();
}

void FormSetting::SlotUpdateFrame(bool IsVis)
{
    if (DialogShowsRun())
        return;
    if (!IsVis) {
        RepairDialog->close();
        return;
    }
    OpenRepairDialog();
}

void FormSetting::on_Receive_2_clicked()
{
    OpenRepairDialog();
}

void FormSetting::SlotCheckUpdate()
{
    if (DialogShowsRun())
        return;
    if (ChechIsUpDate())
        RepairDialog->ShowReadyView();
}

void FormSetting::SlotContinue(int)
{
    for (int &count : BootDeviceCounts)
        count = 0;
    const auto done = [](int state) { return state == RunSucceeded || state == RunNoImage; };
    if (MouseUpdateAvailable && done(ReceiverUpgradeState)) {
        ContinueFlag = true;
        on_Mouse_clicked();
    }
    if (ReceiverUpdateAvailable && done(MouseUpgradeState)) {
        ContinueFlag = true;
        on_Receive_clicked();
    }
}
