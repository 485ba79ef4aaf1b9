#include "light/SensorEffect.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "light/LightBindings.h"
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

    ModeField = DeviceField(
        ui->Model, [](int mode) { return SetDpiLedMode(mode); },
        [this](int mode) {
            if (mode < 0)
                return;
            ui->Model->setCurrentIndex(mode);
            applyVisibility(mode);
        });
    SpeedField = LightBindings::SliderField(ui->SpeedH, ui->SpeedSpinBox,
                                            [](int speed) { return SetDpiLedSpeed(speed); });
    BrightnessField = LightBindings::SliderField(ui->LightH, ui->LightSpinBox, [](int level) {
        return SetDpiLedBrightness(LightValues::DpiBrightnessCode(level));
    });
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
    ModeField.Fill(mode);
}

void SensorEffect::ShowSpeed(int speed)
{
    SpeedField.Fill(speed);
}

void SensorEffect::ShowBrightness(int level)
{
    BrightnessField.Fill(level);
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
    ModeField.Change(index);
    // Taken, or put back: the controls of the mode the mouse holds show.
    applyVisibility(ModeField.Held() >= 0 ? ModeField.Held() : index);
}

// A drag previews its value in the number; the release writes it.
void SensorEffect::on_SpeedH_sliderMoved(int position)
{
    ui->SpeedSpinBox->setValue(position);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    LightBindings::ReleaseSlider(SpeedField, ui->SpeedSpinBox, value);
}

void SensorEffect::on_LightH_sliderMoved(int position)
{
    ui->LightSpinBox->setValue(position);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    LightBindings::ReleaseSlider(BrightnessField, ui->LightSpinBox, value);
}
