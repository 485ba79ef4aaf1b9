#include "light/SensorEffect.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "light/LightState.h"
#include "light/LightStyles.h"

#include "ui_SensorEffect.h"

#include <QSignalBlocker>

SensorEffect::SensorEffect(QWidget *parent) : QFrame(parent), ui(new Ui::SensorEffect)
{
    ui->setupUi(this);
    PictureFolder = LightStyles::SensorFolder();

    const QString label = ThemeColorText("LabelColor");
    const QString text = ThemeColorText("ComboxTextColor");
    const QString select = ThemeColorText("ComboxSelectColor");
    const QString back = ThemeColorText("ComboxBackGroundColor");
    const QString slider = ThemeColorText("SliderColor");
    ui->TitleButton_3->setStyleSheet(LightStyles::Title("TitleButton_3", PictureFolder));
    for (QWidget *w : {static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->label_15),
                       static_cast<QWidget *>(ui->label_14)})
        w->setStyleSheet(LightStyles::Label(label));
    ui->Model->setStyleSheet(LightStyles::Combo(PictureFolder, text, back, select));
    ui->SpeedH->setStyleSheet(LightStyles::Slider(PictureFolder, slider));
    ui->LightH->setStyleSheet(LightStyles::Slider(PictureFolder, slider));
    ui->SpeedSpinBox->setStyleSheet(LightStyles::ValueBox(label));
    ui->LightSpinBox->setStyleSheet(LightStyles::ValueBox(label));
    LightStyles::SetComboList(ui->Model, select);
}

SensorEffect::~SensorEffect()
{
    delete ui;
}

void SensorEffect::applyVisibility(int mode)
{
    if (mode < 0 || mode > 2)
        return;
    const bool speed = mode == 2;
    const bool brightness = mode == 1;
    ui->SpeedH->setVisible(speed);
    ui->SpeedSpinBox->setVisible(speed);
    ui->LightH->setVisible(brightness);
    ui->LightSpinBox->setVisible(brightness);
    ui->line->setVisible(!speed);
    ui->line_2->setVisible(!brightness);
}

void SensorEffect::ShowEffectMode(int mode)
{
    {
        const QSignalBlocker blockMode(ui->Model);
        ui->Model->setCurrentIndex(mode);
        CurrentEffectMode = mode;
    }
    const QSignalBlocker blockSpeed(ui->SpeedH);
    const QSignalBlocker blockLight(ui->LightH);
    applyVisibility(mode);
}

void SensorEffect::ShowSpeed(int speed)
{
    {
        const QSignalBlocker block(ui->SpeedH);
        ui->SpeedH->setValue(speed);
    }
    ui->SpeedSpinBox->setValue(speed);
}

void SensorEffect::ShowBrightness(int level)
{
    {
        const QSignalBlocker block(ui->LightH);
        ui->LightH->setValue(level);
    }
    ui->LightSpinBox->setValue(level);
}

void SensorEffect::EnableSliders(bool enabled)
{
    ui->SpeedH->setEnabled(enabled);
    ui->LightH->setEnabled(enabled);
}

void SensorEffect::ReleaseSliders()
{
    ui->SpeedH->setEnabled(true);
    ui->LightH->setEnabled(true);
    ui->SpeedH->blockSignals(false);
    ui->LightH->blockSignals(false);
}

void SensorEffect::EnableModeChoice(bool enabled)
{
    ui->Model->setEnabled(enabled);
}

void SensorEffect::SetModeItemText(int index, const QString &text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::SetTitleText(const QString &text)
{
    ui->label->setText(text);
}

void SensorEffect::SetSpeedLabelText(const QString &text)
{
    ui->label_14->setText(text);
}

void SensorEffect::SetBrightnessLabelText(const QString &text)
{
    ui->label_15->setText(text);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    if (DeviceDataReady && !SensorPageFilling) {
        if (!SetDpiLedMode(index)) {
            ShowEffectMode(CurrentEffectMode);
            return;
        }
        CurrentEffectMode = index;
    }
    applyVisibility(index);
}

// The slider stays enabled while the mouse is asked: disabling a slider ends
// its drag, which would drop every drag at its first move.
void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    if (!ui->SpeedH->isEnabled())
        return;
    if (!CheckDeviceOnline()) {
        ui->SpeedH->setEnabled(false);
        ui->SpeedH->setValue(ui->SpeedSpinBox->value());
        return;
    }
    ui->SpeedSpinBox->setValue(position);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    if (!ui->SpeedH->isEnabled()) {
        ui->SpeedH->setValue(ui->SpeedSpinBox->value());
        return;
    }
    if (!DeviceDataReady || SensorPageFilling)
        return;
    if (SetDpiLedSpeed(value)) {
        ui->SpeedSpinBox->setValue(value);
        return;
    }
    const QSignalBlocker block(ui->SpeedH);
    ui->SpeedH->setEnabled(false);
    ui->SpeedH->setValue(ui->SpeedSpinBox->value());
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    if (!ui->LightH->isEnabled())
        return;
    if (!CheckDeviceOnline()) {
        ui->LightH->setEnabled(false);
        ui->LightH->setValue(ui->LightSpinBox->value());
        return;
    }
    ui->LightSpinBox->setValue(position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    if (!ui->LightH->isEnabled()) {
        ui->LightH->setValue(ui->LightSpinBox->value());
        return;
    }
    const int code = LightValues::DpiBrightnessCode(value);
    if (!DeviceDataReady || SensorPageFilling)
        return;
    if (SetDpiLedBrightness(code)) {
        ui->LightSpinBox->setValue(value);
        return;
    }
    const QSignalBlocker block(ui->LightH);
    ui->LightH->setEnabled(false);
    ui->LightH->setValue(ui->LightSpinBox->value());
}
