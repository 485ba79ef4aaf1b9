#include "unbuilt/Progress.h"
#include "ui_Progress.h"

#include "common/LabelCatalogue.h"
#include "device/FirmwareHooks.h"
#include "hub/PostMsg.h"

Progress::Progress(QWidget *parent) : NoticeDialog(parent), ui(new Ui::Progress)
{
    ui->setupUi(this);
    connect(PostMsg::GetInstance(), SIGNAL(SigCloseProgress()), this, SLOT(SlotCloseProgress()));

    Look look;
    look.frame = ui->AddDelayTimeA;
    look.label = ui->label;
    look.closeButton = ui->CloseButton;
    look.confirmButtons = {ui->NewHong};
    applyLook(look);

    followLanguage();
    ui->NewHong->hide();
    ui->label->setText(ProgressText(1));
    scaleFonts();
}

Progress::~Progress() = default;

QString Progress::ProgressText(int percent) const
{
    return UpgradingText + QStringLiteral(": ") + QString::number(percent) + QStringLiteral("%");
}

void Progress::SlotAllLanguage(int index)
{
    ui->NewHong->setText(SettingsLabels[index]["OK"]);
    UpgradingText = UpdateLabels[index]["DialogUpgradeUpgrading"];
    UpgradingText.replace(QStringLiteral("\n"), QStringLiteral(" "));
    UpgradeFailText = UpdateLabels[index]["DialogUpgradeFail"];
    UpgradeSuccessText = UpdateLabels[index]["DialogUpgradeSuccess"];
}

void Progress::ShowResultButton()
{
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
    ui->NewHong->show();
}

void Progress::ResetToZero()
{
    ShowingFailure = false;
    ui->label->setText(ProgressText(0));
    ui->progressBar_2->setValue(0);
}

void Progress::SlotProgress(int schedue, int Discrib)
{
    ui->progressBar_2->setValue(schedue);
    if (Discrib >= 0 && Discrib <= 4)
        ShowingFailure = Discrib == 1;
    switch (Discrib) {
    case 0:
        ui->label->setText(ProgressText(schedue));
        break;
    case 1:
        ui->label->setText(UpgradeFailText);
        ShowResultButton();
        break;
    case 2:
        ui->label->setText(UpgradeSuccessText);
        ui->progressBar_2->setValue(100);
        ShowResultButton();
        break;
    case 3:
        ui->NewHong->hide();
        break;
    case 4:
        ui->NewHong->hide();
        ResetToZero();
        break;
    default:
        break;
    }
}

void Progress::SlotCloseProgress()
{
    if (FirmwareHooks::settingsUpgradeRunning())
        return;
    close();
    ResetToZero();
}

void Progress::Leave()
{
    if (ShowingFailure) {
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
        close();
        return;
    }
    close();
    ResetToZero();
    emit PostMsg::GetInstance()->SigContinue(0);
}

void Progress::on_CloseButton_clicked()
{
    if (FirmwareHooks::settingsUpgradeRunning())
        return;
    Leave();
}

void Progress::on_NewHong_clicked()
{
    Leave();
}
