#include "settings/UpDateRepair.h"

#include "common/ConfigIniStore.h"
#include "common/FontScaling.h"
#include "common/LabelCatalogue.h"
#include "common/LazyPictures.h"
#include "common/SharedState.h"
#include "common/ThemeStyles.h"
#include "hub/PostMsg.h"
#include "platform/Registry.h"
#include "settings/UpgradeState.h"
#include "ui_UpDateRepair.h"

#include <QCoreApplication>
#include <QFileInfo>

UpDateRepair *RepairDialog = nullptr;

UpDateRepair::UpDateRepair(QWidget *parent) : QDialog(parent), ui(new Ui::UpDateRepair)
{
    ui->setupUi(this);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/WarningDialog/";
    ui->NewHong->hide();
    ui->progressBar_2->hide();
    ui->NewHong_2->hide();
    ui->ToolText_2->hide();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);

    const QString f = PictureFolder;
    const QString label = ThemeColorText("LabelColor");
    const QString button = ThemeColorText("ButtonColor");
    ui->ToolText->setStyleSheet("#ToolText{color: rgb(" + label +
                                ";);background-color:rgba(0,0,0,0);}");
    LabelColorText = label;
    SetStatusText(QString(), Meaning::Neutral);
    const QString buttonStyle =
        "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;color: "
        "rgb(" +
        button + ";);border-image: url(" + f + "ok_nr.png" +
        ");}QToolButton:hover{border-image: url(" + f + "ok_enter.png" + "); }";
    ui->NewHong->setStyleSheet(buttonStyle);
    ui->NewHong_2->setStyleSheet(buttonStyle);
    ui->CloseButton->setStyleSheet(ThemeStyles::CloseButton(f, "Close.png"));
    LazyPictures::SetStyleSheet(
        ui->AutoRepair,
        "#AutoRepair{border:0px;background-position:center;background-repeat:no-repeat;border-"
        "image: url(" +
            f + "BackGround.png" + ");}");

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    connect(hub, SIGNAL(SigProgress(int, int)), this, SLOT(SlotProgress(int, int)));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
    ScaleWidgetFonts(this, FontScaleFactor());
}

UpDateRepair::~UpDateRepair()
{
    if (RepairDialog == this)
        RepairDialog = nullptr;
}

QString UpDateRepair::statusText() const
{
    return ui->ToolText_2->text();
}

void UpDateRepair::SlotAllLanguage(int index)
{
    WarnUpdateText = HomeLabels[index]["WarnUpdate"];
    ui->ToolText->setText(WarnUpdateText);
    ReadyUpdateText = HomeLabels[index]["ReadyUpdate"];
    NotDeviceText = HomeLabels[index]["NotDevice"];
    SameDeviceText = HomeLabels[index]["SameDevice"];
    NoReceiveText = HomeLabels[index]["NoRecieve"];
    NoUsbText = HomeLabels[index]["NoUSB"];
    MultiDongleText = HomeLabels[index]["MultiDongle"];
    MultiMouseText = HomeLabels[index]["MultiMouse"];
    ErrorFileText = HomeLabels[index]["ErrorFile"];
    UpgradeFailText = UpdateLabels[index]["DialogUpgradeFail"];
    RecordNotSavedText = UpdateLabels[index]["DialogUpgradeRecordNotSaved"];
    UpgradeSuccessText = UpdateLabels[index]["DialogUpgradeSuccess"];
    UpgradeStartText = UpdateLabels[index]["DialogUpgradeStart"];
    CancelText = CommonLabels[index]["Cancel"];
    OkText = CommonLabels[index]["OK"];
}

// The start button turns into OK once there is nothing to start; the state is
// kept apart from the text, which a language may leave empty.
void UpDateRepair::SetOkButton(bool ok)
{
    ButtonIsOk = ok;
    ui->NewHong_2->setText(ok ? OkText : UpgradeStartText);
}

void UpDateRepair::SetShortcuts()
{
    ui->NewHong_2->setShortcut(QKeySequence(Qt::Key_Return));
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Escape));
}

void UpDateRepair::ResetView()
{
    SetStatusText(QString(), Meaning::Neutral);
    ui->ToolText_2->show();
    SetOkButton(false);
    ui->NewHong_2->show();
    ui->NewHong->setText(CancelText);
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->hide();
    SetShortcuts();
}

void UpDateRepair::ShowReadyView()
{
    SetStatusText(ReadyUpdateText, Meaning::Neutral);
    ui->NewHong->setText(CancelText);
    ShowButtonsView(false);
}

void UpDateRepair::ShowMessageView()
{
    ShowButtonsView(true);
}

void UpDateRepair::ShowButtonsView(bool ok)
{
    ui->ToolText_2->show();
    SetOkButton(ok);
    ui->NewHong_2->show();
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(true);
    ui->progressBar_2->hide();
    SetShortcuts();
}

void UpDateRepair::ShowProgressView()
{
    SetStatusText(WarnUpdateText, Meaning::Neutral);
    ui->ToolText_2->show();
    ui->NewHong_2->hide();
    ui->NewHong->hide();
    ui->NewHong->setEnabled(false);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(false);
    ui->progressBar_2->show();
    SetShortcuts();
}

void UpDateRepair::SetStatusText(const QString &text, Meaning meaning)
{
    const QString color = meaning == Meaning::Problem ? QStringLiteral("255,0,0") : LabelColorText;
    ui->ToolText_2->setStyleSheet("#ToolText_2{color: rgb(" + color +
                                  ");background-color:rgba(0,0,0,0);}");
    ui->ToolText_2->setText(text);
}

bool UpDateRepair::AwaitingOutcome() const
{
    return ui->NewHong_2->isHidden() && !ui->progressBar_2->isHidden();
}

void UpDateRepair::HideCancelAndProgress()
{
    ui->NewHong->hide();
    ui->progressBar_2->hide();
}

bool UpDateRepair::ShowMessage(const QString &text)
{
    // Nothing may be flashed after a refused check.
    RepairReady = false;
    SetStatusText(text, Meaning::Problem);
    ShowMessageView();
    return false;
}

bool UpDateRepair::NothingToRepair()
{
    if (ShowsRun())
        return false;
    RepairReady = false;
    // Without a record the start button could only do nothing: the offer
    // goes, on the chooser as here.
    if (isVisible())
        close();
    emit PostMsg::GetInstance()->SigUpDateButton(true);
    return false;
}

bool UpDateRepair::ShowsRun() const
{
    return !ui->progressBar_2->isHidden();
}

void UpDateRepair::SlotProgress(int schedue, int Discrib)
{
    switch (Discrib) {
    case 0:
        ui->progressBar_2->setValue(schedue);
        return;
    case 1:
    case 5:
        SetOkButton(true);
        ui->NewHong_2->show();
        ui->NewHong->show();
        SetStatusText(UpgradeFailText, Meaning::Problem);
        ui->ToolText_2->show();
        ui->CloseButton->setEnabled(true);
        ui->NewHong->setEnabled(true);
        if (Discrib == 5)
            ui->progressBar_2->setValue(50);
        break;
    case 2:
        SetOkButton(true);
        ui->NewHong_2->show();
        SetStatusText(UpgradeSuccessText, Meaning::Neutral);
        ui->ToolText_2->show();
        ui->progressBar_2->setValue(100);
        ui->NewHong->show();
        ui->CloseButton->setEnabled(true);
        ui->NewHong->setEnabled(true);
        break;
    case 6:
        SetStatusText(UpgradeFailText, Meaning::Problem);
        ui->ToolText_2->show();
        ui->NewHong->show();
        ui->CloseButton->setEnabled(true);
        ui->NewHong->setEnabled(true);
        break;
    case ProgressRecordNotSaved:
        // The device was not touched: the disk is what the user can mend.
        SetStatusText(
            RecordNotSavedText.arg(QFileInfo(Registry::instance()->filePath()).fileName()),
            Meaning::Problem);
        ui->ToolText_2->show();
        break;
    default:
        return;
    }
    SetShortcuts();
}

void UpDateRepair::SlotAutoRepair(int index)
{
    if (index != 0)
        SetStatusText(UpgradeFailText, Meaning::Problem);
    else
        SetStatusText(UpgradeSuccessText, Meaning::Neutral);
    SetOkButton(true);
    ui->NewHong->show();
    SetShortcuts();
}

void UpDateRepair::SlotAutoRepairProgress(int index)
{
    ui->progressBar_2->setValue(index);
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    // A run's outcome stays until the user leaves it; a new check would
    // replace it unseen.
    if (ShowsRun())
        return;
    if (CheckInterruptedUpgrade())
        ShowReadyView();
}

// Leaving a run's view: a finished run refreshes the versions; an unfinished
// one sends the device page back to the chooser, where the repair is offered.
void UpDateRepair::CloseAfterRun()
{
    if (ui->progressBar_2->isVisible()) {
        if (ui->progressBar_2->value() >= 100)
            emit PostMsg::GetInstance()->SigSetNewVer();
        else if (DevicePageActive)
            emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    }
    close();
}

void UpDateRepair::on_CloseButton_clicked()
{
    // A running flash cannot be abandoned from here.
    if (RepairProgressSeen)
        return;
    CloseAfterRun();
}

void UpDateRepair::on_NewHong_clicked()
{
    on_CloseButton_clicked();
}

void UpDateRepair::on_NewHong_2_clicked()
{
    if (RepairProgressSeen)
        return;
    if (ui->progressBar_2->isVisible()) {
        CloseAfterRun();
        return;
    }
    if (ButtonIsOk) {
        close();
        return;
    }
    if (DevicePageActive) {
        emit PostMsg::GetInstance()->SigUpdateStart();
        return;
    }
    RunRepairUpgrade();
}

bool UpDateRepair::StartAutoRepair(int)
{
    AutoRepair = true;
    return RunRepairUpgrade();
}
