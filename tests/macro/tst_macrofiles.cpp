// The per-macro files, the export file, and the macro record that reaches the
// simulated mouse.
#include "MacroTestSupport.h"

#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "macro/MacroExportFile.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QDataStream>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

namespace {

void NoEvents(const unsigned char *, int, const unsigned char *, int) {}

QByteArray Hex(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

class TstMacroFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadSkipsLinesThatDoNotFit();
    void repeatLine_data();
    void repeatLine();
    void saveAndLoadRoundTrip();
    void exportLayoutAndImportRoundTrip();
    void damagedImportIsRefused_data();
    void damagedImportIsRefused();
    void importOfAKnownNameShowsTheNotice();
    void downloadReachesTheMouse();
    void downloadRefusals();
    void rebuildFromTheDevice();

private:
    Macro *NewPage();
    QString ExportOf(const QByteArray &macroFile, const QString &name);
    Macro *page = nullptr;
    QTemporaryDir dir;
};

void TstMacroFiles::initTestCase()
{
    QVERIFY(dir.isValid());
    FillMacroCatalogue();
}

void TstMacroFiles::init()
{
    EmptyMacroFolder();
}

void TstMacroFiles::cleanup()
{
    delete page;
    page = nullptr;
}

Macro *TstMacroFiles::NewPage()
{
    delete page;
    page = new Macro();
    return page;
}

void TstMacroFiles::loadSkipsLinesThatDoNotFit()
{
    WriteFile(MacroFolder() + "/m.ini", "3 and more\r\n"
                                        "0x04 1 0\n"
                                        "10ms\n"
                                        "0x04 1 1 \n"   // four pieces
                                        "\n"            // an empty delay
                                        "0x2b 1 0\n"    // lower-case code: no name
                                        "0x05 1 2\n"    // no such flag
                                        "a\tb\n"        // one piece
                                        "0x05  1   1\n" // several blanks are one
                                        "0x06 1 0");    // no line end
    NewPage();
    SelectMacro(*page, "m");
    // The empty line is a delay with an empty text, shown like a press ("+").
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "+", "+", "+a\tb", "-B"}));
    QCOMPARE(page->ui->listWidgetKey->item(2)->text(), QString());
    QVERIFY(page->ui->ReNumber->isChecked());
    QCOMPARE(page->ui->NumberEdit->value(), 3);
    QVERIFY(!page->ui->Save->isEnabled());
}

void TstMacroFiles::repeatLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("count");
    QTest::newRow("250") << QByteArray("250\n") << "ReNumber" << 250;
    QTest::newRow("251") << QByteArray("251\n") << "ReNumber" << 1;
    QTest::newRow("0") << QByteArray("0\n") << "ReNumber" << 1;
    QTest::newRow("253") << QByteArray("253\n") << "ReUntil" << 1;
    QTest::newRow("254") << QByteArray("254\n") << "ReUntilLoose" << 1;
    QTest::newRow("255") << QByteArray("255\n") << "ReUntilClick" << 1;
    QTest::newRow("text") << QByteArray("abc\n") << "ReNumber" << 1;
}

void TstMacroFiles::repeatLine()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, box);
    QFETCH(int, count);
    WriteFile(MacroFolder() + "/m.ini", line);
    NewPage();
    page->ui->ReUntil->setChecked(true);
    page->ui->NumberEdit->setValue(9);
    SelectMacro(*page, "m");
    QVERIFY(page->findChild<QAbstractButton *>(box)->isChecked());
    if (box == "ReNumber")
        QCOMPARE(page->ui->NumberEdit->value(), count);
}

void TstMacroFiles::saveAndLoadRoundTrip()
{
    const QByteArray file = "254\n0x01 0 0\n10ms\n0x04 1 0\n120ms\n0x10 4 0\n10ms\n"
                            "0x10 4 1\n10ms\n0x04 1 1\n10ms\n0x01 0 1\n";
    WriteFile(MacroFolder() + "/m.ini", file);
    NewPage();
    SelectMacro(*page, "m");
    QCOMPARE(Events(*page), (QStringList{"+LCtrl", "10ms", "+A", "120ms", "+Forward Button", "10ms",
                                         "-Forward Button", "10ms", "-A", "10ms", "-LCtrl"}));
    page->ui->ReUntilClick->click();
    page->ui->ReUntilLoose->click();
    page->ui->Save->click();
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"), file);
}

QString TstMacroFiles::ExportOf(const QByteArray &macroFile, const QString &name)
{
    WriteFile(MacroFolder() + "/" + name + ".ini", macroFile);
    NewPage();
    SelectMacro(*page, name);
    const QString path = dir.filePath(name + ".export");
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "ExPortMacro");
    return path;
}

void TstMacroFiles::exportLayoutAndImportRoundTrip()
{
    const QByteArray file = "255\n0x04 1 0\n10ms\n0x04 1 1\n";
    const QString path = ExportOf(file, "keep");
    const QByteArray bytes = ReadFile(path);
    QCOMPARE(bytes.left(16), Hex("0000000c5a75646f6400000000000000"));
    QCOMPARE(bytes.mid(16, 8), Hex("000000306b656570"));
    QCOMPARE(bytes.mid(68, 20), Hex("0000000c32353500000000000000000000000003"));
    QCOMPARE(bytes.count(Hex("000000023000")), 1);
    QCOMPARE(bytes.count(Hex("000000023100")), 1);

    // Back in under another name: the same items, file and repeat mode.
    QFile::remove(MacroFolder() + "/keep.ini");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 0);
    QCOMPARE(Macros(*page), QStringList{"keep"});
    QCOMPARE(page->ui->listWidgetHong->currentRow(), 0);
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "-A"}));
    QCOMPARE(ReadFile(MacroFolder() + "/keep.ini"), file);
}

// A damaged file adds no macro, writes no file and says so.
void TstMacroFiles::damagedImportIsRefused_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated items") << "truncate";
    QTest::newRow("count beyond the items") << "count";
    QTest::newRow("count absurd") << "huge";
    QTest::newRow("truncated header") << "header";
    QTest::newRow("other tag") << "tag";
    QTest::newRow("name leaves the folder") << "name";
    QTest::newRow("repeat code no number") << "repeat";
    QTest::newRow("far too large") << "oversized";
}

void TstMacroFiles::damagedImportIsRefused()
{
    QFETCH(QString, damage);
    QString path = ExportOf("3\n0x04 1 0\n10ms\n0x04 1 1\n", "src");
    QByteArray bytes = ReadFile(path);
    if (damage == "truncate")
        bytes.chop(10);
    else if (damage == "count")
        bytes.replace(84, 4, Hex("00000004"));
    else if (damage == "huge")
        bytes.replace(84, 4, Hex("7fffffff"));
    else if (damage == "header")
        bytes.truncate(40);
    else if (damage == "tag")
        bytes.replace(4, 5, "Zudoe");
    else if (damage == "name")
        bytes.replace(20, 6, QByteArray("../x\0\0", 6));
    else if (damage == "repeat")
        bytes.replace(72, 3, "3\n4");
    WriteFile(path, bytes);
    // Sound items followed by a vast tail: refused by its size alone.
    if (damage == "oversized")
        QVERIFY(QFile::resize(path, MacroExportFile::MaxFileBytes + 1));

    QFile::remove(MacroFolder() + "/src.ini");
    NewPage();
    const QStringList filesBefore = QDir(MacroFolder()).entryList(QDir::Files);
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("InportFail"));
    QCOMPARE(Macros(*page), QStringList{});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), filesBefore);
    QVERIFY(!QFile::exists(dir.filePath("x.ini")));
}

void TstMacroFiles::importOfAKnownNameShowsTheNotice()
{
    const QString path = ExportOf("3\n0x04 1 0\n", "same");
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("SameMacro"));
    QCOMPARE(Macros(*page), QStringList{"same"});
    QCOMPARE(ReadFile(MacroFolder() + "/same.ini"), QByteArray("3\n0x04 1 0\n"));
    // A cancelled chooser does nothing.
    answer.setFilePath(QString());
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 1);
}

void TstMacroFiles::downloadReachesTheMouse()
{
    SimReset();
    const QByteArray devicePath(SimDevicePath(1));
    DeviceAllInfo info;
    info.Path = QString::fromUtf8(devicePath);
    info.CidMid = 38 | (12 << 8);
    info.DriveIndex = 1;
    info.Wired = true;
    SetCurrentDeviceInfo(info);
    SetCurrentDevicePath(devicePath);
    QVERIFY(UsbServerC_Start(devicePath.constData(), devicePath.constData(), NoEvents));
    FlashDataMap block;
    QVERIFY(SimMouseBlock(1, &block));
    block.Keys[2] = KeyAssign{6, 2, 3};
    QVERIFY(ReplaceFlashData(block, {info.Path, CacheFileName(38, 12)}));
    DeviceDataReady = true;

    WriteFile(MacroFolder() + "/m.ini", "3\n0x04 1 0\n10ms\n0x04 1 1\n40ms\n0x10 4 0\n");
    NewPage();
    SelectMacro(*page, "m");
    SimClearCallLog();
    page->SlotMacroDownLoadData("m", 2);
    SimWaitIdle(2000);

    FlashDataMap mouse;
    QVERIFY(SimMouseBlock(1, &mouse));
    MacroRecord expected;
    std::memset(&expected, 0, sizeof expected);
    expected.MacroNameLength = 1;
    expected.MacroNameBytes[0] = 'm';
    expected.StrokeCount = 3;
    expected.Strokes[0] = KeyStroke{0, 1, 0x04, 10};
    expected.Strokes[1] = KeyStroke{1, 1, 0x04, 40};
    expected.Strokes[2] = KeyStroke{0, 4, 0x10, 0};
    QVERIFY(std::memcmp(&mouse.Macros[2], &expected, sizeof expected) == 0);
    QCOMPARE(int(mouse.Keys[2].Category), 6);
    QCOMPARE(int(mouse.Keys[2].Param2), 3);
    bool sent = false;
    for (const SimCallRecord &call : SimCallLog())
        sent = sent || call.function == "ProtocolDataUpdate";
    QVERIFY(sent);
    const FlashDataMap kept = FlashDataSnapshot();
    QVERIFY(std::memcmp(&kept.Macros[2], &expected, sizeof expected) == 0);
}

void TstMacroFiles::downloadRefusals()
{
    // Runs after downloadReachesTheMouse: the mouse and its block are current.
    const FlashDataMap before = FlashDataSnapshot();
    QString events = "3\n";
    for (int i = 0; i < 71; ++i)
        events += "0x04 1 0\n10ms\n";
    WriteFile(MacroFolder() + "/long.ini", events.toUtf8());
    WriteFile(MacroFolder() + "/m.ini", "1\n0x05 1 0\n");
    NewPage();
    SelectMacro(*page, "m");
    SimClearCallLog();
    page->SlotMacroDownLoadData("other", 2); // not the macro shown
    DeviceDataReady = false;
    page->SlotMacroDownLoadData("m", 2);
    DeviceDataReady = true;
    SelectMacro(*page, "long");
    DialogSeam::ScopedAnswer answer;
    page->SlotMacroDownLoadData("long", 2); // more strokes than a record holds
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("KeyNumberLimit"));
    QVERIFY(SimCallLog().isEmpty());
    const FlashDataMap after = FlashDataSnapshot();
    QVERIFY(std::memcmp(&after, &before, sizeof before) == 0);
}

void TstMacroFiles::rebuildFromTheDevice()
{
    WriteFile(MacroFolder() + "/a.ini", "");
    WriteFile(MacroFolder() + "/dev.ini", "254\n"); // the button page's header line
    NewPage();
    QFile::remove(MacroFolder() + "/a.ini");
    FlashDataMap map;
    std::memset(&map, 0, sizeof map);
    MacroRecord &r = map.Macros[3];
    std::memcpy(r.MacroNameBytes, "dev", 3);
    r.StrokeCount = 200; // more than the record holds: its 70 strokes
    for (int i = 0; i < 70; ++i)
        r.Strokes[i] = KeyStroke{uint8_t(i % 2), 1, 0x04, 5};
    r.Strokes[0] = KeyStroke{0, 4, 0x10, 5};
    std::memcpy(map.Macros[4].MacroNameBytes, "../up", 5);
    map.Macros[4].StrokeCount = 1;

    QSignalSpy rebuilt(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
    page->SlotButtonToMacro(map, 3);
    page->SlotButtonToMacro(map, 4);
    QCOMPARE(Macros(*page), (QStringList{"a", "dev"}));
    QCOMPARE(page->ui->listWidgetHong->currentRow(), -1);
    QCOMPARE(Events(*page), QStringList{});
    QCOMPARE(rebuilt.size(), 2);
    const QList<QByteArray> lines = ReadFile(MacroFolder() + "/dev.ini").split('\n');
    QCOMPARE(lines.size(), 1 + 70 + 69 + 1);
    QCOMPARE(lines[0], QByteArray("254"));
    QCOMPARE(lines[1], QByteArray("0x10 4 0"));
    QCOMPARE(lines[2], QByteArray("5ms"));
    QCOMPARE(lines[3], QByteArray("0x04 1 1"));
    QVERIFY(!QFile::exists(MacroFolder() + "/../up.ini"));
}

QTEST_MAIN(TstMacroFiles)
#include "tst_macrofiles.moc"
