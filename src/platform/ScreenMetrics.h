#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>

// Screen queries of the start-up scaling and of the dialogs' font scaling.
namespace ScreenMetrics {

// The primary screen's horizontal logical DPI (96 when there is no screen).
// Needs a QGuiApplication.
double logicalDpi();

// One screen in device pixels: all of it, and the part that windows may
// cover (without the desktop's panels).
struct Screen
{
    QRect geometry;
    QRect available;
};

// What the start-up scaling is decided on.
struct Desktop
{
    // The screens as the window system lists them, the primary one (where the
    // main window opens) first; empty when no screen can be reached.
    QList<Screen> screens;
    // The user set Qt's scaling (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS or
    // QT_AUTO_SCREEN_SCALE_FACTOR); the program then leaves it alone.
    bool userScaling = false;
};

// Whether the environment carries a scaling of the user's own.
bool userSetsScaling();

// The desktop as it is now. Before the application object exists it asks the
// X server when the application will run on X, else a short-lived
// QGuiApplication (Qt's high-DPI scaling must already be off); the screens
// are not asked for when the user set the scaling.
Desktop desktop(int argc, char **argv);

// The value of QT_SCALE_FACTOR for a window of `window` pixels on `desktop`:
// from the primary screen's width, the integer quotient width / 1920 for
// widths above 1920, lowered while the window would not fit into the
// screen's available area (but not below 1). Empty (the variable is not set)
// for 1920 pixels or less, without a screen, or when the user set the scaling.
QByteArray scaleFactorFor(const Desktop &desktop, const QSize &window);

// Tests: fixed answers instead of the screen's (0 = ask the screen again; an
// empty list = ask the window system again).
void setOverride(double logicalDpi, const QList<Screen> &screens = {});

} // namespace ScreenMetrics
