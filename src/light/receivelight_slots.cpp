// The receiver light editor's bindings and change slots. Each change sets its
// bytes of the receiver record and hands the whole record to the receiver;
// the parameter block follows when the receiver took it. A refused change
// leaves the record as the receiver holds it and puts its control back.
#include "light/ReceiveLight.h"

#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "light/LightState.h"
#include "platform/vidide/VidIde.h"

#include "ui_ReceiveLight.h"

#include <functional>

namespace {

// The parameter block follows the record, so the mouse must answer. A
// record left with a refused byte would carry it along with every later
// write and get that refused too: it goes back as it was.
bool WriteRecord(const std::function<void(LedBarBlock &)> &edit)
{
    if (!CheckDeviceOnline())
        return false;
    const LedBarBlock before = *DongleBarModeBuffer;
    edit(*DongleBarModeBuffer);
    if (!UsbFinderC_SetDongleRGBBarMode(CurrentDevicePathPtr.load(), DongleBarModeBuffer)) {
        *DongleBarModeBuffer = before;
        return false;
    }
    SendFlashData();
    return true;
}

} // namespace

void ReceiveLight::bindControls()
{
    ModeField = DeviceField(
        ui->LightMod_2,
        [](int mode) {
            return WriteRecord([mode](LedBarBlock &bar) {
                bar.BarMode = uint8_t(mode);
                bar.BarOn = mode != 0 ? 1 : 0;
            });
        },
        [this](int mode) {
            if (mode < 0)
                return;
            ui->LightMod_2->setCurrentIndex(mode);
            applyVisibility(mode);
        },
        [](int mode) { DongleBarModeKnown = mode; });
    // The record keeps brightness and speed as 0..9, the sliders as 1..10.
    BrightnessField = LightBindings::SliderField(
        ui->horizontalLight_2, ui->LightSpinBox_3,
        [](int value) {
            return WriteRecord(
                [value](LedBarBlock &bar) { bar.BarBrightness = uint8_t(value - 1); });
        },
        [](int value) { DongleBarBrightnessKnown = value; });
    SpeedField = LightBindings::SliderField(
        ui->horizontalSpeed_2, ui->SpeedSpinBox_3,
        [](int value) {
            return WriteRecord([value](LedBarBlock &bar) { bar.BarSpeed = uint8_t(value - 1); });
        },
        [](int value) { DongleBarSpeedKnown = value; });
    Colour.Bind(ui->RSpinBox_2, ui->GSpinBox_2, ui->BSpinBox_2, ui->labelPreView_2,
                [](int r, int g, int b) {
                    return WriteRecord([=](LedBarBlock &bar) {
                        bar.ColorR = uint8_t(r);
                        bar.ColorG = uint8_t(g);
                        bar.ColorB = uint8_t(b);
                    });
                });
}

void ReceiveLight::on_LightMod_2_currentIndexChanged(int index)
{
    ModeField.Change(index);
    applyVisibility(ModeField.Held() >= 0 ? ModeField.Held() : index);
}

// A drag previews its value in the number; the release writes it.
void ReceiveLight::on_horizontalLight_2_sliderMoved(int position)
{
    ui->LightSpinBox_3->setValue(position);
}

void ReceiveLight::on_horizontalSpeed_2_sliderMoved(int position)
{
    ui->SpeedSpinBox_3->setValue(position);
}

void ReceiveLight::on_horizontalLight_2_valueChanged(int value)
{
    LightBindings::ReleaseSlider(BrightnessField, ui->LightSpinBox_3, value);
}

void ReceiveLight::on_horizontalSpeed_2_valueChanged(int value)
{
    LightBindings::ReleaseSlider(SpeedField, ui->SpeedSpinBox_3, value);
}

void ReceiveLight::on_RSpinBox_2_valueChanged(int)
{
    Colour.BoxEdited();
}

void ReceiveLight::on_GSpinBox_2_valueChanged(int)
{
    Colour.BoxEdited();
}

void ReceiveLight::on_BSpinBox_2_valueChanged(int)
{
    Colour.BoxEdited();
}

void ReceiveLight::stepBox(int box, int delta)
{
    Colour.Step(box, delta);
}

void ReceiveLight::on_AddR_2_clicked()
{
    stepBox(0, 1);
}
void ReceiveLight::on_AddG_2_clicked()
{
    stepBox(1, 1);
}
void ReceiveLight::on_AddB_2_clicked()
{
    stepBox(2, 1);
}
void ReceiveLight::on_ReduceR_2_clicked()
{
    stepBox(0, -1);
}
void ReceiveLight::on_ReduceG_2_clicked()
{
    stepBox(1, -1);
}
void ReceiveLight::on_ReduceB_2_clicked()
{
    stepBox(2, -1);
}

void ReceiveLight::applyPreset(int preset)
{
    Colour.Preset(preset);
}

void ReceiveLight::on_toolButtonColorA_2_clicked()
{
    applyPreset(0);
}
void ReceiveLight::on_toolButtonColorB_2_clicked()
{
    applyPreset(1);
}
void ReceiveLight::on_toolButtonColorC_2_clicked()
{
    applyPreset(2);
}
void ReceiveLight::on_toolButtonColorD_2_clicked()
{
    applyPreset(3);
}
void ReceiveLight::on_toolButtonColorE_2_clicked()
{
    applyPreset(4);
}
void ReceiveLight::on_toolButtonColorF_2_clicked()
{
    applyPreset(5);
}
void ReceiveLight::on_toolButtonColorG_2_clicked()
{
    applyPreset(6);
}
void ReceiveLight::on_toolButtonColorH_2_clicked()
{
    applyPreset(7);
}
void ReceiveLight::on_toolButtonColorI_2_clicked()
{
    applyPreset(8);
}
void ReceiveLight::on_toolButtonColorJ_2_clicked()
{
    applyPreset(9);
}
void ReceiveLight::on_toolButtonColorK_2_clicked()
{
    applyPreset(10);
}
void ReceiveLight::on_toolButtonColorL_2_clicked()
{
    applyPreset(11);
}
void ReceiveLight::on_toolButtonColorM_2_clicked()
{
    applyPreset(12);
}
void ReceiveLight::on_toolButtonColorN_2_clicked()
{
    applyPreset(13);
}
