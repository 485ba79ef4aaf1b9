#include "SimToolCommandLine.h"

SimToolCommandLine ParseSimToolCommandLine(const QStringList &arguments)
{
    SimToolCommandLine line;
    QStringList words = arguments;
    if (!words.isEmpty() && words.first() == QLatin1String("--socket")) {
        if (words.size() < 2 || words.at(1).isEmpty())
            return line;
        line.socketPath = words.at(1);
        words = words.mid(2);
    }
    if (words.isEmpty())
        return line;
    if (words.first() == QLatin1String("--help") || words.first() == QLatin1String("-h")) {
        line.action = SimToolCommandLine::Action::Help;
        return line;
    }
    line.action = SimToolCommandLine::Action::Send;
    line.request = words.join(QLatin1Char(' ')).toUtf8() + '\n';
    return line;
}
