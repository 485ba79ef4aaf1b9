// orvak-sim: sends one request to the simulated devices of the running
// program and prints the answer. The program listens on a socket of this
// user's runtime folder (see SimControlSocket.h).

#include "SimToolCommandLine.h"

#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/SimRequest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

void usage(QTextStream &stream)
{
    stream << "Usage: orvak-sim [--socket PATH] COMMAND [N [P]]\n"
              "Controls the simulated devices of the running ORVAK program.\n"
              "Devices are numbered as \"list\" shows them.\n\n"
              "Commands:\n"
           << SimRequestUsage() << Qt::flush;
}

// The whole answer: it ends when the program closes the connection.
bool exchange(const QString &path, const QByteArray &request, QByteArray *answer, QString *error)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(3000)) {
        *error = QStringLiteral("no running ORVAK program answers on %1 (%2)")
                     .arg(path, socket.errorString());
        return false;
    }
    socket.write(request);
    socket.flush();
    QElapsedTimer timer;
    timer.start();
    // A reply is a few short lines; more than this is not one.
    const qint64 limit = 1024 * 1024;
    while (socket.state() != QLocalSocket::UnconnectedState || socket.bytesAvailable() > 0) {
        if (timer.elapsed() > 10000) {
            *error = QStringLiteral("the program did not answer in time");
            return false;
        }
        if (socket.bytesAvailable() == 0)
            socket.waitForReadyRead(200);
        *answer += socket.read(limit - answer->size());
        if (answer->size() >= limit) {
            *error = QStringLiteral("the answer is longer than any answer can be");
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const SimToolCommandLine commandLine = ParseSimToolCommandLine(app.arguments().mid(1));
    if (commandLine.action != SimToolCommandLine::Action::Send) {
        const bool help = commandLine.action == SimToolCommandLine::Action::Help;
        usage(help ? out() : err());
        return help ? 0 : 2;
    }
    QString path = commandLine.socketPath;
    if (path.isEmpty()) {
        QString error;
        path = SimControlSocketPath(&error);
        if (path.isEmpty()) {
            err() << "orvak-sim: " << error << '\n';
            return 2;
        }
    }
    QByteArray answer;
    QString error;
    if (!exchange(path, commandLine.request, &answer, &error)) {
        err() << "orvak-sim: " << error << '\n';
        return 2;
    }
    QList<QByteArray> lines = answer.split('\n');
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty()) {
        err() << "orvak-sim: the program closed the connection without an answer\n";
        return 2;
    }
    const QByteArray last = lines.takeLast();
    for (const QByteArray &line : lines)
        out() << QString::fromUtf8(line) << '\n';
    out().flush();
    if (last == "ok")
        return 0;
    err() << "orvak-sim: " << QString::fromUtf8(last.startsWith("error: ") ? last.mid(7) : last)
          << '\n';
    return 1;
}
