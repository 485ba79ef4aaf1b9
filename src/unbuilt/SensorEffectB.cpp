#include "unbuilt/SensorEffectB.h"
#include "ui_SensorEffectB.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "light/LightState.h"
#include "unbuilt/UnbuiltLook.h"

#include <QButtonGroup>
#include <QSignalBlocker>

SensorEffectB::SensorEffectB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorEffectB)
{
    ui->setupUi(this);
    ModeGroup = new QButtonGroup(this);
    ModeGroup->setExclusive(true);
    ModeGroup->addButton(ui->MM1);
    ModeGroup->addButton(ui->MM2);
    ModeGroup->addButton(ui->MM3);
    PictureFolder = UnbuiltLook::sensorPictureFolder();

    const QString labelColour = ThemeColorText(QStringLiteral("LabelColor"));
    const QString sliderColour = ThemeColorText(QStringLiteral("SliderColor"));
    const QString labelStyle = UnbuiltLook::labelStyle(labelColour);
    ui->label->setStyleSheet(labelStyle);
    ui->label_15->setStyleSheet(labelStyle);
    ui->label_14->setStyleSheet(labelStyle);
    const QString boxStyle = UnbuiltLook::checkBoxStyle(labelColour, PictureFolder);
    ui->MM1->setStyleSheet(boxStyle);
    ui->MM2->setStyleSheet(boxStyle);
    ui->MM3->setStyleSheet(boxStyle);
    const QString sliderStyle = UnbuiltLook::editorSliderStyle(sliderColour, PictureFolder);
    ui->SpeedH->setStyleSheet(sliderStyle);
    ui->LightH->setStyleSheet(sliderStyle);
    const QString spinStyle = UnbuiltLook::plainSpinStyle(labelColour);
    ui->SpeedSpinBox->setStyleSheet(spinStyle);
    ui->LightSpinBox->setStyleSheet(spinStyle);
}

SensorEffectB::~SensorEffectB()
{
    delete ui;
}

bool SensorEffectB::MayWrite()
{
    return DeviceDataReady && !SensorPageFilling;
}

void SensorEffectB::ApplyModeVisibility(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    const bool speed = mode == 2;
    const bool brightness = mode == 1;
    ui->SpeedH->setVisible(speed);
    ui->SpeedSpinBox->setVisible(speed);
    ui->LightH->setVisible(brightness);
    ui->LightSpinBox->setVisible(brightness);
    // The placeholder lines stand in the rows whose controls are hidden.
    ui->line->setVisible(!speed);
    ui->line_2->setVisible(!brightness);
}

void SensorEffectB::WriteMode(int mode)
{
    ApplyModeVisibility(mode);
    // The result is deliberately not examined: this look keeps the user's
    // choice and leaves the report to the setter's offline notice.
    if (MayWrite())
        SetDpiLedMode(mode);
}

void SensorEffectB::on_Model_currentIndexChanged(int index)
{
    // Only the three effects exist; any other index would store a mode the
    // mouse does not know.
    if (index < 0 || index > 2)
        return;
    WriteMode(index);
}

void SensorEffectB::on_MM3_clicked(bool checked)
{
    if (checked)
        WriteMode(0);
}

void SensorEffectB::on_MM1_clicked(bool checked)
{
    if (checked)
        WriteMode(1);
}

void SensorEffectB::on_MM2_clicked(bool checked)
{
    if (checked)
        WriteMode(2);
}

void SensorEffectB::on_SpeedH_sliderMoved(int position)
{
    ui->SpeedSpinBox->setValue(position);
}

void SensorEffectB::on_SpeedH_valueChanged(int value)
{
    ui->SpeedSpinBox->setValue(value);
    if (MayWrite())
        SetDpiLedSpeed(value);
}

void SensorEffectB::on_LightH_sliderMoved(int position)
{
    ui->LightSpinBox->setValue(position);
}

void SensorEffectB::on_LightH_valueChanged(int value)
{
    ui->LightSpinBox->setValue(value);
    if (value < 1 || value > 10)
        return;
    if (MayWrite())
        SetDpiLedBrightness(LightValues::DpiBrightnessCode(value));
}

void SensorEffectB::ShowEffectMode(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    const QSignalBlocker speedBlocker(ui->SpeedH);
    const QSignalBlocker lightBlocker(ui->LightH);
    QCheckBox *box = mode == 0 ? ui->MM3 : mode == 1 ? ui->MM1 : ui->MM2;
    box->setChecked(true);
    ApplyModeVisibility(mode);
}

void SensorEffectB::EnableSliders(bool enabled)
{
    ui->SpeedH->setEnabled(enabled);
    ui->LightH->setEnabled(enabled);
}

void SensorEffectB::SetModeItemText(int index, const QString &text)
{
    if (index == 0)
        ui->MM3->setText(text);
    else if (index == 1)
        ui->MM1->setText(text);
    else if (index == 2)
        ui->MM2->setText(text);
}

void SensorEffectB::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void SensorEffectB::SetSpeedLabelText(const QString &text)
{
    ui->label_14->setText(text);
}

void SensorEffectB::SetBrightnessLabelText(const QString &text)
{
    ui->label_15->setText(text);
}

void SensorEffectB::SetSpeedValue(int value)
{
    ui->SpeedH->setValue(value);
}

void SensorEffectB::SetBrightnessValue(int value)
{
    ui->LightH->setValue(value);
}
