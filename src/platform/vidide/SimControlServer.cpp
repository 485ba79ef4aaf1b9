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

const char TooMany[] = "error: too many connections; try again\n";

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
    // A connection over the limit is told so only once its request is in:
    // closing a socket with unread bytes resets it, and the peer loses the
    // reason (and, had it not written yet, its write fails and it gives up).
    // So one is never answered at once; those beyond what is held here wait
    // in the server's queue, which stops accepting when it is full, until a
    // held one ends.
    while (m_served < SimMaxConnections || m_turnedAway < SimMaxTurnedAway) {
        QLocalSocket *socket = m_server->nextPendingConnection();
        if (!socket)
            return;
        socket->setParent(this);
        if (socket->state() != QLocalSocket::ConnectedState) {
            socket->deleteLater(); // gave up while it waited in the queue
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QByteArray refusal;
        if (!peerIsOwner(socket)) {
            qWarning() << "device simulation: a process of another user was refused";
            refusal = "error: only the user running the program may control its devices\n";
        } else if (m_served >= SimMaxConnections) {
            refusal = TooMany;
        }
        if (!refusal.isEmpty() && m_turnedAway >= SimMaxTurnedAway) {
            socket->abort(); // only another user's process gets here
            continue;
        }
        ++(refusal.isEmpty() ? m_served : m_turnedAway);
        m_open[socket].refusal = refusal;
        connect(socket, &QObject::destroyed, this, &SimControlServer::forget);
        // One that never finishes its request holds no slot for long.
        QPointer<QLocalSocket> guarded(socket);
        QTimer::singleShot(SimRequestTimeoutMs, this, [this, guarded] {
            if (guarded)
                onTimeout(guarded);
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void SimControlServer::forget(QObject *socket)
{
    const auto it = m_open.find(socket);
    if (it == m_open.end())
        return;
    --(it->refusal.isEmpty() ? m_served : m_turnedAway);
    m_open.erase(it);
    // A slot is free: take what waits in the queue. Not from inside the
    // socket's destruction.
    QMetaObject::invokeMethod(this, &SimControlServer::onNewConnection, Qt::QueuedConnection);
}

void SimControlServer::onTimeout(QLocalSocket *socket)
{
    const auto it = m_open.find(socket);
    if (it == m_open.end() || it->answered)
        return;
    if (!it->refusal.isEmpty() && it->reader.state() == SimRequestReader::State::Reading) {
        it->answered = true;
        reply(socket, it->refusal);
    } else {
        socket->abort();
    }
}

void SimControlServer::onReadyRead(QLocalSocket *socket)
{
    const auto it = m_open.find(socket);
    if (it == m_open.end() || it->answered)
        return; // answered already: one request per connection
    SimRequestReader &reader = it->reader;
    const QByteArray bytes = socket->read(reader.room());
    const SimRequestReader::State state = reader.add(bytes, socket->bytesAvailable() > 0);
    if (state == SimRequestReader::State::Reading)
        return;
    it->answered = true;
    if (!it->refusal.isEmpty())
        reply(socket, it->refusal);
    else if (state == SimRequestReader::State::TooLong)
        reply(socket,
              "error: request longer than " + QByteArray::number(SimMaxRequestBytes) + " bytes\n");
    else if (state == SimRequestReader::State::Extra)
        reply(socket, "error: one request per connection\n");
    else
        reply(socket, AnswerSimRequest(reader.line()));
}

void SimControlServer::reply(QLocalSocket *socket, const QByteArray &text)
{
    socket->write(text);
    // Closes once the answer is written.
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
