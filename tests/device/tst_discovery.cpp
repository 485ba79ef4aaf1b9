// Discovery on the chooser: identity answers, unknown devices, the found-device
// lists after pruning, and a hot-plug rescan during a click's modal dialog.
#include "DeviceTestSupport.h"

#include "common/DialogSeam.h"
#include "common/mytoolButtonEnter.h"
#include "device/Match.h"

#include <QLabel>
#include <QtTest>

class TestDiscovery : public QObject
{
    Q_OBJECT

    int indexOfPath(const char *path)
    {
        for (int i = 0; i < FoundDevices.size(); ++i) {
            if (FoundDevices.at(i).Path == QString::fromUtf8(path))
                return i;
        }
        return -1;
    }

private slots:
    void initTestCase() { QVERIFY(UserFolder::makeFolders()); }

    void init()
    {
        SimReset();
        DevicePageActive = 0;
    }

    void cleanup() { StopUsbChanged(); }

    void identityAnswers_data()
    {
        QTest::addColumn<int>("zeroCalls");
        QTest::addColumn<int>("driveIndex");
        QTest::newRow("first answer") << 0 << 1;
        QTest::newRow("tenth answer counts") << 9 << 1;
        QTest::newRow("never answers: unknown model") << 100000 << 2;
    }

    void identityAnswers()
    {
        QFETCH(int, zeroCalls);
        QFETCH(int, driveIndex);
        QVERIFY(SimSetIdentityZeroCalls(1, zeroCalls));
        DialogChange chooser;
        const int wired = indexOfPath(SimDevicePath(1));
        QVERIFY(wired >= 0);
        const DeviceAllInfo &info = FoundDevices.at(wired);
        QCOMPARE(info.DriveIndex, driveIndex);
        if (driveIndex == UnknownModelIndex) {
            QCOMPARE(int(info.CidMid), 0);
            QCOMPARE(int(info.ReceiverType), int(UnknownReceiverType));
            QVERIFY(chooser.deviceButtons().at(wired)->styleSheet().contains("Unknow.png"));
        } else {
            QCOMPARE(int(info.CidMid), 38 | (12 << 8));
            QVERIFY(info.Wired);
        }
        // Only the 4K receiver carries a badge: neither the wired type nor an
        // unknown device reads a receiver type it does not have.
        QCOMPARE(chooser.rateBadges().size(), 1);
    }

    void refreshedRecordsGoToTheirOwnEntry()
    {
        DialogChange chooser;
        QCOMPARE(FoundDevices.size(), 2);
        // As after pruning: the copy keeps an entry the grid no longer lists.
        const int wired = indexOfPath(SimDevicePath(1));
        DeviceAllInfo kept = FoundDevices.at(wired);
        DeviceAllInfo pruned = FoundDevices.at(1 - wired);
        kept.Online = false;
        kept.ReceiverAddress.clear();
        FoundDevices = {kept};
        FoundDevicesCopy = {pruned, kept};

        chooser.RefreshDeviceLink(0);
        QCOMPARE(FoundDevicesCopy.size(), 2);
        QCOMPARE(FoundDevicesCopy.at(0).Path, pruned.Path);
        QCOMPARE(FoundDevicesCopy.at(0).ReceiverAddress, pruned.ReceiverAddress);
        QCOMPARE(FoundDevicesCopy.at(1).Path, kept.Path);
        QVERIFY(FoundDevicesCopy.at(1).Online);
        QCOMPARE(FoundDevicesCopy.at(1).ReceiverAddress.size(), 3);

        QVERIFY(RefreshFoundDevice(5)); // outside the list: nothing
        FoundDevices.clear();
        QVERIFY(RefreshFoundDevice(0));
    }

    void rescanWaitsForTheClicksModalDialog()
    {
        // The receiver does not tell its identity: a click offers pairing.
        QVERIFY(SimSetIdentityZeroCalls(0, 100000));
        DialogChange chooser;
        const int receiver = indexOfPath(SimDevicePath(0));
        QVERIFY(receiver >= 0);
        QCOMPARE(FoundDevices.at(receiver).DriveIndex, UnknownModelIndex);
        QPointer<mytoolButtonEnter> clicked = chooser.deviceButtons().at(receiver);

        bool deferred = false;
        bool buttonAlive = false;
        QString shown;
        DialogSeam::ExecHandler previous = DialogSeam::setExecHandler([&](QDialog &dialog) {
            shown = QString::fromLatin1(dialog.metaObject()->className());
            QVERIFY(SimPlug(1, false)); // hot-plug while the dialog is open
            QTest::qWait(50);
            deferred = chooser.gridRebuildPending();
            buttonAlive = !clicked.isNull();
            DialogSeam::press(dialog, QStringLiteral("Escape"));
        });
        clicked->click();
        DialogSeam::setExecHandler(previous);

        QCOMPARE(shown, QStringLiteral("Match"));
        QVERIFY(deferred);
        QVERIFY(buttonAlive);
        QCOMPARE(DevicePageActive.load(), 0);
        // The rescan runs once the click has ended.
        QTRY_COMPARE(FoundDevices.size(), 1);
        QTRY_VERIFY(clicked.isNull());
    }
};

QTEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
