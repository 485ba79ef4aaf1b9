// The whole road on the simulated devices: chooser, choice, read on the
// worker thread, wait dialog, cache file, setters, offline, back to the chooser.
#include "DeviceTestSupport.h"

#include "device/UpDataParam.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "common/mytoolButtonEnter.h"

class TestDeviceRoad : public QObject
{
    Q_OBJECT

    Worker *worker = nullptr;
    FakePages *pages = nullptr;
    MainWindowStub *mainWindow = nullptr;
    UpDataParam *waitDialog = nullptr;
    DialogChange *chooser = nullptr;
    int waitRuns = 0;

    FlashDataMap mouseBlock(int device)
    {
        FlashDataMap block;
        SimMouseBlock(device, &block);
        return block;
    }

    // Clicks the chooser's button of the device whose path is `path`.
    void clickDevice(const char *path)
    {
        for (mytoolButtonEnter *button : chooser->deviceButtons()) {
            const int n = button->deviceIndex();
            if (FoundDevices.at(n).Path == QString::fromUtf8(path)) {
                button->click();
                return;
            }
        }
        QFAIL("device not on the chooser");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        UpDataParam::TimerMs = 50;
        UpDataParam::WaitStepMs = 50;
        UpDataParam::ResetHoldMs = 10;
        DialogChange::SelectPauseMs = 0;
        SimReset();
        worker = new Worker;
        pages = new FakePages;
        mainWindow = new MainWindowStub;
        waitDialog = new UpDataParam;
        // The device window's use of the wait dialog.
        connect(PostMsg::GetInstance(), &PostMsg::SigUpDataParam, this, [this](int index) {
            ++waitRuns;
            waitDialog->StartTimer();
            if (index == 1)
                waitDialog->ResetMode = true;
            waitDialog->show();
        });
        chooser = new DialogChange;
    }

    void cleanupTestCase()
    {
        StopUsbChanged();
        delete chooser;
        worker->Shutdown(2000);
        delete worker;
    }

    void chooserListsDevicesAndFollowsPlugging()
    {
        QCOMPARE(FoundDevices.size(), 2);
        QCOMPARE(chooser->deviceButtons().size(), 2);
        int receiver = FoundDevices.at(0).Wired ? 1 : 0;
        const int wired = 1 - receiver;
        QCOMPARE(int(FoundDevices.at(receiver).ReceiverType), 1);
        QVERIFY(chooser->linkIcons().at(receiver)->styleSheet().contains("OnLineWifi.png"));
        QVERIFY(chooser->linkIcons().at(wired)->styleSheet().contains("OnLineUsb.png"));
        QVERIFY(!chooser->linkIcons().at(receiver)->isHidden());
        QVERIFY(chooser->deviceButtons().at(receiver)->styleSheet().contains("OnLine0.png"));
        // Only the receiver has a report-rate class; the wired type 2 has no badge.
        QCOMPARE(chooser->rateBadges().size(), 1);
        QVERIFY(chooser->rateBadges().first()->styleSheet().contains("4KHz.png"));
        QCOMPARE(chooser->deviceButtons().at(1)->pos(), QPoint(445, 0));

        QVERIFY(SimPlug(1, false));
        QTRY_COMPARE(FoundDevices.size(), 1);
        QCOMPARE(chooser->deviceButtons().size(), 1);
        QCOMPARE(chooser->deviceButtons().first()->pos(), QPoint(305, 0));

        // A mouse whose receiver answers but which is itself silent.
        QVERIFY(SimSetMouseOnline(0, false));
        RefreshFoundDevice(0);
        QVERIFY(!chooser->offlineIcons().first()->isHidden());
        QVERIFY(chooser->deviceButtons().first()->styleSheet().contains("DisOnlin0.png"));
        QVERIFY(SimSetMouseOnline(0, true));

        QVERIFY(SimPlug(1, true));
        QTRY_COMPARE(FoundDevices.size(), 2);
    }

    void choosingReadsTheBlockOnTheWorkerThread()
    {
        SimClearCallLog();
        pages->ButtonBlocks.clear();
        const int runsBefore = waitRuns;
        clickDevice(SimDevicePath(0));
        QCOMPARE(mainWindow->Page, 1);
        QCOMPARE(DevicePageActive.load(), 1);

        QTRY_COMPARE(pages->ButtonBlocks.size(), 1);
        QVERIFY(sameBlock(pages->ButtonBlocks.first(), mouseBlock(0)));
        QTRY_VERIFY(pages->Forms > 0);
        for (const SimCallRecord &call : SimCallLog()) {
            if (call.function == QLatin1String("UsbServer_ReadAllFlashData"))
                QVERIFY(call.thread != QThread::currentThreadId());
        }
        QVERIFY(FlashDataBelongsToCurrentDevice());

        // The wait dialog closes once the pages reported, and the first read
        // of the model creates its cache file.
        QTRY_COMPARE(waitRuns, runsBefore + 1);
        QTRY_VERIFY(!waitDialog->isVisible());
        QVERIFY(waitDialog->lastWaitSucceeded());
        QVERIFY(!pages->Offline.contains(1));
        const QString cache = CacheFileName(38, 11);
        QTRY_VERIFY(QFile::exists(CacheFilePath(cache)));
        FlashDataMap cached;
        QVERIFY(ReadFlashDataCache(cache, cached));
        QVERIFY(sameBlock(cached, mouseBlock(0)));
    }

    void setterReachesTheMouseAndOfflineSendsNothing()
    {
        SimClearCallLog();
        QVERIFY(SetReportRate(0x40));
        QCOMPARE(int(mouseBlock(0).ReportRateCode), 0x40);
        QCOMPARE(lastBlockSent().at(0), char(0x40));

        QVERIFY(SimSetMouseOnline(0, false));
        SimClearCallLog();
        pages->Offline.clear();
        QVERIFY(!SetReportRate(8));
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
        QCOMPARE(pages->Offline, QList<int>{0});
        QCOMPARE(int(mouseBlock(0).ReportRateCode), 0x40);
        QVERIFY(SimSetMouseOnline(0, true));
    }

    void unpluggingTheDeviceReturnsToTheChooser()
    {
        pages->PageChanges.clear();
        QVERIFY(SimPlug(0, false));
        QTRY_COMPARE(mainWindow->Page, 0);
        QVERIFY(pages->PageChanges.contains(0));
        QCOMPARE(DevicePageActive.load(), 0);
        QTRY_COMPARE(FoundDevices.size(), 1);
        QVERIFY(SimPlug(0, true));
        QTRY_COMPARE(FoundDevices.size(), 2);
    }

    void silentMouseShowsItsCacheAndLaterReadsArrive()
    {
        QVERIFY(SimSetMouseOnline(0, false));
        pages->ButtonBlocks.clear();
        pages->FormResets = 0;
        FlashDataMap cached;
        QVERIFY(ReadFlashDataCache(CacheFileName(38, 11), cached));
        clickDevice(SimDevicePath(0));
        // The cache of the model stands in for the silent mouse.
        QTRY_COMPARE(pages->ButtonBlocks.size(), 1);
        QVERIFY(sameBlock(pages->ButtonBlocks.first(), cached));
        QVERIFY(DeviceWentOffline);

        // A pass requested while one is busy (held in its blocking emit) is
        // not lost: it runs when the busy one has ended. The choice's own
        // passes end first, or the forced one would be taken for one of them.
        QTRY_VERIFY(!worker->isRunning());
        QCoreApplication::processEvents();
        QVERIFY(!worker->isRunning());
        SimClearCallLog();
        LastRunOnline = !DeviceOnline; // force the next pass to bind
        worker->RequestRun();
        QThread::msleep(100); // the pass now waits for this thread
        QVERIFY(worker->isRunning());
        worker->RequestRun();
        SettingsRefreshPending = true;
        QTRY_COMPARE(countCalls("UsbServerC_Start"), 2);
        QTRY_VERIFY(!worker->isRunning());
        SettingsRefreshPending = false;

        // The mouse comes back: the online poll closes the offline notice and,
        // as the notice asked, reads the mouse again.
        QVERIFY(SimSetMouseOnline(0, true));
        pages->ButtonBlocks.clear();
        ReloadWhenOnline = true;
        QSignalSpy closed(PostMsg::GetInstance(), &PostMsg::SigCloseOffOnline);
        QVERIFY(QMetaObject::invokeMethod(worker, "SlotCheckOnline"));
        QCOMPARE(closed.count(), 1);
        QVERIFY(!DeviceWentOffline);
        QTRY_COMPARE(pages->ButtonBlocks.size(), 1);
        QVERIFY(sameBlock(pages->ButtonBlocks.first(), mouseBlock(0)));
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    }

    void readThatNeverReportsTimesOut()
    {
        pages->ReportUpdated = false;
        ButtonPageUpdated = LightPageUpdated = SensorPageUpdated = false;
        pages->Offline.clear();
        const int runsBefore = waitRuns;
        clickDevice(SimDevicePath(1));
        QTRY_COMPARE(waitRuns, runsBefore + 1);
        QTRY_VERIFY(pages->Offline.contains(1));
        QVERIFY(!waitDialog->lastWaitSucceeded());
        pages->ReportUpdated = true;
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    }
};

QTEST_MAIN(TestDeviceRoad)
#include "tst_deviceroad.moc"
