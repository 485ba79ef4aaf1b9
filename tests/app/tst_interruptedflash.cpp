// A flash cut short by the program's own end: the program is started on the
// simulated devices as a separate process, killed (SIGKILL) while the
// upgrade it runs flashes, and started again. The chooser must offer the
// repair, and the repair must leave the devices sound with the new firmware
// and no record behind.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Child
{
    int code = -1;
    QStringList lines;
};

QProcessEnvironment ChildEnvironment(const QString &home, const QString &deviceSet)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_RUNTIME_DIR", home + "/run");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ORVAK_SIM_DEVICES", QCoreApplication::applicationDirPath() + "/" + deviceSet);
    return env;
}

QString ChildProgram()
{
    return QCoreApplication::applicationDirPath() + "/InterruptedFlashChild";
}

// Runs the child until it prints a line for which `stop` holds (then kills
// it at once) or until it ends; every line it printed is kept.
Child RunChild(const QProcessEnvironment &env, const QStringList &args,
               const std::function<bool(const QString &)> &stop, int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(ChildProgram(), args);
    Child child;
    if (!process.waitForStarted(10000))
        return child;
    QElapsedTimer timer;
    timer.start();
    bool killed = false;
    while (!killed && timer.elapsed() < timeoutMs) {
        process.waitForReadyRead(100);
        while (process.canReadLine()) {
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            child.lines << line;
            if (stop && stop(line)) {
                process.kill(); // SIGKILL: no handler, no clean-up
                killed = true;
                break;
            }
        }
        if (process.state() == QProcess::NotRunning)
            break;
    }
    if (process.state() != QProcess::NotRunning && !killed)
        process.kill();
    process.waitForFinished(10000);
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (!line.trimmed().isEmpty())
            child.lines << QString::fromUtf8(line).trimmed();
    }
    child.code = !killed && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return child;
}

int BarOf(const QString &line)
{
    return line.startsWith("bar ") ? line.mid(4).toInt() : -1;
}

} // namespace

class TstInterruptedFlash : public QObject
{
    Q_OBJECT

private slots:
    void killedFlashIsRepairedOnTheNextStart_data()
    {
        QTest::addColumn<QString>("deviceSet");
        QTest::addColumn<int>("card");
        QTest::addColumn<int>("killAt");
        QTest::addColumn<int>("killBelow");
        QTest::addColumn<QStringList>("repaired");
        // The Talon W on its cable (the only card) with its receiver: the
        // receiver fills the bar's first half, the mouse its second.
        const QStringList both = {"device 0 boot=0 firmware=104 mouse=106",
                                  "device 1 boot=0 firmware=106 mouse=106"};
        QTest::newRow("receiver stage") << "sim-devices-repair.json" << 0 << 20 << 50 << both;
        QTest::newRow("mouse stage") << "sim-devices-repair.json" << 0 << 70 << 100 << both;
        // The wired-only Talon C, the second card: its mouse stage alone.
        QTest::newRow("wired-only mouse") << "sim-devices-example.json" << 1 << 40 << 100
                                          << QStringList{"device 2 boot=0 firmware=106 mouse=106"};
    }

    void killedFlashIsRepairedOnTheNextStart()
    {
        QFETCH(QString, deviceSet);
        QFETCH(int, card);
        QFETCH(int, killAt);
        QFETCH(int, killBelow);
        QFETCH(QStringList, repaired);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QVERIFY(QDir().mkpath(home.filePath("run")));
        QVERIFY(QFile::setPermissions(home.filePath("run"), QFileDevice::ReadOwner |
                                                                QFileDevice::WriteOwner |
                                                                QFileDevice::ExeOwner));
        const QProcessEnvironment env = ChildEnvironment(home.path(), deviceSet);

        const Child upgrade = RunChild(
            env, {"upgrade", QString::number(card)},
            [&](const QString &line) { return BarOf(line) >= killAt; }, 120000);
        QVERIFY2(upgrade.code == -1, qPrintable(upgrade.lines.join(" | ")));
        QVERIFY2(BarOf(upgrade.lines.last()) >= killAt && BarOf(upgrade.lines.last()) < killBelow,
                 qPrintable(upgrade.lines.join(" | ")));

        const Child repair = RunChild(env, {"repair"}, {}, 180000);
        const QString said = repair.lines.join(" | ");
        QVERIFY2(repair.code == 0, qPrintable(said));
        // The flash was cut short: its device waits in boot mode.
        QVERIFY2(said.contains(" boot=1 "), qPrintable(said));
        QVERIFY2(repair.lines.contains("offered"), qPrintable(said));
        QVERIFY2(repair.lines.contains("end Upgrade succeeded"), qPrintable(said));
        QVERIFY2(repair.lines.contains("repair button gone"), qPrintable(said));
        const int end = repair.lines.indexOf("end Upgrade succeeded");
        const QStringList after = repair.lines.mid(end);
        for (const QString &device : repaired)
            QVERIFY2(after.contains(device), qPrintable(said));
        QCOMPARE(after.last(), QString("record"));
    }
};

QTEST_GUILESS_MAIN(TstInterruptedFlash)
#include "tst_interruptedflash.moc"
