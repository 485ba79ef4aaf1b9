// The shipped firmware images against the shipped device sets: the built-in
// devices already run them, so a normal start asks nothing; the example set
// has older firmware and is upgraded to them, its wired-only mouse included.
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/vidide/SimControl.h"
#include "settings/FirmwareImages.h"
#include "settings/FormSetting.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const int Receiver = 0;
const int Cable = 1;

// An entry as the chooser makes it for simulated `device`, with the versions
// the device reports.
DeviceAllInfo Entry(int device, bool wired, int driveIndex, int model)
{
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(SimDevicePath(device));
    info.CidMid = uint16_t(38 | (model << 8));
    info.DriveIndex = driveIndex;
    info.Online = true;
    info.Wired = wired;
    info.ReceiverType = wired ? 2 : 1;
    if (!wired) {
        info.PidText = "0x7C40";
        info.ReceiverAddress = {0x12, 0x34, 0x56};
        info.DongleVersionText = FirmwareVersionText(quint32(SimFirmwareVersion(device)));
        info.MouseVersionText = FirmwareVersionText(quint32(SimMouseVersion(device)));
    } else {
        info.MouseVersionText = FirmwareVersionText(quint32(SimFirmwareVersion(device)));
    }
    return info;
}

QString Status()
{
    return RepairDialog->findChild<QLabel *>("ToolText_2")->text();
}

QByteArray ExampleSet()
{
    QFile file(QCoreApplication::applicationDirPath() + "/sim-devices-example.json");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstShippedFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void choosingADeviceAsksNothing_data();
    void choosingADeviceAsksNothing();
    void exampleSetUpgradesToShippedFirmware();
    void wiredOnlyMouseIsUpgradedOnItsCableAlone();
    void wiredOnlyMouseIsRepairedOnItsCableAlone();

private:
    FormSetting *page = nullptr;
};

void TstShippedFirmware::initTestCase()
{
    LabelCatalogue::load();
    // The images the build lays into bin/ beside the program.
    SetFirmwareFolder(QString());
    QVERIFY(!QDir(FirmwareFolder()).entryList({"*.bin"}, QDir::Files).isEmpty());
    QVERIFY(!ExampleSet().isEmpty());
    page = new FormSetting();
    page->resize(883, 630);
    for (QTimer *timer : page->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
        timer->setInterval(5);
}

void TstShippedFirmware::cleanupTestCase()
{
    delete page;
    delete RepairDialog;
}

void TstShippedFirmware::init()
{
    SimReset(true);
    SimSetUpgradeTiming(1, 1);
    UpgradeRecords::removeFailInfo();
    ReceiverUpgradeState = RunIdle;
    MouseUpgradeState = RunIdle;
    emit PostMsg::GetInstance()->SigSetver(4);
    RepairDialog->hide();
}

void TstShippedFirmware::choosingADeviceAsksNothing_data()
{
    QTest::addColumn<bool>("exampleSet");
    QTest::addColumn<int>("device");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("driveIndex");
    QTest::addColumn<int>("model");
    QTest::newRow("wireless mouse on its receiver") << false << Receiver << false << 0 << 11;
    // A wired-only model that runs the shipped firmware: nothing to offer.
    QTest::newRow("wired mouse") << false << 1 << true << 1 << 12;
}

void TstShippedFirmware::choosingADeviceAsksNothing()
{
    QFETCH(bool, exampleSet);
    QFETCH(int, device);
    QFETCH(bool, wired);
    QFETCH(int, driveIndex);
    QFETCH(int, model);
    if (exampleSet) {
        QString error;
        QVERIFY2(SimLoadDevices(ExampleSet(), &error), qPrintable(error));
    }
    const DeviceAllInfo entry = Entry(device, wired, driveIndex, model);
    SetCurrentDeviceInfo(entry);
    SetCurrentDevicePath(SimDevicePath(device));
    ModelDevices = {entry};
    QSignalSpy updates(PostMsg::GetInstance(), SIGNAL(SigAddUpdate(int, bool)));

    // What the device page does after each read.
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(!RepairDialog->isVisible());
    QCOMPARE(updates.size(), 2);
    for (const QList<QVariant> &args : updates)
        QVERIFY(!args.at(1).toBool());
    QVERIFY(!MouseUpdateAvailable && !ReceiverUpdateAvailable);
    // Pressing the upgrade button asks for no receiver either.
    page->findChild<QToolButton *>("Receive_2")->click();
    QVERIFY(Status() != HomeLabels[0]["NoRecieve"]);
    RepairDialog->hide();
}

void TstShippedFirmware::exampleSetUpgradesToShippedFirmware()
{
    QString error;
    QVERIFY2(SimLoadDevices(ExampleSet(), &error), qPrintable(error));
    SimSetUpgradeTiming(1, 1);
    const int oldReceiver = SimFirmwareVersion(Receiver);
    const int oldMouse = SimMouseVersion(Receiver);
    const DeviceAllInfo cable = Entry(Cable, true, 0, 11);
    const DeviceAllInfo receiver = Entry(Receiver, false, 0, 11);
    SetCurrentDeviceInfo(cable);
    SetCurrentDevicePath(SimDevicePath(Cable));
    ModelDevices = {cable, receiver};
    DevicePageActive = 1;

    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    RepairDialog->findChild<QToolButton *>("NewHong_2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(MouseUpgradeState == RunSucceeded && !UpgradeRunning, 10000);
    QCOMPARE(ReceiverUpgradeState.load(), int(RunSucceeded));
    QVERIFY(SimFirmwareVersion(Receiver) > oldReceiver);
    QVERIFY(SimMouseVersion(Receiver) > oldMouse);
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);

    // Now the devices run the shipped firmware: nothing more is offered.
    ModelDevices = {Entry(Cable, true, 0, 11), Entry(Receiver, false, 0, 11)};
    SetCurrentDeviceInfo(ModelDevices.first());
    RepairDialog->hide();
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(!RepairDialog->isVisible());
    QVERIFY(!MouseUpdateAvailable && !ReceiverUpdateAvailable);
    DevicePageActive = 0;
}

// The wired-only model of the example set runs v1.02 while v1.06 ships. Its
// mouse stage needs no receiver: the upgrade is offered, and only that stage
// runs, on the mouse's cable.
void TstShippedFirmware::wiredOnlyMouseIsUpgradedOnItsCableAlone()
{
    QString error;
    QVERIFY2(SimLoadDevices(ExampleSet(), &error), qPrintable(error));
    SimSetUpgradeTiming(1, 1);
    const int wiredOnly = 2;
    QCOMPARE(SimMouseVersion(wiredOnly), 0x0102);
    const DeviceAllInfo entry = Entry(wiredOnly, true, 1, 12);
    SetCurrentDeviceInfo(entry);
    SetCurrentDevicePath(SimDevicePath(wiredOnly));
    ModelDevices = {entry};
    DevicePageActive = 1;

    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(MouseUpdateAvailable);
    QVERIFY(!ReceiverUpdateAvailable);
    QVERIFY(RepairDialog->isVisible());
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    SimClearCallLog();
    QSignalSpy progress(PostMsg::GetInstance(), SIGNAL(SigProgress(int, int)));
    RepairDialog->findChild<QToolButton *>("NewHong_2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(MouseUpgradeState == RunSucceeded && !UpgradeRunning, 10000);
    // The mouse stage is the whole run: the bar runs from 0 to 100.
    QList<int> percents;
    for (const QList<QVariant> &args : progress) {
        if (args.at(1).toInt() == 0)
            percents << args.at(0).toInt();
    }
    QVERIFY(!percents.isEmpty());
    QCOMPARE(percents.first(), 0);
    QVERIFY(percents.contains(10) && percents.contains(40));
    QCOMPARE(percents.last(), 100);
    QCOMPARE(ReceiverUpgradeState.load(), int(RunIdle));
    QCOMPARE(SimMouseVersion(wiredOnly), 0x0106);
    QCOMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QCOMPARE(page->findChild<QLabel *>("label_7")->text(), QString("v1.06"));
    int starts = 0;
    for (const SimCallRecord &call : SimCallLog())
        starts += call.function == QLatin1String("UsbUpgrade_Start") ? 1 : 0;
    QCOMPARE(starts, 1);

    // Up to date now: nothing more is offered, and no receiver is asked for.
    RepairDialog->hide();
    ModelDevices = {Entry(wiredOnly, true, 1, 12)};
    SetCurrentDeviceInfo(ModelDevices.first());
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(!RepairDialog->isVisible());
    QVERIFY(!MouseUpdateAvailable);
    DevicePageActive = 0;
}

// A failed flash of the wired-only mouse leaves it in boot mode, where the
// chooser cannot see it; the repair finds it in boot mode and needs no
// receiver either.
void TstShippedFirmware::wiredOnlyMouseIsRepairedOnItsCableAlone()
{
    QString error;
    QVERIFY2(SimLoadDevices(ExampleSet(), &error), qPrintable(error));
    SimSetUpgradeTiming(1, 1);
    const int wiredOnly = 2;
    const DeviceAllInfo entry = Entry(wiredOnly, true, 1, 12);
    SetCurrentDeviceInfo(entry);
    SetCurrentDevicePath(SimDevicePath(wiredOnly));
    ModelDevices = {entry};
    DevicePageActive = 1;
    emit PostMsg::GetInstance()->SigSetver(0);
    QVERIFY(RepairDialog->isVisible());
    QVERIFY(SimFailNextFlash(wiredOnly, 60));
    RepairDialog->findChild<QToolButton *>("NewHong_2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(MouseUpgradeState == RunFailed && !UpgradeRunning, 10000);
    QVERIFY(SimIsBootMode(wiredOnly));
    QCOMPARE(UpgradeRecords::failInfo(), QString("210,0,38,12"));
    // The device page looks at its devices again: the summary's receiver row
    // gets no update mark, there being no receiver.
    QSignalSpy marks(PostMsg::GetInstance(), SIGNAL(SigAddUpdate(int, bool)));
    OnDeviceUsbChanged();
    for (const QList<QVariant> &args : marks)
        QVERIFY(args.at(0).toInt() != 1 || !args.at(1).toBool());
    DevicePageActive = 0;
    RepairDialog->hide();

    // The other devices of the example set are unplugged: the chooser finds nothing.
    QVERIFY(SimPlug(0, false));
    QVERIFY(SimPlug(1, false));
    FoundDevices.clear();
    FoundDevicesCopy.clear();
    RepairDialog->ResetView();
    RepairDialog->show();
    emit PostMsg::GetInstance()->SigRepairCheckUpdate();
    QCOMPARE(Status(), HomeLabels[0]["ReadyUpdate"]);
    RepairDialog->findChild<QToolButton *>("NewHong_2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(!RepairRunning, 10000);
    QTRY_COMPARE(Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
    QVERIFY(!SimIsBootMode(wiredOnly));
    QCOMPARE(SimMouseVersion(wiredOnly), 0x0106);
    QVERIFY(UpgradeRecords::failInfo().isEmpty());
    RepairDialog->hide();
}

QTEST_MAIN(TstShippedFirmware)
#include "tst_shippedfirmware.moc"
