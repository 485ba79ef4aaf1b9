// Where the program's dialogs and lists open on a real X server with a window
// manager (openbox on a private Xvfb, started just before the program): the
// wait box and the upgrade offer of opening a mouse, and a mouse notice,
// inside the main window; the button page's debounce list at its combo box.
// Where each window stands is asked of the X server itself, not of Qt.
// Skipped without Xvfb or openbox.
#include "../support/Xvfb.h"
#include "SimToolSupport.h"
#include "app/Dialog.h"
#include "app/DialogMain.h"
#include "app/ProgramMain.h"
#include "common/MouseOffLine.h"
#include "common/NoticeChoice.h"
#include "device/UpDataParam.h"
#include "hub/PostMsg.h"
#include "settings/UpDateRepair.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// A connection of our own to the X server: where windows really stand.
class XServer
{
public:
    explicit XServer(const QByteArray &display = QByteArray())
        : m_connection(xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr))
    {
        if (!xcb_connection_has_error(m_connection))
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~XServer() { xcb_disconnect(m_connection); }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool isOpen() const { return m_root != 0; }

    // The screen rectangle of a top-level widget's X window; null when the
    // server does not know it.
    QRect where(const QWidget *window) const
    {
        const auto id = xcb_window_t(window->winId());
        Reply<xcb_translate_coordinates_reply_t> at(
            xcb_translate_coordinates_reply(
                m_connection, xcb_translate_coordinates(m_connection, id, m_root, 0, 0), nullptr),
            &std::free);
        Reply<xcb_get_geometry_reply_t> size(
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, id), nullptr),
            &std::free);
        if (!at || !size)
            return QRect();
        return QRect(at->dst_x, at->dst_y, size->width, size->height);
    }

    // Asks for `window` at `to`, as a pager or a keyboard move does: the
    // window manager, which manages it, carries the move out.
    void move(const QWidget *window, const QPoint &to) const
    {
        const uint32_t values[2] = {uint32_t(to.x()), uint32_t(to.y())};
        xcb_configure_window(m_connection, xcb_window_t(window->winId()),
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
        xcb_flush(m_connection);
    }

    // True once a window manager owns the screen (the WM_S0 selection).
    bool isManaged() const
    {
        static const char name[] = "WM_S0";
        Reply<xcb_intern_atom_reply_t> atom(
            xcb_intern_atom_reply(m_connection,
                                  xcb_intern_atom(m_connection, 0, sizeof name - 1, name), nullptr),
            &std::free);
        if (!atom)
            return false;
        Reply<xcb_get_selection_owner_reply_t> owner(
            xcb_get_selection_owner_reply(
                m_connection, xcb_get_selection_owner(m_connection, atom->atom), nullptr),
            &std::free);
        return owner && owner->owner != 0;
    }

private:
    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
};

// ---- The program's side: a child process that runs the real start. ----

void Say(const char *what, const QRect &rect)
{
    std::printf("%s %d %d %d %d\n", what, rect.x(), rect.y(), rect.width(), rect.height());
    std::fflush(stdout);
}

// Waits, the event loop running, until `done` holds; false after `ms`.
bool WaitFor(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

bool OnScreen(const QWidget *window)
{
    return window && window->isVisible() && window->windowHandle() &&
           window->windowHandle()->isExposed();
}

// Notes where a window that `find` names stands once it is on the screen,
// then runs `then` on it. A timer watches, so the note is taken inside the
// window's own modal loop too.
class ShownWatch
{
public:
    ShownWatch(const XServer &x, std::function<QWidget *()> find,
               std::function<void(QWidget *)> then = {})
    {
        m_timer.callOnTimeout([this, &x, find, then] {
            QWidget *window = find();
            if (!OnScreen(window))
                return;
            m_timer.stop();
            m_seen = x.where(window);
            if (then)
                then(window);
        });
        m_timer.start(5);
    }

    bool seen() const { return !m_timer.isActive(); }
    QRect rect() const { return m_seen; }

private:
    QTimer m_timer;
    QRect m_seen;
};

QWidget *ShownNotice()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<MouseOffLine *>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

// Drives the started program as a user would and prints where the X server
// shows each window: "main", "wait", "offer", "notice", "combo" and "list",
// each "x y width height".
int Drive(DialogMain *main, bool moveFirst)
{
    const XServer x;
    if (!x.isOpen())
        return 2;
    if (moveFirst) {
        const QPoint to = x.where(main).topLeft() + QPoint(-240, 80);
        x.move(main, to);
        // The server and the program both have the window at its new place.
        if (!WaitFor([&] { return x.where(main).topLeft() == to && main->pos() == to; }, 5000))
            Say("not-moved", main->geometry());
    }
    Say("main", x.where(main));
    Say("qt-main", main->geometry());

    // Opening a mouse: its card on the chooser, then the wait box while the
    // mouse is read (it closes by itself) and, its firmware older than the
    // images beside the program, the upgrade offer (closed once seen).
    if (!WaitFor([&] { return SimTool::Cards(main) > 0; }, 20000))
        return 3;
    UpDataParam *waitBox = main->deviceWindow()->waitDialog();
    const ShownWatch wait(x, [waitBox] { return waitBox; });
    const ShownWatch offer(
        x, [] { return static_cast<QWidget *>(RepairDialog); },
        [](QWidget *window) { window->close(); });
    QTimer::singleShot(0, main, [main] { SimTool::ClickCardAt(main, 0); });
    if (!WaitFor(
            [&] {
                return wait.seen() && !waitBox->isVisible() && offer.seen() &&
                       !RepairDialog->isVisible();
            },
            60000))
        return 4;
    Say("wait", wait.rect());
    Say("offer", offer.rect());

    // A notice over the main window, closed once seen.
    const ShownWatch notice(x, ShownNotice,
                            [](QWidget *window) { static_cast<QDialog *>(window)->reject(); });
    emit PostMsg::GetInstance()->SigMouseOffLineo(MouseNoticeRefused);
    if (!WaitFor([&] { return notice.seen() && !ShownNotice(); }, 20000))
        return 5;
    Say("notice", notice.rect());

    // The button page's debounce list.
    auto *pageButton = main->deviceWindow()->findChild<QAbstractButton *>("ButtonMain");
    auto *combo = main->findChild<QComboBox *>(QStringLiteral("Debunce"));
    if (!pageButton || !combo)
        return 6;
    pageButton->click();
    if (!WaitFor([&] { return combo->isVisible(); }, 20000))
        return 6;
    combo->showPopup();
    QWidget *list = combo->view()->window();
    Say("combo", QRect(x.where(main).topLeft() + combo->mapTo(main, QPoint(0, 0)), combo->size()));
    // A list that closes before it is on the screen is seen nowhere.
    WaitFor([&] { return OnScreen(list) || !list->isVisible(); }, 20000);
    Say("list", OnScreen(list) ? x.where(list) : QRect());
    combo->hidePopup();
    return 0;
}

// ---- The test's side. ----

// Openbox on the private server, as a session starts it; gone with the
// object.
struct WindowManager
{
    QProcess process;

    // True once openbox manages the screen (owns its WM_S0 selection).
    bool start(const QByteArray &display, const QString &home)
    {
        const QString binary = QStandardPaths::findExecutable("openbox");
        if (binary.isEmpty())
            return false;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromLatin1(display));
        environment.insert("HOME", home);
        environment.insert("XDG_CONFIG_HOME", home + "/.config");
        environment.insert("XDG_CACHE_HOME", home + "/.cache");
        process.setProcessEnvironment(environment);
        process.start(binary, {"--sm-disable"});
        if (!process.waitForStarted(10000))
            return false;
        const XServer x(display);
        const QDeadlineTimer deadline(20000);
        while (x.isOpen() && !x.isManaged()) {
            if (deadline.hasExpired() || process.state() != QProcess::Running)
                return false;
            QThread::msleep(2);
        }
        return x.isOpen();
    }

    ~WindowManager()
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished();
    }
};

struct Run
{
    QMap<QString, QRect> seen;
    QString output;
};

// Starts the program once on `display` with its own per-user folder below
// `home` and the example device set, and reads what it printed.
Run StartProgram(const QByteArray &display, const QString &home, bool moveFirst)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", QString::fromLatin1(display));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_XCB_GL_INTEGRATION"})
        environment.remove(name);
    environment.insert("HOME", home);
    environment.insert("XDG_DATA_HOME", home + "/.local/share");
    environment.insert("XDG_CONFIG_HOME", home + "/.config");
    environment.insert("XDG_RUNTIME_DIR", home + "/run");
    environment.insert("ORVAK_SIM_DEVICES",
                       QCoreApplication::applicationDirPath() + "/sim-devices-example.json");
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {"--program", moveFirst ? "move" : "stay"});
    Run run;
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        run.output = "the program did not end\n";
    }
    const QByteArray out = child.readAllStandardOutput();
    run.output += QString::fromLocal8Bit(out + child.readAllStandardError());
    run.output += QStringLiteral("exit %1").arg(child.exitCode());
    for (const QByteArray &line : out.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 5) {
            run.seen.insert(QString::fromLatin1(words.at(0)),
                            QRect(words.at(1).toInt(), words.at(2).toInt(), words.at(3).toInt(),
                                  words.at(4).toInt()));
        }
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        run.seen.clear();
    return run;
}

} // namespace

class TestXPlacement : public QObject
{
    Q_OBJECT

private slots:
    void dialogsOverTheWindow_data();
    void dialogsOverTheWindow();
};

void TestXPlacement::dialogsOverTheWindow_data()
{
    QTest::addColumn<int>("earlierStarts");
    QTest::addColumn<bool>("moveFirst");
    QTest::newRow("fresh session") << 0 << false;
    QTest::newRow("second start") << 1 << false;
    QTest::newRow("window moved") << 0 << true;
}

// The window manager has just started; the program starts (after
// `earlierStarts` starts and ends on the same desktop), its window moved
// first by the window manager when `moveFirst`. Every dialog opens over the
// window where it stands and the list at its combo box.
void TestXPlacement::dialogsOverTheWindow()
{
    QFETCH(int, earlierStarts);
    QFETCH(bool, moveFirst);
    if (QStandardPaths::findExecutable("openbox").isEmpty())
        QSKIP("no openbox to manage the windows");
    Xvfb server;
    if (!server.start("1920x1080"))
        QSKIP("no Xvfb to run an X server");
    const QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir().mkpath(home.path() + "/run"));
    QVERIFY(QFile::setPermissions(home.path() + "/run", QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
    WindowManager manager;
    QVERIFY(manager.start(server.display, home.path()));

    for (int start = 0; start < earlierStarts; ++start) {
        const Run earlier = StartProgram(server.display, home.path(), false);
        QVERIFY2(!earlier.seen.isEmpty(), qPrintable(earlier.output));
    }
    const Run run = StartProgram(server.display, home.path(), moveFirst);
    QVERIFY2(!run.seen.isEmpty() && !run.seen.contains("not-moved"), qPrintable(run.output));
    const QRect main = run.seen.value("main");
    QCOMPARE(main.size(), QSize(DialogMain::FixedWidth, DialogMain::FixedHeight));
    QVERIFY2(main.contains(run.seen.value("wait")), qPrintable(run.output));
    QVERIFY2(main.contains(run.seen.value("offer")), qPrintable(run.output));
    QVERIFY2(main.contains(run.seen.value("notice")), qPrintable(run.output));
    // The list opens on or below its box, from its left edge.
    const QRect combo = run.seen.value("combo");
    const QRect list = run.seen.value("list");
    QVERIFY2(qAbs(list.left() - combo.left()) <= 2, qPrintable(run.output));
    QVERIFY2(list.top() <= combo.bottom() + 2 && list.bottom() >= combo.top(),
             qPrintable(run.output));
}

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--program") == 0) {
        const bool moveFirst = qstrcmp(argv[2], "move") == 0;
        int childArgc = 1;
        return RunProgram(childArgc, argv, [moveFirst](QWidget *window) {
            return Drive(static_cast<DialogMain *>(window), moveFirst);
        });
    }
    QCoreApplication app(argc, argv);
    TestXPlacement test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xplacement.moc"
