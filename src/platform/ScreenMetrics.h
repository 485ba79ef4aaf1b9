#pragma once

#include <QByteArray>

// Screen queries of the start-up scaling and of the dialogs' font scaling.
namespace ScreenMetrics {

// The primary screen's horizontal logical DPI (96 when there is no screen).
// Needs a QGuiApplication.
double logicalDpi();

// Width of the whole desktop in device pixels. Before the application object
// exists it asks a short-lived QGuiApplication (Qt's high-DPI scaling must
// already be off); 0 when no screen can be reached.
int desktopWidth(int argc, char **argv);

// The value of QT_SCALE_FACTOR for a desktop of `width` pixels: the integer
// quotient width / 1920 as text for widths above 1920, empty otherwise
// (the variable is then not set).
QByteArray scaleFactorFor(int width);

// Tests: fixed answers instead of the screen's (0 = ask the screen again).
void setOverride(double logicalDpi, int desktopWidth);

} // namespace ScreenMetrics
