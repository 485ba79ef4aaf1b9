// The per-macro files, the export file, and the macro record that reaches the
// simulated mouse.
#include "MacroTestSupport.h"

#include "buttons/MacroBinding.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "macro/KeyNames.h"
#include "platform/KeyboardHook.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QSize>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#include <sys/stat.h>

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
    void recordingsReachTheMouse_data();
    void recordingsReachTheMouse();
    void insertedEventsReachTheMouse_data();
    void insertedEventsReachTheMouse();
    void rebuildFromTheDevice();
    void rebuildLeavesTheEditedMacroAlone();
    void exportTakesTheMacroOfTheName();
    void craftedImportIsRefused_data();
    void craftedImportIsRefused();

private:
    QStringList SentStrokes(const QString &name);
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
                                        "0x06 1 0");    // no line end: still read
    NewPage();
    SelectMacro(*page, "m");
    // The empty line is a delay with an empty text, shown like a press ("+").
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "+", "+", "+a\tb", "-B", "+C"}));
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
    // Names the listing would skip at the next start, or a device record
    // cannot hold.
    QTest::newRow("name holds xml") << "xml";
    QTest::newRow("name starts with a dot") << "dot";
    QTest::newRow("name of 31 bytes") << "long";
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
    else if (damage == "xml")
        bytes.replace(20, 6, QByteArray("a xml\0", 6));
    else if (damage == "dot")
        bytes.replace(20, 6, QByteArray(".x\0\0\0\0", 6));
    else if (damage == "long")
        bytes.replace(20, 31, QByteArray(31, 'n'));
    WriteFile(path, bytes);

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
    // Every stroke keeps its pause, the last one's too (the gap before the
    // macro plays again).
    QCOMPARE(lines.size(), 1 + 70 + 70 + 1);
    QCOMPARE(lines[0], QByteArray("254"));
    QCOMPARE(lines[1], QByteArray("0x10 4 0"));
    QCOMPARE(lines[2], QByteArray("5ms"));
    QCOMPARE(lines[3], QByteArray("0x04 1 1"));
    QVERIFY(!QFile::exists(MacroFolder() + "/../up.ini"));
}

QStringList TstMacroFiles::SentStrokes(const QString &name)
{
    page->SlotMacroDownLoadData(name, 2);
    SimWaitIdle(2000);
    FlashDataMap mouse;
    if (!SimMouseBlock(1, &mouse))
        return {"<no mouse>"};
    const MacroRecord &record = mouse.Macros[2];
    QStringList out;
    for (int i = 0; i < record.StrokeCount && i < 70; ++i) {
        const KeyStroke &s = record.Strokes[i];
        const QString key =
            s.Kind == 4 ? MouseBitToKeyName(s.Code) : DeviceCodeToKeyName(s.Code, s.Kind);
        out << (s.Action == 0 ? "+" : "-") + key + " " + QString::number(s.DelayMs);
    }
    return out;
}

// Keys as "<virtual key in hex><+ or ->", blank-separated; "stop" clicks Stop.
void TstMacroFiles::recordingsReachTheMouse_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("strokes");
    QTest::newRow("overlapping keys")
        << "a0+ 41+ a0- 41- 41+ 41- stop"
        << QStringList{"+LShift", "50ms", "+A", "50ms", "-LShift", "50ms",
                       "-A",      "50ms", "+A", "50ms", "-A"}
        << QStringList{"+LShift 50", "+A 50", "-LShift 50", "-A 50", "+A 50", "-A 0"};
    QTest::newRow("release of a key held before the start")
        << "41- 42+ 42- stop" << QStringList{"+B", "50ms", "-B"} << QStringList{"+B 50", "-B 0"};
    QTest::newRow("stop with a key down")
        << "41+ stop" << QStringList{"+A", "50ms", "-A"} << QStringList{"+A 50", "-A 0"};

    // 66 key events, then two keys go down: only their releases still fit,
    // so the capture ends with both released; later keys add nothing.
    QString keys;
    QStringList events;
    QStringList strokes;
    for (int i = 0; i < 33; ++i) {
        keys += "41+ 41- ";
        events << "+A"
               << "50ms"
               << "-A"
               << "50ms";
        strokes << "+A 50"
                << "-A 50";
    }
    keys += "a0+ 42+ 43+ 43- stop";
    events << "+LShift"
           << "50ms"
           << "+B"
           << "50ms"
           << "-B"
           << "50ms"
           << "-LShift";
    strokes << "+LShift 50"
            << "+B 50"
            << "-B 50"
            << "-LShift 0";
    QTest::newRow("limit with two keys down") << keys << events << strokes;
}

void TstMacroFiles::recordingsReachTheMouse()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, events);
    QFETCH(QStringList, strokes);
    WriteFile(MacroFolder() + "/m.ini", "");
    NewPage();
    SelectMacro(*page, "m");
    page->ui->DefaultDelay->setChecked(true);
    page->ui->DelayTime->setValue(50);
    DialogScript script;
    page->ui->StartRecord->click();
    for (const QString &key : keys.split(' ')) {
        if (key == "stop") {
            page->ui->StopRecord->click();
            continue;
        }
        KeyboardHook::InjectKey(key.chopped(1).toInt(nullptr, 16), key.endsWith('+'));
    }
    QCOMPARE(Events(*page), events);
    QCOMPARE(SentStrokes("m"), strokes);
}

// The inserts that used to leave two keys or two delays side by side: the
// list stays key, delay, key, and the mouse gets exactly what it shows.
void TstMacroFiles::insertedEventsReachTheMouse_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QStringList>("strokes");
    const QByteArray endsOnKey = "1\n0x04 1 0\n10ms\n0x04 1 1\n";
    const QByteArray endsOnDelay = "1\n0x04 1 0\n10ms\n0x04 1 1\n20ms\n";
    QTest::newRow("press, nothing selected, list ends on a key")
        << endsOnKey << -1 << 1 << QStringList{"+A", "10ms", "-A", "10ms", "+B", "10ms"}
        << QStringList{"+A 10", "-A 10", "+B 10"};
    QTest::newRow("press, last row a delay")
        << endsOnDelay << 3 << 1 << QStringList{"+A", "10ms", "-A", "20ms", "+B"}
        << QStringList{"+A 10", "-A 20", "+B 0"};
    QTest::newRow("stroke, nothing selected, list ends on a delay")
        << endsOnDelay << -1 << 4
        << QStringList{"+A", "10ms", "-A", "20ms", "+Left Button", "10ms", "-Left Button"}
        << QStringList{"+A 10", "-A 20", "+Left Button 10", "-Left Button 0"};
    QTest::newRow("stroke, last row a delay")
        << endsOnDelay << 3 << 4
        << QStringList{"+A", "10ms", "-A", "20ms", "+Left Button", "10ms", "-Left Button"}
        << QStringList{"+A 10", "-A 20", "+Left Button 10", "-Left Button 0"};
    QTest::newRow("release, first row of a one-key list")
        << QByteArray("1\n0x04 1 0\n") << 0 << 2 << QStringList{"+A", "10ms", "-B", "10ms"}
        << QStringList{"+A 10", "-B 10"};
}

void TstMacroFiles::insertedEventsReachTheMouse()
{
    QFETCH(QByteArray, file);
    QFETCH(int, row);
    QFETCH(int, entry);
    QFETCH(QStringList, events);
    QFETCH(QStringList, strokes);
    WriteFile(MacroFolder() + "/m.ini", file);
    NewPage();
    SelectMacro(*page, "m");
    page->ui->listWidgetKey->setCurrentRow(row);
    DialogScript script;
    script.then([](QDialog &d) {
        KeyboardHook::InjectKey(0x42, true);
        DialogSeam::press(d, "NewHong");
    });
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, entry));
    QCOMPARE(Events(*page), events);
    QCOMPARE(page->ui->listWidgetKey->currentRow(), row);
    QCOMPARE(SentStrokes("m"), strokes);
    // The saved file gives the button page the same record.
    page->ui->Save->click();
    MacroRecord fromFile;
    QCOMPARE(MacroBinding::LoadRecord("m", &fromFile), MacroBinding::LoadResult::Ok);
    FlashDataMap mouse;
    QVERIFY(SimMouseBlock(1, &mouse));
    QVERIFY(std::memcmp(&fromFile, &mouse.Macros[2], sizeof fromFile) == 0);
}

// A device macro written back as a file never takes the event list or a
// running recording away from the user.
void TstMacroFiles::rebuildLeavesTheEditedMacroAlone()
{
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n");
    WriteFile(MacroFolder() + "/dev.ini", "3\n");
    NewPage();
    SelectMacro(*page, "m");
    FlashDataMap map;
    std::memset(&map, 0, sizeof map);
    std::memcpy(map.Macros[1].MacroNameBytes, "dev", 3);
    map.Macros[1].StrokeCount = 1;
    map.Macros[1].Strokes[0] = KeyStroke{0, 1, 0x06, 0};
    std::memcpy(map.Macros[2].MacroNameBytes, "m", 1);
    map.Macros[2].StrokeCount = 1;
    map.Macros[2].Strokes[0] = KeyStroke{0, 1, 0x07, 0};

    DialogScript script;
    page->ui->StartRecord->click();
    KeyboardHook::InjectKey(0x41, true);
    page->SlotButtonToMacro(map, 1);
    KeyboardHook::InjectKey(0x41, false);
    QVERIFY(MacroRecording);
    QCOMPARE(page->ui->listWidgetHong->currentItem()->text(), QString("m"));
    QCOMPARE(Events(*page).first(), QString("+A"));
    QCOMPARE(Events(*page).last(), QString("-A"));
    page->ui->StopRecord->click();
    QCOMPARE(Macros(*page), (QStringList{"dev", "m"}));
    QCOMPARE(ReadFile(MacroFolder() + "/dev.ini"), QByteArray("3\n0x06 1 0\n"));

    // Unsaved edits of the shown macro stay too.
    WriteFile(MacroFolder() + "/m.ini", "1\n");
    page->SlotButtonToMacro(map, 2);
    QCOMPARE(Events(*page).size(), 3);
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"), QByteArray("1\n0x07 1 0\n"));
    QVERIFY(script.Shown.isEmpty());
}

// After a right-click on another macro (current, not loaded) export writes
// that macro, name and events alike, and Save still writes the shown one.
void TstMacroFiles::exportTakesTheMacroOfTheName()
{
    WriteFile(MacroFolder() + "/a.ini", "1\n0x04 1 0\n");
    WriteFile(MacroFolder() + "/b.ini", "255\n0x05 1 0\n10ms\n0x05 1 1\n");
    NewPage();
    SelectMacro(*page, "a");
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
    page->ui->listWidgetHong->setCurrentRow(1);
    const QString path = dir.filePath("b.export");
    {
        DialogSeam::ScopedAnswer answer(QString(), path);
        QMetaObject::invokeMethod(page, "ExPortMacro");
        QCOMPARE(answer.dialogs().size(), 0);
    }
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "+Left Button", "10ms", "-Left Button"}));
    page->ui->Save->click();
    QCOMPARE(ReadFile(MacroFolder() + "/a.ini"),
             QByteArray("1\n0x04 1 0\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n"));
    QCOMPARE(ReadFile(MacroFolder() + "/b.ini"), QByteArray("255\n0x05 1 0\n10ms\n0x05 1 1\n"));

    QFile::remove(MacroFolder() + "/b.ini");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QMetaObject::invokeMethod(page, "InPortMacro");
    QCOMPARE(answer.dialogs().size(), 0);
    QCOMPARE(Events(*page), (QStringList{"+B", "10ms", "-B"}));
    QCOMPARE(ReadFile(MacroFolder() + "/b.ini"), QByteArray("255\n0x05 1 0\n10ms\n0x05 1 1\n"));
}

namespace {

// An export of the macro "crafted" with one press of A whose icon is `icon`.
QByteArray CraftedExport(const QByteArray &icon)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    auto block = [&out](QByteArray text, int size) {
        text.append(QByteArray(size - text.size(), '\0'));
        out.writeBytes(text.constData(), uint(text.size()));
    };
    block("Zudod", 12);
    block("crafted", 48);
    block("1", 12);
    out << qint32(1) << QString("A");
    out.writeRawData(icon.constData(), icon.size());
    out.writeBytes("0", 2);
    return bytes;
}

// A picture icon with one entry: `picture` (a null marker and PNG data) and
// the stored file name.
QByteArray PictureIcon(const QByteArray &picture, const QString &fileName)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_6);
    out << QString("QPixmapIconEngine") << qint32(1);
    out.writeRawData(picture.constData(), picture.size());
    out << fileName << QSize(16, 16) << uint(0) << uint(0);
    return bytes;
}

// PNG data whose header claims width x height, with no picture data.
QByteArray PngHeader(quint32 width, quint32 height)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint32(1);
    out.writeRawData("\x89PNG\r\n\x1a\n", 8);
    out << quint32(13);
    out.writeRawData("IHDR", 4);
    out << width << height << quint8(8) << quint8(6) << quint8(0) << quint8(0) << quint8(0)
        << quint32(0);
    out << quint32(0);
    out.writeRawData("IEND", 4);
    out << quint32(0);
    return bytes;
}

} // namespace

// Files that name a file of the computer, are a pipe, or claim a huge
// picture: refused at once with the import-failed notice, nothing else
// opened, the macro list and folder as they were.
void TstMacroFiles::craftedImportIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("icon names a file") << "path";
    QTest::newRow("huge picture") << "huge";
    QTest::newRow("the file is a pipe") << "fifo";
    QTest::newRow("far too large") << "large";
    QTest::newRow("icon of another kind") << "engine";
}

void TstMacroFiles::craftedImportIsRefused()
{
    QFETCH(QString, kind);
    const QString secret = dir.filePath("secret.png");
    WriteFile(secret, "not a picture");
    const QString path = dir.filePath("crafted." + kind);
    QFile::remove(path);
    if (kind == "path") {
        WriteFile(path, CraftedExport(PictureIcon(QByteArray(4, '\0'), secret)));
    } else if (kind == "huge") {
        WriteFile(path, CraftedExport(PictureIcon(PngHeader(20000, 20000), QString())));
    } else if (kind == "fifo") {
        QVERIFY(mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    } else if (kind == "large") {
        QByteArray bytes = CraftedExport(QByteArray(4, '\xff'));
        bytes.append(QByteArray(5 * 1024 * 1024, 'x'));
        WriteFile(path, bytes);
    } else {
        QByteArray icon;
        QDataStream out(&icon, QIODevice::WriteOnly);
        out << QString("QSvgIconEngine") << QString(secret);
        WriteFile(path, CraftedExport(icon));
    }

    WriteFile(MacroFolder() + "/keep.ini", "1\n0x04 1 0\n");
    NewPage();
    DialogSeam::ScopedAnswer answer(QString(), path);
    QElapsedTimer timer;
    timer.start();
    QMetaObject::invokeMethod(page, "InPortMacro");
    QVERIFY(timer.elapsed() < 5000);
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("InportFail"));
    QCOMPARE(Macros(*page), QStringList{"keep"});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), QStringList{"keep.ini"});
    QCOMPARE(ReadFile(MacroFolder() + "/keep.ini"), QByteArray("1\n0x04 1 0\n"));
    QFile::remove(path);
}

QTEST_MAIN(TstMacroFiles)
#include "tst_macrofiles.moc"
