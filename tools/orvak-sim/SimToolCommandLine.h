#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the orvak-sim command line asks for:
//   orvak-sim [--socket PATH] COMMAND [N [P]]
// The program checks the request itself; the tool only frames it as one line.
struct SimToolCommandLine
{
    enum class Action
    {
        Send, // send `request` to the program
        Help, // --help or -h: the usage text on standard output
        Usage // nothing (or half an option) given: the usage text as an error
    };
    Action action = Action::Usage;
    QString socketPath; // empty: the socket of the user's runtime folder
    QByteArray request; // the words joined by single spaces, with a newline
};

// `arguments` without the program's own name.
SimToolCommandLine ParseSimToolCommandLine(const QStringList &arguments);
