#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <cstring>
#include <memory>

#include <xcb/xcb.h>

namespace {

double g_dpiOverride = 0;
int g_widthOverride = 0;

int widthOfScreens()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    // The virtual desktop spans every screen beside the primary one.
    return screen->virtualGeometry().width();
}

// The value of option `name` ("-platform") on the command line, or null.
const char *argumentValue(int argc, char **argv, const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] && std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    }
    return nullptr;
}

// On X11 the desktop spans the root window: its width, asked of the X server
// directly, is what a probing application object would report, without
// loading and tearing down a whole platform integration. -1 when Qt will not
// use X11 or the server cannot be reached (the probe decides then).
int rootWindowWidth(int argc, char **argv)
{
    QByteArray platform = argumentValue(argc, argv, "-platform");
    if (platform.isEmpty())
        platform = qgetenv("QT_QPA_PLATFORM");
    // "xcb" is this Qt's default platform; options follow a ':'.
    if (!platform.isEmpty() && platform.split(':').value(0) != "xcb")
        return -1;
    int screenNumber = 0;
    xcb_connection_t *connection =
        xcb_connect(argumentValue(argc, argv, "-display"), &screenNumber);
    int width = -1;
    if (!xcb_connection_has_error(connection)) {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; it.rem > 0 && i < screenNumber; ++i)
            xcb_screen_next(&it);
        if (it.rem > 0)
            width = it.data->width_in_pixels;
    }
    xcb_disconnect(connection);
    return width;
}

} // namespace

namespace ScreenMetrics {

double logicalDpi()
{
    if (g_dpiOverride > 0)
        return g_dpiOverride;
    QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                          ? QGuiApplication::primaryScreen()
                          : nullptr;
    if (!screen || screen->logicalDotsPerInchX() <= 0)
        return 96.0;
    return screen->logicalDotsPerInchX();
}

int desktopWidth(int argc, char **argv)
{
    if (g_widthOverride > 0)
        return g_widthOverride;
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return widthOfScreens();
    // QT_SCALE_FACTOR is only read while the application object is built, so
    // the width has to be known before: from the X server, or else from a
    // short-lived application object.
    const int rootWidth = rootWindowWidth(argc, argv);
    if (rootWidth > 0)
        return rootWidth;
    int probeArgc = argc > 0 ? 1 : 0;
    std::unique_ptr<QGuiApplication> probe(new QGuiApplication(probeArgc, argv));
    return widthOfScreens();
}

QByteArray scaleFactorFor(int width)
{
    if (width <= 1920)
        return QByteArray();
    return QByteArray::number(width / 1920);
}

void setOverride(double dpi, int width)
{
    g_dpiOverride = dpi;
    g_widthOverride = width;
}

} // namespace ScreenMetrics
