// The firmware image finders against image files of a test folder: which
// file each scan keeps, short and damaged files, and the version rules.
#include "common/ConfigIniStore.h"
#include "device/DeviceState.h"
#include "platform/vidide/FirmwareImage.h"
#include "settings/FirmwareImages.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

const int Cid = 38;
const int Mid = 11;
const QString MouseName = QStringLiteral("ORVAK-TW1");

QByteArray image(quint32 version, int kind = FirmwareKindMouse,
                 const QByteArray &name = "ORVAK-TW1", int cid = Cid, int mid = Mid)
{
    vidide::FirmwareInfo info;
    info.version = version;
    info.kind = uint8_t(kind);
    info.cid = uint8_t(cid);
    info.mid = uint8_t(mid);
    info.modelName = name;
    return vidide::buildFirmwareImage(info, QByteArray(256, char(version & 0xFF)));
}

} // namespace

class TstFirmwareImages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanupTestCase();

    void versionText_data();
    void versionText();
    void imageTable_data();
    void imageTable();
    void highestVersionWins();
    void installedVersionRules_data();
    void installedVersionRules();
    void unreadableFileEndsTheScan();
    void oversizedFileIsSkipped_data();
    void oversizedFileIsSkipped();
    void noFolder();
    void newFirmwareOfCurrentDevice_data();
    void newFirmwareOfCurrentDevice();

private:
    void write(const QString &name, const QByteArray &bytes);
    std::unique_ptr<QTemporaryDir> dir;
};

void TstFirmwareImages::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    SetFirmwareFolder(dir->path());
}

void TstFirmwareImages::cleanupTestCase()
{
    SetFirmwareFolder(QString());
}

void TstFirmwareImages::write(const QString &name, const QByteArray &bytes)
{
    QFile file(dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

void TstFirmwareImages::versionText_data()
{
    QTest::addColumn<quint32>("version");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.05") << quint32(0x0105) << "v1.05";
    QTest::newRow("hex minor") << quint32(0x010A) << "v1.0A";
    QTest::newRow("2.03") << quint32(0x0203) << "v2.03";
    QTest::newRow("big major") << quint32((258u << 8) | 0x0C) << "v258.0C";
}

void TstFirmwareImages::versionText()
{
    QFETCH(quint32, version);
    QFETCH(QString, text);
    QCOMPARE(FirmwareVersionText(version), text);
}

// One file in the folder; installed version v1.00.
void TstFirmwareImages::imageTable_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("offered");

    const QByteArray good = image(0x0106);
    QTest::newRow("good image") << good << true;
    QTest::newRow("700-byte file") << good.left(700) << false;
    QTest::newRow("header only") << good.left(728) << false;

    // The header claims a longer body than the file holds.
    QByteArray longBody = good;
    qToLittleEndian<quint32>(quint32(good.size()),
                             longBody.data() + vidide::FirmwareBodyLengthOffset);
    QTest::newRow("lying body length") << longBody << false;
    QByteArray badBody = good;
    badBody[good.size() - 1] = char(badBody.at(good.size() - 1) ^ 0x5A);
    QTest::newRow("body fails its check") << badBody << false;
    QByteArray badTag = good;
    badTag[0] = 'X';
    QTest::newRow("foreign tag") << badTag << false;

    QTest::newRow("receiver kind") << image(0x0106, FirmwareKindReceiver) << false;
    QTest::newRow("other customer") << image(0x0106, FirmwareKindMouse, "ORVAK-TW1", 39) << false;
    QTest::newRow("other model id")
        << image(0x0106, FirmwareKindMouse, "ORVAK-TW1", Cid, 12) << false;
    QTest::newRow("name case differs") << image(0x0106, FirmwareKindMouse, "orvak-tw1") << false;
    QTest::newRow("name longer") << image(0x0106, FirmwareKindMouse, "ORVAK-TW1X") << false;
}

void TstFirmwareImages::imageTable()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, offered);
    write("a.bin", file);
    write("notes.txt", image(0x0107)); // not an image name

    QCOMPARE(LoadUpgradeImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid), offered);
    QCOMPARE(UpgradeImage().isEmpty(), !offered);
    if (offered)
        QCOMPARE(UpgradeImage(), file);
    QCOMPARE(LoadRepairImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid), offered);
    QCOMPARE(RepairImage().isEmpty(), !offered);
    QCOMPARE(FindNewerImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid), offered);
}

void TstFirmwareImages::highestVersionWins()
{
    write("a.bin", image(0x0106));
    write("B.bin", image(0x0108));
    write("c.bin", image(0x0107));           // last by name, yet older
    write("d.bin", image(0x0109).left(700)); // skipped, the scan goes on
    QVERIFY(LoadUpgradeImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid));
    QCOMPARE(ImageVersionText(UpgradeImage()), QString("v1.08"));
    QVERIFY(LoadRepairImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QCOMPARE(ImageVersionText(RepairImage()), QString("v1.08"));

    // A scan that finds nothing empties its own list only.
    QVERIFY(!LoadUpgradeImage(FirmwareKindReceiver, "v1.00", MouseName, Cid, Mid));
    QVERIFY(UpgradeImage().isEmpty());
    QCOMPARE(ImageVersionText(RepairImage()), QString("v1.08"));
}

void TstFirmwareImages::installedVersionRules_data()
{
    QTest::addColumn<QList<quint32>>("versions"); // files a.bin, b.bin, ... in order
    QTest::addColumn<QString>("installed");
    QTest::addColumn<bool>("upgrade");
    QTest::addColumn<QString>("upgradeKept");
    QTest::addColumn<bool>("repair");
    QTest::addColumn<QString>("repairKept");
    QTest::addColumn<bool>("newer");

    QTest::newRow("same version") << QList<quint32>{0x0105} << "v1.05" << false << "" << false << ""
                                  << false;
    QTest::newRow("nothing installed")
        << QList<quint32>{0x0105} << "" << true << "v1.05" << true << "v1.05" << false;
    // An older image is never an upgrade; a repair may put it back.
    QTest::newRow("older version")
        << QList<quint32>{0x0104} << "v1.05" << false << "" << true << "v1.04" << false;
    QTest::newRow("older beside newer")
        << QList<quint32>{0x0106, 0x0104} << "v1.05" << true << "v1.06" << true << "v1.06" << true;
    // Hex minors are versions like any other: v1.0B is offered to a v1.0A device.
    QTest::newRow("hex minors") << QList<quint32>{0x010B, 0x0106} << "v1.0A" << true << "v1.0B"
                                << true << "v1.0B" << true;
    // Nothing can be told newer than a version that cannot be read.
    QTest::newRow("unreadable installed")
        << QList<quint32>{0x0106} << "v1.x" << false << "" << true << "v1.06" << false;
    // The same version written another way is not offered, and the scan goes on.
    QTest::newRow("same value other text")
        << QList<quint32>{0x0105, 0x0107} << "v1.5" << true << "v1.07" << true << "v1.07" << true;
}

void TstFirmwareImages::installedVersionRules()
{
    QFETCH(QList<quint32>, versions);
    QFETCH(QString, installed);
    for (int i = 0; i < versions.size(); ++i)
        write(QString(QChar('a' + i)) + ".bin", image(versions.at(i)));

    QTEST(LoadUpgradeImage(FirmwareKindMouse, installed, MouseName, Cid, Mid), "upgrade");
    QTEST(ImageVersionText(UpgradeImage()), "upgradeKept");
    QTEST(LoadRepairImage(FirmwareKindMouse, installed, MouseName, Cid, Mid), "repair");
    QTEST(ImageVersionText(RepairImage()), "repairKept");
    QTEST(FindNewerImage(FirmwareKindMouse, installed, MouseName, Cid, Mid), "newer");
}

void TstFirmwareImages::unreadableFileEndsTheScan()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not bind the super-user");
    write("a.bin", image(0x0106));
    write("b.bin", image(0x0107));
    write("c.bin", image(0x0108));
    QVERIFY(LoadUpgradeImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid));
    QVERIFY(LoadRepairImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QFile::setPermissions(dir->filePath("b.bin"), QFileDevice::WriteOwner);
    // A scan that could not look at every file keeps no image at all.
    QVERIFY(!LoadUpgradeImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid));
    QVERIFY(UpgradeImage().isEmpty());
    QVERIFY(!LoadRepairImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QVERIFY(RepairImage().isEmpty());
    QVERIFY(!FindNewerImage(FirmwareKindMouse, "v1.00", MouseName, Cid, Mid));
}

void TstFirmwareImages::oversizedFileIsSkipped_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("one byte more than any image") << qint64(vidide::FirmwareMaxImageLength) + 1;
    QTest::newRow("far larger") << qint64(64) * 1024 * 1024;
}

void TstFirmwareImages::oversizedFileIsSkipped()
{
    QFETCH(qint64, size);
    // The oversized file carries the header of the newest image: were it read
    // at all, it would be the one chosen. Sparse, so its size costs nothing.
    write("a.bin", image(0x0109));
    QFile big(dir->filePath("a.bin"));
    QVERIFY(big.resize(size));
    write("b.bin", image(0x0107));
    write("c.bin", image(0x0106));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a\\.bin.*skipped"));
    QVERIFY(LoadUpgradeImage(FirmwareKindMouse, "v1.05", MouseName, Cid, Mid));
    QCOMPARE(ImageVersionText(UpgradeImage()), QString("v1.07"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a\\.bin.*skipped"));
    QVERIFY(LoadRepairImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QCOMPARE(ImageVersionText(RepairImage()), QString("v1.07"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a\\.bin.*skipped"));
    QVERIFY(FindNewerImage(FirmwareKindMouse, "v1.05", MouseName, Cid, Mid));
}

void TstFirmwareImages::noFolder()
{
    SetFirmwareFolder(dir->filePath("missing"));
    QVERIFY(!LoadUpgradeImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QVERIFY(!LoadRepairImage(FirmwareKindMouse, QString(), MouseName, Cid, Mid));
    QVERIFY(UpgradeImage().isEmpty());
    QVERIFY(RepairImage().isEmpty());
}

void TstFirmwareImages::newFirmwareOfCurrentDevice_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("variant");
    QTest::addColumn<bool>("found");
    QTest::newRow("mouse") << FirmwareKindMouse << 0 << true;
    QTest::newRow("4K receiver") << FirmwareKindReceiver << 4 << true;
    QTest::newRow("1K receiver") << FirmwareKindReceiver << 1 << false;
    QTest::newRow("no such variant") << FirmwareKindReceiver << 3 << false;
}

void TstFirmwareImages::newFirmwareOfCurrentDevice()
{
    QFETCH(int, kind);
    QFETCH(int, variant);
    // Drive1 of the shipped catalogue: MM ORVAK-TW1, D4M ORVAK-RX4K, DM ORVAK-RX1K.
    DeviceAllInfo device;
    device.DriveIndex = 0;
    SetCurrentDeviceInfo(device);
    write("mouse.bin", image(0x0106));
    write("rx4k.bin", image(0x0104, FirmwareKindReceiver, "ORVAK-RX4K"));
    QTEST(HasNewFirmware(kind, "v1.03", variant), "found");
    QVERIFY(!HasNewFirmware(kind, QString(), variant));
}

QTEST_MAIN(TstFirmwareImages)
#include "tst_firmwareimages.moc"
