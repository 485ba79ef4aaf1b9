#pragma once

// Times a start of this benchmark program in one of its child modes, from
// starting the process until it prints the line "shown" (its window is
// exposed). The child gets `home` as its HOME and per-user folders; the rest
// of the environment (runtime folder, platform) is the benchmark's own, see
// BenchMain.h. Each start is a fresh process, so nothing of one start (loaded
// libraries aside, which the system caches for every program alike) helps the
// next.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace StartTimer {

const char ShownLine[] = "shown";
const int StartTimeoutMs = 60000;

// In the child: the one line on standard output once `window` is exposed,
// then the process ends without tearing the window down, as the program
// never does either.
inline int reportShown(QWidget *window)
{
    if (!QTest::qWaitForWindowExposed(window, StartTimeoutMs))
        return 2;
    std::printf("%s\n", ShownLine);
    std::fflush(stdout);
    std::_Exit(0);
    return 0;
}

// In the child: a bare Qt Widgets window of the main window's size, the
// yardstick every start is compared with.
inline int bareWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1020, 700);
    window.show();
    return reportShown(&window);
}

// Milliseconds from starting this program with `mode` until its window was
// shown, or -1 with the reason in `error`.
inline double timeStart(const QString &mode, const QString &home, QString *error)
{
    if (!QDir().mkpath(home)) {
        *error = QStringLiteral("cannot make ") + home;
        return -1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    QProcess child;
    child.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), {mode});
    bool shown = false;
    qint64 elapsedNs = 0;
    while (!shown && timer.elapsed() < StartTimeoutMs) {
        if (!child.canReadLine() && !child.waitForReadyRead(StartTimeoutMs))
            break;
        while (child.canReadLine() && !shown) {
            shown = child.readLine().trimmed() == ShownLine;
            elapsedNs = timer.nsecsElapsed();
        }
    }
    if (!child.waitForFinished(StartTimeoutMs)) {
        child.kill();
        child.waitForFinished();
    }
    if (!shown) {
        *error = mode + QStringLiteral(": no window shown (exit %1): %2")
                            .arg(child.exitCode())
                            .arg(QString::fromLocal8Bit(child.readAllStandardError()));
        return -1;
    }
    return elapsedNs / 1e6;
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    if (values.isEmpty())
        return -1;
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

// The number of paired starts: ORVAK_BENCH_STARTS, else `fallback`.
inline int starts(int fallback)
{
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("ORVAK_BENCH_STARTS", &ok);
    return ok && asked > 0 ? asked : fallback;
}

} // namespace StartTimer
