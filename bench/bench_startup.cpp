// Start-up: from starting the program until its main window is shown. Each
// iteration starts a process of its own that runs the start-up of main()
// (this program with the argument below), on the offscreen platform; the time
// ends when that process says its window is exposed.

#include "BenchMain.h"
#include "app/ProgramMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char StartArgument[] = "--start-window";
const char ShownLine[] = "shown";
const int StartTimeoutMs = 30000;

// The program's own start-up up to its shown window; then the one line on
// standard output, and the process ends without tearing the window down, as
// the program never does either.
int startWindow(int argc, char *argv[])
{
    return RunProgram(argc, argv, [](QWidget *window) {
        if (!QTest::qWaitForWindowExposed(window))
            return 2;
        std::printf("%s\n", ShownLine);
        std::fflush(stdout);
        std::_Exit(0);
        return 0;
    });
}

} // namespace

class BenchStartup : public QObject
{
    Q_OBJECT

    QTemporaryDir root;

    // Starts the program with `home` as its HOME and waits for its window.
    // False, with the reason in `error`, when it did not show one.
    bool startOnce(const QString &home, QString *error)
    {
        if (!QDir().mkpath(home)) {
            *error = QStringLiteral("cannot make ") + home;
            return false;
        }
        // The rest of the environment (runtime folder, platform) is this
        // run's own; see BenchMain.h.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(), {QLatin1String(StartArgument)});
        QElapsedTimer timer;
        timer.start();
        bool shown = false;
        while (!shown && timer.elapsed() < StartTimeoutMs) {
            if (!program.canReadLine() && !program.waitForReadyRead(StartTimeoutMs))
                break;
            while (program.canReadLine() && !shown)
                shown = program.readLine().trimmed() == ShownLine;
        }
        if (!program.waitForFinished(StartTimeoutMs))
            program.kill();
        if (!shown) {
            *error = QStringLiteral("no window shown (exit %1): %2")
                         .arg(program.exitCode())
                         .arg(QString::fromLocal8Bit(program.readAllStandardError()));
        }
        return shown;
    }

private slots:
    void initTestCase() { QVERIFY(root.isValid()); }

    void startToShownWindow_data()
    {
        QTest::addColumn<bool>("firstStart");
        QTest::newRow("first start (empty per-user folder)") << true;
        QTest::newRow("later start") << false;
    }

    void startToShownWindow()
    {
        QFETCH(bool, firstStart);
        QString error;
        const QString shared = root.filePath(QStringLiteral("later"));
        if (!firstStart)
            QVERIFY2(startOnce(shared, &error), qPrintable(error));
        int run = 0;
        QBENCHMARK
        {
            const QString home =
                firstStart ? root.filePath(QStringLiteral("first%1").arg(++run)) : shared;
            QVERIFY2(startOnce(home, &error), qPrintable(error));
        }
    }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], StartArgument) == 0)
        return startWindow(argc, argv);
    return Bench::run<BenchStartup>(argc, argv);
}

#include "bench_startup.moc"
