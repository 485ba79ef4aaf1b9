#include "platform/MouseSettings.h"

#include <QDebug>
#include <QProcess>

namespace MouseSettings {

namespace {

Launcher &launcher()
{
    static Launcher current;
    return current;
}

bool startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace

QList<Command> knownCommands()
{
    return {
        {QStringLiteral("gnome-control-center"), {QStringLiteral("mouse")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_mouse")}},
        {QStringLiteral("kcmshell5"), {QStringLiteral("kcm_mouse")}},
        {QStringLiteral("cinnamon-settings"), {QStringLiteral("mouse")}},
        {QStringLiteral("xfce4-mouse-settings"), {}},
        {QStringLiteral("mate-mouse-properties"), {}},
        {QStringLiteral("lxinput"), {}},
    };
}

bool open()
{
    const Launcher start = launcher() ? launcher() : Launcher(startDetached);
    for (const Command &command : knownCommands()) {
        if (start(command.program, command.arguments))
            return true;
    }
    qWarning() << "no mouse settings tool of a known desktop could be started";
    return false;
}

Launcher setLauncher(Launcher replacement)
{
    Launcher previous = launcher();
    launcher() = std::move(replacement);
    return previous;
}

} // namespace MouseSettings
