// The mouse is never lost, on the whole program and the simulated devices: a
// mouse opened while it sleeps is read when it wakes, a flashed mouse is
// linked and read again, a profile taken on the mouse during a slow read is
// never overwritten, and a change that does not reach the mouse is told once,
// with the reason.
#include "app/Dialog.h"
#include "app/DialogMain.h"
#include "app/PreVier.h"
#include "common/DialogSeam.h"
#include "common/MouseOffLine.h"
#include "common/SharedState.h"
#include "common/mytoolButtonEnter.h"
#include "device/DeviceState.h"
#include "device/DialogChange.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/UserFolder.h"
#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "sensor/Sensor.h"
#include "ui_Sensor.h"
#include "ui_SensorRate.h"

#include "../support/DeviceFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <cstring>

using DeviceFixture::CountCalls;
using DeviceFixture::WaitIdle;

namespace {

const int Wireless = 0; // the 4K receiver with its wireless mouse
const int Wired = 1;    // the wired mouse

struct Notice
{
    int kind;
    QString text;
    bool stayedWhenMouseAnswered;
    // The report-rate button checked while the notice was on the screen.
    QString rateShown;
};

std::atomic<bool> UpgradeFinished{false};
void onUpgradePacket(const unsigned char *packet)
{
    if (packet[0] == 7 && packet[1] == 2 && packet[2] == 1)
        UpgradeFinished = true;
}

} // namespace

class TstMouseBack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void sleepingMouseIsReadWhenItWakes_data();
    void sleepingMouseIsReadWhenItWakes();
    void refusalByAnAnsweringMouseIsToldAndStays();
    void flashedMouseIsLinkedAndReadAgain();
    void profileTakenDuringASlowReadIsKept();

private:
    DialogChange *chooser() const { return static_cast<DialogChange *>(main->chooserPage()); }
    Sensor *sensorPage() const { return main->deviceWindow()->sensorPage(); }
    QToolButton *rateButton(const char *name) const
    {
        return DeviceFixture::FindChildOrFail<QToolButton>(sensorPage(), name);
    }
    QString checkedRate() const
    {
        for (const char *name : {"Button125HZ", "Button250HZ", "Button500HZ", "Button1000HZ",
                                 "Button2000HZ", "Button4000HZ", "Button8000HZ"}) {
            if (rateButton(name)->isChecked())
                return QString::fromLatin1(name);
        }
        return QString();
    }
    QComboBox *debounceBox() const
    {
        return DeviceFixture::FindChildOrFail<QComboBox>(main->deviceWindow()->buttonPage(),
                                                         "Debunce");
    }
    QString summaryValue(const char *name) const
    {
        return DeviceFixture::FindChildOrFail<QLabel>(main->deviceWindow()->summaryPage(), name)
            ->text();
    }
    QProgressBar *batteryBar() const
    {
        return DeviceFixture::FindChildOrFail<QProgressBar>(main->deviceWindow(), "progressBar");
    }
    // The level beside the battery picture.
    QString batteryText() const
    {
        return batteryBar()
            ->parentWidget()
            ->findChild<QLabel *>(QStringLiteral("label_2"), Qt::FindDirectChildrenOnly)
            ->text();
    }
    void open(int device);
    void readAgainAndWait();

    DialogMain *main = nullptr;
    QList<Notice> notices;
    int waitRuns = 0;
    DialogSeam::ExecHandler previousHandler;
};

void TstMouseBack::initTestCase()
{
    QVERIFY(UserFolder::makeFolders());
    UpDataParam::TimerMs = 50;
    UpDataParam::WaitStepMs = 100;
    UpDataParam::ResetHoldMs = 10;
    DialogChange::SelectPauseMs = 0;
    // Only the roads under test read the mouse again.
    Worker::SettingsRefreshMs = 1000000;
    SimReset(true);
    DialogMain::TrayAvailable = [] { return true; };
    main = new DialogMain(nullptr);
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main));

    // The wait dialog ends itself; a mouse notice is noted, the online poll
    // runs under it and the mouse is said to answer, then the user closes it.
    previousHandler = DialogSeam::setExecHandler([this](QDialog &dialog) {
        if (qobject_cast<UpDataParam *>(&dialog)) {
            ++waitRuns;
            QElapsedTimer clock;
            clock.start();
            while (dialog.isVisible() && clock.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            return;
        }
        if (auto *notice = qobject_cast<MouseOffLine *>(&dialog)) {
            const QString text = notice->findChild<QLabel *>(QStringLiteral("label"))->text();
            const QString rate = checkedRate();
            bool stayed = false;
            if (UsbFinderC_GetDeviceOnLine(CurrentDevicePathPtr)) {
                QMetaObject::invokeMethod(WorkerThread, "SlotCheckOnline");
                emit PostMsg::GetInstance()->SigCloseOffOnline();
                stayed = dialog.isVisible();
            }
            notices.append({notice->kind(), text, stayed, rate});
            DialogSeam::press(dialog, QStringLiteral("NewHong"));
        }
    });
}

void TstMouseBack::cleanupTestCase()
{
    DialogSeam::setExecHandler(previousHandler);
    if (WorkerThread)
        WorkerThread->Shutdown(3000);
    UsbServer_Exit();
    delete main;
}

void TstMouseBack::cleanup()
{
    SimSetAnswerDelay(0);
    if (main->onDeviceWindow())
        DeviceFixture::FindChildOrFail<QToolButton>(main->deviceWindow(), "UpArrow")->click();
    QTRY_VERIFY(!main->onDeviceWindow());
    QVERIFY(WaitIdle());
    notices.clear();
}

// Chooses `device` on the chooser page, as the user clicks it.
void TstMouseBack::open(int device)
{
    QTRY_VERIFY(!chooser()->deviceButtons().isEmpty());
    for (mytoolButtonEnter *button : chooser()->deviceButtons()) {
        if (FoundDevices.at(button->deviceIndex()).Path == QLatin1String(SimDevicePath(device))) {
            button->click();
            QVERIFY(main->onDeviceWindow());
            return;
        }
    }
    QFAIL("the device is not on the chooser");
}

// Waits for a whole read of the current mouse and for its wait dialog.
void TstMouseBack::readAgainAndWait()
{
    QTRY_VERIFY_WITH_TIMEOUT(CountCalls("UsbServer_ReadAllFlashData") > 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(FlashDataBelongsToCurrentDevice(), 10000);
    QVERIFY(WaitIdle());
    QTRY_VERIFY_WITH_TIMEOUT(!main->deviceWindow()->waitDialog()->isVisible(), 10000);
}

void TstMouseBack::sleepingMouseIsReadWhenItWakes_data()
{
    QTest::addColumn<bool>("kept");
    QTest::newRow("never read") << false;
    QTest::newRow("kept from its last read") << true;
}

void TstMouseBack::sleepingMouseIsReadWhenItWakes()
{
    QFETCH(bool, kept);
    // The mouse holds settings of its own (the defaults would show 8 ms and a
    // full battery); with `kept`, its values of an earlier read are on disk.
    FlashDataMap held = DeviceFixture::ProfileBlock(Wireless, 0);
    held.DebounceMs = 4;
    held.ReportRateCode = 2; // 500 Hz
    QVERIFY(SimSetMouseProfileBlock(Wireless, 0, held));
    QVERIFY(SimSetBattery(Wireless, 40, false));
    const QString cacheName = CacheFileName(DeviceFixture::FixtureCustomerId, 11);
    QFile::remove(CacheFilePath(cacheName));
    // Not read in this run (an earlier row read it).
    QVERIFY(ClearFlashDataOwner());
    if (kept) {
        FlashDataMap cached = held;
        cached.DebounceMs = 6;
        QVERIFY(WriteFlashDataCacheFile(cacheName, cached));
    }
    QVERIFY(SimSetMouseOnline(Wireless, false));
    open(Wireless);

    // Told at once: nothing on the pages is what the mouse holds now.
    QTRY_COMPARE_WITH_TIMEOUT(notices.size(), 1, 5000);
    QCOMPARE(notices.first().kind, int(MouseNoticeOffline));
    QVERIFY(!FlashDataBelongsToCurrentDevice());
    QVERIFY(WaitIdle());

    // With the notice closed: the values kept from its last read, or none.
    QCOMPARE(debounceBox()->currentIndex(), kept ? 6 : -1);
    QCOMPARE(sensorPage()->isEnabled(), kept);
    QCOMPARE(main->deviceWindow()->buttonPage()->isEnabled(), kept);
    QCOMPARE(sensorPage()->graphicsEffect() != nullptr, !kept); // dimmed
    QCOMPARE(summaryValue("DebunceValue"), kept ? debounceBox()->currentText() : QString());
    for (const char *value : {"DpiValue", "ReportValue", "LodValue"})
        QCOMPARE(summaryValue(value).isEmpty(), !kept);
    // The battery is never kept: no level until the mouse tells it.
    QVERIFY(batteryBar()->value() < batteryBar()->minimum());
    QVERIFY(!batteryBar()->isEnabled());
    QCOMPARE(batteryText(), QString());

    notices.clear();
    SimClearCallLog();
    QVERIFY(SimSetMouseOnline(Wireless, true));
    const FlashDataMap before = DeviceFixture::MouseBlock(Wireless);
    QVERIFY(before.ReportRateCode != 8 && before.ReportRateCode != 4);
    if (kept) {
        // Awake, but its settings are not read yet: the change goes back,
        // with one notice saying why, shown once the button is back.
        const QString shownBefore = checkedRate();
        rateButton("Button125HZ")->click();
        QTRY_COMPARE(notices.size(), 1);
        QCOMPARE(notices.first().kind, int(MouseNoticeStillReading));
        QCOMPARE(notices.first().rateShown, shownBefore);
        QCOMPARE(notices.first().text, QStringLiteral("The mouse settings are still being read. "
                                                      "Please try again in a moment."));
        QVERIFY(!rateButton("Button125HZ")->isChecked());
    } else {
        // Nothing to change before a read.
        QVERIFY(!rateButton("Button125HZ")->isEnabled());
    }
    QVERIFY(DeviceFixture::SameBlock(DeviceFixture::MouseBlock(Wireless), before));

    // The online poll finds it and reads it: its own values everywhere, and
    // the next change reaches it.
    notices.clear();
    readAgainAndWait();
    QVERIFY(sensorPage()->isEnabled());
    QVERIFY(main->deviceWindow()->buttonPage()->isEnabled());
    QVERIFY(!sensorPage()->graphicsEffect());
    QCOMPARE(debounceBox()->currentIndex(), 4);
    QCOMPARE(summaryValue("DebunceValue"), debounceBox()->currentText());
    QVERIFY(!summaryValue("DpiValue").isEmpty());
    QTRY_COMPARE(batteryBar()->value(), 40);
    QVERIFY(batteryBar()->isEnabled());
    QVERIFY(batteryText().startsWith(QStringLiteral("40")));
    rateButton("Button250HZ")->click();
    QCOMPARE(int(DeviceFixture::MouseBlock(Wireless).ReportRateCode), 4);
    QVERIFY(rateButton("Button250HZ")->isChecked());
    QVERIFY(notices.isEmpty());
}

void TstMouseBack::refusalByAnAnsweringMouseIsToldAndStays()
{
    SimClearCallLog();
    open(Wired);
    readAgainAndWait();
    const FlashDataMap before = DeviceFixture::MouseBlock(Wired);
    QVERIFY(before.ReportRateCode != 8);

    SimClearCallLog();
    SimRefuseNextCall("ProtocolDataUpdate");
    const QString shownBefore = checkedRate();
    QVERIFY(shownBefore != QLatin1String("Button125HZ"));
    rateButton("Button125HZ")->click();
    QTRY_COMPARE(notices.size(), 1);
    QCOMPARE(notices.first().kind, int(MouseNoticeRefused));
    QCOMPARE(notices.first().rateShown, shownBefore);
    QCOMPARE(notices.first().text, QStringLiteral("The mouse did not take the change."));
    QVERIFY(notices.first().stayedWhenMouseAnswered);
    QVERIFY(!rateButton("Button125HZ")->isChecked());
    QVERIFY(DeviceFixture::SameBlock(DeviceFixture::MouseBlock(Wired), before));
    // The settings read are still the mouse's: nothing is read again.
    QMetaObject::invokeMethod(WorkerThread, "SlotCheckOnline");
    QTest::qWait(100);
    QCOMPARE(CountCalls("UsbServer_ReadAllFlashData"), 0);
    QVERIFY(!DeviceWentOffline);
}

void TstMouseBack::flashedMouseIsLinkedAndReadAgain()
{
    SimClearCallLog();
    open(Wired);
    readAgainAndWait();

    // The settings page's run, as the library sees it: device checks held
    // while the mouse leaves for boot mode and comes back flashed.
    vidide::FirmwareInfo info;
    info.version = 0x0200;
    info.kind = vidide::FirmwareKindMouse;
    info.cid = 38;
    info.mid = 12;
    info.modelName = "ORVAK-TC1";
    const QByteArray image = vidide::buildFirmwareImage(info, QByteArray(512, '\x5A'));
    SimSetUpgradeTiming(1, 1);
    UpgradeFinished = false;
    OnlinePollEnabled = false;
    QVERIFY(UsbUpgrade_Start(reinterpret_cast<const unsigned char *>(image.constData()),
                             onUpgradePacket, 10000, image.size()));
    QTRY_VERIFY_WITH_TIMEOUT(UpgradeFinished, 10000);
    QCOMPARE(SimMouseVersion(Wired), 0x0200);
    SimClearCallLog();
    OnlinePollEnabled = true;

    // Linked and read again as a re-plugged mouse is; a change reaches it.
    readAgainAndWait();
    QVERIFY(main->onDeviceWindow());
    const int code = DeviceFixture::MouseBlock(Wired).ReportRateCode == 8 ? 4 : 8;
    rateButton(code == 8 ? "Button125HZ" : "Button250HZ")->click();
    QCOMPARE(int(DeviceFixture::MouseBlock(Wired).ReportRateCode), code);
    QVERIFY(notices.isEmpty());
}

void TstMouseBack::profileTakenDuringASlowReadIsKept()
{
    // The mouse's second profile holds settings of its own.
    FlashDataMap second = DeviceFixture::ProfileBlock(Wired, 1);
    second.DebounceMs = 7;
    second.ReportRateCode = 2;
    QVERIFY(SimSetMouseProfileBlock(Wired, 1, second));
    const FlashDataMap first = DeviceFixture::ProfileBlock(Wired, 0);
    QVERIFY(!DeviceFixture::SameBlock(first, second));

    SimClearCallLog();
    open(Wired);
    readAgainAndWait();

    // A slow mouse: its profile button is pressed while a whole read is on
    // its way.
    SimSetAnswerDelay(400);
    SimClearCallLog();
    // The switch comes from the mouse, whatever the program is busy with
    // (the read's wait dialog runs a loop of its own).
    bool switched = false;
    QTimer::singleShot(150, [&switched] { switched = SimSwitchProfileOnDevice(Wired, 1); });
    RelinkPending = true;
    WorkerThread->RequestRun();
    QTRY_VERIFY(switched);

    // The profile the mouse runs is read; neither profile was written over.
    QTRY_VERIFY_WITH_TIMEOUT(CountCalls("UsbServer_ReadAllFlashData") >= 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(FlashDataBelongsToCurrentDevice(), 10000);
    QVERIFY(WaitIdle());
    QTRY_VERIFY_WITH_TIMEOUT(!main->deviceWindow()->waitDialog()->isVisible(), 10000);
    QVERIFY(DeviceFixture::SameBlock(DeviceFixture::ProfileBlock(Wired, 1), second));
    QVERIFY(DeviceFixture::SameBlock(DeviceFixture::ProfileBlock(Wired, 0), first));
    QVERIFY(DeviceFixture::SameBlock(FlashDataSnapshot(), second));
    QVERIFY(rateButton("Button500HZ")->isChecked());
    QVERIFY(notices.isEmpty());
}

QTEST_MAIN(TstMouseBack)
#include "tst_mouseback.moc"
