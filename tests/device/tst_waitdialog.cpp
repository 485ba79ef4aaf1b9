// The wait dialog's read and reset waits, each mode lasting one run.
#include "DeviceTestSupport.h"

#include "device/UpDataParam.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

class TestWaitDialog : public QObject
{
    Q_OBJECT

    void run(UpDataParam &dialog, bool reset)
    {
        dialog.StartTimer();
        if (reset)
            dialog.ResetMode = true;
        dialog.show();
        QTRY_VERIFY(!dialog.isVisible());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        UpDataParam::TimerMs = 10;
        UpDataParam::WaitStepMs = 10;
        UpDataParam::ResetHoldMs = 10;
    }

    void leftToTheWindowManager()
    {
        UpDataParam dialog;
        QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::X11BypassWindowManagerHint));
    }

    void resetModeLastsOneRun()
    {
        UpDataParam dialog;
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        DeviceAnswered = true;
        ButtonPageUpdated = LightPageUpdated = SensorPageUpdated = true;

        run(dialog, true);
        QVERIFY(dialog.lastWaitSucceeded());
        QVERIFY(!dialog.ResetMode);
        // The reset wait leaves the page flags as they are...
        QVERIFY(ButtonPageUpdated && LightPageUpdated && SensorPageUpdated);

        // ...the next plain read wait clears them: the reset mode is gone.
        run(dialog, false);
        QVERIFY(dialog.lastWaitSucceeded());
        QVERIFY(!ButtonPageUpdated && !LightPageUpdated && !SensorPageUpdated);
        QCOMPARE(offline.count(), 0);

        // Pages that never report: the reset wait gives the offline notice,
        // the read wait the time-out notice.
        run(dialog, true);
        run(dialog, false);
        QCOMPARE(offline.count(), 2);
        QCOMPARE(offline.at(0).first().toInt(), 0);
        QCOMPARE(offline.at(1).first().toInt(), 1);
    }

    void onlyTheFirstReadOfAModelCreatesItsCache()
    {
        const QString name = CacheFileName(38, 12);
        DeviceAllInfo info;
        info.Path = QStringLiteral("wired-mouse");
        info.CidMid = 38 | (12 << 8);
        SetCurrentDeviceInfo(info);
        SetCurrentDevicePath(info.Path.toUtf8());
        SetSelectedCacheName(name);
        SetLoadedCacheName(name);
        QFile::remove(CacheFilePath(name));
        DeviceAnswered = true;
        DeviceOnline = true;
        UpDataParam dialog;

        FlashDataMap block{};
        block.DpiLevelCount = 4;
        for (int read = 0; read < 2; ++read) {
            QVERIFY(ReplaceFlashData(block, {info.Path, name}));
            ButtonPageUpdated = LightPageUpdated = SensorPageUpdated = true;
            run(dialog, false);
            FlashDataMap cached;
            QVERIFY(ReadFlashDataCache(name, cached));
            QCOMPARE(int(cached.DpiLevelCount), 4); // the second read leaves the file alone
            block.DpiLevelCount = 5;
        }
        DeviceOnline = false;
    }

    void silentDeviceShowsTheCache()
    {
        FlashDataMap block{};
        block.DpiLevelCount = 3;
        QVERIFY(WriteFlashDataCacheFile(CacheFileName(38, 11), block));
        SetSelectedCacheName(CacheFileName(38, 11));
        DeviceAnswered = false;
        FakePages pages;
        UpDataParam dialog;
        run(dialog, false);
        QCOMPARE(pages.Imported.size(), 1);
        QVERIFY(sameBlock(pages.Imported.first(), block));
        QCOMPARE(pages.Offline, QList<int>{0});
    }
};

QTEST_MAIN(TestWaitDialog)
#include "tst_waitdialog.moc"
