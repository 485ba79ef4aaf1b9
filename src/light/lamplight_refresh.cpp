// The light page's refreshes: from a full read, from an applied block, from
// a DPI light answer, from the receiver's indicator record, and the defaults.
#include "light/LampLight.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceState.h"
#include "light/LightState.h"
#include "light/MouseLight.h"
#include "light/OneLed.h"
#include "light/ReceiveLight.h"
#include "light/SensorEffect.h"
#include "light/ThreeLed.h"
#include "platform/vidide/VidIde.h"

#include "ui_LampLight.h"

void LampLight::queryReceiver()
{
    // Both records are asked of every device, wired or not; a device without
    // them leaves the buffers as they were and the page shows those bytes.
    const char *path = CurrentDevicePathPtr.load();
    UsbFinderC_GetDongleRGBBarMode(path, DongleBarModeBuffer);
    UsbFinderC_GetDongleIndicatorLed(path, DongleIndicatorLedBuffer);
}

void LampLight::showIndicatorLeds()
{
    for (int i = 0; i < 3; ++i)
        DongleIndicatorLedKnown[i] = DongleIndicatorLedBuffer->Led[i];
    ui->FrameThreeLed->ShowLed1Function(DongleIndicatorLedBuffer->Led[0]);
    ui->FrameThreeLed->ShowLed2Function(DongleIndicatorLedBuffer->Led[1]);
    ui->FrameThreeLed->ShowLed3Function(DongleIndicatorLedBuffer->Led[2]);
}

void LampLight::showReceiverBar()
{
    const LedBarBlock &b = *DongleBarModeBuffer;
    const int brightness = b.BarBrightness + 1;
    const int speed = b.BarSpeed + 1;
    ReceiveLight *editor = ui->FrameReceiveLight;
    editor->BlockEditorSignals(true);
    editor->ShowBrightness(brightness);
    DongleBarBrightnessKnown = brightness;
    editor->ShowSpeed(speed);
    DongleBarSpeedKnown = speed;
    editor->ShowBrightnessValue(brightness);
    editor->ShowSpeedValue(speed);
    editor->ShowColor(b.ColorR, b.ColorG, b.ColorB);
    editor->BlockEditorSignals(false);
    const int mode = b.BarOn != 0 ? b.BarMode : 0;
    editor->ShowLightMode(mode);
    DongleBarModeKnown = mode;
}

void LampLight::showDpiLight(const FlashDataMap &map)
{
    const DpiLedBlock &led = map.DpiLed;
    SensorEffect *editor = ui->frameEffect;
    if (led.EffectOn == 0)
        editor->ShowEffectMode(0);
    else if (led.EffectMode == 1 || led.EffectMode == 2)
        editor->ShowEffectMode(led.EffectMode);
    editor->ShowSpeed(led.EffectSpeed);
    editor->ShowBrightness(LightValues::DpiBrightnessLevel(led.EffectBrightness));
}

void LampLight::showMouseBar(const FlashDataMap &map)
{
    const LedBarBlock &bar = map.LedBar;
    const int brightness = bar.BarBrightness + 1;
    const int speed = bar.BarSpeed + 1;
    MouseLight *editor = ui->FrameMouseLight;
    editor->BlockEditorSignals(true);
    editor->ShowBrightness(brightness);
    editor->ShowSpeed(speed);
    editor->ShowSpeedValue(speed);
    editor->ShowBrightnessValue(brightness);
    editor->ShowColor(bar.ColorR, bar.ColorG, bar.ColorB);
    editor->BlockEditorSignals(false);
    const int mode = bar.BarOn != 0 ? bar.BarMode : 0;
    editor->ShowLightMode(mode);
    MouseBarModeKnown = mode;
    editor->ShowLightOffWhileMoving(map.LightOffWhileMoving != 0);
}

void LampLight::fillEditors(const FlashDataMap &map)
{
    queryReceiver();
    showIndicatorLeds();

    LightPageUpdated = false;
    LightPageFilling = true;
    showReceiverBar();
    ui->frameEffect->EnableSliders(true);
    ui->frameEffect->ReleaseSliders();
    showDpiLight(map);
    showMouseBar(map);
}

void LampLight::SlotUpDataLightUILight(FlashDataMap DataMap)
{
    ui->FrameMouseLight->EnableSliders(true);
    fillEditors(DataMap);
    if (!CurrentDeviceInfo.Online)
        ui->FrameOneLed->ShowIndicatorMode(1);
    LightPageUpdated = true;
    LightPageFilling = false;
}

void LampLight::SlotUpDataLightUIA(FlashDataMap DataMap)
{
    // An applied block (import, restore): the mouse light sliders stay off
    // until the next full read, and the read wait is not satisfied by it.
    ui->FrameMouseLight->EnableSliders(false);
    LightPageFilling = true;
    fillEditors(DataMap);
    ui->FrameOneLed->ShowIndicatorMode(1);
    LightPageFilling = false;
}

void LampLight::SlotUpDataDPILed(FlashDataMap DataMap)
{
    showDpiLight(DataMap);
}

bool LampLight::modelHasIndicatorChoice() const
{
    return DeviceCatalogue::HasIndicatorChoice(CurrentDeviceInfo.DriveIndex);
}

void LampLight::SlotForm()
{
    const DeviceAllInfo &info = CurrentDeviceInfo;
    const bool otherReceiver = (info.ReceiverType & 0xFA) == 0 && info.ReceiverType != 1;
    if (!modelHasIndicatorChoice() || otherReceiver || info.Wired)
        ui->FrameOneLed->hide();
}

void LampLight::SlotFormB()
{
    const DeviceAllInfo &info = CurrentDeviceInfo;
    if (!modelHasIndicatorChoice() || (info.ReceiverType & 0xFA) == 0 || info.Wired)
        ui->FrameOneLed->hide();
}

void LampLight::SlotRGBValue(DongleRGB *Rgb)
{
    const DeviceAllInfo &info = CurrentDeviceInfo;
    if (!Rgb || !modelHasIndicatorChoice() || info.Wired || info.ReceiverType != 1)
        return;
    ui->FrameOneLed->show();
    const int mode = Rgb->IndicatorMode;
    if (mode >= 1 && mode <= 3)
        ui->FrameOneLed->SelectIndicatorMode(mode - 1);
}

void LampLight::SlotFormResetLight()
{
    LightPageFilling = true;
    MouseLight *mouse = ui->FrameMouseLight;
    ReceiveLight *receiver = ui->FrameReceiveLight;
    mouse->ShowLightMode(1);
    receiver->ShowLightMode(1);
    MouseBarModeKnown = 1;
    mouse->ShowBrightness(10);
    mouse->ShowSpeed(8);

    DongleBarModeKnown = 1;
    receiver->ShowBrightness(10);
    DongleBarBrightnessKnown = 10;
    receiver->ShowSpeed(8);
    DongleBarSpeedKnown = 8;
    receiver->ShowSpeedValue(8);
    receiver->ShowBrightnessValue(10);

    mouse->ShowBrightnessValue(10);
    mouse->ShowSpeedValue(8);
    mouse->ShowLightOffWhileMoving(false);

    ui->FrameOneLed->hide();

    ui->frameEffect->ShowEffectMode(0);
    ui->frameEffect->ShowSpeed(3);
    ui->frameEffect->ShowBrightness(5);

    ui->FrameThreeLed->ShowLed1Function(0);
    ui->FrameThreeLed->ShowLed2Function(0);
    ui->FrameThreeLed->ShowLed3Function(0);
    // The record follows the combos: the next change of one LED sends the
    // other two as they are shown, not the codes from before the reset.
    for (int i = 0; i < 3; ++i) {
        DongleIndicatorLedKnown[i] = 0;
        DongleIndicatorLedBuffer->Led[i] = 0;
    }
    LightPageFilling = false;
}
