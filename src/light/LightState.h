#pragma once

// Values the light page and its editors share (GUI thread only).

#include "platform/vidide/FlashDataMap.h"

#include <QString>

// The receiver's light-bar record and indicator record, as last read from the
// receiver or handed to it. Zero at start, never freed.
extern LedBarBlock *const DongleBarModeBuffer;
extern DongleIndicatorLed *const DongleIndicatorLedBuffer;

// What was last shown from, or accepted by, the device; an editor puts a
// refused control back to these. Slider units 1..10 for brightness and speed.
extern int MouseBarModeKnown;
extern int DongleBarModeKnown;
extern int DongleBarBrightnessKnown;
extern int DongleBarSpeedKnown;
extern int DongleIndicatorLedKnown[3];

namespace LightValues {

// Device code of a DPI-light brightness level 1..10 (levels outside are clamped).
int DpiBrightnessCode(int level);
// The level of a device code; a code outside the table comes back unchanged.
int DpiBrightnessLevel(int code);

// The 14 preset colours of the colour editors, A to N.
struct PresetColour
{
    int r, g, b;
};
extern const PresetColour PresetColours[14];

// The offline guard of the colour board: false (after SigMouseOffLineo(0))
// when device data is ready, the mouse does not answer and no page is being
// filled; true otherwise.
bool ColourActionAllowed();

// "QLabel{background-color: rgb(r,g,b);border: 2px solid  rgb(220,220,220);}"
QString PreviewStyle(int r, int g, int b);

} // namespace LightValues
