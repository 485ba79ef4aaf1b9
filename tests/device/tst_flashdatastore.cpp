// The parameter block: setters against the simulated mouse, the block's
// owner, and the cache files.
#include "DeviceTestSupport.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>
#include <functional>
#include <thread>

namespace {

struct SetterCase
{
    const char *name;
    std::function<bool()> call;
    std::function<void(FlashDataMap &)> expect;
};

QList<SetterCase> setterCases()
{
    static const unsigned char first[6] = {1, 2, 3, 4, 5, 6};
    static const unsigned char second[6] = {7, 8, 9, 10, 11, 12};
    static const unsigned char entry[3] = {9, 0x41, 0x42};
    // Sound records: what the mouse keeps of them comes back unchanged.
    static KeyEventBlock eventBlock{};
    eventBlock.StrokeCount = 2;
    eventBlock.Strokes[0] = KeyStroke{0, 1, 0x04, 0};
    eventBlock.Strokes[1] = KeyStroke{1, 1, 0x04, 20};
    static MacroRecord macroRecord{};
    macroRecord.MacroNameLength = 3;
    std::memcpy(macroRecord.MacroNameBytes, "abc", 3);
    macroRecord.StrokeCount = 2;
    macroRecord.Strokes[0] = KeyStroke{0, 1, 0x05, 30};
    macroRecord.Strokes[1] = KeyStroke{1, 1, 0x05, 30};
    static const unsigned char *events = reinterpret_cast<const unsigned char *>(&eventBlock);
    static const unsigned char *macro = reinterpret_cast<const unsigned char *>(&macroRecord);
    return {
        {"report rate", [] { return SetReportRate(0x20); },
         [](FlashDataMap &m) { m.ReportRateCode = 0x20; }},
        {"debounce low byte", [] { return SetDebounceTime(0x10C); },
         [](FlashDataMap &m) { m.DebounceMs = 0x0C; }},
        {"angle -30", [] { return SetAngle(-30); },
         [](FlashDataMap &m) {
             m.AngleEnabled = 1;
             m.AngleDegrees = -30;
         }},
        {"dpi led off keeps mode", [] { return SetDpiLedMode(0); },
         [](FlashDataMap &m) { m.DpiLed.EffectOn = 0; }},
        {"dpi led breathing", [] { return SetDpiLedMode(2); },
         [](FlashDataMap &m) {
             m.DpiLed.EffectOn = 1;
             m.DpiLed.EffectMode = 2;
         }},
        {"bar off keeps mode", [] { return SetLedBarMode(0); },
         [](FlashDataMap &m) { m.LedBar.BarOn = 0; }},
        {"bar colour", [] { return SetLedBarColor(1, 2, 3); },
         [](FlashDataMap &m) {
             m.LedBar.ColorR = 1;
             m.LedBar.ColorG = 2;
             m.LedBar.ColorB = 3;
         }},
        {"dpi level code", [] { return SetDpiLevelCode(7, 10, 11, 1); },
         [](FlashDataMap &m) {
             m.DpiLevels[7].XCode = 10;
             m.DpiLevels[7].YCode = 11;
             m.DpiLevels[7].Flags = 1;
         }},
        {"swap equal indices keeps second", [] { return SwapDpiLevels(first, second, 3, 3, 2); },
         [](FlashDataMap &m) {
             std::memcpy(&m.DpiLevels[3], second, 6);
             m.CurrentDpiLevel = 2;
             m.DpiLevelCount = 3;
         }},
        {"key assign", [] { return SetKeyAssign(11, 3, 4, 5); },
         [](FlashDataMap &m) {
             m.Keys[11] = KeyAssign{3, 4, 5};
         }},
        {"key events", [] { return SetKeyEvents(2, entry, events); },
         [](FlashDataMap &m) {
             std::memcpy(&m.Keys[2], entry, 3);
             std::memcpy(&m.KeyEvents[2], events, 52);
         }},
        {"key macro", [] { return SetKeyMacro(5, entry, macro); },
         [](FlashDataMap &m) {
             std::memcpy(&m.Keys[5], entry, 3);
             std::memcpy(&m.Macros[5], macro, 592);
         }},
    };
}

} // namespace

class TestFlashDataStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(UserFolder::makeFolders()); }

    void init()
    {
        SimReset();
        SimClearCallLog();
        ButtonPageFilling = LightPageFilling = SensorPageFilling = false;
        ClearFlashDataOwner();
    }

    void settersReachTheMouse_data()
    {
        QTest::addColumn<int>("index");
        const QList<SetterCase> cases = setterCases();
        for (int i = 0; i < cases.size(); ++i)
            QTest::newRow(cases.at(i).name) << i;
    }

    void settersReachTheMouse()
    {
        QFETCH(int, index);
        FlashDataMap expected = makeWiredCurrent();
        const SetterCase setter = setterCases().at(index);
        setter.expect(expected);

        QVERIFY(setter.call());
        QVERIFY(sameBlock(FlashDataSnapshot(), expected));
        const QByteArray sent = lastBlockSent();
        QCOMPARE(sent.size(), int(sizeof(FlashDataMap)));
        QVERIFY(sameBlock(*reinterpret_cast<const FlashDataMap *>(sent.constData()), expected));
        FlashDataMap kept;
        QVERIFY(SimMouseBlock(1, &kept));
        QVERIFY(sameBlock(kept, expected));
    }

    void offlineMouseGetsNothing_data()
    {
        QTest::addColumn<bool>("filling");
        QTest::newRow("notice") << false;
        QTest::newRow("page filling: quiet") << true;
    }

    void offlineMouseGetsNothing()
    {
        QFETCH(bool, filling);
        const FlashDataMap before = makeWiredCurrent();
        SimPlug(1, false);
        SimClearCallLog();
        SensorPageFilling = filling;
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);

        QVERIFY(!SetReportRate(0x40));
        QVERIFY(!CheckDeviceOnline());
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        QCOMPARE(offline.count(), filling ? 0 : 2);
        if (!filling)
            QCOMPARE(offline.first().first().toInt(), 0);
    }

    void blockOfAnotherDeviceIsNeverSent()
    {
        const FlashDataMap before = makeWiredCurrent();
        // The receiver's mouse becomes current; the block is still the wired one's.
        const QByteArray path(SimDevicePath(0));
        DeviceAllInfo info;
        info.Path = QString::fromUtf8(path);
        info.CidMid = 38 | (11 << 8);
        SetCurrentDeviceInfo(info);
        SetCurrentDevicePath(path);
        UsbServerC_Start(path.constData(), path.constData(), noDeviceEvents);
        SimClearCallLog();
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);

        QVERIFY(!FlashDataBelongsToCurrentDevice());
        QVERIFY(!SetReportRate(0x40));
        QVERIFY(!SendFlashData());
        QVERIFY(!WriteCurrentFlashDataCache());
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        // The mouse answers: its block is not read yet, it is not offline.
        QCOMPARE(offline.count(), 0);
    }

    void formerProfilesBlockIsNeverSent()
    {
        FlashDataMap before = makeWiredCurrent();
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        // The mouse names the block's profile after the read, then again.
        QVERIFY(!NoteDeviceProfile(0));
        QVERIFY(!NoteDeviceProfile(0));
        QVERIFY(SetReportRate(0x20));
        before.ReportRateCode = 0x20;

        // It took profile 2: the block held is profile 1's until read again.
        QVERIFY(NoteDeviceProfile(1));
        SimClearCallLog();
        QVERIFY(FlashDataAwaitingRead());
        QVERIFY(!FlashDataBelongsToCurrentDevice());
        QVERIFY(!SetReportRate(0x40));
        QVERIFY(!SendFlashData());
        QVERIFY(!WriteCurrentFlashDataCache());
        const FlashDataMap answered =
            ApplyDeviceAnswer([](FlashDataMap &m) { m.ReportRateCode = 8; }, true);
        QCOMPARE(int(answered.ReportRateCode), 8);
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        // The mouse is online: the refusal is no offline notice.
        QCOMPARE(offline.count(), 0);
        // A switch while the read is under way asks for another read.
        QVERIFY(NoteDeviceProfile(2));

        // The new profile's read ends the wait.
        FlashDataMap fresh = before;
        fresh.ReportRateCode = 1;
        QVERIFY(ReplaceFlashData(fresh, FlashDataOwner()));
        QVERIFY(!FlashDataAwaitingRead());
        QVERIFY(FlashDataBelongsToCurrentDevice());
        QVERIFY(!NoteDeviceProfile(2));
        QVERIFY(SetReportRate(0x40));
        QCOMPARE(countCalls("ProtocolDataUpdate"), 1);
    }

    void refusedSendReportsFailureAndKeepsBlock()
    {
        const FlashDataMap before = makeWiredCurrent();
        SimRefuseNextCall("ProtocolDataUpdate");
        QVERIFY(!SetLod(3));
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        QVERIFY(SetLod(3));
        QCOMPARE(int(FlashDataSnapshot().LodCode), 3);
    }

    void indexOutsideTheTablesWritesNothing()
    {
        const FlashDataMap before = makeWiredCurrent();
        SimClearCallLog();
        QVERIFY(!SetKeyAssign(16, 1, 1, 1));
        QVERIFY(!SetDpiLevelColor(-1, 1, 1, 1));
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
    }

    void readersNeverWaitForASend()
    {
        const FlashDataMap block = makeWiredCurrent();
        // Another thread holds the block, as a send of the event thread does.
        QSemaphore held;
        QSemaphore release;
        std::thread sender([&] {
            FlashDataMutex().lock();
            held.release();
            release.tryAcquire(1, 5000);
            FlashDataMutex().unlock();
        });
        held.acquire();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(sameBlock(FlashDataSnapshot(), block));
        QVERIFY(FlashDataBelongsToCurrentDevice());
        QVERIFY(WriteCurrentFlashDataCache());
        const qint64 waited = clock.elapsed();
        release.release();
        sender.join();
        QVERIFY2(waited < 4000, "a reader waited for the send");
    }

    void cacheName() { QCOMPARE(CacheFileName(10, 63), QStringLiteral("Device_CID0A_MID3F.bin")); }

    void cacheRoundTripIsByteForByte()
    {
        FlashDataMap block = makeWiredCurrent();
        block.Macros[15].Strokes[69].DelayMs = 0xDEADBEEF;
        QVERIFY(WriteFlashDataCache(CacheFileName(38, 12), block));
        QFile file(CacheFilePath(CacheFileName(38, 12)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.size(), qint64(10452));
        QCOMPARE(file.read(4), QByteArray("\x00\x00\x28\xD0", 4)); // big-endian length
        FlashDataMap read;
        QVERIFY(ReadFlashDataCache(CacheFileName(38, 12), read));
        QVERIFY(sameBlock(read, block));
    }

    void badCacheFilesReadAsAbsent_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray good;
        {
            QDataStream out(&good, QIODevice::WriteOnly);
            out.writeBytes(QByteArray(10448, '\x5A').constData(), 10448);
        }
        QTest::newRow("truncated") << good.left(5000);
        QTest::newRow("trailing bytes") << good + QByteArray(4, '\0');
        QByteArray shortRecord;
        {
            QDataStream out(&shortRecord, QIODevice::WriteOnly);
            out.writeBytes(QByteArray(10447, '\x5A').constData(), 10447);
        }
        QTest::newRow("record of 10447") << shortRecord + QByteArray(1, '\0');
        QTest::newRow("empty") << QByteArray();
    }

    void badCacheFilesReadAsAbsent()
    {
        QFETCH(QByteArray, content);
        QFile file(CacheFilePath(QStringLiteral("Device_CID01_MID01.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        FlashDataMap out;
        std::memset(&out, 0x77, sizeof(out));
        const FlashDataMap before = out;
        QVERIFY(!ReadFlashDataCache(QStringLiteral("Device_CID01_MID01.bin"), out));
        QVERIFY(sameBlock(out, before));
    }

    void cacheIsWrittenOnlyForTheBlocksOwner()
    {
        const FlashDataMap block = makeWiredCurrent();
        const QString other = CacheFileName(38, 11);
        QFile::remove(CacheFilePath(other));
        QVERIFY(!WriteFlashDataCache(other, block));
        QVERIFY(!QFile::exists(CacheFilePath(other)));

        ClearFlashDataOwner();
        QVERIFY(!WriteCurrentFlashDataCache());
        QVERIFY(!QFile::exists(CacheFilePath(CacheFileName(38, 12))) ||
                QFile::remove(CacheFilePath(CacheFileName(38, 12))));
    }
};

QTEST_MAIN(TestFlashDataStore)
#include "tst_flashdatastore.moc"
