#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <memory>

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
    // the width has to be known before: ask a short-lived one.
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
