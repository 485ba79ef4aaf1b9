#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QWidget>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdio>
#include <memory>

#include "../support/Xvfb.h"
#include "app/Startup.h"
#include "platform/ScreenMetrics.h"
#include "platform/XScreens.h"

// The start on X. The screen scaling decided before the application object,
// asked of the X server directly: the same screens as Qt's own xcb platform
// finds, and no Qt platform started for it. Windows shown without loading an
// OpenGL driver. Runs against a private Xvfb when there is one.
class TestXScreens : public QObject
{
    Q_OBJECT

private slots:
    void platformChoice_data();
    void platformChoice();
    void screensAsQtSeesThem_data();
    void screensAsQtSeesThem();
    void windowsWithoutOpenGl_data();
    void windowsWithoutOpenGl();
};

void TestXScreens::platformChoice_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<bool>("xcb");
    QTest::newRow("Qt's default") << QStringList() << QByteArray() << true;
    QTest::newRow("xcb") << QStringList() << QByteArray("xcb") << true;
    QTest::newRow("xcb with options") << QStringList() << QByteArray("xcb:foo=1") << true;
    QTest::newRow("offscreen") << QStringList() << QByteArray("offscreen") << false;
    QTest::newRow("wayland first") << QStringList() << QByteArray("wayland;xcb") << false;
    QTest::newRow("argument wins")
        << QStringList{"-platform", "offscreen"} << QByteArray("xcb") << false;
    QTest::newRow("argument with =")
        << QStringList{"-platform=xcb"} << QByteArray("offscreen") << true;
}

void TestXScreens::platformChoice()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, variable);
    QFETCH(bool, xcb);
    const QByteArray kept = qgetenv("QT_QPA_PLATFORM");
    if (variable.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", variable);
    QList<QByteArray> bytes{"program"};
    for (const QString &argument : arguments)
        bytes << argument.toLocal8Bit();
    QVector<char *> argv;
    for (QByteArray &each : bytes)
        argv << each.data();
    const bool found = XScreens::platformIsXcb(argv.size(), argv.data());
    qputenv("QT_QPA_PLATFORM", kept);
    QCOMPARE(found, xcb);
}

namespace {

// Sets the root window's _NET_WORKAREA as a desktop's panel would, on a
// connection the caller keeps open (a window manager's stays too).
xcb_connection_t *setWorkArea(const QByteArray &display, const QRect &area)
{
    xcb_connection_t *c = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    static const char name[] = "_NET_WORKAREA";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    const uint32_t value[4] = {uint32_t(area.x()), uint32_t(area.y()), uint32_t(area.width()),
                               uint32_t(area.height())};
    if (atom) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, atom->atom, XCB_ATOM_CARDINAL,
                            32, 4, value);
    }
    std::free(atom);
    // A round trip: the property is set before anyone else asks.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return c;
}

QString text(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

// Whether a library whose file name contains `name` is loaded into this
// process.
bool loaded(const char *name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(name);
}

QByteArray runChild(const QByteArray &display, const QString &mode,
                    const QByteArray &glIntegration = QByteArray())
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", QString::fromLatin1(display));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_RELY_ON_NET_WORKAREA_ATOM"})
        environment.remove(name);
    environment.remove("QT_XCB_GL_INTEGRATION");
    if (!glIntegration.isEmpty())
        environment.insert("QT_XCB_GL_INTEGRATION", QString::fromLatin1(glIntegration));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {mode});
    if (!child.waitForFinished(30000))
        return "no answer";
    return child.readAllStandardOutput() + child.readAllStandardError();
}

} // namespace

// Each screen size and panel: the scaling chosen from the X server's answer,
// that answer equal to what Qt's platform itself reports for the primary
// screen, and no Qt platform loaded before the application object.
void TestXScreens::screensAsQtSeesThem_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QByteArray>("factor");
    QTest::newRow("1920 x 1080, no window manager") << "1920x1080" << QRect() << QByteArray();
    QTest::newRow("3840 x 2160") << "3840x2160" << QRect() << QByteArray("2");
    QTest::newRow("3840 x 1080") << "3840x1080" << QRect() << QByteArray("1");
    QTest::newRow("5120 x 1440, 40 pixel panel")
        << "5120x1440" << QRect(0, 0, 5120, 1400) << QByteArray("2");
    QTest::newRow("5120 x 1440, 41 pixel panel")
        << "5120x1440" << QRect(0, 41, 5120, 1399) << QByteArray("1");
}

void TestXScreens::screensAsQtSeesThem()
{
    QFETCH(QString, size);
    QFETCH(QRect, workArea);
    QFETCH(QByteArray, factor);
    Xvfb server;
    if (!server.start(size))
        QSKIP("no Xvfb to run an X server");
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t *)> panel(nullptr, xcb_disconnect);
    if (!workArea.isNull()) {
        panel.reset(setWorkArea(server.display, workArea));
        QVERIFY(panel);
    }

    const QByteArray compared = runChild(server.display, "--compare");
    const QList<QByteArray> lines = compared.split('\n');
    QVERIFY2(lines.size() >= 2 && lines.at(0).startsWith("x=") && lines.at(1).startsWith("qt="),
             compared.constData());
    QCOMPARE(lines.at(0).mid(2), lines.at(1).mid(3));

    const QByteArray scaled = runChild(server.display, "--scaling");
    QVERIFY2(scaled.contains("factor=" + factor + " platform-before-app=no app=ok"),
             scaled.constData());
}

// A window shown after the program's start-up steps loads Qt's GL
// integration (and with it Mesa) only when the user asked for one.
void TestXScreens::windowsWithoutOpenGl_data()
{
    QTest::addColumn<QByteArray>("userChoice");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no choice: raster only") << QByteArray() << QByteArray("integration=none gl=no");
    QTest::newRow("the user's GLX kept")
        << QByteArray("xcb_glx") << QByteArray("integration=xcb_glx gl=yes");
}

void TestXScreens::windowsWithoutOpenGl()
{
    QFETCH(QByteArray, userChoice);
    QFETCH(QByteArray, expected);
    Xvfb server;
    if (!server.start("1920x1080"))
        QSKIP("no Xvfb to run an X server");
    const QByteArray output = runChild(server.display, "--window", userChoice);
    QVERIFY2(output.contains("shown " + expected), output.constData());
}

int main(int argc, char **argv)
{
    // A window shown after the program's steps before the application.
    if (argc >= 2 && qstrcmp(argv[1], "--window") == 0) {
        int childArgc = 1;
        Startup::setScreenScaling(childArgc, argv);
        Startup::useRasterWindows();
        QApplication app(childArgc, argv);
        QWidget window;
        window.resize(1020, 700);
        window.show();
        const bool shown = QTest::qWaitForWindowExposed(&window);
        std::printf("%s integration=%s gl=%s\n", shown ? "shown" : "not-shown",
                    qgetenv("QT_XCB_GL_INTEGRATION").constData(),
                    loaded("libqxcb-glx-integration") ? "yes" : "no");
        return 0;
    }
    // The X server's answer next to Qt's, without any scaling.
    if (argc >= 2 && qstrcmp(argv[1], "--compare") == 0) {
        QList<ScreenMetrics::Screen> screens;
        if (!XScreens::query(argc, argv, &screens))
            return 2;
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
        QGuiApplication app(argc, argv);
        QScreen *primary = QGuiApplication::primaryScreen();
        std::printf("x=%s %s\nqt=%s %s\n", qPrintable(text(screens.first().geometry)),
                    qPrintable(text(screens.first().available)),
                    qPrintable(text(primary->geometry())),
                    qPrintable(text(primary->availableGeometry())));
        return 0;
    }
    // The program's own start-up steps.
    if (argc >= 2 && qstrcmp(argv[1], "--scaling") == 0) {
        int childArgc = 1;
        Startup::setScreenScaling(childArgc, argv);
        const bool platform = loaded("libQt5XcbQpa");
        QApplication app(childArgc, argv);
        std::printf("factor=%s platform-before-app=%s app=%s\n",
                    qgetenv("QT_SCALE_FACTOR").constData(), platform ? "yes" : "no",
                    QGuiApplication::primaryScreen() ? "ok" : "no-screen");
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestXScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xscreens.moc"
