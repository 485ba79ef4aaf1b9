// The sensor constants file, the DPI range table, the DPI codes both ways and
// the DPI editor's stepping and snapping, on the real constants file and on a
// fixture full of awkward lines.
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "model/SensorConstants.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

void UseRange(const QString &items)
{
    QString minText;
    QString maxText;
    ReadDpiRange(items.split(','), minText, maxText);
}

const char *const FourSegments =
    "100,10000,50,10100,20000,100,20200,30000,200,30400,40000,400,0x33";

void LoadShippedConstants()
{
    SensorDefineNames.clear();
    SensorDefineValues.clear();
    SensorSwitches switches;
    QVERIFY(ReadSensorConstantsFile(QCoreApplication::applicationDirPath() + "/driver_sensor.h",
                                    SensorDefineNames, SensorDefineValues, switches));
}

} // namespace

class TstSensorCodes : public QObject
{
    Q_OBJECT

private slots:
    void awkwardConstantsFile();
    void switchesListModels();
    void switchesMatchWholeNames_data();
    void switchesMatchWholeNames();
    void missingFileReadsNothing();
    void rangeTable();
    void rangeWithoutSegments();
    void encodeAndDecode_data();
    void encodeAndDecode();
    void modelNameWithI_data();
    void modelNameWithI();
    void shippedDevicesDecode_data();
    void shippedDevicesDecode();
    void stepping_data();
    void stepping();
    void snapping_data();
    void snapping();
    void levelValueReachesMouse();
};

void TstSensorCodes::awkwardConstantsFile()
{
    QVector<QString> names;
    QVector<int> values;
    SensorSwitches switches;
    QVERIFY(ReadSensorConstantsFile(QString(ORVAK_TEST_DATA) + "/sensor/driver_sensor_bad.h", names,
                                    values, switches));
    // Header guards, a switch without models, comments after a blank, a bare
    // "#define" and a last line without its line end add nothing; a switch
    // written with a blank becomes a plain entry.
    const QVector<QString> expectedNames = {"SUPPORT_FIXLINE",
                                            "SENSOR_3395_DPI_400",
                                            "SENSOR_3395_DPI_800",
                                            "SENSOR_3395_DPI_3200",
                                            "SENSOR_3395_DPI_6400",
                                            "SENSOR_3395_DPI_9999",
                                            "some",
                                            "SENSOR_3395_DPI_12800"};
    // A hexadecimal value keeps its number before a comment.
    const QVector<int> expectedValues = {3395, 7, 15, 63, 127, 12, 0, 0};
    QCOMPARE(names, expectedNames);
    QCOMPARE(values, expectedValues);
    QCOMPARE(switches.Ripple, QString("3395,3950"));
    QVERIFY(switches.FixLine.isEmpty());
    QVERIFY(switches.LodCal.isEmpty());
}

void TstSensorCodes::switchesListModels()
{
    QVector<QString> names;
    QVector<int> values;
    SensorSwitches switches;
    QVERIFY(
        ReadSensorConstantsLine("#define SUPPORT_RIPPLE\t3395,3950\n", names, values, switches));
    QVERIFY(SwitchListsModel(switches.Ripple, "3950"));
    QVERIFY(!SwitchListsModel(switches.Ripple, "3327"));
    QVERIFY(!SwitchListsModel(switches.MotionSync, "3950"));
    // A later line for the same switch replaces it.
    QVERIFY(ReadSensorConstantsLine("#define SUPPORT_RIPPLE\t3327\n", names, values, switches));
    QCOMPARE(switches.Ripple, QString("3327"));
    QVERIFY(names.isEmpty());
}

void TstSensorCodes::switchesMatchWholeNames_data()
{
    QTest::addColumn<QString>("switchText");
    QTest::addColumn<QString>("model");
    QTest::addColumn<bool>("listed");
    QTest::newRow("first of the list") << "3395,3950"
                                       << "3395" << true;
    QTest::newRow("last of the list") << "3395,3950"
                                      << "3950" << true;
    QTest::newRow("part of a listed name") << "3395,3950"
                                           << "395" << false;
    QTest::newRow("listed name inside the model") << "3395"
                                                  << "33950" << false;
    QTest::newRow("no sensor name") << "3395,3950"
                                    << "" << false;
    QTest::newRow("empty switch") << ""
                                  << "3395" << false;
}

void TstSensorCodes::switchesMatchWholeNames()
{
    QFETCH(QString, switchText);
    QFETCH(QString, model);
    QFETCH(bool, listed);
    QCOMPARE(SwitchListsModel(switchText, model), listed);
}

void TstSensorCodes::missingFileReadsNothing()
{
    QVector<QString> names;
    QVector<int> values;
    SensorSwitches switches;
    QVERIFY(!ReadSensorConstantsFile("/nonexistent/driver_sensor.h", names, values, switches));
    QVERIFY(names.isEmpty() && values.isEmpty() && switches.Ripple.isEmpty());
}

void TstSensorCodes::rangeTable()
{
    QString minText;
    QString maxText;
    ReadDpiRange(QString(FourSegments).split(','), minText, maxText);
    QCOMPARE(DpiRangeMode, 0x33);
    QCOMPARE(DpiSegmentCount, 4);
    QCOMPARE(DpiSegmentMins, (QVector<int>{100, 10100, 20200, 30400}));
    QCOMPARE(DpiSegmentMaxs, (QVector<int>{10000, 20000, 30000, 40000}));
    QCOMPARE(DpiSegmentStepText[3], QString("400"));
    QCOMPARE(minText, QString("100"));
    QCOMPARE(maxText, QString("40000"));
    ReadDpiRange(QString("50,12000,50,12100,26000,100,22").split(','), minText, maxText);
    QCOMPARE(DpiRangeMode, 0x22);
    QCOMPARE(maxText, QString("26000"));
}

void TstSensorCodes::rangeWithoutSegments()
{
    // No DPIRange (or one with too many items): no segments, nothing decided,
    // and encoding must not read past the empty lists.
    for (const QString &items : {QString(), QString("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,0x33")}) {
        QString minText = "keep";
        QString maxText = "keep";
        ReadDpiRange(items.isEmpty() ? QStringList() : items.split(','), minText, maxText);
        QCOMPARE(DpiSegmentCount == 0 || DpiSegmentCount == 5, true);
        QVERIFY(DpiSegmentMins.isEmpty());
        QCOMPARE(minText, QString("keep"));
        int pageStep = 7;
        QCOMPARE(DpiSnap(1234, pageStep), 1234);
        QCOMPARE(pageStep, 7);
        QCOMPARE(DpiStepUp(1234), 1234);
        QCOMPARE(DpiStepDown(1234), 1234);
        CurrentSensorModel = "3950";
        SensorDefineNames.clear();
        SensorDefineValues.clear();
        int code = -1;
        int flags = -1;
        QVERIFY(EncodeDpiValue(30000, code, flags));
        QCOMPARE(code, 599);
        QCOMPARE(flags & 0x33, 0);
    }
}

void TstSensorCodes::encodeAndDecode_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("table"); // the 3395 entries of the fixture
    QTest::addColumn<int>("dpi");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("codeByte");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("decoded");

    const QString twoRanges = "50,12000,50,12100,26000,100,0x22";
    const QString oneSegment = "100,26000,50,0x00";
    QTest::newRow("3950 segment 0")
        << "3950" << FourSegments << false << 800 << true << 15 << 0 << 800;
    QTest::newRow("3950 segment 1")
        << "3950" << FourSegments << false << 15000 << true << 149 << 0x22 << 15000;
    QTest::newRow("3950 segment 2, code bit 8")
        << "3950" << FourSegments << false << 30000 << true << 43 << 0x55 << 30000;
    QTest::newRow("3950 segment 3")
        << "3950" << FourSegments << false << 40000 << true << 199 << 0x33 << 40000;
    QTest::newRow("3395 mode 0x22")
        << "3395" << twoRanges << false << 26000 << true << 3 << 0x66 << 26000;
    QTest::newRow("mode 0x11 at the edge")
        << "3327x"
        << "50,12000,50,12100,26000,100,0x11" << false << 12000 << true << 239 << 0 << 12000;
    QTest::newRow("mode 0x11 above the edge")
        << "3327x"
        << "50,12000,50,12100,26000,100,0x11" << false << 12050 << true << 119 << 0x11 << 12000;
    QTest::newRow("table entry") << "3395"
                                 << "100,12000,50,0x00" << true << 800 << true << 15 << 0 << 800;
    QTest::newRow("below the lowest code")
        << "3950" << FourSegments << false << 20 << true << 0 << 0 << 50;
    QTest::newRow("highest 8-bit code")
        << "3327x" << oneSegment << false << 12800 << true << 255 << 0 << 12800;
    QTest::newRow("3950 code of 10 bits")
        << "3950" << oneSegment << false << 25000 << true << 243 << 0x44 << 25000;
    // Refused: nothing the sensor would read back as the value.
    QTest::newRow("table without the value")
        << "3395"
        << "100,12000,50,0x00" << true << 850 << false << 0 << 0 << 0;
    QTest::newRow("table code beyond a byte")
        << "3395"
        << "100,12000,50,0x00" << true << 1600 << false << 0 << 0 << 0;
    QTest::newRow("code above 255 for another sensor")
        << "3327x" << oneSegment << false << 12850 << false << 0 << 0 << 0;
    QTest::newRow("code above 1023 for the 3950")
        << "3950"
        << "100,60000,50,0x00" << false << 51250 << false << 0 << 0 << 0;
}

void TstSensorCodes::encodeAndDecode()
{
    QFETCH(QString, model);
    QFETCH(QString, range);
    QFETCH(bool, table);
    QFETCH(int, dpi);
    QFETCH(bool, accepted);
    QFETCH(int, codeByte);
    QFETCH(int, flags);
    QFETCH(int, decoded);
    SensorDefineNames.clear();
    SensorDefineValues.clear();
    if (table) {
        SensorDefineNames = {"SENSOR_3395_DPI_400", "SENSOR_3395_DPI_800", "SENSOR_3395_DPI_1600"};
        SensorDefineValues = {7, 15, 0x1FF};
    }
    CurrentSensorModel = model;
    UseRange(range);
    int code = -1;
    int outFlags = -1;
    QCOMPARE(EncodeDpiValue(dpi, code, outFlags), accepted);
    if (!accepted) {
        QCOMPARE(code, -1);
        QCOMPARE(outFlags, -1);
        return;
    }
    QCOMPARE(code & 0xFF, codeByte);
    QCOMPARE(outFlags, flags);
    QCOMPARE(DecodeDpiLevel(code & 0xFF, outFlags), decoded);
}

void TstSensorCodes::modelNameWithI_data()
{
    QTest::addColumn<QString>("model");
    QTest::newRow("I at the end") << "3395I";
    QTest::newRow("I at the start") << "I3395";
    QTest::newRow("two of them") << "PIXI";
}

void TstSensorCodes::modelNameWithI()
{
    // The defines of a model whose name holds an "I" decode to the value
    // they encode.
    QFETCH(QString, model);
    const QString prefix = "SENSOR_" + model + "_DPI_";
    SensorDefineNames = {prefix + "400", prefix + "800", prefix + "1600"};
    SensorDefineValues = {7, 15, 31};
    CurrentSensorModel = model;
    UseRange("100,12000,50,0x00");
    for (const int dpi : {400, 800, 1600}) {
        int code = -1;
        int flags = -1;
        QVERIFY(EncodeDpiValue(dpi, code, flags));
        QCOMPARE(DecodeDpiLevel(code, flags), dpi);
    }
    // Another model's defines that merely contain the prefix are not its own.
    SensorDefineNames = {prefix + "400", "X" + prefix + "800"};
    SensorDefineValues = {7, 15};
    QCOMPARE(DecodeDpiLevel(15, 0), 0);
}

void TstSensorCodes::shippedDevicesDecode_data()
{
    QTest::addColumn<int>("device");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QList<int>>("dpis");
    QTest::newRow("Drive1, 3950") << 0 << "3950"
                                  << "100,10000,50,10100,20000,100,20200,30000,200,0x33"
                                  << QList<int>{400, 800, 1600, 3200, 6400, 12800, 20000, 26000};
    QTest::newRow("Drive2, 3327") << 1 << "3327"
                                  << "100,12400,100,0x00"
                                  << QList<int>{400, 800, 1200, 1600, 3200, 6400, 8000, 12000};
}

void TstSensorCodes::shippedDevicesDecode()
{
    QFETCH(int, device);
    QFETCH(QString, model);
    QFETCH(QString, range);
    QFETCH(QList<int>, dpis);
    LoadShippedConstants();
    CurrentSensorModel = model;
    UseRange(range);
    SimReset(true);
    FlashDataMap block{};
    QVERIFY(SimMouseBlock(device, &block));
    for (int level = 0; level < 8; ++level) {
        const DpiLevel &l = block.DpiLevels[level];
        QCOMPARE(DecodeDpiLevel(l.XCode, l.Flags), dpis.at(level));
        // Encoding the value gives back the factory bytes.
        int code = 0;
        int flags = 0;
        QVERIFY(EncodeDpiValue(dpis.at(level), code, flags));
        QCOMPARE(code & 0xFF, int(l.XCode));
        QCOMPARE(flags, int(l.Flags));
    }
}

void TstSensorCodes::stepping_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("up");
    QTest::addColumn<int>("down");
    const QString gap = "50,1000,50,1200,2000,100,0x22";
    QTest::newRow("inside segment 0") << gap << 950 << 1000 << 900;
    QTest::newRow("top of segment 0 jumps the gap") << gap << 1000 << 1200 << 950;
    QTest::newRow("start of segment 1") << gap << 1200 << 1300 << 1100;
    QTest::newRow("top of the last segment") << gap << 2000 << 2100 << 1900;
    QTest::newRow("inside the gap goes up both ways") << gap << 1100 << 1200 << 1200;
    QTest::newRow("lowest value") << gap << 50 << 100 << 0;
    const QString touching = "50,1000,50,1000,2000,100,0x22";
    QTest::newRow("touching segments") << touching << 1000 << 1100 << 950;
    QTest::newRow("one segment") << "100,12400,100,0x00" << 12400 << 12500 << 12300;
    QTest::newRow("outside every segment") << gap << 5000 << 5000 << 5000;
}

void TstSensorCodes::stepping()
{
    QFETCH(QString, range);
    QFETCH(int, value);
    QFETCH(int, up);
    QFETCH(int, down);
    UseRange(range);
    QCOMPARE(DpiStepUp(value), up);
    QCOMPARE(DpiStepDown(value), down);
}

void TstSensorCodes::snapping_data()
{
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("snapped");
    QTest::addColumn<int>("pageStep");
    const QString gap = "50,1000,50,1200,2000,100,0x22";
    QTest::newRow("segment 1") << gap << 1234 << 1200 << 100;
    QTest::newRow("gap") << gap << 1010 << 1200 << 100;
    QTest::newRow("segment 0") << gap << 987 << 950 << 50;
    QTest::newRow("edge") << gap << 1000 << 1000 << 50;
    QTest::newRow("step counted from the segment's minimum") << "75,1000,50,0x00" << 99 << 75 << 50;
    QTest::newRow("later segment off the step grid")
        << "50,1000,50,1025,2000,100,0x22" << 1234 << 1225 << 100;
    QTest::newRow("step 0 keeps the value") << "50,1000,0,0x00" << 777 << 777 << 1;
}

void TstSensorCodes::snapping()
{
    QFETCH(QString, range);
    QFETCH(int, value);
    QFETCH(int, snapped);
    QFETCH(int, pageStep);
    UseRange(range);
    int step = 1;
    QCOMPARE(DpiSnap(value, step), snapped);
    QCOMPARE(step, pageStep);
}

void TstSensorCodes::levelValueReachesMouse()
{
    // The wired mouse, owner of the block: level 2 gets 2000 DPI through the
    // guarded setter; level -1 sends nothing.
    LoadShippedConstants();
    SimReset(true);
    const QByteArray path(SimDevicePath(1));
    DeviceAllInfo info;
    info.Path = QString::fromUtf8(path);
    info.CidMid = 38 | (12 << 8);
    info.DriveIndex = 1;
    info.Wired = true;
    SetCurrentDeviceInfo(info);
    SetCurrentDevicePath(path);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(),
                             [](const unsigned char *, int, const unsigned char *, int) {}));
    FlashDataMap block{};
    QVERIFY(SimMouseBlock(1, &block));
    ReplaceFlashData(block, {info.Path, CacheFileName(38, 12)});
    CurrentSensorModel = "3327";
    UseRange("100,12400,100,0x00");
    SimClearCallLog();
    QVERIFY(!SetDpiLevelValue(-1, 800));
    QVERIFY(!SetDpiLevelValue(8, 800));
    // The 3327 table has no code for 2050: refused, nothing sent.
    QVERIFY(!SetDpiLevelValue(2, 2050));
    QVERIFY(SimCallLog().isEmpty());
    QVERIFY(SetDpiLevelValue(2, 2000));
    QVERIFY(SimWaitIdle(2000));
    FlashDataMap after{};
    QVERIFY(SimMouseBlock(1, &after));
    QCOMPARE(int(after.DpiLevels[2].XCode), 19);
    QCOMPARE(int(after.DpiLevels[2].YCode), 19);
    QCOMPARE(int(after.DpiLevels[2].Flags), 0);
    UsbServer_Exit();
}

QTEST_GUILESS_MAIN(TstSensorCodes)
#include "tst_sensorcodes.moc"
