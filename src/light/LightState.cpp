#include "light/LightState.h"

#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/vidide/VidIde.h"

namespace {

LedBarBlock g_dongleBar{};
DongleIndicatorLed g_dongleLeds{};

const int BrightnessCodes[10] = {16, 30, 60, 90, 128, 150, 180, 210, 230, 255};

} // namespace

LedBarBlock *const DongleBarModeBuffer = &g_dongleBar;
DongleIndicatorLed *const DongleIndicatorLedBuffer = &g_dongleLeds;

int MouseBarModeKnown = 0;
int DongleBarModeKnown = 0;
int DongleBarBrightnessKnown = 0;
int DongleBarSpeedKnown = 0;
int DongleIndicatorLedKnown[3] = {0, 0, 0};

namespace LightValues {

const PresetColour PresetColours[14] = {
    {255, 0, 0},     {0, 255, 255},  {0, 255, 0},    {255, 0, 255},  {255, 255, 0},
    {255, 80, 0},    {0, 0, 255},    {227, 0, 127},  {46, 166, 223}, {96, 25, 133},
    {255, 255, 255}, {139, 178, 36}, {255, 155, 51}, {208, 113, 173}};

int DpiBrightnessCode(int level)
{
    return BrightnessCodes[qBound(1, level, 10) - 1];
}

int DpiBrightnessLevel(int code)
{
    for (int i = 0; i < 10; ++i) {
        if (BrightnessCodes[i] == code)
            return i + 1;
    }
    return code;
}

bool ColourActionAllowed()
{
    if (!DeviceDataReady || LightPageFilling)
        return true;
    if (UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr.load()))
        return true;
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
    return false;
}

QString PreviewStyle(int r, int g, int b)
{
    return QStringLiteral("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  "
                          "rgb(220,220,220);}")
        .arg(r)
        .arg(g)
        .arg(b);
}

} // namespace LightValues
