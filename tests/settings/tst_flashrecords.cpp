// The record of a flash: on the disk before the device leaves normal mode,
// gone only when that flash succeeded, and enough for the next start to offer
// and finish the repair whatever moment the flash was cut short at.
#include "FirmwareFixture.h"

#include "common/DialogSeam.h"
#include "common/StorageNotice.h"
#include "device/DialogChange.h"
#include "platform/Registry.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/VidIde.h"

#include <QDir>
#include <QMutex>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace FirmwareFixture;

namespace {

// The device set with the mouse already running the image's version: its
// flash went through, but the program ended before the record went.
QByteArray FlashedSet()
{
    return QByteArray(DeviceSet).replace("\"version\": \"0x0105\"", "\"version\": \"0x0106\"");
}

bool Flashed(const QString &function)
{
    for (const SimCallRecord &call : SimCallLog()) {
        if (call.function == function)
            return true;
    }
    return false;
}

QAbstractButton *RepairButton(DialogChange &chooser)
{
    return chooser.findChild<QAbstractButton *>(QStringLiteral("Repair"));
}

} // namespace

class TstFlashRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(images.isValid());
        page = StartFirmwarePage(images);
        QVERIFY(page);
    }
    void cleanupTestCase()
    {
        delete page;
        delete RepairDialog;
        SetFirmwareFolder(QString());
    }
    void init() { QVERIFY(ResetDevices()); }
    void cleanup()
    {
        StopUsbChanged();
        DevicePageActive = 0;
        RepairDialog->hide();
    }

    // Every moment of a flash has its record: read on the library's thread
    // as each progress packet of the run arrives.
    void recordStandsWhileEachStageFlashes()
    {
        QMutex mutex;
        QStringList seen;
        const QMetaObject::Connection watch = connect(
            PostMsg::GetInstance(), &PostMsg::SigProgress, this,
            [&](int, int code) {
                if (code != 0)
                    return;
                QMutexLocker lock(&mutex);
                const QString record = UpgradeRecords::failInfo();
                if (seen.isEmpty() || seen.last() != record)
                    seen << record;
            },
            Qt::DirectConnection);
        OpenUpgradeDialog();
        PressStart();
        QTRY_VERIFY_WITH_TIMEOUT(MouseUpgradeState == RunSucceeded && !UpgradeRunning, 10000);
        disconnect(watch);
        QCOMPARE(seen, QStringList({"211,4,38,11", "210,4,38,11"}));
        QVERIFY(UpgradeRecords::failInfo().isEmpty());
    }

    // A start the library refused changed nothing on the device: no record.
    void refusedStartLeavesNoRecord()
    {
        OpenUpgradeDialog();
        SimRefuseNextCall("UsbUpgrade_Start");
        PressStart();
        QTRY_VERIFY_WITH_TIMEOUT(!UpgradeRunning && DialogCanBeLeft(), 10000);
        QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeFail"]);
        QVERIFY(UpgradeRecords::failInfo().isEmpty());
        QVERIFY(!SimIsBootMode(Receiver));
    }

    void unstorableRecordStartsNoFlash_data()
    {
        QTest::addColumn<bool>("repair");
        QTest::addColumn<bool>("noticeShownBefore");
        QTest::newRow("upgrade") << false << false;
        QTest::newRow("upgrade, records' notice shown before") << false << true;
        QTest::newRow("repair on the chooser") << true << false;
    }

    // A record that cannot be stored would leave an interrupted flash that
    // nobody can repair: no flash starts, and the user is told why: the
    // file on the disk, not the device or its cable.
    void unstorableRecordStartsNoFlash()
    {
        QFETCH(bool, repair);
        QFETCH(bool, noticeShownBefore);
        DialogSeam::ScopedAnswer answer("NewHong");
        StorageNotice::ResetShown();
        if (noticeShownBefore)
            StorageNotice::Report(StorageNotice::Kind::Registry, Registry::instance()->filePath());
        std::unique_ptr<DialogChange> chooser;
        if (repair) {
            // A mouse's record: the repair records its receiver stage first.
            QVERIFY(UpgradeRecords::writeFailInfo(210, 4, 38, 11));
            chooser.reset(new DialogChange);
            chooser->show();
            RepairButton(*chooser)->click();
            QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
        } else {
            OpenUpgradeDialog();
        }
        const int shownBefore = answer.dialogs().size();
        SafeFile::failWritesAfter(0); // the disk is full when the record is written
        SimClearCallLog();
        PressStart();
        // The repair's outcome is left by its close button.
        QTRY_VERIFY_WITH_TIMEOUT(!UpgradeRunning && !RepairRunning && (repair || DialogCanBeLeft()),
                                 10000);
        SafeFile::failWritesAfter(-1);
        QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeRecordNotSaved"].arg("Registry.ini"));
        QVERIFY(StatusIsRed());
        QVERIFY(!Flashed("UsbUpgrade_Start"));
        QVERIFY(!SimIsBootMode(Receiver));
        QCOMPARE(SimFirmwareVersion(Receiver), 0x0103);
        QCOMPARE(UpgradeRecords::failInfo(), repair ? QString("210,4,38,11") : QString());
        bool noticed = false;
        for (const DialogSeam::ShownDialog &dialog : answer.dialogs().mid(shownBefore))
            noticed = noticed || dialog.labelText.contains("Registry.ini");
        QCOMPARE(noticed, !noticeShownBefore);
        if (chooser)
            StopUsbChanged();
    }

    // The program ended between the record and the device's boot mode, or
    // between the end of the flash and the record's removal: the device is in
    // normal mode, and the repair takes it there.
    void recordOfADeviceInNormalModeIsRepaired_data()
    {
        QTest::addColumn<QByteArray>("deviceSet");
        QTest::addColumn<QString>("record");
        QTest::newRow("receiver stage, not begun") << QByteArray(DeviceSet) << "211,4,38,11";
        QTest::newRow("mouse stage, not begun") << QByteArray(DeviceSet) << "210,4,38,11";
        QTest::newRow("mouse stage, flashed") << FlashedSet() << "210,4,38,11";
    }

    void recordOfADeviceInNormalModeIsRepaired()
    {
        QFETCH(QByteArray, deviceSet);
        QFETCH(QString, record);
        QVERIFY(ResetDevices(deviceSet.constData()));
        const QStringList fields = record.split(',');
        QVERIFY(UpgradeRecords::writeFailInfo(fields[0].toInt(), fields[1].toInt(),
                                              fields[2].toInt(), fields[3].toInt()));
        RepairOnTheChooser();
    }

    // A device in boot mode whose record was lost is a flash that did not
    // end all the same: the chooser records it and offers the repair.
    void bootModeWithoutRecordIsOfferedTheRepair_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("record");
        QTest::newRow("receiver") << Receiver << "211,4,38,11";
        QTest::newRow("mouse on its cable") << Cable << "210,0,38,11";
    }

    void bootModeWithoutRecordIsOfferedTheRepair()
    {
        QFETCH(int, device);
        QFETCH(QString, record);
        QVERIFY(SimSetBootMode(device, true));
        QVERIFY(UpgradeRecords::failInfo().isEmpty());
        {
            DialogChange chooser;
            QCOMPARE(UpgradeRecords::failInfo(), record);
            QVERIFY(!RepairButton(chooser)->isHidden());
        }
        StopUsbChanged();
        RepairOnTheChooser();
    }

    // A damaged record names nothing to repair: the dialog it was opened for
    // does not stay with a start button that would do nothing.
    void damagedRecordClosesTheOffer()
    {
        QVERIFY(Registry::instance()->setValue(Registry::mouseDriveTestKey(), "UpdateFailInfo",
                                               "1,2,3"));
        QSignalSpy button(PostMsg::GetInstance(), SIGNAL(SigUpDateButton(bool)));
        RepairDialog->ResetView();
        RepairDialog->show();
        emit PostMsg::GetInstance()->SigRepairCheckUpdate();
        QVERIFY(!RepairDialog->isVisible());
        QCOMPARE(button.size(), 1);
        QCOMPARE(button.first().first().toBool(), true);
        QVERIFY(!RepairDialog->RunRepairUpgrade());
        QVERIFY(!Flashed("UsbUpgrade_Start"));
    }

private:
    // The Talon W chosen on its cable: the dialog offers both images.
    void OpenUpgradeDialog()
    {
        SetCurrentDeviceInfo(CableEntry());
        SetCurrentDevicePath(SimDevicePath(Cable));
        ModelDevices = {CableEntry(), ReceiverEntry()};
        DevicePageActive = 1;
        emit PostMsg::GetInstance()->SigSetver(0);
        QVERIFY(RepairDialog->isVisible());
        QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    }

    // The chooser offers the repair, and the repair leaves both parts sound
    // with the images' firmware and no record.
    void RepairOnTheChooser()
    {
        DialogChange chooser;
        chooser.show();
        QAbstractButton *repair = RepairButton(chooser);
        QVERIFY(repair->isVisible());
        repair->click();
        QVERIFY(RepairDialog->isVisible());
        QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
        PressStart();
        QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
        QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
        QVERIFY(!SimIsBootMode(Receiver));
        QVERIFY(!SimIsBootMode(Cable));
        QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
        QCOMPARE(SimMouseVersion(Receiver), 0x0106);
        QVERIFY(UpgradeRecords::failInfo().isEmpty());
        QTRY_VERIFY(!repair->isVisible());
    }

    FormSetting *page = nullptr;
    QTemporaryDir images;
};

QTEST_MAIN(TstFlashRecords)
#include "tst_flashrecords.moc"
