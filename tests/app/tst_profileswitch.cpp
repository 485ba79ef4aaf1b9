// Switching the onboard profile on the device window: the mouse's new
// profile is read through the wait dialog and shown on every page, and a
// change afterwards lands in that profile only.
#include "app/Dialog.h"
#include "buttons/Buttoninterface.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/MyConmboBox.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "sensor/Sensor.h"
#include "ui_Buttoninterface.h"
#include "ui_Sensor.h"
#include "ui_SensorDPI.h"
#include "ui_SensorRate.h"

#include "../support/DeviceFixture.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

using DeviceFixture::CountCalls;
using DeviceFixture::WaitIdle;

namespace {

const int Mouse = 1; // the wired mouse (sensor 3327, codes from its define table)

FlashDataMap Profile(int profile)
{
    return DeviceFixture::ProfileBlock(Mouse, profile);
}

} // namespace

class TstProfileSwitch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void switchReadsAndShowsTheNewProfile();
    void switchOnTheMouseIsReadToo();
    void refusedSwitchGoesBack();
    void mouseButtonIsNotHeldBySettingsRefresh();
    void pickWhoseReportIsLost_data();
    void pickWhoseReportIsLost();

private:
    Buttoninterface *buttonPage() const
    {
        return static_cast<Buttoninterface *>(window->buttonPage());
    }
    QComboBox *debounceBox() const
    {
        return DeviceFixture::FindChildOrFail<QComboBox>(buttonPage(), "Debunce");
    }
    QString levelText(int level) const
    {
        return window->sensorPage()->ui->frameDpi->LevelButton(level)->text();
    }

    Dialog *window = nullptr;
    int waitRuns = 0;
    qint64 lastWaitMs = 0; // how long the last wait dialog was shown
    QStringList otherDialogs;
    DialogSeam::ExecHandler previousHandler;
};

void TstProfileSwitch::initTestCase()
{
    QVERIFY(UserFolder::makeFolders());
    ProfileOptionsLabels[0].insert("0", "Profile 1");
    UpDataParam::TimerMs = 50;
    // A read wait gives up after 12 of these steps; a loaded machine can take
    // longer than a quarter of a second for a read.
    UpDataParam::WaitStepMs = 250;
    // Only the profile road re-reads here, not the periodic settings refresh.
    Worker::SettingsRefreshMs = 1000000;
    SimReset(true);

    // Profile 2 of the mouse holds settings of its own.
    FlashDataMap second = Profile(1);
    second.DebounceMs = 4;
    second.ReportRateCode = 2;        // 500 Hz
    second.DpiLevels[0].XCode = 0x0B; // 1200 DPI for the 3327
    second.DpiLevels[0].YCode = 0x0B;
    QVERIFY(SimSetMouseProfileBlock(Mouse, 1, second));

    window = new Dialog(nullptr);
    window->show();
    // The wait dialog ends itself once the pages have the block; every other
    // dialog is noted and closed.
    previousHandler = DialogSeam::setExecHandler([this](QDialog &dialog) {
        if (qobject_cast<UpDataParam *>(&dialog)) {
            ++waitRuns;
            QElapsedTimer clock;
            clock.start();
            while (dialog.isVisible() && clock.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            lastWaitMs = clock.elapsed();
            return;
        }
        otherDialogs << dialog.metaObject()->className();
    });

    const QByteArray path = DeviceFixture::MakeCurrentDevice(Mouse, true);
    DeviceOnline = true;
    DevicePageActive = 1;
    LastRunOnline = false;
    QVERIFY(WorkerThread);
    WorkerThread->RequestRun();
    QTRY_VERIFY_WITH_TIMEOUT(FlashDataBelongsToCurrentDevice(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(waitRuns, 1, 10000);
    QVERIFY(WaitIdle());
}

void TstProfileSwitch::cleanupTestCase()
{
    DialogSeam::setExecHandler(previousHandler);
    if (WorkerThread)
        WorkerThread->Shutdown(3000);
    UsbServer_Exit();
    delete window;
}

void TstProfileSwitch::cleanup()
{
    Worker::SettingsRefreshMs = 1000000;
}

void TstProfileSwitch::switchReadsAndShowsTheNewProfile()
{
    const FlashDataMap first = Profile(0);
    const FlashDataMap second = Profile(1);
    QVERIFY(!DeviceFixture::SameBlock(first, second));
    QCOMPARE(levelText(0), QString("400"));
    QCOMPARE(debounceBox()->currentIndex(), int(first.DebounceMs));

    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    SimClearCallLog();
    MyConmboBox *box = buttonPage()->ui->ProjectChoose;
    QTRY_COMPARE(box->count(), 4);
    box->setCurrentIndex(1);
    QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, 1));

    // The mouse confirms profile 2; its block is read through the wait dialog.
    QTRY_COMPARE_WITH_TIMEOUT(waitRuns, 2, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(FlashDataBelongsToCurrentDevice(), 10000);
    QVERIFY(WaitIdle());
    int profile = -1;
    QVERIFY(SimMouseProfile(Mouse, &profile));
    QCOMPARE(profile, 1);
    QCOMPARE(CountCalls("UsbServer_ReadAllFlashData"), 1);
    QVERIFY(DeviceFixture::SameBlock(FlashDataSnapshot(), second));
    // The read's write-back carries profile 2's own block, nothing else.
    for (const SimCallRecord &call : SimCallLog()) {
        if (call.function == QLatin1String("ProtocolDataUpdate"))
            QCOMPARE(call.data, QByteArray(reinterpret_cast<const char *>(&second),
                                           int(sizeof(FlashDataMap))));
    }

    // Every page shows profile 2 before anything is changed.
    QCOMPARE(levelText(0), QString("1200"));
    QVERIFY(window->sensorPage()->ui->frameRate->ui->Button500HZ->isChecked());
    QCOMPARE(debounceBox()->currentIndex(), 4);
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(offline.count(), 0);
    QVERIFY(otherDialogs.isEmpty());

    // One change: it lands in profile 2, profile 1 stays as it was.
    debounceBox()->setCurrentIndex(12);
    FlashDataMap expected = second;
    expected.DebounceMs = 12;
    QVERIFY(DeviceFixture::SameBlock(Profile(1), expected));
    QVERIFY(DeviceFixture::SameBlock(Profile(0), first));
    QCOMPARE(offline.count(), 0);
}

void TstProfileSwitch::switchOnTheMouseIsReadToo()
{
    // The user takes profile 1 again with the mouse's own button.
    const FlashDataMap first = Profile(0);
    const FlashDataMap second = Profile(1);
    const int runs = waitRuns;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QVERIFY(SimSwitchProfileOnDevice(Mouse, 0));
    QTRY_COMPARE_WITH_TIMEOUT(waitRuns, runs + 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(FlashDataBelongsToCurrentDevice(), 10000);
    QVERIFY(WaitIdle());
    QVERIFY(DeviceFixture::SameBlock(FlashDataSnapshot(), first));
    QCOMPARE(levelText(0), QString("400"));
    QCOMPARE(buttonPage()->ui->ProjectChoose->currentIndex(), 0);

    debounceBox()->setCurrentIndex(10);
    FlashDataMap expected = first;
    expected.DebounceMs = 10;
    QVERIFY(DeviceFixture::SameBlock(Profile(0), expected));
    QVERIFY(DeviceFixture::SameBlock(Profile(1), second));
    QCOMPARE(offline.count(), 0);
}

void TstProfileSwitch::refusedSwitchGoesBack()
{
    MyConmboBox *box = buttonPage()->ui->ProjectChoose;
    QCOMPARE(box->currentIndex(), 0);
    const int runs = waitRuns;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    QSignalSpy config(PostMsg::GetInstance(), SIGNAL(SigAddConfig(QString)));
    SimRefuseNextCall("UsbServer_SetCurrentConfig");
    box->PreviousIndex = 0;
    box->setCurrentIndex(2);
    QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, 2));
    QVERIFY(WaitIdle());
    int profile = -1;
    QVERIFY(SimMouseProfile(Mouse, &profile));
    QCOMPARE(profile, 0);
    // The box shows the profile the mouse runs, and the user is told once
    // that the mouse did not take the switch (it answers: not offline).
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(config.count(), 0);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(offline.first().at(0).toInt(), int(MouseNoticeRefused));
    QCOMPARE(waitRuns, runs);
    QVERIFY(FlashDataBelongsToCurrentDevice());
}

void TstProfileSwitch::mouseButtonIsNotHeldBySettingsRefresh()
{
    // The mouse reports its button as a settings change too, and the
    // refresh of a settings change is due: that refresh holds its wait two
    // seconds after the pages are shown.
    Worker::SettingsRefreshMs = 0;
    // Long enough that a wait held by it cannot pass for one that was not,
    // however slow the machine.
    UpDataParam::ResetHoldMs = 20000;
    const FlashDataMap second = Profile(1);
    const int runs = waitRuns;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    SimClearCallLog();
    QVERIFY(SimSwitchProfileOnDevice(Mouse, 1));

    // The new profile is shown the moment the mouse has answered its read,
    // as after a pick in the box: the wait lasts no hold.
    QTRY_COMPARE_WITH_TIMEOUT(waitRuns, runs + 1, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!window->waitDialog()->isVisible(), 10000);
    QCOMPARE(levelText(0), QString("1200"));
    QVERIFY2(lastWaitMs < UpDataParam::ResetHoldMs / 2, qPrintable(QString::number(lastWaitMs)));
    QVERIFY(FlashDataBelongsToCurrentDevice());
    QVERIFY(DeviceFixture::SameBlock(FlashDataSnapshot(), second));
    QCOMPARE(buttonPage()->ui->ProjectChoose->currentIndex(), 1);

    // That one read was the settings refresh too: no second wait follows.
    QTest::qWait(1500);
    QVERIFY(WaitIdle());
    QCOMPARE(waitRuns, runs + 1);
    QCOMPARE(CountCalls("UsbServer_ReadAllFlashData"), 1);
    QVERIFY(!window->waitDialog()->isVisible());
    QCOMPARE(offline.count(), 0);
    QVERIFY(otherDialogs.isEmpty());
}

void TstProfileSwitch::pickWhoseReportIsLost_data()
{
    QTest::addColumn<bool>("mouseTookIt");
    QTest::newRow("the mouse took the pick") << true;
    QTest::newRow("the pick never reached the mouse") << false;
}

void TstProfileSwitch::pickWhoseReportIsLost()
{
    QFETCH(bool, mouseTookIt);
    MyConmboBox *box = buttonPage()->ui->ProjectChoose;
    int before = -1;
    QVERIFY(SimMouseProfile(Mouse, &before));
    QCOMPARE(box->currentIndex(), before);
    const int pick = 1 - before;
    const int runs = waitRuns;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    // No report of the pick arrives: it is lost, or the request itself was.
    SimClearCallLog();
    if (mouseTookIt)
        SimDropNextAnswer("UsbServer_SetCurrentConfig");
    else
        SimLoseNextCall("UsbServer_SetCurrentConfig");
    box->PreviousIndex = before;
    box->setCurrentIndex(pick);
    QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, pick));
    QVERIFY(WaitIdle());
    int running = -1;
    QVERIFY(SimMouseProfile(Mouse, &running));
    QCOMPARE(running, mouseTookIt ? pick : before);

    // Within the poll the profile the mouse runs is shown: box and pages
    // agree, the pages reading it when it is not the one they show.
    const FlashDataMap shown = Profile(running);
    QTRY_COMPARE_WITH_TIMEOUT(box->currentIndex(), running, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(DeviceFixture::SameBlock(FlashDataSnapshot(), shown), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!window->waitDialog()->isVisible(), 5000);
    QVERIFY(WaitIdle());
    QVERIFY(FlashDataBelongsToCurrentDevice());
    QCOMPARE(levelText(0), running == 0 ? QString("400") : QString("1200"));
    QCOMPARE(box->currentIndex(), running);
    QCOMPARE(waitRuns, runs + (mouseTookIt ? 1 : 0));
    QCOMPARE(CountCalls("UsbServer_ReadAllFlashData"), mouseTookIt ? 1 : 0);
    QCOMPARE(offline.count(), 0);
    QVERIFY(otherDialogs.isEmpty());
}

QTEST_MAIN(TstProfileSwitch)
#include "tst_profileswitch.moc"
