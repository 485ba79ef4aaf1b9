#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/XScreens.h"

#include <memory>

namespace {

double g_dpiOverride = 0;
QList<ScreenMetrics::Screen> g_screensOverride;

// The environment variables through which a user scales Qt programs.
const char *const UserScalingVariables[] = {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                            "QT_AUTO_SCREEN_SCALE_FACTOR"};

QList<ScreenMetrics::Screen> screensOfApplication()
{
    QList<ScreenMetrics::Screen> screens;
    QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return screens;
    screens.append({primary->geometry(), primary->availableGeometry()});
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != primary)
            screens.append({screen->geometry(), screen->availableGeometry()});
    }
    return screens;
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

bool userSetsScaling()
{
    for (const char *name : UserScalingVariables) {
        if (qEnvironmentVariableIsSet(name))
            return true;
    }
    return false;
}

Desktop desktop(int argc, char **argv)
{
    Desktop result;
    result.userScaling = userSetsScaling();
    if (result.userScaling)
        return result;
    if (!g_screensOverride.isEmpty()) {
        result.screens = g_screensOverride;
        return result;
    }
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        result.screens = screensOfApplication();
        return result;
    }
    // QT_SCALE_FACTOR is only read while the application object is built, so
    // the screens have to be known before. On X the server tells them at the
    // cost of one connection; elsewhere (offscreen, Wayland, no X server)
    // ask a short-lived application object.
    if (XScreens::platformIsXcb(argc, argv) && XScreens::query(argc, argv, &result.screens))
        return result;
    int probeArgc = argc > 0 ? 1 : 0;
    std::unique_ptr<QGuiApplication> probe(new QGuiApplication(probeArgc, argv));
    result.screens = screensOfApplication();
    return result;
}

QByteArray scaleFactorFor(const Desktop &desktop, const QSize &window)
{
    if (desktop.userScaling || desktop.screens.isEmpty())
        return QByteArray();
    // The primary screen alone: the window opens there, and screens beside
    // it do not make it any larger.
    const Screen &primary = desktop.screens.first();
    const int width = primary.geometry.width();
    if (width <= 1920)
        return QByteArray();
    const QSize room =
        primary.available.isEmpty() ? primary.geometry.size() : primary.available.size();
    int factor = width / 1920;
    // A wide but low screen (3840 x 1080) would hang a doubled window below
    // its edge.
    while (factor > 1) {
        const QSize needed = window * factor;
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
        --factor;
    }
    return QByteArray::number(factor);
}

void setOverride(double dpi, const QList<Screen> &screens)
{
    g_dpiOverride = dpi;
    g_screensOverride = screens;
}

} // namespace ScreenMetrics
