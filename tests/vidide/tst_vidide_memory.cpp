// Answers of the mouse: codes and exact payload lengths, the compact memory
// format's round trip through ProtocolDataUpdate and ProtocolDataParser, its
// persistence, factory reset and onboard profiles.

#include "EventRecorder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimState.h"
#include "platform/vidide/VidIde.h"

#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <cstring>

using Request = bool (*)();
Q_DECLARE_METATYPE(Request)

namespace {

bool setProfile2()
{
    return UsbServer_SetCurrentConfig(2);
}

// A block with every field the program reads or writes inside its limits;
// the bytes the program never interprets are random too, as they must travel
// unchanged.
FlashDataMap randomBlock(QRandomGenerator &random)
{
    FlashDataMap map;
    std::memset(&map, 0, sizeof(map));
    auto *head = reinterpret_cast<unsigned char *>(&map);
    for (int i = 0; i < 0x90; ++i)
        head[i] = static_cast<unsigned char>(random.bounded(256));
    static const uint8_t kinds[4] = {0, 1, 2, 4};
    auto stroke = [&](KeyStroke &s, uint32_t maxDelay) {
        s.Action = static_cast<uint8_t>(random.bounded(2));
        s.Kind = kinds[random.bounded(4)];
        s.Code = static_cast<uint16_t>(random.bounded(65536));
        s.DelayMs = random.bounded(maxDelay + 1);
    };
    for (KeyEventBlock &block : map.KeyEvents) {
        block.StrokeCount = random.bounded(7);
        for (uint32_t i = 0; i < block.StrokeCount; ++i)
            stroke(block.Strokes[i], 65535);
    }
    for (MacroRecord &macro : map.Macros) {
        macro.MacroNameLength = static_cast<uint8_t>(random.bounded(31));
        for (int i = 0; i < macro.MacroNameLength; ++i)
            macro.MacroNameBytes[i] = static_cast<uint8_t>(1 + random.bounded(255));
        macro.StrokeCount = static_cast<uint8_t>(random.bounded(71));
        for (int i = 0; i < macro.StrokeCount; ++i)
            stroke(macro.Strokes[i], (1u << 22) - 1);
    }
    return map;
}

QByteArray bytesOf(const FlashDataMap &map)
{
    return QByteArray(reinterpret_cast<const char *>(&map), sizeof(map));
}

} // namespace

class tst_vidide_memory : public QObject
{
    Q_OBJECT

private:
    // Reads the whole block of the bound device through an event.
    bool readBlock(FlashDataMap *map)
    {
        // The answer of an earlier call (a profile switch) may still be on its
        // way, so look for the block among whatever arrives.
        EventRecorder::instance().clear();
        if (!UsbServer_ReadAllFlashData())
            return false;
        for (int seen = 1; EventRecorder::instance().waitFor(seen); ++seen) {
            const RecordedEvent event = EventRecorder::instance().events().at(seen - 1);
            if (event.code != VidEventParameters || event.sub != VidSubBlock)
                continue;
            std::memset(map, 0, sizeof(*map));
            return ProtocolDataParser(
                reinterpret_cast<const unsigned char *>(event.payload.constData()), map,
                event.payload.size());
        }
        return false;
    }

private slots:
    void init()
    {
        SimReset(true);
        SimSetAnswerDelay(0);
        EventRecorder::instance().clear();
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
    }
    void cleanup()
    {
        UsbServer_Exit();
        QVERIFY(SimWaitIdle(3000));
    }

    void answerCodesAndLengths_data()
    {
        QTest::addColumn<Request>("request");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("sub");
        QTest::addColumn<int>("length");
        QTest::newRow("whole block") << Request(&UsbServer_ReadAllFlashData) << 8 << 0 << 6912;
        QTest::newRow("report rate") << Request(&UsbServer_ReadReportRate) << 8 << 0 << 1;
        QTest::newRow("DPI level") << Request(&UsbServer_ReadCurrentDPI) << 8 << 4 << 1;
        QTest::newRow("DPI light") << Request(&UsbServer_ReadDPILed) << 8 << 0x4C << 8;
        QTest::newRow("light bar") << Request(&UsbServer_ReadLedBar) << 8 << 0xA0 << 9;
        QTest::newRow("battery") << Request(&UsbServer_ReadBatteryLevel) << 4 << 0 << 4;
        QTest::newRow("profile") << Request(&UsbServer_ReadConfig) << 14 << 0 << 1;
        QTest::newRow("profile set") << Request(&setProfile2) << 14 << 0 << 1;
        QTest::newRow("version") << Request(&UsbServer_ReadVersion) << 18 << 0 << 2;
        QTest::newRow("reset done") << Request(&UsbServer_SetClearSetting) << 9 << 0 << 1;
        // Raised by the devices themselves.
        QTest::newRow("status change")
            << Request([] { return SimPressDpiButton(0); }) << 10 << 0 << 1;
        QTest::newRow("receiver light")
            << Request([] { return SimSetIndicatorOnDevice(0, 2); }) << 21 << 0 << 10;
        QTest::newRow("long range off")
            << Request([] { return SimDropLongRangeOnDevice(0); }) << 23 << 0 << 10;
    }
    void answerCodesAndLengths()
    {
        QFETCH(Request, request);
        QFETCH(int, code);
        QFETCH(int, sub);
        QFETCH(int, length);
        QVERIFY(request());
        QVERIFY(EventRecorder::instance().waitFor(1));
        QVERIFY(SimWaitIdle(1000));
        const auto events = EventRecorder::instance().events();
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].headerLength, int(VidEventHeaderLength));
        QCOMPARE(events[0].code, code);
        QCOMPARE(events[0].sub, sub);
        QCOMPARE(events[0].payload.size(), length);
    }

    void decodersGiveWhatTheMouseHolds()
    {
        QVERIFY(SimSetBattery(0, 42, true));
        FlashDataMap expected;
        QVERIFY(SimMouseBlock(0, &expected));
        QVERIFY(UsbServer_ReadBatteryLevel());
        QVERIFY(UsbServer_ReadDPILed());
        QVERIFY(UsbServer_ReadLedBar());
        QVERIFY(EventRecorder::instance().waitFor(4)); // the battery change raised event 10
        unsigned char battery[4] = {9, 9, 9, 9};
        DpiLedBlock led{};
        LedBarBlock bar{};
        unsigned char flags[7] = {};
        for (const RecordedEvent &e : EventRecorder::instance().events()) {
            const auto *p = reinterpret_cast<const unsigned char *>(e.payload.constData());
            if (e.code == VidEventBattery)
                QVERIFY(GetDeviceBatteryStatus(p, battery));
            else if (e.code == VidEventStatusChanged)
                QVERIFY(GetDeviceStatusChanged(p, flags));
            else if (e.sub == VidSubDpiLed)
                QVERIFY(BufferToDPILed(p, &led));
            else if (e.sub == VidSubLedBar)
                QVERIFY(BufferToLedBar(p, &bar));
        }
        QCOMPARE(int(battery[0]), 42);
        QCOMPARE(int(battery[1]), 1);
        QCOMPARE(int(flags[6]), 1);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(&led), 4),
                 QByteArray(reinterpret_cast<char *>(&expected.DpiLed), 4));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(&bar), 7),
                 QByteArray(reinterpret_cast<char *>(&expected.LedBar), 7));
    }

    void randomBlocksRoundTrip()
    {
        QRandomGenerator random(20261210);
        for (int round = 0; round < 40; ++round) {
            const FlashDataMap sent = randomBlock(random);
            QVERIFY(ProtocolDataUpdate(&sent));
            FlashDataMap read;
            QVERIFY(readBlock(&read));
            QCOMPARE(bytesOf(read), bytesOf(sent));
        }
        // The block the library logged is the one handed over.
        const auto log = SimCallLog();
        int updates = 0;
        for (const SimCallRecord &record : log)
            updates += record.function == QLatin1String("ProtocolDataUpdate") &&
                       record.data.size() == int(sizeof(FlashDataMap));
        QCOMPARE(updates, 40);
    }

    void parserRefusesDamagedOrShortPayloads()
    {
        FlashDataMap read;
        QVERIFY(readBlock(&read));
        QByteArray payload = EventRecorder::instance().events().first().payload;
        auto *data = reinterpret_cast<unsigned char *>(payload.data());
        FlashDataMap untouched;
        std::memset(&untouched, 0x5A, sizeof(untouched));
        FlashDataMap target = untouched;
        QVERIFY(!ProtocolDataParser(data, &target, payload.size() - 1));
        QVERIFY(!ProtocolDataParser(nullptr, &target));
        QVERIFY(!ProtocolDataParser(data, nullptr));
        payload[100] = char(payload[100] ^ 0x40);
        QVERIFY(!ProtocolDataParser(data, &target, payload.size()));
        QCOMPARE(bytesOf(target), bytesOf(untouched));
        QVERIFY(!ProtocolDataUpdate(nullptr));
    }

    void memoryPersistsAcrossRuns()
    {
        QRandomGenerator random(7);
        const FlashDataMap sent = randomBlock(random);
        QVERIFY(ProtocolDataUpdate(&sent));
        QVERIFY(QFile::exists(SimStateFile()));
        SimReset(); // a new run: the devices come back from the state file
        FlashDataMap kept;
        QVERIFY(SimMouseBlock(0, &kept));
        QCOMPARE(bytesOf(kept), bytesOf(sent));
        // A damaged state file: the mouse keeps factory settings, and the
        // file is kept beside, not written over by the next save.
        const QString keptAside = SimStateFile() + ".bad";
        QFile::remove(keptAside);
        QFile file(SimStateFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
        file.close();
        SimReset();
        QVERIFY(SimMouseBlock(0, &kept));
        QCOMPARE(int(kept.DpiLevelCount), 8);
        QVERIFY(SimSetBootMode(1, false)); // any change saves the state
        QFile aside(keptAside);
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), QByteArray("{ not json"));
        QFile state(SimStateFile());
        QVERIFY(state.open(QIODevice::ReadOnly));
        QVERIFY(QJsonDocument::fromJson(state.readAll()).isObject());
    }

    // A state file beyond what the library ever writes, or one that never
    // ends, is refused without being read whole: the mouse keeps its factory
    // settings.
    void oversizedStateFileIsRefused_data()
    {
        QTest::addColumn<bool>("endless");
        QTest::newRow("padded beyond the bound") << false;
        QTest::newRow("endless") << true;
    }

    void oversizedStateFileIsRefused()
    {
        QFETCH(bool, endless);
        QRandomGenerator random(11);
        FlashDataMap sent = randomBlock(random);
        sent.DpiLevelCount = 3;
        QVERIFY(ProtocolDataUpdate(&sent));
        QFile file(SimStateFile());
        if (endless) {
            QVERIFY(file.remove());
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), SimStateFile()));
        } else {
            // Still the valid state, only followed by white space.
            QVERIFY(file.open(QIODevice::Append));
            const QByteArray spaces(1 << 20, ' ');
            while (file.size() <= vidide::MaxStateFileBytes)
                QCOMPARE(file.write(spaces), qint64(spaces.size()));
            file.close();
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("state file .* refused"));
        SimReset();
        FlashDataMap kept;
        QVERIFY(SimMouseBlock(0, &kept));
        QCOMPARE(int(kept.DpiLevelCount), 8);
        QFile::remove(SimStateFile());
    }

    void resetRestoresFactorySettings()
    {
        FlashDataMap factory;
        QVERIFY(readBlock(&factory));
        QCOMPARE(int(factory.DpiLevelCount), 8);
        QCOMPARE(int(factory.Keys[5].Category), 2);
        QRandomGenerator random(11);
        const FlashDataMap changed = randomBlock(random);
        QVERIFY(ProtocolDataUpdate(&changed));
        EventRecorder::instance().clear();
        QVERIFY(UsbServer_SetClearSetting());
        QVERIFY(EventRecorder::instance().waitFor(1));
        QCOMPARE(EventRecorder::instance().events().first().code, int(VidEventResetDone));
        FlashDataMap after;
        QVERIFY(readBlock(&after));
        QCOMPARE(bytesOf(after), bytesOf(factory));
    }

    void profilesAreSeparateMemories()
    {
        QRandomGenerator random(3);
        const FlashDataMap first = randomBlock(random);
        QVERIFY(ProtocolDataUpdate(&first));
        QVERIFY(UsbServer_SetCurrentConfig(1));
        QVERIFY(!UsbServer_SetCurrentConfig(4));
        FlashDataMap second;
        QVERIFY(readBlock(&second));
        QVERIFY(bytesOf(second) != bytesOf(first));
        // A profile switch on the mouse itself raises a status change (settings).
        EventRecorder::instance().clear();
        QVERIFY(SimSwitchProfileOnDevice(0, 0));
        QVERIFY(EventRecorder::instance().waitFor(1));
        unsigned char flags[7] = {};
        QVERIFY(GetDeviceStatusChanged(
            reinterpret_cast<const unsigned char *>(
                EventRecorder::instance().events().first().payload.constData()),
            flags));
        QCOMPARE(int(flags[2]), 1);
        FlashDataMap back;
        QVERIFY(readBlock(&back));
        QCOMPARE(bytesOf(back), bytesOf(first));
    }

    void dpiButtonRaisesStatusChange()
    {
        FlashDataMap before;
        QVERIFY(SimMouseBlock(0, &before));
        QVERIFY(SimPressDpiButton(0));
        QVERIFY(EventRecorder::instance().waitFor(1));
        const RecordedEvent event = EventRecorder::instance().events().first();
        QCOMPARE(event.code, int(VidEventStatusChanged));
        unsigned char flags[7] = {};
        QVERIFY(GetDeviceStatusChanged(
            reinterpret_cast<const unsigned char *>(event.payload.constData()), flags));
        QCOMPARE(int(flags[0]), 1);
        EventRecorder::instance().clear();
        QVERIFY(UsbServer_ReadCurrentDPI());
        QVERIFY(EventRecorder::instance().waitFor(1));
        QCOMPARE(int(EventRecorder::instance().events().first().payload[0]),
                 (before.CurrentDpiLevel + 1) % before.DpiLevelCount);
    }
};

QTEST_GUILESS_MAIN(tst_vidide_memory)
#include "tst_vidide_memory.moc"
