#pragma once

// A private X server of one screen for tests that need a real display,
// gone with the object. start() is false when there is no Xvfb to run.

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

struct Xvfb
{
    QProcess process;
    QByteArray display;

    // `size` as Xvfb takes it, e.g. "1920x1080".
    bool start(const QString &size)
    {
        const QString binary = QStandardPaths::findExecutable("Xvfb");
        if (binary.isEmpty())
            return false;
        process.start(binary, {"-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp",
                               "-noreset"});
        if (!process.waitForStarted(10000))
            return false;
        // The server prints its display number once it takes connections.
        while (!process.canReadLine()) {
            if (!process.waitForReadyRead(10000))
                return false;
        }
        display = ":" + process.readLine().trimmed();
        return display.size() > 1;
    }

    ~Xvfb()
    {
        process.terminate();
        if (!process.waitForFinished(5000))
            process.kill();
        process.waitForFinished();
    }
};
