#include "unbuilt/SensorRateB.h"
#include "ui_SensorRateB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "sensor/SensorRate.h"
#include "unbuilt/UnbuiltLook.h"

#include <QButtonGroup>

namespace {

// Rates from this index on are above 1000 Hz.
const int FirstHighRate = 4;

} // namespace

SensorRateB::SensorRateB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorRateB)
{
    ui->setupUi(this);
    PictureDir = UnbuiltLook::sensorPictureFolder();
    RateGroup = new QButtonGroup(this);
    RateGroup->setExclusive(true);
    for (int i = 0; i < RateCount; ++i)
        RateGroup->addButton(RateBox(i));

    const QString colour = ThemeColorText(QStringLiteral("LabelColor"));
    ui->label->setStyleSheet(UnbuiltLook::labelStyle(colour));
    const QString boxStyle = UnbuiltLook::checkBoxStyle(colour, PictureDir);
    for (int i = 0; i < RateCount; ++i)
        RateBox(i)->setStyleSheet(boxStyle);
}

SensorRateB::~SensorRateB()
{
    delete ui;
}

int SensorRateB::RateCode(int index)
{
    // The same codes as the sensor page's rate buttons, in the same order.
    const int code = SensorRate::CodeOfIndex(index);
    return code < 0 ? 0 : code;
}

QCheckBox *SensorRateB::RateBox(int index) const
{
    switch (index) {
    case 0:
        return ui->Button125HZ;
    case 1:
        return ui->Button250HZ;
    case 2:
        return ui->Button500HZ;
    case 3:
        return ui->Button1000HZ;
    case 4:
        return ui->Button2000HZ;
    case 5:
        return ui->Button4000HZ;
    case 6:
        return ui->Button8000HZ;
    default:
        return nullptr;
    }
}

void SensorRateB::WriteRate(int index, bool checked)
{
    if (!checked || !DeviceDataReady)
        return;
    if (SetReportRate(RateCode(index)))
        emit PostMsg::GetInstance()->SigHideModel(index >= FirstHighRate ? 1 : 0);
}

void SensorRateB::on_Button125HZ_clicked(bool checked)
{
    WriteRate(0, checked);
}

void SensorRateB::on_Button250HZ_clicked(bool checked)
{
    WriteRate(1, checked);
}

void SensorRateB::on_Button500HZ_clicked(bool checked)
{
    WriteRate(2, checked);
}

void SensorRateB::on_Button1000HZ_clicked(bool checked)
{
    WriteRate(3, checked);
}

void SensorRateB::on_Button2000HZ_clicked(bool checked)
{
    WriteRate(4, checked);
}

void SensorRateB::on_Button4000HZ_clicked(bool checked)
{
    WriteRate(5, checked);
}

void SensorRateB::on_Button8000HZ_clicked(bool checked)
{
    WriteRate(6, checked);
}

void SensorRateB::ShowRateChecked(int index)
{
    if (QCheckBox *box = RateBox(index))
        box->setChecked(true);
}

void SensorRateB::ShowRateClass(int type)
{
    if (type < 0 || type > 3)
        return;
    ui->Button2000HZ->setVisible(type != 0);
    ui->Button4000HZ->setVisible(type == 1 || type == 3);
    ui->Button8000HZ->setVisible(type == 3);
}

void SensorRateB::SetLabelText(const QString &text)
{
    ui->label->setText(text);
}
