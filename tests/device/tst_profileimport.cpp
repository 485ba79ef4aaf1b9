// Profile import through the wait dialog: an exported file imports back; a
// damaged or foreign one is refused with the notice and changes nothing.
#include "DeviceTestSupport.h"

#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"

#include "common/DialogSeam.h"
#include "common/NoticeChoice.h"
#include "device/ProfileFile.h"
#include "device/UpDataParam.h"

#include <QDataStream>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

Q_DECLARE_METATYPE(FlashDataMap)

namespace {

// The layout the export writes: three length-prefixed records.
QByteArray profileBytes(const QByteArray &tag, const QByteArray &sensor, const FlashDataMap &block)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    QByteArray tagField = tag.left(11);
    tagField.append(QByteArray(12 - tagField.size(), '\0'));
    QByteArray sensorField = sensor.left(11);
    sensorField.append(QByteArray(12 - sensorField.size(), '\0'));
    out.writeBytes(tagField.constData(), 12);
    out.writeBytes(sensorField.constData(), 12);
    out.writeBytes(reinterpret_cast<const char *>(&block), sizeof(block));
    return bytes;
}

FlashDataMap wiredBlock()
{
    FlashDataMap block;
    SimMouseBlock(1, &block);
    return block;
}

} // namespace

class TestProfileImport : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("profile.bin"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(bytes);
        return path;
    }

    void runImport(const QString &path)
    {
        UpDataParam dialog;
        dialog.StartTimer();
        dialog.ImportMode = true;
        dialog.ProfilePath = path;
        dialog.show();
        QTRY_VERIFY(!dialog.isVisible());
        QVERIFY(!dialog.ImportMode);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        QVERIFY(dir.isValid());
        UpDataParam::TimerMs = 10;
        UpDataParam::WaitStepMs = 10;
    }

    void init()
    {
        SimReset();
        makeWiredCurrent(); // Drive2: sensor 3327, six DPI levels
        SimClearCallLog();
    }

    void exportedProfileImportsBack()
    {
        FlashDataMap block = wiredBlock();
        block.ReportRateCode = 0x10;
        block.DpiLevelCount = 6; // the model's maximum is accepted
        block.Keys[3] = KeyAssign{11, 1, 2};
        // Written by the button page's export.
        const QString path = dir.filePath(QStringLiteral("exported.bin"));
        QVERIFY(ProfileFile::Write(path, block, QStringLiteral("3327")));
        QSignalSpy shown(PostMsg::GetInstance(), &PostMsg::SigUpDataButtonUIC);

        DialogSeam::ScopedAnswer answer(QStringLiteral("NewHong"));
        runImport(path);
        QVERIFY(answer.dialogs().isEmpty());
        QVERIFY(sameBlock(FlashDataSnapshot(), block));
        FlashDataMap kept;
        QVERIFY(SimMouseBlock(1, &kept));
        QCOMPARE(int(kept.ReportRateCode), 0x10);
        QCOMPARE(shown.count(), 1);
        QVERIFY(FlashDataBelongsToCurrentDevice());
    }

    void readerResults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        const FlashDataMap good = wiredBlockForRows();
        const QByteArray file = profileBytes("Zudod", "3327", good);
        QTest::newRow("exported") << file << 0;
        QTest::newRow("tag with bytes after the NUL")
            << profileBytes(QByteArray("Zudod\0xyz", 9), "3327", good) << 0;
        QTest::newRow("tag in other case") << profileBytes("zudod", "3327", good) << 1;
        QTest::newRow("truncated") << file.left(file.size() - 1) << 1;
        QTest::newRow("oversized") << file + QByteArray(1, '\0') << 1;
        QTest::newRow("empty") << QByteArray() << 1;
        QByteArray lying = file;
        lying[35] = char(0xCF); // block record claims 10447 bytes
        QTest::newRow("block length 10447") << lying << 1;
        QByteArray hugeTag = file;
        hugeTag[0] = char(0x7F); // tag record claims 2 GB
        QTest::newRow("tag length huge") << hugeTag << 1;
        QTest::newRow("other sensor") << profileBytes("Zudod", "3950", good) << 2;
        FlashDataMap tooMany = good;
        tooMany.DpiLevelCount = 7;
        QTest::newRow("more DPI levels than the model")
            << profileBytes("Zudod", "3327", tooMany) << 2;
        FlashDataMap nine = good;
        nine.DpiLevelCount = 9; // more than any block holds: still a mismatch
        QTest::newRow("nine DPI levels") << profileBytes("Zudod", "3327", nine) << 2;
        QTest::newRow("nine DPI levels, other sensor") << profileBytes("Zudod", "3950", nine) << 2;
        FlashDataMap none = good;
        none.DpiLevelCount = 0;
        QTest::newRow("no DPI level") << profileBytes("Zudod", "3327", none) << 1;
        FlashDataMap badKey = good;
        badKey.Keys[15].Category = 12;
        QTest::newRow("unknown key category") << profileBytes("Zudod", "3327", badKey) << 1;
        FlashDataMap badMacro = good;
        badMacro.Macros[0].StrokeCount = 71;
        QTest::newRow("macro of 71 events") << profileBytes("Zudod", "3327", badMacro) << 1;
    }

    void readerResults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        FlashDataMap out;
        std::memset(&out, 0x33, sizeof(out));
        const FlashDataMap before = out;
        QCOMPARE(UpDataParam::ReadProfileFile(writeFile(bytes), out), result);
        if (result != 0)
            QVERIFY(sameBlock(out, before));
    }

    void missingFileIsUnreadable()
    {
        QCOMPARE(UpDataParam::ReadProfileFile(dir.filePath(QStringLiteral("none.bin"))), 1);
    }

    void damagedProfileIsRefusedWithNotice_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        const QByteArray file = profileBytes("Zudod", "3327", wiredBlockForRows());
        QTest::newRow("truncated") << file.left(4000) << 1;
        QTest::newRow("other sensor") << profileBytes("Zudod", "3950", wiredBlockForRows()) << 2;
        FlashDataMap nine = wiredBlockForRows();
        nine.DpiLevelCount = 9;
        QTest::newRow("nine DPI levels") << profileBytes("Zudod", "3327", nine) << 2;
    }

    void damagedProfileIsRefusedWithNotice()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        const FlashDataMap before = FlashDataSnapshot();
        DialogSeam::ScopedAnswer answer(QStringLiteral("NewHong"));
        runImport(writeFile(bytes));
        QCOMPARE(ImportResult, result);
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().className, QStringLiteral("InportFail"));
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        QCOMPARE(countCalls("ProtocolDataUpdate"), 0);
    }

    void chosenFileIsReadThroughLinks_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("result");
        QTest::newRow("regular file") << "regular" << 0;
        QTest::newRow("link to a profile") << "link" << 0;
        QTest::newRow("link to a FIFO") << "link to FIFO" << 1;
        QTest::newRow("FIFO") << "FIFO" << 1;
        QTest::newRow("folder") << "folder" << 1;
    }

    // The profile chosen in the dialog is the user's: reached through a link
    // as the file itself; a FIFO or folder, at the end of a link or not, is
    // unreadable at once.
    void chosenFileIsReadThroughLinks()
    {
        QFETCH(QString, chosen);
        QFETCH(int, result);
        const QByteArray profile = profileBytes("Zudod", "3327", wiredBlock());
        QTemporaryDir outside;
        QVERIFY(outside.isValid());
        const QString path = outside.filePath(QStringLiteral("picked.bin"));
        using HostileFiles::Thing;
        if (chosen == "regular") {
            HostileFiles::Put(path, profile);
        } else if (chosen == "link") {
            QVERIFY(HostileFiles::Make(Thing::LinkToFile, path, outside.path()));
            HostileFiles::Put(outside.filePath(QStringLiteral("victim.txt")), profile);
        } else {
            const Thing thing = chosen == "FIFO"     ? Thing::Fifo
                                : chosen == "folder" ? Thing::Folder
                                                     : Thing::LinkToFifo;
            QVERIFY(HostileFiles::Make(thing, path, outside.path()));
        }
        FlashDataMap out;
        int read = -1;
        HostileDisk::WithinSeconds(10, "the profile import",
                                   [&] { read = UpDataParam::ReadProfileFile(path, out); });
        QCOMPARE(read, result);
        if (result == 0)
            QVERIFY(sameBlock(out, wiredBlock()));
    }

    // An export over a link the user chose replaces the profile it leads to
    // and keeps the link; the import through the link brings it back.
    void profileTravelsThroughTheChosenLink()
    {
        QTemporaryDir outside;
        QVERIFY(outside.isValid());
        const QString path = outside.filePath(QStringLiteral("linked.bin"));
        QVERIFY(HostileFiles::Make(HostileFiles::Thing::LinkToFile, path, outside.path()));
        FlashDataMap block = wiredBlock();
        block.DebounceMs = 7;
        QString error;
        QVERIFY2(ProfileFile::Write(path, block, QStringLiteral("3327"), &error),
                 qPrintable(error));
        QCOMPARE(HostileFiles::TypeAt(path), mode_t(S_IFLNK));
        QCOMPARE(HostileFiles::Bytes(outside.filePath(QStringLiteral("victim.txt"))),
                 ProfileFile::Build(block, QStringLiteral("3327")));

        DialogSeam::ScopedAnswer answer(QStringLiteral("NewHong"));
        runImport(path);
        QVERIFY(answer.dialogs().isEmpty());
        QVERIFY(sameBlock(FlashDataSnapshot(), block));
    }

    void refusedSendKeepsTheMousesBlock()
    {
        const FlashDataMap before = FlashDataSnapshot();
        FlashDataMap block = before;
        block.DebounceMs = 9;
        SimRefuseNextCall("ProtocolDataUpdate");
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        runImport(writeFile(profileBytes("Zudod", "3327", block)));
        QVERIFY(sameBlock(FlashDataSnapshot(), before));
        QCOMPARE(offline.count(), 1);
    }

private:
    FlashDataMap wiredBlockForRows()
    {
        SimReset();
        return wiredBlock();
    }
};

QTEST_MAIN(TestProfileImport)
#include "tst_profileimport.moc"
