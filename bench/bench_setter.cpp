// A field setter from its call until the simulated mouse holds the new value,
// for the wired mouse and for the wireless one behind its receiver.

#include "../tests/support/DeviceFixture.h"
#include "BenchMain.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

namespace {

void noDeviceEvents(const unsigned char *, int, const unsigned char *, int) {}

bool mouseHoldsRate(int device, uint8_t code)
{
    FlashDataMap held;
    return SimMouseBlock(device, &held) && held.ReportRateCode == code;
}

} // namespace

class BenchSetter : public QObject
{
    Q_OBJECT

private slots:
    void reportRateReachesTheMouse_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<bool>("wired");
        QTest::newRow("wired mouse") << 1 << true;
        QTest::newRow("behind the receiver") << 0 << false;
    }

    void reportRateReachesTheMouse()
    {
        QFETCH(int, device);
        QFETCH(bool, wired);
        SimReset(true);
        SimSetAnswerDelay(0);
        const QByteArray path = DeviceFixture::MakeCurrentDevice(device, wired);
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), noDeviceEvents));
        // The program's block is the one the mouse holds, as after a full read.
        FlashDataMap block;
        QVERIFY(SimMouseBlock(device, &block));
        QVERIFY(ReplaceFlashData(block, {QString::fromLatin1(path), SelectedCacheNameSafe()}));

        // Two rates in turn, so that every call changes what the mouse holds.
        uint8_t code = block.ReportRateCode;
        QBENCHMARK
        {
            code = code == 1 ? 2 : 1;
            QVERIFY(SetReportRate(code));
            QElapsedTimer timer;
            timer.start();
            while (!mouseHoldsRate(device, code)) {
                QVERIFY2(timer.elapsed() < 5000, "the mouse never held the new rate");
                QThread::yieldCurrentThread();
            }
        }
    }

    void cleanup()
    {
        UsbServer_Exit();
        QVERIFY(SimWaitIdle(3000));
    }
};

int main(int argc, char *argv[])
{
    return Bench::run<BenchSetter>(argc, argv);
}

#include "bench_setter.moc"
