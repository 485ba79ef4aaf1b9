#pragma once

// Everything the pages use of the device link.
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
