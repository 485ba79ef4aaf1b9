#include "platform/vidide/SimControlServer.h"

#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/SimRequest.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtDebug>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// Per connection: what came of its request so far, and whether it was answered.
const char *const BytesProperty = "orvakRequestBytes";
const char *const AnsweredProperty = "orvakAnswered";

// The peer's user id, as the kernel tells it. Only the owner of the program
// may change its devices: a socket file's mode is not honoured everywhere.
bool peerIsOwner(QLocalSocket *socket)
{
#ifdef SO_PEERCRED
    struct ucred credentials
    {
    };
    socklen_t length = sizeof(credentials);
    if (::getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials,
                     &length) != 0)
        return false;
    return credentials.uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true; // the private folder and the owner-only socket guard it
#endif
}

} // namespace

SimControlServer::SimControlServer(QObject *parent)
    : QObject(parent), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SimControlServer::onNewConnection);
}

SimControlServer::~SimControlServer() = default;

bool SimControlServer::listen(const QString &path, QString *error)
{
    if (QFileInfo::exists(path)) {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(500)) {
            probe.abort();
            *error = QStringLiteral("another program takes commands on %1").arg(path);
            return false;
        }
        QLocalServer::removeServer(path);
    }
    if (!m_server->listen(path)) {
        *error = QStringLiteral("cannot listen on %1: %2").arg(path, m_server->errorString());
        return false;
    }
    return true;
}

QString SimControlServer::socketPath() const
{
    return m_server->fullServerName();
}

void SimControlServer::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        ++m_connections;
        if (!peerIsOwner(socket)) {
            qWarning() << "device simulation: a process of another user was refused";
            reply(socket, "error: only the user running the program may control its devices\n");
            continue;
        }
        if (m_connections > SimMaxConnections) {
            reply(socket, "error: too many connections; try again\n");
            continue;
        }
        // One that never finishes its request holds no slot for long.
        QPointer<QLocalSocket> guarded(socket);
        QTimer::singleShot(SimRequestTimeoutMs, this, [guarded] {
            if (guarded)
                guarded->abort();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SimControlServer::onReadyRead(QLocalSocket *socket)
{
    if (socket->property(AnsweredProperty).toBool())
        return; // answered already: one request per connection
    QByteArray buffer = socket->property(BytesProperty).toByteArray();
    // Never more than one request's worth is taken in.
    buffer += socket->read(SimMaxRequestBytes + 1 - buffer.size());
    const int newline = buffer.indexOf('\n');
    if (newline < 0) {
        if (buffer.size() > SimMaxRequestBytes - 1) {
            reply(socket, "error: request longer than " + QByteArray::number(SimMaxRequestBytes) +
                              " bytes\n");
            return;
        }
        socket->setProperty(BytesProperty, buffer);
        return;
    }
    if (newline + 1 < buffer.size() || socket->bytesAvailable() > 0) {
        reply(socket, "error: one request per connection\n");
        return;
    }
    reply(socket, AnswerSimRequest(buffer.left(newline)));
}

void SimControlServer::reply(QLocalSocket *socket, const QByteArray &text)
{
    socket->setProperty(AnsweredProperty, true);
    socket->write(text);
    socket->disconnectFromServer();
}

SimControlServer *StartSimControlServer(QObject *owner)
{
    QString error;
    const QString path = SimControlSocketPath(&error);
    if (path.isEmpty()) {
        qWarning().noquote() << "device simulation: no control socket:" << error;
        return nullptr;
    }
    auto *server = new SimControlServer(owner);
    if (!server->listen(path, &error)) {
        qWarning().noquote() << "device simulation: no control socket:" << error;
        delete server;
        return nullptr;
    }
    return server;
}
