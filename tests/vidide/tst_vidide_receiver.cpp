// Discovery, receiver features, pairing and the refusal of bad input.

#include "EventRecorder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimState.h"
#include "platform/vidide/VidIde.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

class tst_vidide_receiver : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SimReset(true);
        SimSetAnswerDelay(0);
        EventRecorder::instance().clear();
    }
    void cleanup()
    {
        UsbServer_Exit();
        QVERIFY(SimWaitIdle(3000));
    }

    void finderListsTheDefaultSet_data()
    {
        QTest::addColumn<QByteArray>("vid");
        QTest::addColumn<QByteArray>("pid");
        QTest::addColumn<int>("device");    // -1: nothing found
        QTest::addColumn<int>("anyVendor"); // found by the product id alone
        QTest::newRow("4K receiver") << QByteArray("0x3A7C") << QByteArray("0x7C40") << 0 << 1;
        QTest::newRow("wired, no prefix") << QByteArray("3a7c") << QByteArray("7c02") << 1 << 1;
        QTest::newRow("other product") << QByteArray("0x3A7C") << QByteArray("0x7C10") << -1 << 0;
        QTest::newRow("other vendor") << QByteArray("0x1234") << QByteArray("0x7C40") << -1 << 1;
        QTest::newRow("not a number") << QByteArray("zz") << QByteArray("0x7C40") << -1 << 1;
    }
    void finderListsTheDefaultSet()
    {
        QFETCH(QByteArray, vid);
        QFETCH(QByteArray, pid);
        QFETCH(int, device);
        QFETCH(int, anyVendor);
        int count = 5;
        char **paths =
            UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(), &count);
        QVERIFY(paths);
        QCOMPARE(count, device < 0 ? 0 : 1);
        if (device >= 0)
            QCOMPARE(QByteArray(paths[0]), QByteArray(SimDevicePath(device)));
        count = 5;
        UsbFinderC_FindHidDevicesByDeviceId("", pid.constData(), 1, 8, &count);
        QCOMPARE(count, anyVendor);
    }

    void identityAndAttributes()
    {
        const DeviceIdentity receiver = UsbFinderC_GetDeviceInfo(SimDevicePath(0), 0);
        QCOMPARE(int(receiver.CustomerId), 38);
        QCOMPARE(int(receiver.ModelId), 11);
        QCOMPARE(int(receiver.ConnectionType), 1);
        const DeviceIdentity wired = UsbFinderC_GetDeviceInfo(SimDevicePath(1), 0);
        QCOMPARE(int(wired.ModelId), 12);
        QVERIFY((wired.ConnectionType & 0xFA) != 0);

        QVERIFY(SimSetIdentityZeroCalls(0, 9));
        for (int i = 0; i < 9; ++i)
            QCOMPARE(int(UsbFinderC_GetDeviceInfo(SimDevicePath(0), 0).ModelId), 0);
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(SimDevicePath(0), 0).ModelId), 11);

        UsbDeviceAttribute attr{};
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(SimDevicePath(0), &attr));
        QCOMPARE(int(attr.ReleaseNumber), 0x0104);
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(SimDevicePath(1), &attr));
        QCOMPARE(int(attr.ReleaseNumber), SimMouseVersion(1));
        QCOMPARE(UsbFinderC_GetVersion(SimDevicePath(0)), SimMouseVersion(0));
        int slave = 0;
        QVERIFY(UsbFinderC_GetSlaveVersion(SimDevicePath(0), &slave));
        QCOMPARE(slave, SimMouseVersion(0));
    }

    void onlineStateAndAddress()
    {
        unsigned char buffer[10];
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));
        QVERIFY(SimSetMouseOnline(0, false));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));
        // The receiver still answers its address while its mouse is away.
        std::memset(buffer, 0xEE, sizeof(buffer));
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(SimDevicePath(0), buffer));
        QCOMPARE(int(buffer[6]), 0);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer + 7), 3), QByteArray("\x12\x34\x56"));
        // Reads of an absent mouse are refused, nothing is answered.
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(!UsbServer_ReadAllFlashData());
        FlashDataMap map{};
        QVERIFY(!ProtocolDataUpdate(&map));
        QVERIFY(SimSetMouseOnline(0, true));
        QVERIFY(UsbServer_ReadConfig());
        QVERIFY(EventRecorder::instance().waitFor(1));
        QCOMPARE(EventRecorder::instance().events().size(), 1);
    }

    void badPathsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("isNull");
        QTest::newRow("null") << QByteArray() << true;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("placeholder") << QByteArray("a") << false;
        QTest::newRow("unknown") << QByteArray("/dev/orvak/hid-0000-0000-9") << false;
    }
    void badPathsAreRefused()
    {
        QFETCH(QByteArray, path);
        QFETCH(bool, isNull);
        const char *p = isNull ? nullptr : path.constData();
        unsigned char buffer[10] = {};
        unsigned char probe = 0x73;
        int value = 0;
        DongleRGB rgb{};
        LedBarBlock bar{};
        DongleIndicatorLed leds{};
        UsbDeviceAttribute attr{};
        const ReceiverId id{};
        QVERIFY(!UsbFinderC_GetDeviceOnLine(p));
        QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress(p, buffer));
        QCOMPARE(int(buffer[6]), 0);
        QVERIFY(!UsbFinderC_GetUsbDeviceAttribute(p, &attr));
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(p, 0).CustomerId), 0);
        QCOMPARE(UsbFinderC_GetVersion(p), 0);
        QVERIFY(!UsbFinderC_GetSlaveVersion(p, &value));
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(p, &rgb));
        QVERIFY(!UsbFinderC_Set4KDongleRGB(p, &rgb));
        QVERIFY(!UsbFinderC_GetLongRangeMode(p, &probe));
        QCOMPARE(int(probe), 0x73);
        QVERIFY(!UsbFinderC_SetLongRangeMode(p, true));
        QVERIFY(!UsbFinderC_GetDongleRGBBarMode(p, &bar));
        QVERIFY(!UsbFinderC_SetDongleRGBBarMode(p, &bar));
        QVERIFY(!UsbFinderC_GetDongleIndicatorLed(p, &leds));
        QVERIFY(!UsbFinderC_SetDongleIndicatorLed(p, &leds));
        QVERIFY(!UsbFinderC_SetDongleIDToMouse(p, &id));
        QVERIFY(!UsbFinderC_OpenDevice(p));
        QVERIFY(!UsbServerC_Start(p, p, EventRecorder::callback));
        QVERIFY(!UsbServer_ReadAllFlashData());
    }

    void nullBuffersAreRefused()
    {
        const char *receiver = SimDevicePath(0);
        QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress(receiver, nullptr));
        QVERIFY(!UsbFinderC_GetUsbDeviceAttribute(receiver, nullptr));
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(receiver, nullptr));
        QVERIFY(!UsbFinderC_GetLongRangeMode(receiver, nullptr));
        QVERIFY(!UsbFinderC_GetSlaveVersion(receiver, nullptr));
        QVERIFY(UsbFinderC_FindHidDevicesByDefaultDeviceId("0x3A7C", "0x7C40", nullptr) == nullptr);
        QVERIFY(!UsbServerC_Start(receiver, receiver, nullptr));
        QVERIFY(!UsbServerC_Start(receiver, SimDevicePath(1), EventRecorder::callback));
        QVERIFY(!GetDeviceBatteryStatus(nullptr, nullptr));
        QVERIFY(UsbFinderC_OpenDevice(receiver));
        unsigned char packet[40] = {0x0A, 0x00, 0x10, 0x07, 0xEA, 12, 10};
        unsigned char answer[40] = {};
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(packet, answer, 1));
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(nullptr, answer, 40));
        QVERIFY(UsbFinderC_ReadWriteDeviceData(packet, answer, 40));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(answer), 7),
                 QByteArray(reinterpret_cast<char *>(packet), 7));
    }

    void receiverFeatures()
    {
        const char *receiver = SimDevicePath(0);
        const char *wired = SimDevicePath(1);
        DongleRGB rgb{};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(receiver, &rgb));
        QCOMPARE(int(rgb.IndicatorMode), 1);
        rgb.IndicatorMode = 3;
        QVERIFY(UsbFinderC_Set4KDongleRGB(receiver, &rgb));
        rgb.IndicatorMode = 4;
        QVERIFY(!UsbFinderC_Set4KDongleRGB(receiver, &rgb));
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(wired, &rgb));
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(receiver, &rgb));
        QCOMPARE(int(rgb.IndicatorMode), 3);

        unsigned char probe = 0x73;
        QVERIFY(UsbFinderC_SetLongRangeMode(receiver, false));
        QVERIFY(UsbFinderC_GetLongRangeMode(receiver, &probe));
        QCOMPARE(int(probe), 0);
        QVERIFY(UsbFinderC_SetLongRangeMode(receiver, true));
        QVERIFY(UsbFinderC_GetLongRangeMode(receiver, &probe));
        QCOMPARE(int(probe), 1);

        LedBarBlock bar{3, 10, 20, 30, 0, 9, 1};
        QVERIFY(UsbFinderC_SetDongleRGBBarMode(receiver, &bar));
        LedBarBlock bad = bar;
        bad.BarSpeed = 10;
        QVERIFY(!UsbFinderC_SetDongleRGBBarMode(receiver, &bad));
        QVERIFY(!UsbFinderC_SetDongleRGBBarMode(wired, &bar));
        LedBarBlock read{};
        QVERIFY(UsbFinderC_GetDongleRGBBarMode(receiver, &read));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(&read), 7),
                 QByteArray(reinterpret_cast<char *>(&bar), 7));

        DongleIndicatorLed leds{{1, 2, 3}};
        QVERIFY(UsbFinderC_SetDongleIndicatorLed(receiver, &leds));
        DongleIndicatorLed badLeds{{0, 4, 0}};
        QVERIFY(!UsbFinderC_SetDongleIndicatorLed(receiver, &badLeds));
        DongleIndicatorLed readLeds{};
        QVERIFY(UsbFinderC_GetDongleIndicatorLed(receiver, &readLeds));
        QCOMPARE(int(readLeds.Led[2]), 3);

        // The receiver's identity written into the wired mouse.
        const ReceiverId id{{0x56, 0x34, 0x12}, 0, 1};
        QVERIFY(!UsbFinderC_SetDongleIDToMouse(receiver, &id));
        QVERIFY(UsbFinderC_SetDongleIDToMouse(wired, &id));
        ReceiverId stored{};
        QVERIFY(SimReceiverId(1, &stored));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(&stored), 5),
                 QByteArray(reinterpret_cast<const char *>(&id), 5));
        unsigned char buffer[10] = {};
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(wired, buffer));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer + 7), 3), QByteArray("\x12\x34\x56"));

        // What the receiver keeps survives a new run.
        SimReset();
        QVERIFY(UsbFinderC_GetDongleIndicatorLed(receiver, &readLeds));
        QCOMPARE(int(readLeds.Led[0]), 1);
    }

    void pairing_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("polls");
        QTest::newRow("paired after one poll") << 3 << 1;
        QTest::newRow("failed at once") << 2 << 0;
    }
    void pairing()
    {
        QFETCH(int, outcome);
        QFETCH(int, polls);
        QVERIFY(SimSetMouseOnline(0, false));
        SimSetPairOutcome(outcome, polls);
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        QVERIFY(!UsbServer_EnterDonglePairOnlyCid(37));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(38));
        for (int i = 0; i <= polls; ++i)
            QVERIFY(UsbServer_ReadDonglePairStatus());
        QVERIFY(EventRecorder::instance().waitFor(polls + 2));
        const auto events = EventRecorder::instance().events();
        for (int i = 0; i < events.size(); ++i) {
            QCOMPARE(events[i].code, int(VidEventPairStatus));
            QCOMPARE(events[i].payload.size(), 1);
            QCOMPARE(int(events[i].payload[0]), i == events.size() - 1 ? outcome : 1);
        }
        QCOMPARE(UsbFinderC_GetDeviceOnLine(SimDevicePath(0)), outcome == 3);
        // Pairing is a receiver's business.
        QVERIFY(UsbServerC_Start(SimDevicePath(1), SimDevicePath(1), EventRecorder::callback));
        QVERIFY(!UsbServer_EnterDonglePairOnlyCid(38));
    }

    void deviceSetFromEnvironment()
    {
        qputenv("ORVAK_SIM_DEVICES", ORVAK_TEST_DATA "/vidide/receiver_variants.json");
        SimReset(true);
        qunsetenv("ORVAK_SIM_DEVICES");
        QCOMPARE(SimDeviceCount(), 4);
        const int types[] = {0, 4, 5};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(int(UsbFinderC_GetDeviceInfo(SimDevicePath(i), 0).ConnectionType), types[i]);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(0)));
        // Only the 4K receiver has the single-indicator record.
        DongleRGB rgb{};
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(SimDevicePath(2), &rgb));
        // The 8K receiver's mouse also answers on its cable, with that receiver's address.
        QVERIFY(UsbFinderC_GetDeviceOnLine(SimDevicePath(3)));
        unsigned char buffer[10] = {};
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(SimDevicePath(3), buffer));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(buffer + 7), 3), QByteArray("\x01\x02\x03"));
        unsigned char probe = 0x73;
        QVERIFY(UsbFinderC_GetLongRangeMode(SimDevicePath(2), &probe));
        QCOMPARE(int(probe), 1);
        SimReset(true);
        QCOMPARE(SimDeviceCount(), 2);
    }

    // A device-set file larger than any set can be, or one that never ends,
    // is refused without being read whole: the built-in set comes up.
    void oversizedDeviceSetIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("padded beyond the bound") << "padded";
        QTest::newRow("endless") << "endless";
        QTest::newRow("more devices than a bus holds") << "crowded";
    }

    void oversizedDeviceSetIsRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath("set.json");
        if (kind == "endless") {
            path = "/dev/zero";
        } else {
            QFile source(ORVAK_TEST_DATA "/vidide/receiver_variants.json");
            QVERIFY(source.open(QIODevice::ReadOnly));
            QByteArray json = source.readAll();
            if (kind == "padded") {
                json += QByteArray(int(vidide::MaxDeviceSetFileBytes), ' ');
            } else {
                QByteArray devices;
                for (int i = 0; i <= vidide::MaxSimDevices; ++i)
                    devices += QByteArray(i ? "," : "") +
                               "{\"kind\": \"wired\", \"mouse\": {\"cid\": 38, \"mid\": 12}}";
                json = "{\"devices\": [" + devices + "]}";
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(json), qint64(json.size()));
        }
        qputenv("ORVAK_SIM_DEVICES", QFile::encodeName(path));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("device set"));
        SimReset(true);
        qunsetenv("ORVAK_SIM_DEVICES");
        QCOMPARE(SimDeviceCount(), 2);
    }

    void faultsAndCallLog()
    {
        QVERIFY(UsbServerC_Start(SimDevicePath(0), SimDevicePath(0), EventRecorder::callback));
        SimClearCallLog();
        SimRefuseNextCall("UsbServer_ReadVersion");
        QVERIFY(!UsbServer_ReadVersion());
        SimDropNextAnswer("UsbServer_ReadConfig");
        QVERIFY(UsbServer_ReadConfig());
        QVERIFY(UsbServer_ReadVersion());
        QVERIFY(EventRecorder::instance().waitFor(1));
        QVERIFY(SimWaitIdle(1000));
        QCOMPARE(EventRecorder::instance().events().size(), 1);
        QCOMPARE(EventRecorder::instance().events().first().code, int(VidEventVersion));
        const auto log = SimCallLog();
        QCOMPARE(log.size(), 3);
        QCOMPARE(log[1].function, QStringLiteral("UsbServer_ReadConfig"));
        QCOMPARE(log[1].thread, QThread::currentThreadId());

        // Any event can be injected, also one the device would never send.
        EventRecorder::instance().clear();
        QVERIFY(SimInjectEvent(QByteArray("\0\x08", 2), QByteArray(6911, '\0')));
        QVERIFY(EventRecorder::instance().waitFor(1));
        QCOMPARE(EventRecorder::instance().events().first().headerLength, 2);
        QCOMPARE(EventRecorder::instance().events().first().payload.size(), 6911);

        // A lost request is taken but never reaches the mouse: no change, no answer.
        QVERIFY(SimWaitIdle(1000));
        EventRecorder::instance().clear();
        int before = -1;
        QVERIFY(SimMouseProfile(0, &before));
        SimLoseNextCall("UsbServer_SetCurrentConfig");
        QVERIFY(UsbServer_SetCurrentConfig(uint8_t((before + 1) % 4)));
        QVERIFY(SimWaitIdle(1000));
        int after = -1;
        QVERIFY(SimMouseProfile(0, &after));
        QCOMPARE(after, before);
        QVERIFY(EventRecorder::instance().events().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_vidide_receiver)
#include "tst_vidide_receiver.moc"
