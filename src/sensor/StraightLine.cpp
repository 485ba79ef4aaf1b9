#include "sensor/StraightLine.h"

#include "device/FlashDataStore.h"
#include "sensor/SensorToggle.h"
#include "ui_StraightLine.h"

#include <QCoreApplication>

StraightLine::StraightLine(QWidget *parent) : QFrame(parent), ui(new Ui::StraightLine)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    SensorToggle::ApplyLook(ui->StraightLine_2, ui->label, ui->label_2);
}

StraightLine::~StraightLine()
{
    delete ui;
}

void StraightLine::SetChecked(bool on)
{
    ui->StraightLine_2->setChecked(on);
}

void StraightLine::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void StraightLine::SetTipText(const QString &text)
{
    ui->label_2->setToolTip(text);
}

void StraightLine::SetTipPosition(int language)
{
    static const int Xs[5] = {170, 120, 185, 100, 175};
    const int x = SensorToggle::TipX(Xs, language);
    if (x >= 0)
        ui->label_2->move(x, 3);
}

void StraightLine::on_StraightLine_2_clicked(bool checked)
{
    SensorToggle::Clicked(ui->StraightLine_2, checked, SetStraightLine);
}
