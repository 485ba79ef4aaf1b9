#pragma once

#include <functional>

class QWidget;

// The restore of the device's defaults that the button page and the settings
// page both offer: asks with ContainReset, then clears the device's settings
// and waits with a reset-mode wait dialog until the re-read has reached the
// pages. `place` positions each of the two dialogs before it runs. The online
// check comes first and is the caller's. False when the user declined.
bool ConfirmAndResetDevice(const std::function<void(QWidget *)> &place);
