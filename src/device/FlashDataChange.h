#pragma once

// The road of every field setter to the mouse, kept apart from the public
// interface so that pages change the block only through the named setters.

#include "platform/vidide/FlashDataMap.h"

#include <functional>

// Online test, then under the block's lock: the block must be the current
// device's and profile's (a profile the mouse has left is read again), then
// `write` changes it and the whole block is sent. A block the device did not
// take goes back to what it was (the caller puts its control back, so block
// and control stay what the device holds). The send's result.
bool ChangeAndSendFlashData(const std::function<void(FlashDataMap &)> &write);
