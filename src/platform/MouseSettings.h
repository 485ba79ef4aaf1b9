#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Opens the desktop's own mouse settings. Desktops name the tool differently:
// the running desktop's tool is tried first, then the other known ones in
// turn until one starts.
namespace MouseSettings {

struct Command
{
    QString program;
    QStringList arguments;
    QString desktop; // as the desktop names itself in XDG_CURRENT_DESKTOP
};

// Starts a program detached; true when it started. Tests replace it.
using Launcher = std::function<bool(const QString &program, const QStringList &arguments)>;

// The known commands, in the order tried when the desktop is not known.
QList<Command> knownCommands();
// The known commands in the order tried on the desktop described by these
// two environment values (XDG_CURRENT_DESKTOP, DESKTOP_SESSION): the
// desktop's own first.
QList<Command> commandsFor(const QString &currentDesktop, const QString &desktopSession);
// True when one of them started; false (logged) when none did.
bool open();
// Installs another launcher (an empty one restores QProcess::startDetached);
// returns the one installed before.
Launcher setLauncher(Launcher launcher);

} // namespace MouseSettings
