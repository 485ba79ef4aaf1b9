#include "sensor/MotionSync.h"

#include "device/FlashDataStore.h"
#include "sensor/SensorToggle.h"
#include "ui_MotionSync.h"

#include <QCoreApplication>

MotionSync::MotionSync(QWidget *parent) : QFrame(parent), ui(new Ui::MotionSync)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    SensorToggle::ApplyLook(ui->MotionSync_2, ui->label, ui->label_2);
}

MotionSync::~MotionSync()
{
    delete ui;
}

void MotionSync::SetChecked(bool on)
{
    ui->MotionSync_2->setChecked(on);
}

void MotionSync::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void MotionSync::SetTipText(const QString &text)
{
    ui->label_2->setToolTip(text);
}

void MotionSync::SetTipPosition(int language)
{
    static const int Xs[5] = {160, 150, 215, 100, 175};
    const int x = SensorToggle::TipX(Xs, language);
    if (x >= 0)
        ui->label_2->move(x, 3);
}

void MotionSync::on_MotionSync_2_clicked(bool checked)
{
    SensorToggle::Clicked(ui->MotionSync_2, checked, SetMotionSync);
}
