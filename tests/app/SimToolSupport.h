#pragma once

// Driving the orvak-sim tool (built into bin/ beside the program and the
// tests) against a program, and looking at the program's chooser.

#include "app/DialogMain.h"
#include "common/mytoolButtonEnter.h"
#include "device/DeviceState.h"
#include "device/DialogChange.h"
#include "platform/vidide/SimControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>

namespace SimTool {

struct Result
{
    int code = -1;
    QString out;
    QString err;
};

// Runs the tool and waits for it while this thread's events go on: the
// program it talks to may be this very process.
inline Result Run(const QStringList &args,
                  const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess tool;
    tool.setProcessEnvironment(env);
    tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/orvak-sim"), args);
    QElapsedTimer timer;
    timer.start();
    while (tool.state() != QProcess::NotRunning && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    Result result;
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished();
        result.err = QStringLiteral("the tool did not end");
        return result;
    }
    result.code = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    result.out = QString::fromUtf8(tool.readAllStandardOutput());
    result.err = QString::fromUtf8(tool.readAllStandardError());
    return result;
}

// The tool's line of `device` in a list output.
inline QString LineOf(const QString &list, int device)
{
    const QString head = QStringLiteral("device=%1 ").arg(device);
    for (const QString &line : list.split(QLatin1Char('\n'))) {
        if (line.startsWith(head))
            return line;
    }
    return QString();
}

// A private runtime folder for the control socket, as a session has one.
inline bool UsePrivateRuntimeFolder(const QString &path)
{
    if (!QDir().mkpath(path) ||
        !QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner))
        return false;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    return true;
}

inline DialogChange *Chooser(DialogMain *main)
{
    return qobject_cast<DialogChange *>(main->chooserPage());
}

// The cards the chooser shows.
inline int Cards(DialogMain *main)
{
    return Chooser(main)->deviceButtons().size();
}

// The simulated device behind the chooser's card at `position` (0 the first,
// as the cards are laid out from the left); -1 when there is none.
inline int DeviceOfCard(DialogMain *main, int position)
{
    const QList<mytoolButtonEnter *> &cards = Chooser(main)->deviceButtons();
    if (position < 0 || position >= cards.size())
        return -1;
    const int n = cards.at(position)->deviceIndex();
    if (n < 0 || n >= FoundDevices.size())
        return -1;
    for (int device = 0; device < SimDeviceCount(); ++device) {
        if (FoundDevices.at(n).Path == QString::fromLatin1(SimDevicePath(device)))
            return device;
    }
    return -1;
}

// Clicks the chooser's card at `position`, as a user picks a card by where it
// is; false when there is no such card.
inline bool ClickCardAt(DialogMain *main, int position)
{
    const QList<mytoolButtonEnter *> &cards = Chooser(main)->deviceButtons();
    if (position < 0 || position >= cards.size())
        return false;
    cards.at(position)->click();
    return true;
}

// Clicks the chooser's card of simulated `device`; false when it has none.
inline bool ClickCard(DialogMain *main, int device)
{
    const QString path = QString::fromLatin1(SimDevicePath(device));
    for (mytoolButtonEnter *button : Chooser(main)->deviceButtons()) {
        const int n = button->deviceIndex();
        if (n >= 0 && n < FoundDevices.size() && FoundDevices.at(n).Path == path) {
            button->click();
            return true;
        }
    }
    return false;
}

} // namespace SimTool
