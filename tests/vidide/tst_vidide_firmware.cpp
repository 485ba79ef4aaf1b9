// Firmware: boot-mode devices, an upgrade that succeeds, one that fails and
// leaves the device in boot mode, its repair, and the refusal of bad images.

#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QTest>

#include <mutex>

using vidide::FirmwareInfo;

namespace {

struct Packet
{
    int type;
    int value;
    Qt::HANDLE thread;
};

std::mutex packetMutex;
QList<Packet> packets;
QByteArray restartImage; // started again from inside the callback when set
bool restartAccepted = false;

void onUpgrade(const unsigned char *packet)
{
    {
        std::lock_guard<std::mutex> lock(packetMutex);
        if (packet[0] != 7)
            return;
        packets.append({packet[1], packet[2], QThread::currentThreadId()});
    }
    if (packet[1] == 2 && packet[2] != 1 && !restartImage.isEmpty()) {
        const QByteArray image = restartImage;
        restartImage.clear();
        restartAccepted =
            UsbUpgrade_Start(reinterpret_cast<const unsigned char *>(image.constData()), onUpgrade,
                             10000, image.size());
    }
}

QList<Packet> takePackets()
{
    std::lock_guard<std::mutex> lock(packetMutex);
    return packets;
}

int finishedCount()
{
    int count = 0;
    for (const Packet &p : takePackets())
        count += p.type == 2;
    return count;
}

QByteArray image(uint8_t kind, uint8_t mid, const QByteArray &model, uint32_t version)
{
    FirmwareInfo info;
    info.kind = kind;
    info.cid = 38;
    info.mid = mid;
    info.modelName = model;
    info.version = version;
    return vidide::buildFirmwareImage(info, QByteArray(2048, '\x3C'));
}

const QByteArray wiredImage = image(210, 12, "ORVAK-TC1", 0x0107);

bool start(const QByteArray &data, int timeoutMs = 10000)
{
    return UsbUpgrade_Start(reinterpret_cast<const unsigned char *>(data.constData()), onUpgrade,
                            timeoutMs, data.size());
}

int bootDevices(const QByteArray &data)
{
    int count = 5;
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char *>(data.constData()), &count,
                                data.size());
    return count;
}

bool listed(int device)
{
    int count = 5;
    char **paths = UsbFinderC_FindHidDevicesByDefaultDeviceId("", "", &count);
    for (int i = 0; i < count; ++i) {
        if (QByteArray(paths[i]) == SimDevicePath(device))
            return true;
    }
    return false;
}

} // namespace

class tst_vidide_firmware : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        SimReset(true);
        SimSetUpgradeTiming(0, 1);
        std::lock_guard<std::mutex> lock(packetMutex);
        packets.clear();
        restartImage.clear();
        restartAccepted = false;
    }
    void cleanup() { QVERIFY(SimWaitIdle(3000)); }

    void upgradeSucceeds_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("wired mouse") << 1 << wiredImage;
        QTest::newRow("4K receiver") << 0 << image(211, 11, "ORVAK-RX4K", 0x0109);
    }
    void upgradeSucceeds()
    {
        QFETCH(int, device);
        QFETCH(QByteArray, data);
        QCOMPARE(bootDevices(data), 0);
        QVERIFY(start(data));
        QTRY_COMPARE(finishedCount(), 1);
        const auto got = takePackets();
        QCOMPARE(got.size(), 12); // progress 0, 10, ..., 100, then finished
        for (int i = 0; i <= 10; ++i) {
            QCOMPARE(got[i].type, 1);
            QCOMPARE(got[i].value, 10 * i);
        }
        QCOMPARE(got.last().value, 1);
        QVERIFY(got.last().thread != QThread::currentThreadId());
        QCOMPARE(SimFirmwareVersion(device), device == 1 ? 0x0107 : 0x0109);
        QVERIFY(!SimIsBootMode(device));
        QVERIFY(listed(device));
    }

    void failedUpgradeLeavesBootModeUntilRepaired()
    {
        SimSetUpgradeFault(SimUpgradeFault::FailAt, 40);
        QVERIFY(start(wiredImage));
        QTRY_COMPARE(finishedCount(), 1);
        QCOMPARE(takePackets().last().value, 0);
        QCOMPARE(takePackets().size(), 5); // 0, 10, 20, 30, failure
        QVERIFY(SimIsBootMode(1));
        QVERIFY(!listed(1));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(SimDevicePath(1)));
        QCOMPARE(SimMouseVersion(1), 0x0106); // unchanged

        SimReset(); // a new run: the mouse is still without firmware
        SimSetUpgradeTiming(0, 1);
        QVERIFY(SimIsBootMode(1));
        QCOMPARE(bootDevices(wiredImage), 1);
        QCOMPARE(bootDevices(image(210, 11, "ORVAK-TW1", 0x0107)), 0);

        QVERIFY(start(wiredImage));
        QTRY_COMPARE(finishedCount(), 2);
        QCOMPARE(takePackets().last().value, 1);
        QVERIFY(!SimIsBootMode(1));
        QVERIFY(listed(1));
        QCOMPARE(SimMouseVersion(1), 0x0107);
    }

    void successBeforeFullProgress()
    {
        // Callers must take a success packet whenever it comes, not only after 100 %.
        SimSetUpgradeFault(SimUpgradeFault::FinishEarly, 30);
        QVERIFY(start(wiredImage));
        QTRY_COMPARE(finishedCount(), 1);
        const auto got = takePackets();
        QCOMPARE(got.size(), 4); // 0, 10, 20, success
        QCOMPARE(got.last().type, 2);
        QCOMPARE(got.last().value, 1);
        QVERIFY(!SimIsBootMode(1));
        QCOMPARE(SimMouseVersion(1), 0x0107);
    }

    void repairStartedFromInsideTheCallback()
    {
        SimSetUpgradeFault(SimUpgradeFault::UnplugAt, 50);
        restartImage = image(211, 11, "ORVAK-RX4K", 0x0110);
        QVERIFY(start(wiredImage));
        QTRY_COMPARE(finishedCount(), 2);
        QVERIFY(restartAccepted);
        QCOMPARE(takePackets().last().value, 1);
        QCOMPARE(SimFirmwareVersion(0), 0x0110);
        // The mouse unplugged mid-flash is gone and still in boot mode.
        QVERIFY(SimIsBootMode(1));
        QCOMPARE(bootDevices(wiredImage), 0);
        QVERIFY(SimPlug(1, true));
        QCOMPARE(bootDevices(wiredImage), 1);
    }

    void hangEndsAtTheTimeOut()
    {
        SimSetUpgradeFault(SimUpgradeFault::Hang, 20);
        QVERIFY(start(wiredImage, 30));
        QTRY_COMPARE(finishedCount(), 1);
        QCOMPARE(takePackets().last().value, 0);
        QCOMPARE(takePackets().size(), 3); // 0, 10, failure
    }

    void badImagesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("length");
        QByteArray corrupt = wiredImage;
        corrupt[900] = char(corrupt[900] ^ 1);
        QByteArray badTag = wiredImage;
        badTag[0] = 'X';
        QTest::newRow("shorter than the header") << wiredImage.left(700) << 700;
        QTest::newRow("header only") << wiredImage.left(728) << 728;
        QTest::newRow("truncated body") << wiredImage << wiredImage.size() - 1;
        QTest::newRow("corrupt body") << corrupt << corrupt.size();
        QTest::newRow("foreign tag") << badTag << badTag.size();
        QTest::newRow("no device takes it") << image(210, 99, "ORVAK-XX", 0x0200) << 2048 + 728;
        QTest::newRow("null") << QByteArray() << 0;
    }
    void badImagesAreRefused()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, length);
        const auto *bytes =
            data.isEmpty() ? nullptr : reinterpret_cast<const unsigned char *>(data.constData());
        QVERIFY(!UsbUpgrade_Start(bytes, onUpgrade, 10000, length));
        QVERIFY(!SimIsBootMode(1));
        QVERIFY(SimWaitIdle(1000));
        QVERIFY(takePackets().isEmpty());
        int count = 5;
        if (length < 728) {
            QVERIFY(!UsbUpgradeC_FindBootDevices(bytes, &count, length));
            QCOMPARE(count, 0);
        }
    }

    void badArgumentsAreRefused()
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(wiredImage.constData());
        QVERIFY(!UsbUpgrade_Start(bytes, nullptr, 10000, wiredImage.size()));
        QVERIFY(!UsbUpgrade_Start(bytes, onUpgrade, 0, wiredImage.size()));
        QVERIFY(!UsbUpgradeC_FindBootDevices(bytes, nullptr, wiredImage.size()));
    }

    void twoIdenticalDevicesAreNotGuessed()
    {
        QString error;
        QVERIFY(!SimLoadDevices("{\"devices\": [{\"kind\": \"wired\"}]}", &error));
        QVERIFY(!error.isEmpty());
        const QByteArray set = R"({"devices": [
            {"kind": "wired", "vid": "0x3A7C", "pid": "0x7C02",
             "mouse": {"key": "a", "cid": 38, "mid": 12, "model": "ORVAK-TC1", "version": "0x0102"}},
            {"kind": "wired", "vid": "0x3A7C", "pid": "0x7C02",
             "mouse": {"key": "b", "cid": 38, "mid": 12, "model": "ORVAK-TC1", "version": "0x0102"}}]})";
        QVERIFY2(SimLoadDevices(set, &error), qPrintable(error));
        QCOMPARE(SimDeviceCount(), 2);
        SimSetUpgradeTiming(0, 1);
        QVERIFY(!start(wiredImage));
        QVERIFY(SimPlug(1, false));
        QVERIFY(start(wiredImage));
        QTRY_COMPARE(finishedCount(), 1);
        QCOMPARE(SimMouseVersion(0), 0x0107);
    }
};

QTEST_GUILESS_MAIN(tst_vidide_firmware)
#include "tst_vidide_firmware.moc"
