#pragma once

#include <QList>

#include "platform/ScreenMetrics.h"

// The screens as an X server lists them, asked on a connection of its own
// (RandR for the monitors and the primary one, _NET_WORKAREA for the part
// the desktop's panels leave), the way Qt's xcb platform reads them. It
// spares the start a whole Qt platform (a second connection, its plugins,
// fonts and input methods) just to learn the screen size before the
// application object exists.
namespace XScreens {

// Whether the application object will run on X: the platform asked for by
// `-platform` or QT_QPA_PLATFORM is xcb (Qt's default on Linux).
bool platformIsXcb(int argc, char **argv);

// The screens, the primary one first. False when the X server cannot be
// reached (no DISPLAY, or the connection fails): the caller then asks Qt.
bool query(int argc, char **argv, QList<ScreenMetrics::Screen> *screens);

} // namespace XScreens
