#include "platform/vidide/SimRequest.h"

#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/SimState.h"

namespace {

struct CommandForm
{
    const char *name;
    SimRequest::Command command;
    int numbers; // device, then percent
};

const CommandForm Commands[] = {
    {"list", SimRequest::Command::List, 0},
    {"plug", SimRequest::Command::Plug, 1},
    {"unplug", SimRequest::Command::Unplug, 1},
    {"sleep", SimRequest::Command::Sleep, 1},
    {"wake", SimRequest::Command::Wake, 1},
    {"profile", SimRequest::Command::Profile, 1},
    {"battery", SimRequest::Command::Battery, 2},
    {"fail-next-flash", SimRequest::Command::FailNextFlash, 2},
};

// A plain decimal number within 0..max: digits only, no sign, no leading
// zeros beyond a lone "0", so every number has one spelling.
bool readNumber(const QByteArray &word, int max, int *value)
{
    if (word.isEmpty() || word.size() > 3 || (word.size() > 1 && word.at(0) == '0'))
        return false;
    int v = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v > max)
        return false;
    *value = v;
    return true;
}

} // namespace

bool ParseSimRequest(const QByteArray &line, SimRequest *request, QString *error)
{
    QByteArray text = line;
    if (text.endsWith('\r'))
        text.chop(1);
    if (text.size() >= SimMaxRequestBytes) {
        *error = QStringLiteral("request longer than %1 bytes").arg(SimMaxRequestBytes);
        return false;
    }
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte > 0x7E) {
            *error = QStringLiteral("request holds a byte that is not plain text");
            return false;
        }
    }
    const QList<QByteArray> words = text.simplified().split(' ');
    if (words.isEmpty() || words.first().isEmpty()) {
        *error = QStringLiteral("empty request");
        return false;
    }
    const CommandForm *form = nullptr;
    for (const CommandForm &candidate : Commands) {
        if (words.first() == candidate.name)
            form = &candidate;
    }
    if (!form) {
        *error = QStringLiteral("unknown command \"%1\"").arg(QString::fromLatin1(words.first()));
        return false;
    }
    if (words.size() != form->numbers + 1) {
        *error =
            QStringLiteral("%1 takes %2")
                .arg(QString::fromLatin1(form->name),
                     form->numbers == 0   ? QStringLiteral("no argument")
                     : form->numbers == 1 ? QStringLiteral("a device number")
                                          : QStringLiteral("a device number and a percentage"));
        return false;
    }
    SimRequest parsed;
    parsed.command = form->command;
    if (form->numbers >= 1 && !readNumber(words.at(1), vidide::MaxSimDevices - 1, &parsed.device)) {
        *error = QStringLiteral("\"%1\" is not a device number (0 to %2)")
                     .arg(QString::fromLatin1(words.at(1)))
                     .arg(vidide::MaxSimDevices - 1);
        return false;
    }
    if (form->numbers >= 2 && !readNumber(words.at(2), 100, &parsed.percent)) {
        *error = QStringLiteral("\"%1\" is not a percentage (0 to 100)")
                     .arg(QString::fromLatin1(words.at(2)));
        return false;
    }
    *request = parsed;
    return true;
}

QByteArray AnswerSimRequest(const QByteArray &line)
{
    SimRequest request;
    QString error;
    if (!ParseSimRequest(line, &request, &error))
        return "error: " + error.toUtf8() + '\n';
    return RunSimRequest(request);
}

QString SimRequestUsage()
{
    return QStringLiteral(
        "  list                    list the simulated devices, one line each\n"
        "  plug N | unplug N       plug device N in, or pull it out\n"
        "  sleep N | wake N        put the mouse behind receiver N to sleep, or wake it\n"
        "  profile N               press the profile button of the mouse of device N\n"
        "  battery N P             set the battery of the mouse of device N to P percent\n"
        "  fail-next-flash N P     make the next flash of device N fail at P percent\n");
}
