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

// The desktop a DESKTOP_SESSION value names, for sessions whose
// XDG_CURRENT_DESKTOP is not set or names no known desktop; the session names
// vary with the display manager and version.
QString desktopOfSession(const QString &session)
{
    const QString name = session.trimmed().toLower();
    if (name.startsWith(QLatin1String("gnome")))
        return QStringLiteral("GNOME");
    if (name.startsWith(QLatin1String("plasma")) || name.startsWith(QLatin1String("kde")))
        return QStringLiteral("KDE");
    if (name.startsWith(QLatin1String("cinnamon")))
        return QStringLiteral("X-Cinnamon");
    if (name.startsWith(QLatin1String("xfce")))
        return QStringLiteral("XFCE");
    if (name == QLatin1String("mate"))
        return QStringLiteral("MATE");
    if (name == QLatin1String("lxde") || name == QLatin1String("lubuntu"))
        return QStringLiteral("LXDE");
    return QString();
}

// Cinnamon has named itself both ways.
bool sameDesktop(const QString &named, const QString &known)
{
    if (named.compare(known, Qt::CaseInsensitive) == 0)
        return true;
    return known == QLatin1String("X-Cinnamon") &&
           named.compare(QLatin1String("Cinnamon"), Qt::CaseInsensitive) == 0;
}

} // namespace

QList<Command> knownCommands()
{
    return {
        {QStringLiteral("gnome-control-center"),
         {QStringLiteral("mouse")},
         QStringLiteral("GNOME")},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_mouse")}, QStringLiteral("KDE")},
        {QStringLiteral("kcmshell5"), {QStringLiteral("kcm_mouse")}, QStringLiteral("KDE")},
        {QStringLiteral("cinnamon-settings"),
         {QStringLiteral("mouse")},
         QStringLiteral("X-Cinnamon")},
        {QStringLiteral("xfce4-mouse-settings"), {}, QStringLiteral("XFCE")},
        {QStringLiteral("mate-mouse-properties"), {}, QStringLiteral("MATE")},
        {QStringLiteral("lxinput"), {}, QStringLiteral("LXDE")},
    };
}

QList<Command> commandsFor(const QString &currentDesktop, const QString &desktopSession)
{
    QList<Command> rest = knownCommands();
    QList<Command> ordered;
    auto takeOwn = [&](const QString &name) {
        for (auto it = rest.begin(); it != rest.end();) {
            if (sameDesktop(name.trimmed(), it->desktop)) {
                ordered << *it;
                it = rest.erase(it);
            } else {
                ++it;
            }
        }
    };
    // XDG_CURRENT_DESKTOP lists the desktop and those it derives from, most
    // specific first ("Budgie:GNOME"). The session name is older and less
    // reliable: it only stands in when that names no known desktop.
    for (const QString &name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        takeOwn(name);
    if (ordered.isEmpty())
        takeOwn(desktopOfSession(desktopSession));
    return ordered + rest;
}

bool open()
{
    const Launcher start = launcher() ? launcher() : Launcher(startDetached);
    const QList<Command> commands = commandsFor(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                                                qEnvironmentVariable("DESKTOP_SESSION"));
    for (const Command &command : commands) {
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
