#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Opens the desktop's own mouse settings. Desktops name the tool differently,
// so the known commands are tried in turn until one starts.
namespace MouseSettings {

struct Command
{
    QString program;
    QStringList arguments;
};

// Starts a program detached; true when it started. Tests replace it.
using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

// The commands tried, in order.
QList<Command> knownCommands();
// True when one of them started; false (logged) when none did.
bool open();
// Installs another launcher (an empty one restores QProcess::startDetached);
// returns the one installed before.
Launcher setLauncher(Launcher launcher);

} // namespace MouseSettings
