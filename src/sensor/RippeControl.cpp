#include "sensor/RippeControl.h"

#include "device/FlashDataStore.h"
#include "sensor/SensorToggle.h"
#include "ui_RippeControl.h"

#include <QCoreApplication>

RippeControl::RippeControl(QWidget *parent) : QFrame(parent), ui(new Ui::RippeControl)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    SensorToggle::ApplyLook(ui->RippeControl_2, ui->label, ui->label_2);
}

RippeControl::~RippeControl()
{
    delete ui;
}

void RippeControl::SetChecked(bool on)
{
    ui->RippeControl_2->setChecked(on);
}

void RippeControl::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void RippeControl::SetTipText(const QString &text)
{
    ui->label_2->setToolTip(text);
}

void RippeControl::SetTipPosition(int language)
{
    static const int Xs[5] = {175, 120, 185, 100, 175};
    const int x = SensorToggle::TipX(Xs, language);
    if (x >= 0)
        ui->label_2->move(x, 3);
}

void RippeControl::on_RippeControl_2_clicked(bool checked)
{
    SensorToggle::Clicked(ui->RippeControl_2, checked, SetRippleControl);
}
