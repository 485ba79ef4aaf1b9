// What stands behind the button labels and the profile file: key names, DPI
// values, driver_sensor.h lines, macro names and the macro file ledger.
#include "buttons/MacroSyncLedger.h"
#include "device/ProfileFile.h"
#include "model/AssignmentLabels.h"
#include "model/MacroFiles.h"
#include "model/SensorDefines.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

class TstButtonLabels : public QObject
{
    Q_OBJECT

private slots:
    void keyCodeName_data();
    void keyCodeName();
    void dpiCodeToValue_data();
    void dpiCodeToValue();
    void strokeCountIsBounded();
    void sensorDefineLines_data();
    void sensorDefineLines();
    void macroNames_data();
    void macroNames();
    void profileSensorField_data();
    void profileSensorField();
    void macroLedgerKeepsLocalEdits();
    void invalidMacroNamesStayDistinct();
};

void TstButtonLabels::keyCodeName_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("Ctrl bit") << 0x01 << 0 << "Ctrl";
    QTest::newRow("Ctrl as usage") << 0x01 << 1 << "Ctrl";
    QTest::newRow("0x04 modifier") << 0x04 << 0 << "Alt";
    QTest::newRow("0x04 usage") << 0x04 << 1 << "A";
    QTest::newRow("0x04 consumer") << 0x04 << 2 << "";
    QTest::newRow("0x10 modifier") << 0x10 << 0 << "Ctrl";
    QTest::newRow("0x10 usage") << 0x10 << 1 << "M";
    QTest::newRow("0x20 modifier") << 0x20 << 0 << "Shift";
    QTest::newRow("0x20 usage") << 0x20 << 1 << "3";
    QTest::newRow("0x40 usage") << 0x40 << 1 << "F7";
    QTest::newRow("B") << 0x05 << 1 << "B";
    QTest::newRow("Z") << 0x1D << 1 << "Z";
    QTest::newRow("1") << 0x1E << 1 << "1";
    QTest::newRow("0") << 0x27 << 1 << "0";
    QTest::newRow("backslash") << 0x31 << 1 << "\\";
    QTest::newRow("grave") << 0x35 << 1 << QString(QChar(0x60));
    QTest::newRow("F12") << 0x45 << 1 << "F12";
    QTest::newRow("right arrow") << 0x4F << 1 << QString(QChar(0x2192));
    QTest::newRow("Num9") << 0x61 << 1 << "Num9";
    QTest::newRow("APPs") << 0x65 << 1 << "APPs";
    QTest::newRow("0x32 no name") << 0x32 << 1 << "";
    QTest::newRow("0x64 no name") << 0x64 << 1 << "";
    QTest::newRow("Win bit") << 0x80 << 0 << "Win";
}

void TstButtonLabels::keyCodeName()
{
    QFETCH(int, code);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(AssignmentLabels::KeyCodeName(code, kind), name);
}

void TstButtonLabels::dpiCodeToValue_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("dpi");
    QTest::newRow("define of the model") << "3395" << 0x10 << 800;
    QTest::newRow("model has defines, none with the code") << "3395" << 0x30 << 0;
    QTest::newRow("model without defines") << "3950" << 0x10 << 850;
    QTest::newRow("no model") << "" << 1 << 100;
}

void TstButtonLabels::dpiCodeToValue()
{
    QFETCH(QString, model);
    QFETCH(int, code);
    QFETCH(int, dpi);
    const QVector<QString> names = {"SUPPORT_X", "SENSOR_3395_DPI_400", "SENSOR_3395_DPI_800"};
    const QVector<int> values = {0x10, 0x08, 0x10};
    QCOMPARE(AssignmentLabels::DpiCodeToValue(names, values, model, code), dpi);
}

void TstButtonLabels::strokeCountIsBounded()
{
    // Only the low byte counts, and a block has six strokes.
    QCOMPARE(AssignmentLabels::BoundedStrokeCount(4), 4);
    QCOMPARE(AssignmentLabels::BoundedStrokeCount(0x104), 4);
    QCOMPARE(AssignmentLabels::BoundedStrokeCount(200), 6);
}

void TstButtonLabels::sensorDefineLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::newRow("tab, hex") << "#define SENSOR_3327_DPI_900\t0x08\n"
                              << true << "SENSOR_3327_DPI_900" << 8;
    QTest::newRow("tab, decimal") << "#define SENSOR_A_DPI_1\t12\n"
                                  << true << "SENSOR_A_DPI_1" << 12;
    QTest::newRow("last line without line end") << "#define SENSOR_A\t0x08" << false << "" << 0;
    QTest::newRow("feature switch with tab") << "#define SUPPORT_RIPPLE\t1\n" << false << "" << 0;
    QTest::newRow("feature switch with blank") << "#define SUPPORT_RIPPLE 1\n"
                                               << true << "SUPPORT_RIPPLE" << 1;
    QTest::newRow("blank, hex") << "#define X 0x1F\n" << true << "X" << 31;
    QTest::newRow("tab value and comment") << "#define Y\t7 // seven\n" << false << "" << 0;
    QTest::newRow("tab value, comment mark") << "#define Y\t7 //\n" << true << "Y" << 7;
    QTest::newRow("name without value") << "#define LONELY\n" << false << "" << 0;
    QTest::newRow("name, tab, nothing") << "#define LONELY\t\n" << false << "" << 0;
    QTest::newRow("not a define") << "#undef Z\t1\n" << false << "" << 0;
    QTest::newRow("value no number") << "#define W\tabc\n" << true << "W" << 0;
    QTest::newRow("comment line") << "/* a comment line */\n" << false << "" << 0;
}

void TstButtonLabels::sensorDefineLines()
{
    QFETCH(QString, line);
    QFETCH(bool, kept);
    QFETCH(QString, name);
    QFETCH(int, value);
    SensorDefines defines;
    QCOMPARE(defines.addLine(line), kept);
    QCOMPARE(defines.names.size(), kept ? 1 : 0);
    QCOMPARE(defines.values.size(), defines.names.size());
    if (kept) {
        QCOMPARE(defines.names.first(), name);
        QCOMPARE(defines.values.first(), value);
    }
}

// A device name is listed as it is when it follows the name rule; otherwise
// under a safe name: the offending parts replaced and a tag of the original,
// the same on every read.
void TstButtonLabels::macroNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<bool>("tagged");
    QTest::newRow("plain") << QByteArray("Reload\0junk", 11) << "Reload" << false;
    QTest::newRow("thirty bytes, no NUL") << QByteArray(30, 'm') << QString(30, 'm') << false;
    QTest::newRow("empty") << QByteArray(30, '\0') << "" << false;
    QTest::newRow("blank") << QByteArray("  ") << "" << false;
    QTest::newRow("dots inside") << QByteArray("a..b") << "a..b" << false;
    QTest::newRow("parent folder") << QByteArray("../Macro") << "___Macro" << true;
    QTest::newRow("absolute") << QByteArray("/etc/x") << "_etc_x" << true;
    QTest::newRow("backslash") << QByteArray("a\\b") << "a_b" << true;
    QTest::newRow("dot dot") << QByteArray("..") << "__" << true;
    QTest::newRow("holds xml") << QByteArray("myxml") << "myx_ml" << true;
    QTest::newRow("leading dot") << QByteArray(".hidden") << "_hidden" << true;
    QTest::newRow("long, holds xml") << QByteArray(27, 'x') + "xml" << QString(21, 'x') << true;
}

void TstButtonLabels::macroNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, listed);
    QFETCH(bool, tagged);
    QByteArray field = bytes.left(30);
    field.append(QByteArray(30 - field.size(), '\0'));
    auto decode = [&field] {
        return AssignmentLabels::MacroNameFromBytes(
            reinterpret_cast<const unsigned char *>(field.constData()), 30);
    };
    const QString decoded = decode();
    QCOMPARE(decode(), decoded);
    if (tagged) {
        QVERIFY2(decoded.startsWith(listed + "~"), qPrintable(decoded));
        QCOMPARE(decoded.size(), listed.size() + 9);
    } else {
        QCOMPARE(decoded, listed);
    }
    if (decoded.isEmpty()) {
        QVERIFY(MacroFilePath(decoded).isEmpty());
        QVERIFY(!WriteMacroFile(decoded, "1"));
    } else {
        QVERIFY(IsListedMacroName(decoded));
        QCOMPARE(ListedMacroName(decoded), decoded);
        QCOMPARE(MacroFilePath(decoded), MacroFolderPath() + decoded + ".ini");
    }
}

void TstButtonLabels::profileSensorField_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("short") << "3395" << QByteArray("3395");
    QTest::newRow("eleven bytes") << "ABCDEFGHIJK" << QByteArray("ABCDEFGHIJK");
    QTest::newRow("twelve bytes") << "ABCDEFGHIJKL" << QByteArray("ABCDEFGHIJK");
    QTest::newRow("empty") << "" << QByteArray();
}

void TstButtonLabels::profileSensorField()
{
    QFETCH(QString, sensor);
    QFETCH(QByteArray, stored);
    const QByteArray field = ProfileFile::Field(sensor.toUtf8());
    QCOMPARE(field.size(), 12);
    QCOMPARE(field.at(stored.size()), '\0');
    // What a reader takes from the file equals what the program compares.
    QCOMPARE(field.left(field.indexOf('\0')), stored);
    QCOMPARE(ProfileFile::StoredSensorName(sensor), stored);
}

void TstButtonLabels::macroLedgerKeepsLocalEdits()
{
    QVERIFY(QDir().mkpath(MacroFolderPath()));
    QTemporaryDir dir;
    MacroSyncLedger ledger(dir.filePath("ledger.ini"));
    const QByteArray deviceA = MacroSyncLedger::DeviceDigest(1, (const unsigned char *)"aaaa", 4);
    const QByteArray deviceB = MacroSyncLedger::DeviceDigest(1, (const unsigned char *)"bbbb", 4);
    QFile::remove(MacroFilePath("Led"));

    // No file: build it from the device.
    QCOMPARE(ledger.decide("Led", deviceA), MacroSyncLedger::Decision::Rebuild);
    QVERIFY(WriteMacroFile("Led", "1"));
    ledger.recordSynced("Led", deviceA, MacroSyncLedger::Change::Rebuilt);
    // Same device copy, untouched file: nothing to do.
    QCOMPARE(ledger.decide("Led", deviceA), MacroSyncLedger::Decision::UpToDate);
    // The device copy changed, the file was not edited: rebuild.
    QCOMPARE(ledger.decide("Led", deviceB), MacroSyncLedger::Decision::Rebuild);
    // The user edited the file and did not send it: keep it, whatever the device holds.
    QVERIFY(WriteMacroFile("Led", "1\nedited"));
    QCOMPARE(ledger.decide("Led", deviceB), MacroSyncLedger::Decision::KeepLocalEdit);
    QCOMPARE(ledger.decide("Led", deviceA), MacroSyncLedger::Decision::KeepLocalEdit);
    // A file the program never synced is the user's own.
    QVERIFY(WriteMacroFile("Mine", "0"));
    QCOMPARE(ledger.decide("Mine", deviceA), MacroSyncLedger::Decision::KeepUnknownFile);

    // A file far too large for a macro is never read and never rebuilt, even
    // when it was synced once.
    ledger.recordSynced("Led", deviceA, MacroSyncLedger::Change::Rebuilt);
    QFile big(MacroFilePath("Led"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(100 * 1024 * 1024));
    big.close();
    QCOMPARE(MacroSyncLedger::FileDigest("Led"), QByteArray("not-a-macro-file"));
    QCOMPARE(ledger.decide("Led", deviceB), MacroSyncLedger::Decision::KeepLocalEdit);
    QFile::remove(MacroFilePath("Led"));
    QFile::remove(MacroFilePath("Mine"));
}

// Device names that are no valid text in the local encoding: each gets a
// file of its own, the same one every time, inside the macro folder and
// within the record's 30 bytes.
void TstButtonLabels::invalidMacroNamesStayDistinct()
{
    QTextCodec *before = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    auto decode = [](const QByteArray &bytes) {
        QByteArray field = bytes.left(30);
        field.append(QByteArray(30 - field.size(), '\0'));
        return AssignmentLabels::MacroNameFromBytes(
            reinterpret_cast<const unsigned char *>(field.constData()), 30);
    };
    const QList<QByteArray> raw{"Macro\xff",
                                "Macro\xfe",
                                "\xff\xff",
                                "\xfe",
                                QByteArray(29, 'x') + "\xff",
                                QByteArray(29, 'x') + "\xfe"};
    QStringList names;
    for (const QByteArray &bytes : raw) {
        const QString name = decode(bytes);
        QCOMPARE(decode(bytes), name);
        QVERIFY2(AssignmentLabels::IsSafeMacroName(name), qPrintable(name));
        QVERIFY(name.toLocal8Bit().size() <= 30);
        QVERIFY(!name.contains(QChar(QChar::ReplacementCharacter)));
        names << name;
    }
    QVERIFY(names.first().startsWith("Macro_~"));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), raw.size());
    QCOMPARE(decode("Plain"), QString("Plain"));
    QTextCodec::setCodecForLocale(before);
}

QTEST_GUILESS_MAIN(TstButtonLabels)
#include "tst_buttonlabels.moc"
