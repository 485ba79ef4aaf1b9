// The pairing dialog against the simulated receiver.
#include "DeviceTestSupport.h"

#include "device/Match.h"

#include <QPushButton>
#include <QtTest>

class TestPairing : public QObject
{
    Q_OBJECT

    // The receiver's mouse is the current device of the device page.
    void receiverOnDevicePage()
    {
        const DeviceAllInfo info = simDeviceRecord(0);
        SetCurrentDeviceInfo(info);
        SetCurrentDevicePath(info.Path.toUtf8());
        DevicePageActive = 1;
    }

    QPushButton *button(Match &match) { return match.findChild<QPushButton *>("MatchButton"); }

private slots:
    void init()
    {
        SimReset();
        SimClearCallLog();
        PairRunning = false;
        PairSuspendedDevicePage = false;
        receiverOnDevicePage();
    }

    void leftToTheWindowManager()
    {
        Match match;
        QVERIFY(match.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!match.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    }

    void pairingEndsAsTheReceiverAnswers_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::newRow("paired") << 3;
        QTest::newRow("failed") << 2;
    }

    void pairingEndsAsTheReceiverAnswers()
    {
        QFETCH(int, outcome);
        SimSetPairOutcome(outcome, 1);
        Match match;
        match.PreparePair();
        match.show();
        QTRY_VERIFY(match.findChild<QWidget *>("textEdit")->isVisible()); // wired check ran
        button(match)->click();
        QCOMPARE(DevicePageActive.load(), 0); // suspended while pairing
        QVERIFY(PairRunning);
        QTRY_COMPARE(PairState.load(), outcome == 3 ? 2 : 3);
        QVERIFY(!PairRunning);
        QCOMPARE(DevicePageActive.load(), 1);
        QTRY_VERIFY(button(match)->styleSheet().contains(outcome == 3 ? "PairSuccess.png"
                                                                      : "PairFail.png"));
        QCOMPARE(countCalls("UsbServer_EnterDonglePairOnlyCid"), 1);
        match.close();
    }

    void receiverUnpluggedWhilePairingFails()
    {
        SimSetPairOutcome(3, 1000);
        Match match;
        match.PreparePair();
        match.show();
        QTRY_VERIFY(match.findChild<QWidget *>("textEdit")->isVisible());
        button(match)->click();
        const QString pairing = button(match)->text();
        QTRY_COMPARE(button(match)->text(), pairing + "..."); // the 500 ms caption steps
        QVERIFY(SimPlug(0, false));
        QTRY_COMPARE(PairState.load(), 3); // found by the 1000 ms poll
        QVERIFY(!PairRunning);
        QCOMPARE(DevicePageActive.load(), 1);
        QVERIFY(button(match)->styleSheet().contains("PairFail.png"));
        const QString failed = button(match)->text();
        QTest::qWait(600);
        QCOMPARE(button(match)->text(), failed); // the caption timer stopped
        match.close();
    }

    void escapeDuringPairingResumesTheDevicePage()
    {
        SimSetPairOutcome(3, 1000);
        Match match;
        match.PreparePair();
        match.show();
        QTRY_VERIFY(match.findChild<QWidget *>("textEdit")->isVisible()); // wired check ran
        button(match)->click();
        QVERIFY(PairRunning);
        SimClearCallLog();
        QTest::keyClick(&match, Qt::Key_Escape);
        QVERIFY(!match.isVisible());
        QVERIFY(!PairRunning);
        QCOMPARE(DevicePageActive.load(), 1);
        // On the device page its own hot-plug watch stays armed.
        QCOMPARE(countCalls("StartUsbChanged"), 0);
    }

    void closeOnTheChooserArmsTheChoosersWatch()
    {
        DevicePageActive = 0;
        PairUsesChosenDevice = true;
        PairDeviceInfo = CurrentDeviceInfo;
        Match match;
        match.PreparePair();
        match.show();
        match.WindowClosedSet();
        QVERIFY(!match.isVisible());
        QCOMPARE(countCalls("StartUsbChanged"), 1);
        StopUsbChanged();
    }

    void wiredDeviceCannotPair()
    {
        DeviceAllInfo info = CurrentDeviceInfo;
        info.Wired = true;
        SetCurrentDeviceInfo(info);
        Match match;
        match.PreparePair();
        match.show();
        QTest::qWait(250);
        QVERIFY(!button(match)->isEnabled());
        button(match)->click();
        QCOMPARE(countCalls("UsbServer_EnterDonglePairOnlyCid"), 0);
    }

    void statusEventWithoutPayloadChangesNothing()
    {
        PairState = 1;
        PairRunning = true;
        const unsigned char header[5] = {0xA5, 6, 0, 0, 0};
        OnPairEvent(header, 5, nullptr, 0);
        const unsigned char shortHeader[1] = {0xA5};
        const unsigned char failed[1] = {2};
        OnPairEvent(shortHeader, 1, failed, 1); // code 0
        QCOMPARE(PairState.load(), 1);
        QVERIFY(PairRunning);
        PairRunning = false;
    }
};

QTEST_MAIN(TestPairing)
#include "tst_pairing.moc"
