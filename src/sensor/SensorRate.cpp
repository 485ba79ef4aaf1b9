#include "sensor/SensorRate.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"
#include "ui_SensorRate.h"

#include <QButtonGroup>
#include <QCoreApplication>

namespace {

const int Codes[7] = {8, 4, 2, 1, 0x10, 0x20, 0x40};
const int Rates[7] = {125, 250, 500, 1000, 2000, 4000, 8000};

} // namespace

SensorRate::SensorRate(QWidget *parent) : QFrame(parent), ui(new Ui::SensorRate)
{
    ui->setupUi(this);
    PicturePath = QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
    RateGroup = new QButtonGroup(this);
    RateGroup->setExclusive(true);
    const QString buttonColor = ThemeColorText("ButtonColor");
    ui->label->setStyleSheet("QLabel{color: rgb(" + ThemeColorText("LabelColor") + ");}");
    for (int i = 0; i < 7; ++i) {
        QToolButton *button = RateButton(i);
        RateGroup->addButton(button);
        button->setStyleSheet(
            "QToolButton{border:0px;color: rgb(" + buttonColor +
            ");background-position:center;background-repeat:no-repeat;background-image: url(" +
            PicturePath + "ReportRate.png);}QToolButton:checked{background-image: url(" +
            PicturePath + "ReportRateClick.png);}");
    }
    RateField = DeviceField(
        RateGroup, [](int index) { return SetReportRate(CodeOfIndex(index)); },
        [this](int index) { CheckRateButton(index); },
        [](int index) {
            if (index >= 0 && index < 7)
                emit PostMsg::GetInstance()->SigAddReport(Rates[index]);
        });
}

SensorRate::~SensorRate()
{
    delete ui;
}

int SensorRate::CodeOfIndex(int index)
{
    return (index >= 0 && index < 7) ? Codes[index] : -1;
}

int SensorRate::RateOfIndex(int index)
{
    return (index >= 0 && index < 7) ? Rates[index] : 0;
}

int SensorRate::IndexOfCode(int code)
{
    for (int i = 0; i < 7; ++i) {
        if (Codes[i] == code)
            return i;
    }
    return -1;
}

QToolButton *SensorRate::RateButton(int index) const
{
    QToolButton *const buttons[7] = {ui->Button125HZ,  ui->Button250HZ,  ui->Button500HZ,
                                     ui->Button1000HZ, ui->Button2000HZ, ui->Button4000HZ,
                                     ui->Button8000HZ};
    return (index >= 0 && index < 7) ? buttons[index] : nullptr;
}

void SensorRate::ShowRateIndex(int index)
{
    RateField.Fill(index);
}

void SensorRate::CheckRateButton(int index)
{
    if (QToolButton *button = RateButton(index)) {
        button->setChecked(true);
        return;
    }
    // No rate the row knows: no button stays checked.
    RateGroup->setExclusive(false);
    for (int i = 0; i < 7; ++i)
        RateButton(i)->setChecked(false);
    RateGroup->setExclusive(true);
}

void SensorRate::ShowHighRates(int mode)
{
    static const bool Shown[4][3] = {
        {false, false, false}, {true, true, false}, {true, false, false}, {true, true, true}};
    if (mode < 0 || mode > 3)
        return;
    ui->Button2000HZ->setVisible(Shown[mode][0]);
    ui->Button4000HZ->setVisible(Shown[mode][1]);
    ui->Button8000HZ->setVisible(Shown[mode][2]);
}

void SensorRate::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void SensorRate::RateClicked(int index, bool checked)
{
    if (!checked)
        return;
    if (RateField.Change(index))
        emit PostMsg::GetInstance()->SigHideModel(index >= 4 ? 1 : 0);
}

void SensorRate::on_Button125HZ_clicked(bool checked)
{
    RateClicked(0, checked);
}
void SensorRate::on_Button250HZ_clicked(bool checked)
{
    RateClicked(1, checked);
}
void SensorRate::on_Button500HZ_clicked(bool checked)
{
    RateClicked(2, checked);
}
void SensorRate::on_Button1000HZ_clicked(bool checked)
{
    RateClicked(3, checked);
}
void SensorRate::on_Button2000HZ_clicked(bool checked)
{
    RateClicked(4, checked);
}
void SensorRate::on_Button4000HZ_clicked(bool checked)
{
    RateClicked(5, checked);
}
void SensorRate::on_Button8000HZ_clicked(bool checked)
{
    RateClicked(6, checked);
}
