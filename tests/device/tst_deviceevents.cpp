// The device event callback on the simulated devices: each event code and
// payload length, the reset follow-up with its clearing of spare macro slots,
// the limit of one whole-block re-read per settings-change interval, and the
// online poll.
#include "DeviceTestSupport.h"

#include "platform/Registry.h"
#include "platform/vidide/Checksum.h"

#include <QMutex>
#include <QMutexLocker>
#include <QTimer>
#include <QtTest>

#include <cstddef>
#include <cstring>

namespace {

// What the hub told, in order, recorded on the emitting thread. Nothing here
// blocks, so the library thread never waits for the test thread.
class EventLog : public QObject
{
    Q_OBJECT

public:
    EventLog()
    {
        PostMsg *hub = PostMsg::GetInstance();
        const auto direct = Qt::DirectConnection;
        connect(
            hub, &PostMsg::SigBattery, this,
            [this](bool c, int n, bool t) {
                add(QStringLiteral("battery %1 %2 %3").arg(c).arg(n).arg(t));
            },
            direct);
        connect(
            hub, &PostMsg::SigUpDataReportRate, this,
            [this](int v) { add(QStringLiteral("rate %1").arg(v)); }, direct);
        connect(
            hub, &PostMsg::SigUpDataDPI, this,
            [this](int v) { add(QStringLiteral("dpi %1").arg(v)); }, direct);
        connect(
            hub, &PostMsg::SigUpDataDPILed, this,
            [this](FlashDataMap m) {
                add(QStringLiteral("dpiled %1 %2").arg(m.DpiLed.EffectMode).arg(m.DpiLed.EffectOn));
            },
            direct);
        connect(
            hub, &PostMsg::SigUpDataLightLight, this,
            [this](FlashDataMap m) { add(QStringLiteral("bar %1").arg(m.LedBar.BarMode)); },
            direct);
        connect(
            hub, &PostMsg::SigUpDataConfigUI, this,
            [this](int a, int b, bool c) {
                add(QStringLiteral("config %1 %2 %3").arg(a).arg(b).arg(c));
            },
            direct);
        connect(
            hub, &PostMsg::SigLongRangeMode, this,
            [this](bool on) { add(QStringLiteral("longrange %1").arg(on)); }, direct);
        connect(
            hub, &PostMsg::SigRGBValue, this,
            [this](DongleRGB *rgb) { add(QStringLiteral("rgb %1").arg(rgb->IndicatorMode)); },
            direct);
        connect(
            hub, &PostMsg::SigSetver, this,
            [this](int v) { add(QStringLiteral("setver %1").arg(v)); }, direct);
        connect(
            hub, &PostMsg::SigUpDataParam, this,
            [this](int v) { add(QStringLiteral("param %1").arg(v)); }, direct);
        connect(
            hub, &PostMsg::SigForm, this, [this] { add(QStringLiteral("form")); }, direct);
        connect(
            hub, &PostMsg::SigIsUsb, this,
            [this](bool usb, bool vs) { add(QStringLiteral("usb %1 %2").arg(usb).arg(vs)); },
            direct);
    }

    QStringList take()
    {
        QMutexLocker locker(&Mutex);
        const QStringList lines = Lines;
        Lines.clear();
        return lines;
    }
    int count(const QString &line)
    {
        QMutexLocker locker(&Mutex);
        return Lines.count(line);
    }

private:
    void add(const QString &line)
    {
        QMutexLocker locker(&Mutex);
        Lines.append(line);
    }
    QMutex Mutex;
    QStringList Lines;
};

QByteArray header(int code, int sub = 0, int reserved = 0)
{
    QByteArray h(VidEventHeaderLength, '\0');
    h[1] = char(code);
    h[3] = char(reserved);
    h[4] = char(sub);
    return h;
}

// A payload whose last byte is the device's check byte.
QByteArray checked(QByteArray bytes)
{
    bytes.append(char(vidide::sumCheck(reinterpret_cast<const unsigned char *>(bytes.constData()),
                                       size_t(bytes.size()))));
    return bytes;
}

} // namespace

class TestDeviceEvents : public QObject
{
    Q_OBJECT

    Worker *worker = nullptr;
    EventLog *log = nullptr;

    // Makes `device` current, binds it with OnDeviceEvent and reads its block.
    void bindAndRead(int device)
    {
        const DeviceAllInfo info = simDeviceRecord(device);
        SetCurrentDeviceInfo(info);
        SetCurrentDevicePath(info.Path.toUtf8());
        const QByteArray path = info.Path.toUtf8();
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
        QVERIFY(UsbServer_ReadAllFlashData());
        QVERIFY(SimWaitIdle(5000));
        QVERIFY(FlashDataBelongsToCurrentDevice());
        log->take();
        SimClearCallLog();
    }

    bool inject(const QByteArray &hdr, const QByteArray &payload)
    {
        return SimInjectEvent(hdr, payload) && SimWaitIdle(5000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        SimReset(true);
        worker = new Worker;
        OnlineCheckTimer->stop(); // the tests run the poll themselves
        log = new EventLog;
    }

    void cleanupTestCase()
    {
        UsbServer_Exit();
        worker->Shutdown(2000);
        delete worker;
        delete log;
    }

    void init()
    {
        SimReset(true);
        ClearUnusedMacros = false;
        SkipReceiverQueries = false;
        bindAndRead(0);
    }

    void eventsByCodeAndLength_data()
    {
        QTest::addColumn<QByteArray>("hdr");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("rate");  // ReportRateCode afterwards, -1 unchanged
        QTest::addColumn<int>("sends"); // blocks sent back

        const QByteArray one(1, char(0x20));
        QTest::newRow("battery") << header(4) << checked(QByteArray("\x50\x01\x00", 3))
                                 << QStringList{"battery 1 80 1"} << -1 << 0;
        QTest::newRow("battery failing its check")
            << header(4) << QByteArray("\x50\x01\x00\x00", 4) << QStringList{} << -1 << 0;
        QTest::newRow("report rate") << header(8, 0) << one << QStringList{"rate 32"} << 0x20 << 1;
        QTest::newRow("two-byte header is sub 0")
            << header(8).left(2) << one << QStringList{"rate 32"} << 0x20 << 1;
        QTest::newRow("reserved byte set") << header(8, 0, 1) << one << QStringList{} << -1 << 0;
        QTest::newRow("dpi level")
            << header(8, 4) << QByteArray(1, '\x03') << QStringList{"dpi 3"} << -1 << 1;
        QTest::newRow("dpi light")
            << header(8, 0x4C) << checked(QByteArray("\x01\x02\x80\x03\x00\x00\x00", 7))
            << QStringList{"dpiled 2 1"} << -1 << 0;
        QTest::newRow("dpi light failing its check")
            << header(8, 0x4C) << QByteArray(8, '\x01') << QStringList{} << -1 << 0;
        QTest::newRow("light bar")
            << header(8, 0xA0) << checked(QByteArray("\x01\x04\x10\x20\x30\x02\x03\x00", 8))
            << QStringList{"bar 4"} << -1 << 0;
        QTest::newRow("block of 6911 bytes")
            << header(8, 0) << QByteArray(6911, '\0') << QStringList{} << -1 << 0;
        QTest::newRow("block of 6913 bytes")
            << header(8, 0) << QByteArray(6913, '\0') << QStringList{} << -1 << 0;
        QTest::newRow("unknown sub") << header(8, 7) << one << QStringList{} << -1 << 0;
        QTest::newRow("profile") << header(14) << QByteArray(1, '\x02')
                                 << QStringList{"config 4 2 1"} << -1 << 0;
        QTest::newRow("profile of 2 bytes")
            << header(14) << QByteArray(2, '\x02') << QStringList{"config 0 0 0"} << -1 << 0;
        QTest::newRow("long range dropped")
            << header(23) << QByteArray(10, '\x01') << QStringList{"longrange 0"} << -1 << 0;
        QTest::newRow("long range of 9 bytes")
            << header(23) << QByteArray(9, '\x01') << QStringList{} << -1 << 0;
        QTest::newRow("receiver light")
            << header(21) << QByteArray() << QStringList{"rgb 0"} << -1 << 0;
        QTest::newRow("unknown code") << header(99) << one << QStringList{} << -1 << 0;
    }

    void eventsByCodeAndLength()
    {
        QFETCH(QByteArray, hdr);
        QFETCH(QByteArray, payload);
        QFETCH(QStringList, told);
        QFETCH(int, rate);
        QFETCH(int, sends);
        const FlashDataMap before = FlashDataSnapshot();
        CurrentDongleRGB->IndicatorMode = 0;

        QVERIFY(inject(hdr, payload));
        QCOMPARE(log->take(), told);
        QCOMPARE(countCalls("ProtocolDataUpdate"), sends);
        const FlashDataMap after = FlashDataSnapshot();
        QCOMPARE(int(after.ReportRateCode), rate < 0 ? int(before.ReportRateCode) : rate);
        if (sends > 0)
            QVERIFY(sameBlock(*reinterpret_cast<const FlashDataMap *>(lastBlockSent().constData()),
                              after));
        if (told.isEmpty())
            QVERIFY(sameBlock(after, before));
    }

    // The device window's link icon follows what the full read tells: the
    // cable picture for a wired mouse, the receiver picture otherwise.
    void fullReadTellsTheLinkType_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("told");
        QTest::newRow("4K receiver") << 0 << "usb 0 1";
        QTest::newRow("wired") << 1 << "usb 1 1";
    }

    void fullReadTellsTheLinkType()
    {
        QFETCH(int, device);
        QFETCH(QString, told);
        bindAndRead(device);
        QCOMPARE(CurrentDeviceInfo.Wired, device == 1);
        QVERIFY(UsbServer_ReadAllFlashData());
        QVERIFY(SimWaitIdle(5000));
        const QStringList lines = log->take();
        QCOMPARE(lines.filter(QStringLiteral("usb ")), QStringList{told});
    }

    void versionIsKeptAndRecorded()
    {
        QVERIFY(inject(header(18), QByteArray(2, '\0')));
        QCOMPARE(log->take(), QStringList{"setver 0"});
        const QString text = VersionText(SimMouseVersion(0));
        QTRY_COMPARE(CurrentDeviceInfo.MouseVersionText, text);
        QCOMPARE(Registry::instance()
                     ->value(Registry::mouseDriveTestKey(), QStringLiteral("MouseVer3811"))
                     .toString(),
                 text);
    }

    void resetClearsSpareMacroSlotsOnce_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QStringList>("told"); // by the reset follow-up (Drive<n>/Adveanced)
        QTest::addColumn<bool>("longRange");
        QTest::newRow("4K receiver: indicator and long range on")
            << 0 << QStringList{"rgb 1", "longrange 1"} << true;
        QTest::newRow("wired: long range off, no indicator")
            << 1 << QStringList{"longrange 0"} << false;
    }

    void resetClearsSpareMacroSlotsOnce()
    {
        QFETCH(int, device);
        QFETCH(QStringList, told);
        QFETCH(bool, longRange);
        if (device != 0)
            bindAndRead(device);

        // The mouse holds a key sequence and a macro from before the reset.
        KeyEventBlock events{};
        events.StrokeCount = 1;
        events.Strokes[0] = KeyStroke{0, 1, 0x04, 0};
        MacroRecord macro{};
        macro.MacroNameLength = 1;
        macro.MacroNameBytes[0] = 'm';
        macro.StrokeCount = 1;
        macro.Strokes[0] = KeyStroke{0, 1, 0x05, 10};
        const unsigned char entry[3] = {5, 0, 0};
        QVERIFY(SetKeyEvents(1, entry, reinterpret_cast<const unsigned char *>(&events)));
        QVERIFY(SetKeyMacro(3, entry, reinterpret_cast<const unsigned char *>(&macro)));
        QVERIFY(UsbServer_SetBatteryOptimizeEnable(false));
        QVERIFY(SimWaitIdle(5000));
        const FlashDataMap held = FlashDataSnapshot();
        log->take();
        SimClearCallLog();

        // Reset done: the follow-up re-reads the block and the first full read
        // clears every key sequence and macro (no Drive slot defaults to a
        // macro), keeps the key table and asks the receiver nothing.
        QVERIFY(inject(header(9), QByteArray(1, '\0')));
        const QStringList lines = log->take();
        QCOMPARE(lines.mid(0, told.size()), told);
        QVERIFY(lines.contains("form"));
        QVERIFY(SimBatteryOptimize(device));
        QCOMPARE(SimLongRange(device), longRange);
        QCOMPARE(countCalls("UsbServer_ReadAllFlashData"), 1);
        QCOMPARE(countCalls("UsbFinderC_Get4KDongleRGBValue"), 0);
        QCOMPARE(countCalls("UsbFinderC_GetLongRangeMode"), 0);
        QVERIFY(!ClearUnusedMacros && !SkipReceiverQueries);

        FlashDataMap kept;
        QVERIFY(SimMouseBlock(device, &kept));
        const FlashDataMap now = FlashDataSnapshot();
        QVERIFY(sameBlock(kept, now));
        QVERIFY(std::memcmp(&now.Keys, &held.Keys, sizeof(now.Keys)) == 0);
        const QByteArray zeros(int(sizeof(now) - offsetof(FlashDataMap, KeyEvents)), '\0');
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&now.KeyEvents), zeros.size()), zeros);

        // The next ordinary read asks the receiver again and clears nothing.
        QVERIFY(SetKeyMacro(3, entry, reinterpret_cast<const unsigned char *>(&macro)));
        SimClearCallLog();
        QVERIFY(UsbServer_ReadAllFlashData());
        QVERIFY(SimWaitIdle(5000));
        QCOMPARE(countCalls("UsbFinderC_GetLongRangeMode"), 1);
        QCOMPARE(countCalls("UsbFinderC_Get4KDongleRGBValue"), device == 0 ? 1 : 0);
        QCOMPARE(int(FlashDataSnapshot().Macros[3].StrokeCount), 1);
    }

    void spareSlotsFollowTheDefaultKeys_data()
    {
        QTest::addColumn<QList<int>>("macroSlots"); // KeyParam lists starting with "0x05"
        QTest::newRow("none kept") << QList<int>{};
        QTest::newRow("first key kept") << QList<int>{0};
        QTest::newRow("third and sixth kept") << QList<int>{2, 5};
    }

    void spareSlotsFollowTheDefaultKeys()
    {
        QFETCH(QList<int>, macroSlots);
        QList<QStringList> lists;
        for (int i = 0; i < 6; ++i)
            lists.append(macroSlots.contains(i) ? QStringList{"0x05", "0x00", "0x00"}
                                                : QStringList{"0x01", "0x01", "0x00"});
        lists[1] = QStringList{}; // an empty list keeps nothing
        FlashDataMap block;
        std::memset(&block, 0x5A, sizeof(block));
        const FlashDataMap before = block;

        QCOMPARE(ClearSpareMacroSlots(block, lists), macroSlots);
        QVERIFY(std::memcmp(&block, &before, offsetof(FlashDataMap, KeyEvents)) == 0);
        for (int j = 0; j < 16; ++j) {
            const bool kept = macroSlots.contains(j);
            const KeyEventBlock zeroEvents{};
            const MacroRecord zeroMacro{};
            QCOMPARE(std::memcmp(&block.KeyEvents[j], &zeroEvents, sizeof(zeroEvents)) == 0, !kept);
            QCOMPARE(std::memcmp(&block.Macros[j], &zeroMacro, sizeof(zeroMacro)) == 0, !kept);
        }
    }

    void settingsChangeRereadsOncePerInterval()
    {
        // The block holds the profile the mouse runs, and no profile read is
        // pending from the events injected before: the change is no switch.
        bindAndRead(0);
        ProfileReadPending = false;
        RelinkPending = false;
        Worker::SettingsRefreshMs = 300;
        DevicePageActive = 1;
        DeviceOnline = true;
        DeviceWentOffline = false;
        ReloadWhenOnline = false;
        ParamUpdateRunning = false;
        QTest::qWait(Worker::SettingsRefreshMs + 50); // past the interval since the last one

        // A change of the whole block: re-read through the poll.
        QVERIFY(SimChangeSettingsOnDevice(0));
        QVERIFY(SimWaitIdle(5000));
        QVERIFY(ReloadWhenOnline && SettingsRefreshPending);
        SimClearCallLog();
        log->take();
        QVERIFY(QMetaObject::invokeMethod(worker, "SlotCheckOnline"));
        QTRY_COMPARE(countCalls("UsbServer_ReadAllFlashData"), 1);
        QTRY_VERIFY(!worker->isRunning());
        QVERIFY(SimWaitIdle(5000));
        QCOMPARE(log->count("param 1"), 1); // the wait dialog's refresh mode
        QVERIFY(!SettingsRefreshPending);

        // Another one within the interval is not read again.
        QVERIFY(SimChangeSettingsOnDevice(0));
        QVERIFY(SimWaitIdle(5000));
        QVERIFY(!ReloadWhenOnline && !SettingsRefreshPending);
        QVERIFY(QMetaObject::invokeMethod(worker, "SlotCheckOnline"));
        QTest::qWait(50);
        QVERIFY(!worker->isRunning());
        QCOMPARE(countCalls("UsbServer_ReadAllFlashData"), 1);

        // After the interval the next change is read again.
        QTest::qWait(Worker::SettingsRefreshMs + 50);
        QVERIFY(SimChangeSettingsOnDevice(0));
        QVERIFY(SimWaitIdle(5000));
        QVERIFY(QMetaObject::invokeMethod(worker, "SlotCheckOnline"));
        QTRY_COMPARE(countCalls("UsbServer_ReadAllFlashData"), 2);
        QTRY_VERIFY(!worker->isRunning());
        QVERIFY(SimWaitIdle(5000));
        QCOMPARE(log->count("param 1"), 2);
        DevicePageActive = 0;
        Worker::SettingsRefreshMs = 3000;
    }

    void onlinePoll_data()
    {
        QTest::addColumn<int>("pageActive");
        QTest::addColumn<int>("receiverType");
        QTest::addColumn<bool>("online");
        QTest::addColumn<bool>("stillPending"); // DeviceWentOffline afterwards
        QTest::addColumn<int>("closed");        // SigCloseOffOnline
        QTest::newRow("chooser, 1K receiver: kept") << 0 << 0 << false << true << 0;
        QTest::newRow("chooser, 4K receiver: dropped") << 0 << 1 << false << false << 0;
        QTest::newRow("device page, still silent") << 1 << 1 << false << true << 0;
        QTest::newRow("device page, back") << 1 << 1 << true << false << 1;
    }

    void onlinePoll()
    {
        QFETCH(int, pageActive);
        QFETCH(int, receiverType);
        QFETCH(bool, online);
        QFETCH(bool, stillPending);
        QFETCH(int, closed);
        DeviceAllInfo info = CurrentDeviceInfo;
        info.ReceiverType = uint8_t(receiverType);
        SetCurrentDeviceInfo(info);
        QVERIFY(SimSetMouseOnline(0, online));
        DevicePageActive = pageActive;
        DeviceWentOffline = true;
        ReloadWhenOnline = false;
        LastRunOnline = true;
        QSignalSpy closes(PostMsg::GetInstance(), &PostMsg::SigCloseOffOnline);

        QVERIFY(QMetaObject::invokeMethod(worker, "SlotCheckOnline"));
        QCOMPARE(bool(DeviceWentOffline), stillPending);
        QCOMPARE(closes.count(), closed);
        if (pageActive == 1) {
            QCOMPARE(bool(DeviceOnline), online);
            QVERIFY(!LastRunOnline); // the next pass binds again
        }
        DevicePageActive = 0;
        QVERIFY(SimSetMouseOnline(0, true));
    }
};

QTEST_MAIN(TestDeviceEvents)
#include "tst_deviceevents.moc"
