#pragma once

// The program's end of the orvak-sim tool: a local socket server that takes
// one request per connection (SimRequest.h) and answers it. Only this user
// may connect: the socket lives in a private folder, is itself owner-only,
// and a peer of another user id is refused. The program works the same when
// no tool ever connects. Lives on the GUI thread.

#include "platform/vidide/SimRequestReader.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class SimControlServer : public QObject
{
    Q_OBJECT

public:
    explicit SimControlServer(QObject *parent = nullptr);
    ~SimControlServer() override;

    // Listens on `path`. A socket file left by a program that ended is
    // replaced; one a running program answers on is not. False with a reason.
    bool listen(const QString &path, QString *error);
    QString socketPath() const;

private:
    struct Connection
    {
        SimRequestReader reader;
        QByteArray refusal; // why it is turned away, told once its request is in
        bool answered = false;
    };

    void onNewConnection();
    void onReadyRead(QLocalSocket *socket);
    void onTimeout(QLocalSocket *socket);
    void forget(QObject *socket);
    void reply(QLocalSocket *socket, const QByteArray &text);

    QLocalServer *m_server = nullptr;
    QHash<QObject *, Connection> m_open;
    int m_served = 0;
    int m_turnedAway = 0;
};

// Starts the server for the simulated devices on the runtime folder's socket
// (SimControlSocketPath), owned by `owner`. Null, with a logged warning, when
// it cannot listen: the program goes on without it.
SimControlServer *StartSimControlServer(QObject *owner);
