// Faults set on one device: they wait for that device's next flash.

#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimState.h"

using namespace vidide;

bool SimFailNextFlash(int device, int percent)
{
    if (percent < 0 || percent > 100)
        return false;
    return withDevice(device, [&](SimState &, SimUsb &usb) {
        usb.failNextFlashAt = percent;
        return true;
    });
}
