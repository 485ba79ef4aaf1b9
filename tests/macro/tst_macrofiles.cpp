// The per-macro files, and the macro record that reaches the simulated mouse
// from recordings, edits and the files.
#include "MacroTestSupport.h"

#include "buttons/MacroBinding.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "model/KeyNames.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

namespace {

void NoEvents(const unsigned char *, int, const unsigned char *, int) {}

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
    void downloadReachesTheMouse();
    void downloadRefusals();
    void recordingsReachTheMouse_data();
    void recordingsReachTheMouse();
    void insertedEventsReachTheMouse_data();
    void insertedEventsReachTheMouse();
    void rebuildFromTheDevice();
    void rebuildIsWholeOrNothing_data();
    void rebuildIsWholeOrNothing();
    void rebuildLeavesTheEditedMacroAlone();

private:
    QStringList SentStrokes(const QString &name);
    Macro *NewPage();
    Macro *page = nullptr;
};

void TstMacroFiles::initTestCase()
{
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

// A macro of the mouse is written as its file in one go, repeat line and
// events; the macro page then lists it.
void TstMacroFiles::rebuildFromTheDevice()
{
    WriteFile(MacroFolder() + "/a.ini", "");
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
    // A name that is no file name of the folder is listed under a safe one.
    std::memcpy(map.Macros[4].MacroNameBytes, "../up", 5);
    map.Macros[4].StrokeCount = 1;
    const QString up = ListedMacroName("../up");
    QVERIFY(IsListedMacroName(up));
    QVERIFY(WriteDeviceMacroFile("dev", 254, r));
    QVERIFY(WriteDeviceMacroFile(up, 1, map.Macros[4]));
    QVERIFY(!WriteDeviceMacroFile("../up", 1, map.Macros[4]));

    QSignalSpy rebuilt(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
    page->SlotButtonToMacro(map, 3);
    page->SlotButtonToMacro(map, 4);
    QCOMPARE(Macros(*page), (QStringList{"a", "dev", up}));
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
    QVERIFY(ReadFile(MacroFolder() + "/" + up + ".ini").startsWith("1\n"));
}

void TstMacroFiles::rebuildIsWholeOrNothing_data()
{
    QTest::addColumn<QByteArray>("old"); // the file before; "<missing>" for none
    QTest::addColumn<int>("fits");       // bytes the disk takes; -1: all but the last
    QTest::newRow("new macro, nothing fits") << QByteArray("<missing>") << 0;
    QTest::newRow("new macro, the repeat line fits") << QByteArray("<missing>") << 4;
    QTest::newRow("changed macro, the repeat line fits") << QByteArray("3\n0x04 1 0\n") << 4;
    QTest::newRow("changed macro, all but the last byte fit") << QByteArray("3\n0x04 1 0\n") << -1;
}

// The disk fills while a macro of the mouse is written: the file is the old
// one byte for byte, or there is none; never the repeat line alone.
void TstMacroFiles::rebuildIsWholeOrNothing()
{
    QFETCH(QByteArray, old);
    QFETCH(int, fits);
    if (old != "<missing>")
        WriteFile(MacroFolder() + "/dev.ini", old);
    MacroRecord record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.MacroNameBytes, "dev", 3);
    record.StrokeCount = 2;
    record.Strokes[0] = KeyStroke{0, 1, 0x05, 10};
    record.Strokes[1] = KeyStroke{1, 1, 0x05, 0};
    const QByteArray whole = "254\n0x05 1 0\n10ms\n0x05 1 1\n";
    SafeFile::failWritesAfter(fits >= 0 ? fits : whole.size() - 1);
    const bool written = WriteDeviceMacroFile("dev", 254, record);
    SafeFile::failWritesAfter(-1);
    QVERIFY(!written);
    QCOMPARE(ReadFile(MacroFolder() + "/dev.ini"), old);
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden),
             old == "<missing>" ? QStringList() : QStringList{"dev.ini"});
    QVERIFY(WriteDeviceMacroFile("dev", 254, record));
    QCOMPARE(ReadFile(MacroFolder() + "/dev.ini"), whole);
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
    QVERIFY(WriteDeviceMacroFile("dev", 3, map.Macros[1]));
    page->SlotButtonToMacro(map, 1);
    KeyboardHook::InjectKey(0x41, false);
    QVERIFY(MacroRecording);
    QCOMPARE(page->ui->listWidgetHong->currentItem()->text(), QString("m"));
    QCOMPARE(Events(*page).first(), QString("+A"));
    QCOMPARE(Events(*page).last(), QString("-A"));
    page->ui->StopRecord->click();
    QCOMPARE(Macros(*page), (QStringList{"m", "dev"}));
    QCOMPARE(ReadFile(MacroFolder() + "/dev.ini"), QByteArray("3\n0x06 1 0\n"));

    // Unsaved edits of the shown macro stay too, and the macro page leaves
    // the new file as the button page wrote it.
    QVERIFY(WriteDeviceMacroFile("m", 1, map.Macros[2]));
    page->SlotButtonToMacro(map, 2);
    QCOMPARE(Events(*page).size(), 3);
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"), QByteArray("1\n0x07 1 0\n"));
    QVERIFY(script.Shown.isEmpty());
}

QTEST_MAIN(TstMacroFiles)
#include "tst_macrofiles.moc"
