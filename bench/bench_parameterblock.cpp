// The parameter block's round trip through the device library: the mouse's
// 6912-byte answer parsed into the program's block, and that block sent back.
// Sending includes what the simulated mouse does with it (it re-packs the
// block and keeps it in its state file), as every setter pays it.

#include "BenchMain.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QTest>

#include <mutex>

namespace {

std::mutex answerMutex;
QByteArray blockAnswer;

void keepBlockAnswer(const unsigned char *hdr, int hdrLen, const unsigned char *payload,
                     int payloadLen)
{
    if (hdrLen < VidEventHeaderLength || hdr[1] != VidEventParameters || hdr[4] != VidSubBlock ||
        payloadLen != VidFullReadLength)
        return;
    std::lock_guard<std::mutex> lock(answerMutex);
    blockAnswer = QByteArray(reinterpret_cast<const char *>(payload), payloadLen);
}

QByteArray keptAnswer()
{
    std::lock_guard<std::mutex> lock(answerMutex);
    return blockAnswer;
}

} // namespace

class BenchParameterBlock : public QObject
{
    Q_OBJECT

    QByteArray answer;

private slots:
    void initTestCase()
    {
        SimReset(true);
        SimSetAnswerDelay(0);
        // The wired mouse: its block comes straight from the mouse.
        QVERIFY(UsbServerC_Start(SimDevicePath(1), SimDevicePath(1), keepBlockAnswer));
        QVERIFY(UsbServer_ReadAllFlashData());
        QElapsedTimer timer;
        timer.start();
        while ((answer = keptAnswer()).isEmpty() && timer.elapsed() < 5000)
            SimWaitIdle(10);
        QCOMPARE(answer.size(), VidFullReadLength);
    }

    void cleanupTestCase()
    {
        UsbServer_Exit();
        QVERIFY(SimWaitIdle(3000));
    }

    void parseAndSendBack_data()
    {
        QTest::addColumn<bool>("sendBack");
        QTest::newRow("parse") << false;
        QTest::newRow("parse and send back") << true;
    }

    void parseAndSendBack()
    {
        QFETCH(bool, sendBack);
        const auto *payload = reinterpret_cast<const unsigned char *>(answer.constData());
        FlashDataMap block;
        QBENCHMARK
        {
            QVERIFY(ProtocolDataParser(payload, &block, answer.size()));
            if (sendBack)
                QVERIFY(ProtocolDataUpdate(&block));
        }
    }
};

int main(int argc, char *argv[])
{
    return Bench::run<BenchParameterBlock>(argc, argv);
}

#include "bench_parameterblock.moc"
