// The mouse light editor's bindings and change slots: each change writes
// through a setter of the parameter block; one the mouse did not take puts
// its control back to what the mouse holds.
#include "light/MouseLight.h"

#include "device/FlashDataStore.h"
#include "light/LightState.h"

#include "ui_MouseLight.h"

void MouseLight::bindControls()
{
    ModeField = DeviceField(
        ui->LightMod, [](int mode) { return SetLedBarMode(mode); },
        [this](int mode) {
            if (mode < 0)
                return;
            ui->LightMod->setCurrentIndex(mode);
            applyVisibility(mode);
        },
        [](int mode) { MouseBarModeKnown = mode; });
    // The block keeps brightness and speed as 0..9, the sliders as 1..10.
    BrightnessField =
        LightBindings::SliderField(ui->horizontalLight, ui->LightSpinBox_2,
                                   [](int value) { return SetLedBarBrightness(value - 1); });
    SpeedField = LightBindings::SliderField(ui->horizontalSpeed, ui->SpeedSpinBox_2,
                                            [](int value) { return SetLedBarSpeed(value - 1); });
    OffWhileMovingField = DeviceField(
        ui->RippeControl, [](int on) { return SetLightOffWhileMoving(on); },
        [this](int on) { ui->RippeControl->setChecked(on == 1); });
    Colour.Bind(ui->RSpinBox, ui->GSpinBox, ui->BSpinBox, ui->labelPreView,
                [](int r, int g, int b) { return SetLedBarColor(r, g, b); });
}

void MouseLight::on_LightMod_currentIndexChanged(int index)
{
    // With the light off there is nothing to put off while moving.
    if (ModeField.Change(index) && index == 0) {
        DeviceField::Silently(ui->RippeControl, [this] { ui->RippeControl->setChecked(false); });
        if (OffWhileMovingField.Held() != 0)
            OffWhileMovingField.Change(0);
    }
    applyVisibility(ModeField.Held() >= 0 ? ModeField.Held() : index);
}

// A drag previews its value in the number; the release writes it.
void MouseLight::on_horizontalLight_sliderMoved(int position)
{
    ui->LightSpinBox_2->setValue(position);
}

void MouseLight::on_horizontalLight_valueChanged(int value)
{
    LightBindings::ReleaseSlider(BrightnessField, ui->LightSpinBox_2, value);
}

void MouseLight::on_horizontalSpeed_sliderMoved(int position)
{
    ui->SpeedSpinBox_2->setValue(position);
}

void MouseLight::on_horizontalSpeed_valueChanged(int value)
{
    LightBindings::ReleaseSlider(SpeedField, ui->SpeedSpinBox_2, value);
}

void MouseLight::on_RSpinBox_valueChanged(int)
{
    Colour.BoxEdited();
}

void MouseLight::on_GSpinBox_valueChanged(int)
{
    Colour.BoxEdited();
}

void MouseLight::on_BSpinBox_valueChanged(int)
{
    Colour.BoxEdited();
}

void MouseLight::stepBox(int box, int delta)
{
    Colour.Step(box, delta);
}

void MouseLight::on_AddR_clicked()
{
    stepBox(0, 1);
}
void MouseLight::on_AddG_clicked()
{
    stepBox(1, 1);
}
void MouseLight::on_AddB_clicked()
{
    stepBox(2, 1);
}
void MouseLight::on_ReduceR_clicked()
{
    stepBox(0, -1);
}
void MouseLight::on_ReduceG_clicked()
{
    stepBox(1, -1);
}
void MouseLight::on_ReduceB_clicked()
{
    stepBox(2, -1);
}

void MouseLight::applyPreset(int preset)
{
    Colour.Preset(preset);
}

void MouseLight::on_toolButtonColorA_clicked()
{
    applyPreset(0);
}
void MouseLight::on_toolButtonColorB_clicked()
{
    applyPreset(1);
}
void MouseLight::on_toolButtonColorC_clicked()
{
    applyPreset(2);
}
void MouseLight::on_toolButtonColorD_clicked()
{
    applyPreset(3);
}
void MouseLight::on_toolButtonColorE_clicked()
{
    applyPreset(4);
}
void MouseLight::on_toolButtonColorF_clicked()
{
    applyPreset(5);
}
void MouseLight::on_toolButtonColorG_clicked()
{
    applyPreset(6);
}
void MouseLight::on_toolButtonColorH_clicked()
{
    applyPreset(7);
}
void MouseLight::on_toolButtonColorI_clicked()
{
    applyPreset(8);
}
void MouseLight::on_toolButtonColorJ_clicked()
{
    applyPreset(9);
}
void MouseLight::on_toolButtonColorK_clicked()
{
    applyPreset(10);
}
void MouseLight::on_toolButtonColorL_clicked()
{
    applyPreset(11);
}
void MouseLight::on_toolButtonColorM_clicked()
{
    applyPreset(12);
}
void MouseLight::on_toolButtonColorN_clicked()
{
    applyPreset(13);
}

void MouseLight::on_RippeControl_clicked(bool checked)
{
    OffWhileMovingField.Change(checked ? 1 : 0);
}
