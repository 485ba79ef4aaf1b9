// The control socket of the simulated devices: which request lines are taken,
// what each does to the devices, that a refused one changes nothing, and the
// server's own guards (owner-only socket, bounded reads).

#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimControlServer.h"
#include "platform/vidide/SimControlSocket.h"
#include "platform/vidide/SimRequest.h"
#include "platform/vidide/VidIde.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

std::atomic<int> failedAt{-1};
std::atomic<int> lastProgress{-1};
std::atomic<bool> finished{false};

void onUpgrade(const unsigned char *packet)
{
    if (packet[0] != 7)
        return;
    if (packet[1] == 1)
        lastProgress = packet[2];
    if (packet[1] == 2) {
        if (packet[2] != 1)
            failedAt = lastProgress.load();
        finished = true;
    }
}

QString listText()
{
    return SimDeviceListLines().join(QLatin1Char('\n'));
}

// One request as the orvak-sim tool sends it: written once the connection
// stands (after `pauseMs`, as a slow or loaded tool would), then everything
// read until the program closes it. Runs on a thread of its own, as the tool
// is a process of its own.
QByteArray toolExchange(const QString &path, const QByteArray &request, int pauseMs)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(3000))
        return "no connection";
    QThread::msleep(pauseMs);
    socket.write(request);
    socket.flush();
    QByteArray answer;
    QElapsedTimer timer;
    timer.start();
    while ((socket.state() != QLocalSocket::UnconnectedState || socket.bytesAvailable() > 0) &&
           timer.elapsed() < 10000) {
        if (socket.bytesAvailable() == 0)
            socket.waitForReadyRead(100);
        answer += socket.readAll();
    }
    return answer;
}

} // namespace

class TstVidideSimControl : public QObject
{
    Q_OBJECT

private slots:
    void init() { SimReset(true); }

    void parse_data();
    void parse();
    void commandsReachTheDevices();
    void refusedRequestsChangeNothing_data();
    void refusedRequestsChangeNothing();
    void nextFlashFailsAtItsPercentage();
    void serverAnswersOverTheSocket();
    void serverBoundsWhatItReads_data();
    void serverBoundsWhatItReads();
    void turnedAwayConnectionGetsItsReason();
    void manyIdleConnectionsResetNoLaterOne_data();
    void manyIdleConnectionsResetNoLaterOne();
};

void TstVidideSimControl::parse_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("device");
    QTest::addColumn<int>("percent");
    QTest::newRow("list") << QByteArray("list") << true << -1 << -1;
    QTest::newRow("spaces around") << QByteArray("  unplug \t 1 \r") << true << 1 << -1;
    QTest::newRow("battery") << QByteArray("battery 0 15") << true << 0 << 15;
    QTest::newRow("last device") << QByteArray("plug 126") << true << 126 << -1;
    QTest::newRow("fail at 100") << QByteArray("fail-next-flash 1 100") << true << 1 << 100;
    QTest::newRow("empty") << QByteArray("") << false << -1 << -1;
    QTest::newRow("unknown") << QByteArray("explode 1") << false << -1 << -1;
    QTest::newRow("upper case") << QByteArray("PLUG 1") << false << -1 << -1;
    QTest::newRow("missing number") << QByteArray("plug") << false << -1 << -1;
    QTest::newRow("extra word") << QByteArray("list all") << false << -1 << -1;
    QTest::newRow("negative") << QByteArray("plug -1") << false << -1 << -1;
    QTest::newRow("beyond a bus") << QByteArray("plug 127") << false << -1 << -1;
    QTest::newRow("leading zero") << QByteArray("plug 01") << false << -1 << -1;
    QTest::newRow("long number") << QByteArray("plug 99999999999") << false << -1 << -1;
    QTest::newRow("hex") << QByteArray("plug 0x1") << false << -1 << -1;
    QTest::newRow("percent over") << QByteArray("battery 0 101") << false << -1 << -1;
    QTest::newRow("NUL inside") << QByteArray("plug 1\0 2", 8) << false << -1 << -1;
    QTest::newRow("not ASCII") << QByteArray("plug \xC3\xA9") << false << -1 << -1;
    QTest::newRow("too long") << QByteArray("list ") + QByteArray(300, ' ') << false << -1 << -1;
}

void TstVidideSimControl::parse()
{
    QFETCH(QByteArray, line);
    SimRequest request;
    QString error;
    QTEST(ParseSimRequest(line, &request, &error), "accepted");
    QCOMPARE(error.isEmpty(), ParseSimRequest(line, &request, &error));
    if (error.isEmpty()) {
        QTEST(request.device, "device");
        QTEST(request.percent, "percent");
    }
}

void TstVidideSimControl::commandsReachTheDevices()
{
    // The built-in set: 0 the 4K receiver with its mouse, 1 the wired mouse.
    QCOMPARE(SimDeviceCount(), 2);
    QVERIFY(listText().contains("device=0 kind=receiver id=3A7C:7C40 plugged=yes"));

    QCOMPARE(AnswerSimRequest("unplug 1"), QByteArray("ok\n"));
    QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(1)));
    QVERIFY(listText().contains(QRegularExpression("device=1 [^\n]*plugged=no")));
    QCOMPARE(AnswerSimRequest("plug 1"), QByteArray("ok\n"));
    QVERIFY(UsbFinderC_GetDeviceOnLine(SimDevicePath(1)));

    QCOMPARE(AnswerSimRequest("sleep 0"), QByteArray("ok\n"));
    QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));
    QVERIFY(listText().contains(QRegularExpression("device=0 [^\n]*awake=no")));
    QCOMPARE(AnswerSimRequest("wake 0"), QByteArray("ok\n"));
    QVERIFY(UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));

    int profile = -1;
    QVERIFY(SimMouseProfile(0, &profile));
    QCOMPARE(AnswerSimRequest("profile 0"), QByteArray("ok\n"));
    int after = -1;
    QVERIFY(SimMouseProfile(0, &after));
    QCOMPARE(after, (profile + 1) % 4);
    QVERIFY(listText().contains(QStringLiteral("profile=%1").arg(after + 1)));

    QCOMPARE(AnswerSimRequest("battery 1 15"), QByteArray("ok\n"));
    QVERIFY(listText().contains(QRegularExpression("device=1 [^\n]*battery=15")));
    const QByteArray reply = AnswerSimRequest("list");
    QVERIFY(reply.endsWith("\nok\n"));
    QCOMPARE(reply.count('\n'), 3);
}

void TstVidideSimControl::refusedRequestsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("no such device") << QByteArray("unplug 5");
    QTest::newRow("wired mouse does not sleep") << QByteArray("sleep 1");
    QTest::newRow("sleeping mouse presses nothing") << QByteArray("profile 0");
    QTest::newRow("malformed") << QByteArray("battery 0 x");
    QTest::newRow("binary") << QByteArray("\x01\x02\xFF", 3);
}

void TstVidideSimControl::refusedRequestsChangeNothing()
{
    QFETCH(QByteArray, line);
    QVERIFY(SimSetMouseOnline(0, false));
    const QString before = listText();
    int profile = -1;
    QVERIFY(SimMouseProfile(0, &profile));
    const QByteArray reply = AnswerSimRequest(line);
    QVERIFY2(reply.startsWith("error: "), reply.constData());
    QCOMPARE(reply.count('\n'), 1);
    QCOMPARE(listText(), before);
    int after = -1;
    QVERIFY(SimMouseProfile(0, &after));
    QCOMPARE(after, profile);
}

void TstVidideSimControl::nextFlashFailsAtItsPercentage()
{
    SimSetUpgradeTiming(1, 1);
    vidide::FirmwareInfo info;
    info.version = 0x0107;
    info.kind = vidide::FirmwareKindMouse;
    info.cid = 38;
    info.mid = 12;
    info.modelName = "ORVAK-TC1";
    const QByteArray image = vidide::buildFirmwareImage(info, QByteArray(300, 'x'));
    const auto *bytes = reinterpret_cast<const unsigned char *>(image.constData());
    const int oldVersion = SimMouseVersion(1);

    QCOMPARE(AnswerSimRequest("fail-next-flash 1 40"), QByteArray("ok\n"));
    QVERIFY(listText().contains("fail-next-flash=40"));
    finished = false;
    QVERIFY(UsbUpgrade_Start(bytes, onUpgrade, 10000, image.size()));
    QTRY_VERIFY(finished);
    QCOMPARE(failedAt.load(), 30);
    QVERIFY(SimIsBootMode(1));
    QCOMPARE(SimMouseVersion(1), oldVersion);
    QVERIFY(!listText().contains("fail-next-flash"));

    // Only the next one: the flash after it goes through.
    failedAt = -1;
    finished = false;
    QVERIFY(UsbUpgrade_Start(bytes, onUpgrade, 10000, image.size()));
    QTRY_VERIFY(finished);
    QCOMPARE(failedAt.load(), -1);
    QCOMPARE(SimMouseVersion(1), 0x0107);
}

void TstVidideSimControl::serverAnswersOverTheSocket()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QVERIFY(QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QString error;
    const QString path = SimControlSocketPath(&error);
    QVERIFY2(path.startsWith(runtime.path() + "/ORVAK-sim-"), qPrintable(path + error));

    std::unique_ptr<SimControlServer> server(StartSimControlServer(nullptr));
    QVERIFY(server);
    QCOMPARE(server->socketPath(), path);
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0077), 0);

    QLocalSocket client;
    client.connectToServer(path);
    QVERIFY(client.waitForConnected(1000));
    client.write("unplug 1\n");
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(client.readAll(), QByteArray("ok\n"));
    QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(1)));

    // A second server on the same socket would steal the running one's tool.
    SimControlServer second;
    QVERIFY(!second.listen(path, &error));
    qunsetenv("XDG_RUNTIME_DIR");
}

void TstVidideSimControl::serverBoundsWhatItReads_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("oversized, no newline")
        << QByteArray(100000, 'x') << QByteArray("error: request longer than 256 bytes\n");
    QTest::newRow("oversized line") << QByteArray("unplug 1") + QByteArray(300, ' ') + '\n'
                                    << QByteArray("error: request longer than 256 bytes\n");
    QTest::newRow("two requests") << QByteArray("unplug 1\nunplug 0\n")
                                  << QByteArray("error: one request per connection\n");
    QTest::newRow("malformed") << QByteArray("unplug one\n")
                               << QByteArray("error: \"one\" is not a device number (0 to 126)\n");
}

void TstVidideSimControl::serverBoundsWhatItReads()
{
    QFETCH(QByteArray, sent);
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    SimControlServer server;
    QString error;
    QVERIFY2(server.listen(runtime.filePath("sock"), &error), qPrintable(error));
    const QString before = listText();

    QLocalSocket client;
    client.connectToServer(runtime.filePath("sock"));
    QVERIFY(client.waitForConnected(1000));
    client.write(sent);
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    QTEST(client.readAll(), "answer");
    QCOMPARE(listText(), before);
}

// A connection over the limit is told why, however late its tool sends the
// request: the server reads the request before it answers and closes.
void TstVidideSimControl::turnedAwayConnectionGetsItsReason()
{
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString path = runtime.filePath("sock");
    SimControlServer server;
    QString error;
    QVERIFY2(server.listen(path, &error), qPrintable(error));
    // Tools that hold every slot without sending their request yet.
    std::vector<std::unique_ptr<QLocalSocket>> held;
    for (int i = 0; i < SimMaxConnections; ++i) {
        held.emplace_back(new QLocalSocket);
        held.back()->connectToServer(path);
        QVERIFY(held.back()->waitForConnected(1000));
    }
    QTest::qWait(100);

    // One more, as the orvak-sim tool talks: from a process (here a thread)
    // of its own, the request written once connected, then the answer read.
    std::atomic<bool> done{false};
    QByteArray answer;
    std::thread tool([&] {
        // Written once the server has taken the connection.
        answer = toolExchange(path, "list\n", 300);
        done = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(done, 15000);
    tool.join();
    QCOMPARE(answer, QByteArray("error: too many connections; try again\n"));

    // The ones holding a slot are still served.
    held.front()->write("list\n");
    QTRY_COMPARE(held.front()->state(), QLocalSocket::UnconnectedState);
    QVERIFY(held.front()->readAll().endsWith("ok\n"));
}

// Tools that hold connections without a request fill more than the slots
// served; a later tool is still told why, never cut off without an answer.
void TstVidideSimControl::manyIdleConnectionsResetNoLaterOne_data()
{
    QTest::addColumn<int>("idleCount");
    QTest::addColumn<bool>("mayBeServed");
    QTest::newRow("twenty") << 20 << false;
    // More than the program holds: the later ones wait for a free slot, here
    // until the idle ones have timed out, and may then be served.
    QTest::newRow("beyond what is held") << SimMaxConnections + SimMaxTurnedAway + 5 << true;
}

void TstVidideSimControl::manyIdleConnectionsResetNoLaterOne()
{
    QFETCH(int, idleCount);
    QFETCH(bool, mayBeServed);
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    const QString path = runtime.filePath("sock");
    SimControlServer server;
    QString error;
    QVERIFY2(server.listen(path, &error), qPrintable(error));
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < idleCount; ++i) {
        idle.emplace_back(new QLocalSocket);
        idle.back()->connectToServer(path);
        QVERIFY(idle.back()->waitForConnected(1000));
    }
    QTest::qWait(100);

    // Some write at once, some only after the program has taken the
    // connection; each must read the reason (or its answer, once served).
    const QByteArray tooMany("error: too many connections; try again\n");
    for (int i = 0; i < 12; ++i) {
        std::atomic<bool> done{false};
        QByteArray answer;
        std::thread tool([&] {
            answer = toolExchange(path, "list\n", i % 2 ? 150 : 0);
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 15000);
        tool.join();
        const bool served =
            mayBeServed && answer.startsWith("device=") && answer.endsWith("\nok\n");
        QVERIFY2(answer == tooMany || served,
                 qPrintable(QString("request %1: \"%2\"").arg(i).arg(QString::fromUtf8(answer))));
    }
}

QTEST_MAIN(TstVidideSimControl)
#include "tst_vidide_simcontrol.moc"
