#pragma once

// The requests the simulated devices take from the orvak-sim tool: one line
// of text, a command and its numbers, e.g. "unplug 2" or "battery 0 15".
//
//   list                      every device, one line each
//   plug N, unplug N          plug device N in, or pull it out
//   sleep N, wake N           the mouse behind receiver N falls asleep or wakes
//   profile N                 the mouse of device N: its profile button pressed
//   battery N P               the mouse of device N: battery at P percent
//   fail-next-flash N P       the next flash of device N fails at P percent
//
// A request is checked whole before anything is done: one that is malformed
// changes nothing.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct SimRequest
{
    enum class Command
    {
        List,
        Plug,
        Unplug,
        Sleep,
        Wake,
        Profile,
        Battery,
        FailNextFlash
    };
    Command command = Command::List;
    int device = -1;
    int percent = -1;
};

// Parses one request line (the newline already taken off; a trailing "\r" is
// allowed). False with a reason when it is not a request.
bool ParseSimRequest(const QByteArray &line, SimRequest *request, QString *error);

// Carries a parsed request out on the simulated devices. The reply is a few
// text lines, the last of them "ok" or "error: <reason>"; on error nothing
// was changed.
QByteArray RunSimRequest(const SimRequest &request);

// The reply to a line: parsed and run, or the parse error.
QByteArray AnswerSimRequest(const QByteArray &line);

// The lines of "list", one per device.
QStringList SimDeviceListLines();

// The commands, for a usage text.
QString SimRequestUsage();
