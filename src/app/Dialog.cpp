#include "app/Dialog.h"

#include "app/PreVier.h"
#include "buttons/Buttoninterface.h"
#include "common/ConfigIniStore.h"
#include "common/DeferredPolish.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/PagePlacement.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "hub/PostMsg.h"
#include "light/LampLight.h"
#include "macro/Macro.h"
#include "platform/CrashDump.h"
#include "platform/vidide/VidIde.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"

#include "common/LazyPictures.h"
#include "ui_Dialog.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>

namespace {

QString pageButtonStyle(const QString &folder, const QString &normal, const QString &hover,
                        const QString &checked)
{
    return "QToolButton{border: 0px;background-position:center;background-repeat:no-repeat;"
           "background-image: url(" +
           folder + normal + ");}QToolButton:hover{background-image:  url(" + folder + hover +
           ");}QToolButton:checked{background-image: url(" + folder + checked + ");}";
}

QString toolButtonStyle(const QString &folder, const QString &normal, const QString &hover,
                        const QString &pressed)
{
    return "QToolButton{border:0px;background-image: url(" + folder + normal +
           ");background-position:center;background-repeat:no-repeat;}QToolButton:hover{"
           "background-image: url(" +
           folder + hover + ");}QToolButton:pressed{background-image: url(" + folder + pressed +
           ");}";
}

} // namespace

Dialog::Dialog(QWidget *parent) : QWidget(parent), ui(new Ui::Dialog)
{
    // At start the chooser shows first: the pages are styled when this
    // window first shows.
    if (DeferredPolish::enabled())
        DeferredPolish::defer(this);
    // Qt styles a widget's whole subtree again whenever the widget gets a
    // parent, new window flags or a first style sheet, so each of these
    // happens before the subtree is built: the flags first, then the frames'
    // sheets.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    ui->setupUi(this);
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/Dialog/";
    ui->label_2->setStyleSheet("#label_2{color: rgb(" + ThemeColorText("LabelColor") + ";);}");
    ApplyStyleSheets();

    // At start the pages are built in the stack that holds them; otherwise
    // they are built with the window as parent and moved into the stack,
    // which styles each of them again.
    const bool inPlace = PagePlacement::active();
    QWidget *pageParent = inPlace ? static_cast<QWidget *>(ui->stackedWidgetDialog) : this;
    // Built in this order (the order in which they connect to the hub, and so
    // the order in which a signal with several receivers reaches them) ...
    PagePreVier = new PreVier(pageParent);
    PageAdvanced = new Advanced(pageParent);
    PageButtoninterface = new Buttoninterface(pageParent);
    PageLampLight = new LampLight(pageParent);
    PageMacro = new Macro(pageParent);
    PageSensor = new Sensor(pageParent);
    PageFormSetting = new FormSetting(pageParent);
    // ... and stacked in the order of the page buttons.
    ui->stackedWidgetDialog->addWidget(PagePreVier);
    ui->stackedWidgetDialog->addWidget(PageButtoninterface);
    ui->stackedWidgetDialog->addWidget(PageSensor);
    ui->stackedWidgetDialog->addWidget(PageMacro);
    ui->stackedWidgetDialog->addWidget(PageLampLight);
    ui->stackedWidgetDialog->addWidget(PageAdvanced);
    ui->stackedWidgetDialog->addWidget(PageFormSetting);
    // What moving them into the stack settled, before the start scales the
    // fonts.
    if (inPlace)
        PagePlacement::settleFonts(ui->stackedWidgetDialog);

    WaitDialog = new UpDataParam(nullptr);

    ui->label->hide();
    ui->SetButton->hide();

    PageButtons = new QButtonGroup(this);
    PageButtons->setExclusive(true);
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(ui->PreButton),
                                    static_cast<QAbstractButton *>(ui->Advanced),
                                    static_cast<QAbstractButton *>(ui->ButtonMain),
                                    static_cast<QAbstractButton *>(ui->MacroButton),
                                    static_cast<QAbstractButton *>(ui->LightsButton),
                                    static_cast<QAbstractButton *>(ui->SensorButton),
                                    static_cast<QAbstractButton *>(ui->FormSetting)})
        PageButtons->addButton(button);

    connect(ui->MinButton, SIGNAL(clicked()), this, SLOT(WindowMin()));
    ui->PreButton->setChecked(true);

    setFixedSize(width(), height());

    InstallCrashDumpFilter();

    ui->stackedWidgetDialog->setCurrentWidget(PagePreVier);

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSecondPageChange()), this, SLOT(SlotSecondDialog()));
    connect(hub, SIGNAL(SigIsUsb(bool, bool)), this, SLOT(SlotIsUsb(bool, bool)));
    connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    connect(hub, SIGNAL(SigStartRecord(int)), this, SLOT(SlotStartRecord(int)));
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    connect(hub, SIGNAL(SigBattery(bool, int, bool)), this, SLOT(SlotBattery(bool, int, bool)),
            Qt::BlockingQueuedConnection);
    connect(hub, SIGNAL(SigSelectMouseInfo(DeviceAllInfo)), this,
            SLOT(SlotSelectMouseInfo(DeviceAllInfo)));

    ui->label_3->hide();

    // Until the mouse is read, the pages that show its values are disabled
    // and the battery shows no level. The battery is not kept with the
    // settings: it stays unknown until the mouse tells it.
    for (QWidget *page :
         {static_cast<QWidget *>(PageButtoninterface), static_cast<QWidget *>(PageSensor),
          static_cast<QWidget *>(PageLampLight), static_cast<QWidget *>(PageAdvanced)})
        DeviceField::BindValueArea(page);
    ShowBatteryUnknown();
    DeviceField::WatchValuesUnknown(this, [this](bool unknown) {
        if (unknown)
            ShowBatteryUnknown();
    });
}

void Dialog::setVisible(bool visible)
{
    if (visible)
        DeferredPolish::complete(this);
    QWidget::setVisible(visible);
}

Dialog::~Dialog()
{
    delete PagePreVier;
    delete PageButtoninterface;
    delete PageLampLight;
    delete PageMacro;
    delete PageSensor;
    delete PageAdvanced;
    delete PageFormSetting;
    delete ui;
    // The program keeps the window for the whole run; a window that goes away
    // takes its wait dialog along instead of leaving it behind.
    delete WaitDialog;
}

QWidget *Dialog::buttonPage() const
{
    return PageButtoninterface;
}

void Dialog::ApplyStyleSheets()
{
    const QString &f = PictureFolder;
    SetBackground("BackGround2.png");
    ui->BatteryButtonC->setStyleSheet("#BatteryButtonC{border:0px;background-image: url(" + f +
                                      "Battery.png" +
                                      ");background-position:center;background-repeat:no-"
                                      "repeat;}");
    ui->label->setStyleSheet("#label{border-image: url(" + f + "Charg.png" + ");}");
    // The header, left strip and content frames lie on the window's picture;
    // their own panel border would draw lines across it.
    ui->frame->setStyleSheet("#frame{border:0px;}");
    ui->frame_3->setStyleSheet("#frame_3{border:0px;}");
    ui->frame_4->setStyleSheet("#frame_4{border:0px;}");
    ui->ButtonMain->setStyleSheet(
        pageButtonStyle(f, "Home.png", "HomeHover.png", "HomeChecked.png"));
    ui->PreButton->setStyleSheet(pageButtonStyle(f, "Pre.png", "PreHover.png", "PreHover.png"));
    ui->Advanced->setStyleSheet(
        pageButtonStyle(f, "Advance.png", "AdvanceHover.png", "AdvanceHover.png"));
    ui->CloseButton->setStyleSheet(
        toolButtonStyle(f, "Close.png", "CloseHover.png", "CloseClick.png"));
    ui->LightsButton->setStyleSheet(
        pageButtonStyle(f, "Light.png", "LightHover.png", "LightChecked.png"));
    ui->FormSetting->setStyleSheet(
        pageButtonStyle(f, "Setting.png", "SettingHover.png", "SettingClick.png"));
    ui->MacroButton->setStyleSheet(
        pageButtonStyle(f, "Macro.png", "MacroHover.png", "MacroChecked.png"));
    ui->MinButton->setStyleSheet(toolButtonStyle(f, "Min.png", "MinHover.png", "MinClick.png"));
    ui->SensorButton->setStyleSheet(
        pageButtonStyle(f, "Sensor.png", "SensorHover.png", "SensorChecked.png"));
    ui->SetButton->setStyleSheet(
        toolButtonStyle(f, "Setting.png", "SettingHover.png", "SettingClick.png"));
    ui->UpArrow->setStyleSheet(
        toolButtonStyle(f, "PageChange.png", "PageChangeHover.png", "PageChangeClick.png"));
}

void Dialog::SetBackground(const QString &picture)
{
    // The window's largest picture: decoded when the device window first shows.
    LazyPictures::SetStyleSheet(ui->frame_2,
                                "#frame_2{border-image: url(" + PictureFolder + picture + ");}");
}

void Dialog::WriteCache()
{
    // Refused (and logged by the store) when the block belongs to no current
    // device; leaving or closing goes on either way.
    WriteFlashDataCache(LoadedCacheName, FlashDataSnapshot());
}

void Dialog::WindowClosed()
{
    on_CloseButton_clicked();
}

void Dialog::WindowMin()
{
    emit PostMsg::GetInstance()->SigChangeSize(0);
}

void Dialog::on_ButtonMain_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PageButtoninterface);
    emit PostMsg::GetInstance()->SigAddMacroButton();
}

void Dialog::on_SensorButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PageSensor);
}

void Dialog::on_MacroButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PageMacro);
}

void Dialog::on_LightsButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PageLampLight);
}

void Dialog::on_UpArrow_clicked()
{
    UsbServer_SetPCDriverStatus(0);
    WriteCache();
    ui->PreButton->setChecked(true);
    // Let pending events (the last device answers) run before the server ends.
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    UsbServer_Exit();
    emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    emit PostMsg::GetInstance()->SigSetMacroPage();
}

void Dialog::on_SetButton_clicked() {}

void Dialog::on_MouseB_clicked() {}

void Dialog::on_MouseC_clicked() {}

void Dialog::SlotSecondDialog()
{
    ui->PreButton->setChecked(true);
    ui->stackedWidgetDialog->setCurrentWidget(PagePreVier);
}

void Dialog::SlotIsUsb(bool Usb, bool)
{
    ui->label_4->setStyleSheet("QLabel{border-image: url(" + PictureFolder +
                               (Usb ? "OnLineUsb.png" : "OnLineWifi.png") + ");}");
}

void Dialog::SlotUpDataParam(int index)
{
    if (index == 2) {
        // A profile the mouse has just taken: a wait already shown covers
        // its read too; otherwise the wait ends as soon as the pages show it.
        if (WaitDialog->isVisible())
            return;
        WaitDialog->StartProfileWait();
    } else {
        WaitDialog->StartTimer();
        if (index == 1)
            WaitDialog->ResetMode = true;
    }
    // Already waiting: the restarted timer is enough, no second modal loop.
    if (WaitDialog->isVisible())
        return;
    // A firmware run's outcome stays in front until the user leaves it: the
    // read after the flash runs behind it, its wait (and what the wait does
    // at its end) on the timer alone, without the box over the outcome.
    if (RepairDialog && RepairDialog->isVisible() && RepairDialog->ShowsRun())
        return;
    DialogPlacement::centreOver(WaitDialog, this, 0, -20);
    DialogSeam::exec(*WaitDialog);
}

void Dialog::SlotStartRecord(int index)
{
    if (index != 0 && index != 1)
        return;
    const bool enable = index == 1;
    for (QAbstractButton *button : PageButtons->buttons())
        button->setEnabled(enable);
}

void Dialog::SlotSelectMouseInfo(DeviceAllInfo SelectInfo)
{
    HasBattery = !(SelectInfo.Wired && DeviceCatalogue::IsWiredOnly(SelectInfo.DriveIndex));
    ShowBatteryGauge(HasBattery);
    ShowBatteryUnknown();
}

void Dialog::ShowBatteryUnknown()
{
    ui->progressBar->reset();
    ui->progressBar->setEnabled(false);
    ui->label_2->clear();
    ui->label->hide();
}

void Dialog::ShowBatteryGauge(bool shown)
{
    ui->label_2->setVisible(shown);
    ui->BatteryButtonC->setVisible(shown);
    ui->progressBar->setVisible(shown);
    if (!shown)
        ui->label->hide();
}

void Dialog::SlotBattery(bool IsCharg, int Number, bool IsText)
{
    // A mouse without a battery may still answer the battery query.
    if (!HasBattery)
        return;
    ui->label->setVisible(IsCharg);
    ui->progressBar->setEnabled(true);
    ui->progressBar->setValue(Number);
    ui->label_2->setText(QString::number(Number) + (IsText ? "%" : ""));
    const QString chunk = Number < 16 ? "rgb(152, 43, 34)" : "rgb(0, 255, 153)";
    ui->progressBar->setStyleSheet("#progressBar{border: none;background-color: "
                                   "transparent;}#progressBar::chunk {background-color: " +
                                   chunk + ";}");
}

void Dialog::SlotMouseIndex(int) {}

void Dialog::on_CloseButton_clicked()
{
    WriteCache();
    emit PostMsg::GetInstance()->SigChangeSize(1);
}

void Dialog::on_FormSetting_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PageFormSetting);
}

void Dialog::on_PreButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentWidget(PagePreVier);
}

void Dialog::on_stackedWidgetDialog_currentChanged(int index)
{
    if (index == 0) {
        SetBackground("BackGround2.png");
        return;
    }
    SetBackground("BackGround.png");
    ui->UpArrow->show();
}

void Dialog::on_Advanced_clicked()
{
    emit PostMsg::GetInstance()->SigtVis(0);
    ui->stackedWidgetDialog->setCurrentWidget(PageAdvanced);
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Dialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
