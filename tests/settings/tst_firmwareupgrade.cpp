// Firmware upgrade and repair on a simulated Talon W that is plugged in by
// cable beside its 4K receiver: a run that installs both images, a run that
// fails half-way, and the repair of the receiver it left in boot mode.
#include "FirmwareFixture.h"

#include "common/ConfigIniStore.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "platform/Registry.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/ReceiverIdRebinding.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <atomic>

using namespace FirmwareFixture;

class TstFirmwareUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void upgradeInstallsReceiverThenMouse();
    void failedUpgradeIsRecorded();
    void repairFinishesReceiverLeftInBootMode();
    void doubleFailureKeepsBothRecords();
    void doubleFailureRepairKeepsWhatFailedAgain();
    void everyEndOfTheStepsShowsAnOutcome_data();
    void everyEndOfTheStepsShowsAnOutcome();
    void repairWithoutMouseImageFails();
    void refusedOrForeignPacketsChangeNothing();
    void receiverIdReachesWiredMouse();

private:
    FormSetting *page = nullptr;
    QTemporaryDir images;
};

void TstFirmwareUpgrade::initTestCase()
{
    QVERIFY(images.isValid());
    page = StartFirmwarePage(images);
    QVERIFY(page);
}

void TstFirmwareUpgrade::cleanupTestCase()
{
    delete page;
    delete RepairDialog;
    SetFirmwareFolder(QString());
}

void TstFirmwareUpgrade::init()
{
    QVERIFY(ResetDevices());
}

void TstFirmwareUpgrade::upgradeInstallsReceiverThenMouse()
{
    SetCurrentDeviceInfo(CableEntry());
    SetCurrentDevicePath(SimDevicePath(Cable));
    ModelDevices = {CableEntry(), ReceiverEntry()};
    DevicePageActive = 1;
    QSignalSpy progress(PostMsg::GetInstance(), SIGNAL(SigProgress(int, int)));

    // The version check finds both images newer and opens the dialog.
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    QVERIFY(!StatusIsRed());
    QCOMPARE(UpgradeStageCount.load(), 2);

    PressStart();
    QVERIFY(UpgradeRunning);
    QVERIFY(!OnlinePollEnabled);
    QTRY_VERIFY_WITH_TIMEOUT(MouseUpgradeState == RunSucceeded && !UpgradeRunning, 10000);

    QCOMPARE(ReceiverUpgradeState.load(), int(RunSucceeded));
    QVERIFY(OnlinePollEnabled);
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
    QCOMPARE(SimMouseVersion(Receiver), 0x0106);
    QCOMPARE(page->findChild<QLabel *>("label_5")->text(), QString("v1.04"));
    QCOMPARE(page->findChild<QLabel *>("label_7")->text(), QString("v1.06"));
    QCOMPARE(UpgradeRecords::mouseVersion("38", "11"), QString("v1.06"));
    QVERIFY(UpgradeRecords::failInfo().isEmpty());
    QVERIFY(!QFile::exists(UpgradeRecords::markerFilePath()));

    // The receiver fills the first half of the bar, the mouse the second;
    // only the mouse's end is the success.
    QList<int> percents;
    int successes = 0;
    for (const QList<QVariant> &args : progress) {
        if (args.at(1).toInt() == 0)
            percents << args.at(0).toInt();
        successes += args.at(1).toInt() == 2 ? 1 : 0;
    }
    QVERIFY(percents.contains(25));
    QVERIFY(percents.contains(50));
    QVERIFY(percents.contains(75));
    QCOMPARE(percents.last(), 100);
    QCOMPARE(successes, 1);
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QVERIFY(!StatusIsRed());
    QCOMPARE(RepairDialog->findChild<QProgressBar *>("progressBar_2")->value(), 100);

    // The devices are read again behind the outcome: a re-scan, then the
    // versions the mouse reports, with nothing newer left. The outcome stays
    // until the user presses OK.
    DeviceAllInfo cable = CableEntry();
    DeviceAllInfo receiver = ReceiverEntry();
    cable.DongleVersionText = cable.MouseVersionText = receiver.MouseVersionText = "v1.06";
    receiver.DongleVersionText = "v1.04";
    SetCurrentDeviceInfo(cable);
    ModelDevices = {cable, receiver};
    emit PostMsg::GetInstance()->SigCheckUpdate();
    emit PostMsg::GetInstance()->SigSetver(0);
    QTest::qWait(50);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QSignalSpy newVersion(PostMsg::GetInstance(), SIGNAL(SigSetNewVer()));
    PressStart(); // "OK"
    QVERIFY(!RepairDialog->isVisible());
    QCOMPARE(newVersion.size(), 1);
    DevicePageActive = 0;
}

void TstFirmwareUpgrade::failedUpgradeIsRecorded()
{
    SetCurrentDeviceInfo(CableEntry());
    ModelDevices = {CableEntry(), ReceiverEntry()};
    DevicePageActive = 1;
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());

    SimSetUpgradeFault(SimUpgradeFault::FailAt, 30);
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!UpgradeRunning && ReceiverUpgradeState == RunFailed, 10000);
    // No mouse run follows a failed receiver run.
    QTest::qWait(50);
    QCOMPARE(MouseUpgradeState.load(), int(RunIdle));
    QCOMPARE(UpgradeRecords::failInfo(), QString("211,4,38,11"));
    QFile marker(UpgradeRecords::markerFilePath());
    QVERIFY(marker.exists());
    QCOMPARE(marker.size(), qint64(0));
    QVERIFY(!MouseUpdateAvailable && !ReceiverUpdateAvailable);
    QVERIFY(SimIsBootMode(Receiver));
    QVERIFY(OnlinePollEnabled);
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeFail"]);
    QVERIFY(StatusIsRed());
    DevicePageActive = 0;
}

void TstFirmwareUpgrade::repairFinishesReceiverLeftInBootMode()
{
    QVERIFY(SimSetBootMode(Receiver, true));
    QVERIFY(UpgradeRecords::writeFailInfo(211, 4, 38, 11));
    QVERIFY(UpgradeRecords::writeMouseVersion("38", "11", "v1.05"));
    // The chooser sees only the mouse on its cable; the receiver is in boot mode.
    FoundDevices = {CableEntry()};
    FoundDevicesCopy = FoundDevices;
    UseReceiverTable();
    DevicePageActive = 0;
    QSignalSpy button(PostMsg::GetInstance(), SIGNAL(SigUpDateButton(bool)));
    QSignalSpy progress(PostMsg::GetInstance(), SIGNAL(SigAutoRepairProgress(int)));
    // Read on the library's thread as the mouse's progress is reported.
    std::atomic<bool> pollingWhileMouseFlashed{false};
    const QMetaObject::Connection watch =
        QObject::connect(PostMsg::GetInstance(), &PostMsg::SigAutoRepairProgress, [&](int percent) {
            if (percent > 50 && percent < 100 && OnlinePollEnabled)
                pollingWhileMouseFlashed = true;
        });

    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);

    PressStart();
    QVERIFY(RepairRunning);
    QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
    QTRY_COMPARE(button.size(), 1);
    QCOMPARE(button.first().first().toBool(), true);
    QVERIFY(!SimIsBootMode(Receiver));
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
    QCOMPARE(SimMouseVersion(Receiver), 0x0106);
    // The mouse's version is kept as the upgrade keeps it.
    QCOMPARE(UpgradeRecords::mouseVersion("38", "11"), QString("v1.06"));
    QVERIFY(UpgradeRecords::failInfo().isEmpty());
    QVERIFY(OnlinePollEnabled);
    QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QList<int> percents;
    for (const QList<QVariant> &args : progress)
        percents << args.first().toInt();
    QVERIFY(percents.contains(50) && percents.contains(100));
    QObject::disconnect(watch);
    QVERIFY(!pollingWhileMouseFlashed);
    RepairDialog->hide();
}

// A recorded mouse failure is finished after the receiver run; when that run
// fails, the receiver is in boot mode too: the mouse is not flashed, the
// failure is shown, and both records stay, for both parts wait to be
// repaired. The repair then takes the receiver and the mouse in turn.
void TstFirmwareUpgrade::doubleFailureKeepsBothRecords()
{
    QVERIFY(SimSetBootMode(Cable, true));
    QVERIFY(UpgradeRecords::writeFailInfo(210, 4, 38, 11));
    SetCurrentDeviceInfo(ReceiverEntry());
    SetCurrentDevicePath(SimDevicePath(Receiver));
    ModelDevices = {ReceiverEntry()};
    DevicePageActive = 1;
    QSignalSpy progress(PostMsg::GetInstance(), SIGNAL(SigProgress(int, int)));
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);

    SimSetUpgradeFault(SimUpgradeFault::FailAt, 30);
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!UpgradeRunning && ReceiverUpgradeState == RunFailed, 10000);
    QTest::qWait(100);
    QCOMPARE(MouseUpgradeState.load(), int(RunIdle));
    QVERIFY(SimIsBootMode(Receiver));
    QVERIFY(SimIsBootMode(Cable));
    QCOMPARE(SimMouseVersion(Receiver), 0x0105);
    QCOMPARE(UpgradeRecords::failInfo(), QString("211,4,38,11;210,4,38,11"));
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeFail"]);
    QVERIFY(DialogCanBeLeft());
    for (const QList<QVariant> &args : progress)
        QVERIFY(args.at(1).toInt() != 2);
    DevicePageActive = 0;
    RepairDialog->hide();

    // Both parts are in boot mode: the chooser finds neither of them, and the
    // repair offer takes the receiver back first, then the mouse on its cable.
    FoundDevices.clear();
    FoundDevicesCopy.clear();
    UseReceiverTable();
    QSignalSpy repairProgress(PostMsg::GetInstance(), SIGNAL(SigAutoRepairProgress(int)));
    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
    QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QList<int> percents;
    for (const QList<QVariant> &args : repairProgress)
        percents << args.first().toInt();
    QVERIFY(percents.contains(25) && percents.contains(75) && percents.last() == 100);
    QVERIFY(!SimIsBootMode(Receiver));
    QVERIFY(!SimIsBootMode(Cable));
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
    QCOMPARE(SimMouseVersion(Receiver), 0x0106);
    QVERIFY(UpgradeRecords::failInfo().isEmpty());
    RepairDialog->hide();
}

// In a repair of both parts, each part's record goes only with its own
// success: a mouse stage that fails again leaves the mouse's record alone.
void TstFirmwareUpgrade::doubleFailureRepairKeepsWhatFailedAgain()
{
    QVERIFY(SimSetBootMode(Receiver, true));
    QVERIFY(SimSetBootMode(Cable, true));
    QVERIFY(UpgradeRecords::writeFailInfo(210, 4, 38, 11));
    QVERIFY(UpgradeRecords::writeFailInfo(211, 4, 38, 11));
    QVERIFY(UpgradeRecords::writeMouseVersion("38", "11", "v1.05"));
    QCOMPARE(UpgradeRecords::failInfo(), QString("211,4,38,11;210,4,38,11"));
    FoundDevices.clear();
    FoundDevicesCopy.clear();
    UseReceiverTable();
    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);

    QVERIFY(SimFailNextFlash(Cable, 50));
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
    QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeFail"]);
    QVERIFY(!SimIsBootMode(Receiver));
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
    QVERIFY(SimIsBootMode(Cable));
    QCOMPARE(UpgradeRecords::failInfo(), QString("210,4,38,11"));
    QCOMPARE(UpgradeRecords::mouseVersion("38", "11"), QString("v1.05"));
    RepairDialog->hide();

    // Without a mouse on its cable the second stage could never run: the
    // check says so before anything is flashed.
    QVERIFY(UpgradeRecords::writeFailInfo(211, 4, 38, 11));
    QVERIFY(SimSetBootMode(Receiver, true));
    QVERIFY(SimPlug(Cable, false));
    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["NoUSB"]);
    QVERIFY(!RepairDialog->RunRepairUpgrade());
    QVERIFY(SimIsBootMode(Receiver));
    RepairDialog->hide();
}

void TstFirmwareUpgrade::everyEndOfTheStepsShowsAnOutcome_data()
{
    // The devices the steps find once the dialog was opened, and what it says.
    QTest::addColumn<int>("receivers");
    QTest::addColumn<bool>("imagesGone");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("problem");
    QTest::newRow("receiver gone") << 0 << false << HomeLabels[0]["NoDevice"] << true;
    QTest::newRow("two receivers") << 2 << false << HomeLabels[0]["SameDevice"] << true;
    QTest::newRow("images gone") << 1 << true << KeyboardUpdateLabels[0]["newTips"] << false;
}

void TstFirmwareUpgrade::everyEndOfTheStepsShowsAnOutcome()
{
    QFETCH(int, receivers);
    QFETCH(bool, imagesGone);
    SetCurrentDeviceInfo(CableEntry());
    SetCurrentDevicePath(SimDevicePath(Cable));
    ModelDevices = {CableEntry(), ReceiverEntry()};
    DevicePageActive = 1;
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);

    ModelDevices = {CableEntry()};
    for (int i = 0; i < receivers; ++i)
        ModelDevices << ReceiverEntry();
    QTemporaryDir empty;
    if (imagesGone)
        SetFirmwareFolder(empty.path());
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!UpgradeRunning && DialogCanBeLeft(), 10000);
    QTEST(Status(), "status");
    QTEST(StatusIsRed(), "problem");
    QVERIFY(OnlinePollEnabled);
    // Nothing was flashed.
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0103);
    QCOMPARE(SimMouseVersion(Receiver), 0x0105);
    SetFirmwareFolder(images.path());
    DevicePageActive = 0;
    RepairDialog->hide();
}

// A recorded mouse failure is repaired only when the mouse image goes on; the
// receiver's success alone is not the repair.
void TstFirmwareUpgrade::repairWithoutMouseImageFails()
{
    QVERIFY(SimSetBootMode(Cable, true));
    QVERIFY(UpgradeRecords::writeFailInfo(210, 4, 38, 11));
    FoundDevices = {ReceiverEntry()};
    FoundDevicesCopy = FoundDevices;
    UseReceiverTable();
    DevicePageActive = 0;
    QSignalSpy button(PostMsg::GetInstance(), SIGNAL(SigUpDateButton(bool)));
    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);

    // Only the receiver's image is left when the run starts.
    QTemporaryDir receiverOnly;
    QVERIFY(QFile::copy(images.filePath("receiver.bin"), receiverOnly.filePath("receiver.bin")));
    SetFirmwareFolder(receiverOnly.path());
    PressStart();
    QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
    QTRY_COMPARE(button.size(), 1);
    QCOMPARE(button.first().first().toBool(), false);
    QCOMPARE(SimFirmwareVersion(Receiver), 0x0104);
    QVERIFY(SimIsBootMode(Cable));
    QCOMPARE(UpgradeRecords::failInfo(), QString("210,4,38,11"));
    QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeFail"]);
    QVERIFY(OnlinePollEnabled);
    SetFirmwareFolder(images.path());
    RepairDialog->hide();
}

void TstFirmwareUpgrade::refusedOrForeignPacketsChangeNothing()
{
    QSignalSpy progress(PostMsg::GetInstance(), SIGNAL(SigProgress(int, int)));
    ReceiverUpgradeState = RunRunning;
    const unsigned char foreign[8] = {6, 2, 0};
    const unsigned char unknown[8] = {7, 3, 0};
    OnReceiverUpgradeEvent(foreign);
    OnReceiverUpgradeEvent(unknown);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(ReceiverUpgradeState.load(), int(RunRunning));
    QVERIFY(UpgradeRecords::failInfo().isEmpty());
    ReceiverUpgradeState = RunIdle;

    // A record without an image of the interrupted kind: nothing to flash.
    QVERIFY(UpgradeRecords::writeFailInfo(210, 4, 38, 99));
    FoundDevices = {ReceiverEntry()};
    FoundDevices.first().CidMid = uint16_t(38 | (99 << 8));
    RepairDialog->ResetView();
    QVERIFY(!RepairDialog->CheckInterruptedUpgrade());
    QVERIFY(!RepairDialog->RunRepairUpgrade());
    QVERIFY(!RepairRunning);
}

void TstFirmwareUpgrade::receiverIdReachesWiredMouse()
{
    FoundDevicesCopy = {ReceiverEntry(), CableEntry()};
    RepairReceiverVariant = 4;
    QVERIFY(RebindReceiverIdOfFoundDevices());
    ReceiverId id{};
    QVERIFY(SimReceiverId(Cable, &id));
    const QByteArray expected = QByteArray::fromHex("5634120001");
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&id), 5), expected);

    // A receiver that does not answer: nothing more is sent, not even again.
    QVERIFY(SimPlug(Receiver, false));
    FoundDevicesCopy = {ReceiverEntry(), CableEntry()};
    SimClearCallLog();
    QVERIFY(!RebindReceiverIdOfFoundDevices());
    RepeatReceiverIdOfFoundDevices();
    for (const SimCallRecord &call : SimCallLog())
        QVERIFY(call.function != "UsbFinderC_SetDongleIDToMouse");
}

QTEST_MAIN(TstFirmwareUpgrade)
#include "tst_firmwareupgrade.moc"
