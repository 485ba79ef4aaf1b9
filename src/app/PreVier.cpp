#include "app/PreVier.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceField.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

#include "ui_PreVier.h"

#include <QCoreApplication>

PreVier::PreVier(QWidget *parent) : QWidget(parent), ui(new Ui::PreVier)
{
    ui->setupUi(this);
    ui->MouseUp->hide();
    ui->DongleUp->hide();
    PictureFolder = QCoreApplication::applicationDirPath() + "/Picture/Buttoninterface/";
    // The panel lies on the device window's picture; the frame's own panel
    // border would draw lines across it.
    ui->PreViewFrame->setStyleSheet("#PreViewFrame{border:0px;}");

    // A colour list of fewer than three items falls back to the default
    // colour instead of reading past the list.
    const QString labelStyle = "QLabel{color: rgb(" + ThemeColorText("LabelColor") + ";);}";
    for (QLabel *label :
         {ui->DpiName, ui->DebunceValue, ui->ReportName, ui->LodName, ui->ConfigName,
          ui->MotionName, ui->MouseVer, ui->DongleVer, ui->DpiValue, ui->ReportValue, ui->LodValue,
          ui->ConfigValue, ui->MouseValue, ui->DongleValue})
        label->setStyleSheet(labelStyle);

    const QString marker = "QLabel{border:0px;background-position:center;background-repeat:no-"
                           "repeat;background-image: url(" +
                           PictureFolder + "IsData.png" + ");}";
    ui->MouseUp->setStyleSheet(marker);
    ui->DongleUp->setStyleSheet(marker);

    QObject *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    connect(hub, SIGNAL(SigAddSensor(int)), this, SLOT(SlotAddSensor(int)));
    connect(hub, SIGNAL(SigAddReport(int)), this, SLOT(SlotAddReport(int)));
    connect(hub, SIGNAL(SigAddLOD(QString)), this, SLOT(SlotAddLOD(QString)));
    connect(hub, SIGNAL(SigDebunce(QString)), this, SLOT(SlotDebnunce(QString)));
    connect(hub, SIGNAL(SigAddConfig(QString)), this, SLOT(SlotAddConfig(QString)));
    // The hub has no signal for the motion, the two version texts and the
    // battery visibility: those slots stay unconnected.
    connect(hub, SIGNAL(SigAddVer(int, QString)), this, SLOT(SlotAddVer(int, QString)));
    connect(hub, SIGNAL(SigAddUpdate(int, bool)), this, SLOT(SlotAddUpdate(int, bool)));

    // What the pages show before the mouse was read is not its own: the
    // panel then shows no value at all.
    DeviceField::WatchValuesUnknown(this, [this](bool unknown) {
        if (!unknown)
            return;
        for (QLabel *label :
             {ui->DpiValue, ui->ReportValue, ui->LodValue, ui->DebunceValue, ui->ConfigValue})
            label->clear();
    });

    SlotAllLanguage(CurrentLanguage);
}

PreVier::~PreVier()
{
    delete ui;
}

void PreVier::SlotAllLanguage(int index)
{
    ui->ReportName->setText(SensorLabels[index]["ReportRate"]);
    ui->MotionName->setText(KeyLabels[index]["DebounceTime"]);
    ui->ConfigName->setText(KeyLabels[index]["configName"]);
    ui->MouseVer->setText(SettingsLabels[index]["MouseVersion"]);
    ui->DongleVer->setText(SettingsLabels[index]["DongleVersion"]);
}

void PreVier::ShowValue(QLabel *label, const QString &text)
{
    if (!DeviceField::ValuesUnknown())
        label->setText(text);
}

void PreVier::SlotAddSensor(int Value)
{
    ShowValue(ui->DpiValue, QString::number(Value));
}

void PreVier::SlotAddReport(int Value)
{
    ShowValue(ui->ReportValue, QString::number(Value) + "Hz");
}

void PreVier::SlotAddLOD(QString Value)
{
    ShowValue(ui->LodValue, Value);
}

void PreVier::SlotAddConfig(QString Value)
{
    ShowValue(ui->ConfigValue, Value);
}

void PreVier::SlotAddMotion(int) {}

void PreVier::SlotAddMouseVer(QString Value)
{
    ui->MouseValue->setText(Value);
}

void PreVier::SlotAddDongleVer(QString Value)
{
    ui->DongleValue->setText(Value);
}

void PreVier::SlotAddBatteryVis(bool) {}

void PreVier::SlotDebnunce(QString Vlue)
{
    ShowValue(ui->DebunceValue, Vlue);
}

void PreVier::SlotAddVer(int type, QString Ver)
{
    if (type == 0)
        ui->MouseValue->setText(Ver);
    else if (type == 1)
        ui->DongleValue->setText(Ver);
}

void PreVier::SlotAddUpdate(int type, bool Ver)
{
    if (type == 0)
        ui->MouseUp->setVisible(Ver);
    else if (type == 1)
        ui->DongleUp->setVisible(Ver);
}

void PreVier::SlotMouseIndex(int index)
{
    ui->widget->setStyleSheet(
        "#widget{border:0px;background-position:center;background-repeat:no-repeat;"
        "background-image: url(" +
        PictureFolder + "mouse" + QString::number(index) + ".png" + ");}");
}

void PreVier::on_UpArrow_clicked()
{
    // Nothing in the form is named UpArrow, so this never runs; it leaves the
    // device page like the device window's button does, without its waits.
    UsbServer_SetPCDriverStatus(0);
    WriteFlashDataCache(LoadedCacheName, FlashDataSnapshot());
    UsbServer_Exit();
    emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    emit PostMsg::GetInstance()->SigSetMacroPage();
}
