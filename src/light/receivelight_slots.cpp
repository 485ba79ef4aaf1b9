// The receiver light editor's change slots. Each sets its bytes of the
// receiver record and hands the whole record to the receiver; the parameter
// block follows when the receiver took it.
#include "light/ReceiveLight.h"

#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "light/LightState.h"
#include "platform/vidide/VidIde.h"

#include "ui_ReceiveLight.h"

#include <QSignalBlocker>

namespace {

bool WritesAllowed()
{
    return DeviceDataReady && !LightPageFilling;
}

bool WriteRecord()
{
    if (!UsbFinderC_SetDongleRGBBarMode(CurrentDevicePathPtr.load(), DongleBarModeBuffer))
        return false;
    SendFlashData();
    return true;
}

uint8_t *RecordByte(int byte)
{
    return reinterpret_cast<uint8_t *>(DongleBarModeBuffer) + byte;
}

} // namespace

void ReceiveLight::on_LightMod_2_currentIndexChanged(int index)
{
    if (WritesAllowed()) {
        const LedBarBlock before = *DongleBarModeBuffer;
        DongleBarModeBuffer->BarMode = uint8_t(index);
        DongleBarModeBuffer->BarOn = index != 0 ? 1 : 0;
        if (!WriteRecord()) {
            // The record keeps describing the receiver: a refused mode left in
            // it would ride along with every later write and get that refused too.
            DongleBarModeBuffer->BarMode = before.BarMode;
            DongleBarModeBuffer->BarOn = before.BarOn;
            const QSignalBlocker block(ui->LightMod_2);
            ui->LightMod_2->setCurrentIndex(DongleBarModeKnown);
            return;
        }
        DongleBarModeKnown = index;
    }
    applyVisibility(index);
}

void ReceiveLight::on_horizontalLight_2_sliderMoved(int position)
{
    ui->LightSpinBox_3->setValue(position);
}

void ReceiveLight::on_horizontalSpeed_2_sliderMoved(int position)
{
    ui->SpeedSpinBox_3->setValue(position);
}

void ReceiveLight::releaseSlider(QSlider *slider, QSpinBox *number, int value, int byte, int *known)
{
    number->setValue(value);
    if (!WritesAllowed())
        return;
    uint8_t *field = RecordByte(byte);
    const uint8_t before = *field;
    *field = uint8_t(value - 1);
    if (WriteRecord()) {
        *known = value;
        return;
    }
    *field = before;
    const QSignalBlocker block(slider);
    slider->setValue(*known);
    number->setValue(*known);
}

void ReceiveLight::on_horizontalLight_2_valueChanged(int value)
{
    releaseSlider(ui->horizontalLight_2, ui->LightSpinBox_3, value,
                  offsetof(LedBarBlock, BarBrightness), &DongleBarBrightnessKnown);
}

void ReceiveLight::on_horizontalSpeed_2_valueChanged(int value)
{
    releaseSlider(ui->horizontalSpeed_2, ui->SpeedSpinBox_3, value, offsetof(LedBarBlock, BarSpeed),
                  &DongleBarSpeedKnown);
}

void ReceiveLight::writeColour(int r, int g, int b)
{
    ui->labelPreView_2->setStyleSheet(LightValues::PreviewStyle(r, g, b));
    if (!DeviceDataReady)
        return;
    DongleBarModeBuffer->ColorR = uint8_t(r);
    DongleBarModeBuffer->ColorG = uint8_t(g);
    DongleBarModeBuffer->ColorB = uint8_t(b);
    // A refused colour stays shown and in the record: any colour is valid, so
    // it cannot spoil the next write.
    WriteRecord();
}

void ReceiveLight::on_RSpinBox_2_valueChanged(int value)
{
    writeColour(value, ui->GSpinBox_2->value(), ui->BSpinBox_2->value());
}

void ReceiveLight::on_GSpinBox_2_valueChanged(int value)
{
    writeColour(ui->RSpinBox_2->value(), value, ui->BSpinBox_2->value());
}

void ReceiveLight::on_BSpinBox_2_valueChanged(int value)
{
    writeColour(ui->RSpinBox_2->value(), ui->GSpinBox_2->value(), value);
}

void ReceiveLight::stepBox(int box, int delta)
{
    QSpinBox *boxes[3] = {ui->RSpinBox_2, ui->GSpinBox_2, ui->BSpinBox_2};
    LightValues::StepColourBox(boxes[box], delta);
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
    LightValues::ApplyPresetColour(ui->RSpinBox_2, ui->GSpinBox_2, ui->BSpinBox_2, preset);
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
