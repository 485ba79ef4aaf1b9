// The orvak-sim tool against a running program: the program built into bin/
// started as a process of its own, and the main window of this process with
// the same control server the program starts. Unplugging the mouse drops its
// card and takes the device page back to the chooser, plugging it brings the
// card back, the mouse sleeps and wakes, its profile button reaches the
// program, and a malformed request is refused without changing anything.
#include "SimToolSupport.h"

#include "app/DialogMain.h"
#include "app/Startup.h"
#include "hub/PostMsg.h"
#include "platform/vidide/SimControlServer.h"
#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/VidIde.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using SimTool::LineOf;
using SimTool::Run;

namespace {
void noExit(int) {}

// Starts the program of bin/ in env and asks the tool for the device list
// until its control server answers (or a minute has passed).
void StartProgram(QProcess &program, const QProcessEnvironment &env, SimTool::Result &list)
{
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationDirPath() + "/ORVAK", QStringList());
    QVERIFY(program.waitForStarted());
    QElapsedTimer timer;
    timer.start();
    do {
        list = Run({"list"}, env);
    } while (list.code != 0 && timer.elapsed() < 60000 && program.state() == QProcess::Running);
}
} // namespace

class TstSimTool : public QObject
{
    Q_OBJECT

    DialogMain *main = nullptr;

private slots:
    void initTestCase()
    {
        Startup::prepareUserFolder();
        QVERIFY(SimTool::UsePrivateRuntimeFolder(QDir::homePath() + "/run"));
        qunsetenv("ORVAK_SIM_DEVICES"); // the built-in set: 0 receiver, 1 wired mouse
        SimReset(true);
        DialogMain::ExitProcess = noExit;
        DialogMain::TrayAvailable = [] { return true; };
        // What the program does at start-up.
        QVERIFY(StartSimControlServer(qApp));
        main = new DialogMain(nullptr);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
    }
    void cleanupTestCase() { delete main; }

    void unpluggingTheMouseLeavesItsDevicePage();
    void sleepWakeAndProfileButton();
    void malformedRequestsChangeNothing();
    void programStartedFromBinTakesTheToolsCommands();
    void programAndToolAgreeWithoutTempFolder();
};

void TstSimTool::unpluggingTheMouseLeavesItsDevicePage()
{
    QTRY_COMPARE(SimTool::Cards(main), 2);
    QVERIFY(SimTool::ClickCard(main, 1));
    QTRY_COMPARE(main->currentPage(), 1);
    QTRY_VERIFY(LineOf(Run({"list"}).out, 1).contains("bound=yes"));

    const SimTool::Result unplug = Run({"unplug", "1"});
    QCOMPARE(unplug.code, 0);
    QTRY_COMPARE(main->currentPage(), 0);
    QTRY_COMPARE(SimTool::Cards(main), 1);
    QVERIFY(!SimTool::ClickCard(main, 1));
    QVERIFY(LineOf(Run({"list"}).out, 1).contains("plugged=no"));

    QCOMPARE(Run({"plug", "1"}).code, 0);
    QTRY_COMPARE(SimTool::Cards(main), 2);
    QVERIFY(LineOf(Run({"list"}).out, 1).contains("plugged=yes"));
}

void TstSimTool::sleepWakeAndProfileButton()
{
    QVERIFY(SimTool::ClickCard(main, 0));
    QTRY_COMPARE(main->currentPage(), 1);
    QTRY_VERIFY(LineOf(Run({"list"}).out, 0).contains("bound=yes"));
    QVERIFY(SimWaitIdle(5000));

    QCOMPARE(Run({"sleep", "0"}).code, 0);
    QVERIFY(LineOf(Run({"list"}).out, 0).contains("awake=no"));
    QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));
    // Asleep is not gone: the device page stays.
    QTest::qWait(700);
    QCOMPARE(main->currentPage(), 1);
    QCOMPARE(Run({"wake", "0"}).code, 0);
    QVERIFY(LineOf(Run({"list"}).out, 0).contains("awake=yes"));
    QVERIFY(UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));

    // The button on the mouse switches its profile; the program hears of the
    // change and reads the mouse again, profile included.
    QVERIFY(LineOf(Run({"list"}).out, 0).contains("profile=1"));
    QSignalSpy profiles(PostMsg::GetInstance(), &PostMsg::SigUpDataConfigUI);
    QCOMPARE(Run({"profile", "0"}).code, 0);
    QVERIFY(LineOf(Run({"list"}).out, 0).contains("profile=2"));
    const auto shown = [&profiles] {
        for (const QList<QVariant> &args : profiles) {
            if (args.at(1).toInt() == 1 && args.at(2).toBool())
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(shown(), 20000);
    QCOMPARE(main->currentPage(), 1);
}

void TstSimTool::malformedRequestsChangeNothing()
{
    const QString before = Run({"list"}).out;
    QCOMPARE(before.count('\n'), 2);
    const int cards = SimTool::Cards(main);
    const int page = main->currentPage();

    const QList<QStringList> refused = {{"plug"},
                                        {"unplug", "x"},
                                        {"unplug", "7"},
                                        {"sleep", "1"},
                                        {"battery", "0", "101"},
                                        {"explode"},
                                        {"list", QString(400, 'x')}};
    for (const QStringList &args : refused) {
        const SimTool::Result result = Run(args);
        QCOMPARE(result.code, 1);
        QVERIFY2(result.err.startsWith("orvak-sim: "), qPrintable(result.err));
        QVERIFY(result.out.isEmpty());
    }
    // Bytes no tool would send, more of them than any request holds.
    QString error;
    QLocalSocket raw;
    raw.connectToServer(SimControlSocketPath(&error));
    QVERIFY(raw.waitForConnected(2000));
    raw.write(QByteArray(64 * 1024, '\xFF'));
    QTRY_COMPARE(raw.state(), QLocalSocket::UnconnectedState);
    QVERIFY(raw.readAll().startsWith("error: "));

    QCOMPARE(Run({"list"}).out, before);
    QCOMPARE(SimTool::Cards(main), cards);
    QCOMPARE(main->currentPage(), page);
}

void TstSimTool::programStartedFromBinTakesTheToolsCommands()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QVERIFY(QDir().mkpath(home.filePath("run")));
    QVERIFY(QFile::setPermissions(home.filePath("run"), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("run"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("ORVAK_SIM_DEVICES");

    QProcess program;
    SimTool::Result list;
    StartProgram(program, env, list);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(list.code, 0);
    QCOMPARE(list.out.count('\n'), 2);

    QCOMPARE(Run({"unplug", "1"}, env).code, 0);
    QVERIFY(LineOf(Run({"list"}, env).out, 1).contains("plugged=no"));
    QCOMPARE(Run({"plug", "1"}, env).code, 0);
    QCOMPARE(Run({"sleep", "0"}, env).code, 0);
    QVERIFY(LineOf(Run({"list"}, env).out, 0).contains("awake=no"));
    QCOMPARE(Run({"wake", "0"}, env).code, 0);
    QCOMPARE(Run({"profile", "0"}, env).code, 0);
    QCOMPARE(Run({"battery", "0", "20"}, env).code, 0);
    QCOMPARE(Run({"fail-next-flash", "1", "40"}, env).code, 0);
    const QString line = LineOf(Run({"list"}, env).out, 0);
    QVERIFY2(line.contains("plugged=yes") && line.contains("awake=yes") &&
                 line.contains("profile=2") && line.contains("battery=20"),
             qPrintable(line));

    const QString before = Run({"list"}, env).out;
    const SimTool::Result refused = Run({"unplug", "1", "2"}, env);
    QCOMPARE(refused.code, 1);
    QCOMPARE(Run({"list", QString(1000, 'y')}, env).code, 1);
    QCOMPARE(Run({"list"}, env).out, before);
    QVERIFY(LineOf(before, 1).contains("fail-next-flash=40"));
    // Its own socket, not this process's.
    QVERIFY(LineOf(Run({"list"}).out, 1).contains("plugged=yes"));
    QVERIFY(!LineOf(Run({"list"}).out, 1).contains("fail-next-flash"));

    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    QVERIFY(program.waitForFinished());
}

// No session runtime folder and a TMPDIR that names a missing folder: the
// program and the tool both take the private folder inside the per-user
// folder, not one at the file system's root.
void TstSimTool::programAndToolAgreeWithoutTempFolder()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString atRoot = "/ORVAK-" + QString::number(::getuid());
    const bool wasAtRoot = QFileInfo::exists(atRoot);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.remove("XDG_RUNTIME_DIR");
    env.insert("TMPDIR", home.filePath("missing"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("ORVAK_SIM_DEVICES");

    QProcess program;
    SimTool::Result list;
    StartProgram(program, env, list);
    if (QTest::currentTestFailed())
        return;
    program.kill();
    QVERIFY(program.waitForFinished());
    const bool madeAtRoot = !wasAtRoot && QFileInfo::exists(atRoot);
    if (madeAtRoot)
        QDir(atRoot).removeRecursively();

    QCOMPARE(list.code, 0);
    QVERIFY(!madeAtRoot);
    const QDir runtime(home.filePath(".local/share/ORVAK/Runtime"));
    QCOMPARE(runtime.entryList({"ORVAK-sim-*"}, QDir::System).size(), 1);
}

QTEST_MAIN(TstSimTool)
#include "tst_simtool.moc"
