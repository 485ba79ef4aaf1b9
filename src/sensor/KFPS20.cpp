#include "sensor/KFPS20.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "sensor/SensorToggle.h"
#include "ui_KFPS20.h"

#include <QCoreApplication>

KFPS20::KFPS20(QWidget *parent) : QFrame(parent), ui(new Ui::KFPS20)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Advanced/";
    LabelColorText = ThemeColorText("LabelColor");
    const QString p = PicturePath;
    ui->TitleButton_2->setStyleSheet("#TitleButton_2{border-image: url(" + p + "Title.png);}");
    ui->label_3->setStyleSheet("QLabel{color: rgb(" + LabelColorText + ";);}");
    ui->KFPS->setStyleSheet(
        "#KFPS{color: rgb(255, 255, 255);border:0px;background-position:center;background-"
        "repeat:no-repeat;background-image: url(" +
        p + "Close.png);}#KFPS:checked {background-image: url(" + p + "Open.png);}");
    ui->Error_2->setStyleSheet("QLabel{border-image: url(" + p + "Tips.png);}");
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(CurrentLanguage);
}

KFPS20::~KFPS20()
{
    delete ui;
}

void KFPS20::MoveTips(int x, int y)
{
    ui->Error_2->move(x, y);
}

void KFPS20::SetChecked(bool on)
{
    ui->KFPS->setChecked(on);
}

void KFPS20::SlotAllLanguage(int index)
{
    ui->label_3->setText(AdvancedSettingsLabels[index]["scanningTitle"]);
    ui->Error_2->setToolTip(AdvancedSettingsLabels[index]["scanningTips"]);
}

void KFPS20::on_KFPS_clicked(bool checked)
{
    SensorToggle::Clicked(ui->KFPS, checked, SetScan20K);
}
