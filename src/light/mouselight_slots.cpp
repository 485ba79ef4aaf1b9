// The mouse light editor's change slots: each writes through a setter of the
// parameter block and puts its control back when the mouse did not take it.
#include "light/MouseLight.h"

#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "light/LightState.h"

#include "ui_MouseLight.h"

#include <QSignalBlocker>

namespace {

bool WritesAllowed()
{
    return DeviceDataReady && !LightPageFilling;
}

// While dragging: a slider that is still enabled checks the mouse once per
// move; offline it snaps back to its number and stays disabled. It stays
// enabled while the mouse is asked: disabling a slider ends its drag.
void DragMove(QSlider *slider, QSpinBox *number, int position)
{
    if (!slider->isEnabled())
        return;
    if (!CheckDeviceOnline()) {
        slider->setEnabled(false);
        slider->setValue(number->value());
        return;
    }
    number->setValue(position);
}

void Release(QSlider *slider, QSpinBox *number, int value, bool (*setter)(int))
{
    // The page's defaults set a slider and then its number; a disabled slider
    // must not snap back to the old number in between.
    if (LightPageFilling)
        return;
    if (!slider->isEnabled()) {
        slider->setValue(number->value());
        return;
    }
    if (!WritesAllowed())
        return;
    if (setter(value - 1)) {
        number->setValue(value);
        return;
    }
    const QSignalBlocker block(slider);
    slider->setEnabled(false);
    slider->setValue(number->value());
}

} // namespace

void MouseLight::on_LightMod_currentIndexChanged(int index)
{
    if (WritesAllowed()) {
        if (!SetLedBarMode(index)) {
            const QSignalBlocker block(ui->LightMod);
            ui->LightMod->setCurrentIndex(MouseBarModeKnown);
            return;
        }
        MouseBarModeKnown = index;
        if (index == 0) {
            ui->RippeControl->setChecked(false);
            if (!SetLightOffWhileMoving(0)) {
                const QSignalBlocker block(ui->RippeControl);
                ui->RippeControl->setChecked(true);
            }
        }
    }
    applyVisibility(index);
}

void MouseLight::on_horizontalLight_sliderMoved(int position)
{
    DragMove(ui->horizontalLight, ui->LightSpinBox_2, position);
}

void MouseLight::on_horizontalLight_valueChanged(int value)
{
    Release(ui->horizontalLight, ui->LightSpinBox_2, value, SetLedBarBrightness);
}

void MouseLight::on_horizontalSpeed_sliderMoved(int position)
{
    DragMove(ui->horizontalSpeed, ui->SpeedSpinBox_2, position);
}

void MouseLight::on_horizontalSpeed_valueChanged(int value)
{
    Release(ui->horizontalSpeed, ui->SpeedSpinBox_2, value, SetLedBarSpeed);
}

void MouseLight::writeColour(int r, int g, int b)
{
    ui->labelPreView->setStyleSheet(LightValues::PreviewStyle(r, g, b));
    // The setter reports an offline mouse itself; the boxes keep the value.
    if (DeviceDataReady)
        SetLedBarColor(r, g, b);
}

void MouseLight::on_RSpinBox_valueChanged(int value)
{
    writeColour(value, ui->GSpinBox->value(), ui->BSpinBox->value());
}

void MouseLight::on_GSpinBox_valueChanged(int value)
{
    writeColour(ui->RSpinBox->value(), value, ui->BSpinBox->value());
}

void MouseLight::on_BSpinBox_valueChanged(int value)
{
    writeColour(ui->RSpinBox->value(), ui->GSpinBox->value(), value);
}

void MouseLight::stepBox(int box, int delta)
{
    QSpinBox *boxes[3] = {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox};
    LightValues::StepColourBox(boxes[box], delta);
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
    LightValues::ApplyPresetColour(ui->RSpinBox, ui->GSpinBox, ui->BSpinBox, preset);
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
    if (!WritesAllowed())
        return;
    if (SetLightOffWhileMoving(checked ? 1 : 0))
        return;
    const QSignalBlocker block(ui->RippeControl);
    ui->RippeControl->setChecked(!checked);
}
