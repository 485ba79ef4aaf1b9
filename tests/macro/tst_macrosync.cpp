// The macro page and the button page together against the simulated mouse
// behind its receiver, as the user meets them when something is in the way:
// a change that was made while only its record could not be written says
// so, and every different failure of a run is told; a macro folder reached
// through a link is used nowhere and said so once; a macro saved while the
// mouse sleeps reaches the mouse when it wakes.
#include "MacroTestSupport.h"

#include "../support/DeviceFixture.h"
#include "../support/HostileFiles.h"

#include "buttons/Buttoninterface.h"
#include "buttons/MacroBinding.h"
#include "buttons/MacroSyncLedger.h"
#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "device/Worker.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"
#include "platform/files/SafeFile.h"
#include "ui_Buttoninterface.h"

#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <sys/stat.h>

namespace {

const int Mouse = 0; // the wireless mouse of the simulated receiver: it can sleep
const int WiredMouse = 1;
const int RightKeyIndex = 1;

QString LedgerPath()
{
    return UserFolder::filePath("usersetting/MainPage/MacroSync.ini");
}

QString KeyText(const KeyAssign &key)
{
    return QStringLiteral("%1,%2,%3").arg(key.Category).arg(key.Param1).arg(key.Param2);
}

QString RecordName(const MacroRecord &record)
{
    return QString::fromLocal8Bit(reinterpret_cast<const char *>(record.MacroNameBytes),
                                  record.MacroNameLength);
}

QByteArray Bytes(const MacroRecord &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof(MacroRecord));
}

// The record the button page makes of macro file name.
QByteArray RecordOfFile(const QString &name)
{
    MacroRecord record;
    if (MacroBinding::LoadRecord(name, &record) != MacroBinding::LoadResult::Ok)
        return "<not loaded>";
    return Bytes(record);
}

// The storage notices (UpDateWarning) among the dialogs a script saw.
QStringList Warnings(const DialogScript &script)
{
    QStringList texts;
    for (int i = 0; i < script.Shown.size(); ++i) {
        if (script.Shown.at(i) == QLatin1String("UpDateWarning"))
            texts << script.Texts.at(i);
    }
    return texts;
}

QString Notice(const char *key, const QString &file)
{
    return CommonLabels[0].value(QString::fromLatin1(key)) + "\n" + file;
}

const QByteArray MacroA = "3\n0x04 1 0\n10ms\n0x04 1 1\n";

} // namespace

class TstMacroSync : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void changeMadeRecordNotWritten_data();
    void changeMadeRecordNotWritten();
    void linkedMacroFolderIsUsedNowhere();
    void macroSavedAsleepReachesMouseOnWake_data();
    void macroSavedAsleepReachesMouseOnWake();
    void renameAsleepReachesMouseOnWake_data();
    void renameAsleepReachesMouseOnWake();
    void saveReachesEveryMouseHoldingTheMacro_data();
    void saveReachesEveryMouseHoldingTheMacro();
    void failedRebuildIsNeitherHalfNorRecorded_data();
    void failedRebuildIsNeitherHalfNorRecorded();

private:
    void StartPages();
    void ReadFromMouse(const FlashDataMap *block = nullptr);
    // Makes simulated device `device` the chosen one, as the chooser does.
    void ChooseMouse(int device);
    // Records G (press, 50 ms, release) into macro name, repeating until
    // pressed again, and saves it; returns the saved file.
    QByteArray RecordAndSave(const QString &name);
    FlashDataMap BlockWithMacroOnRightKey(const QString &name);
    void BindFromMenu(QToolButton *selector, const QString &name);
    QStringList MacroButtonNames() const;

    Buttoninterface *buttons = nullptr;
    Macro *macros = nullptr;
};

void TstMacroSync::initTestCase()
{
    QVERIFY(QDir().mkpath(MacroFolder()));
    FillMacroCatalogue();
    DeviceFixture::FillKeyOptions({});
    SimReset(true);
    const QByteArray path = DeviceFixture::MakeCurrentDevice(Mouse, false);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstMacroSync::cleanupTestCase()
{
    UsbServer_Exit();
}

void TstMacroSync::init()
{
    // A link left by a test that stopped half-way goes, never what it names.
    if (QFileInfo(MacroFolder()).isSymLink())
        QVERIFY(QFile::remove(MacroFolder()));
    EmptyMacroFolder();
    QFile::remove(LedgerPath());
    MacroRecording = false;
    StorageNotice::ResetShown();
    QVERIFY(SimSetMouseOnline(Mouse, true));
}

void TstMacroSync::cleanup()
{
    SafeFile::failWritesAfter(-1);
    ChooseMouse(Mouse);
    QVERIFY(SimSetMouseOnline(Mouse, true));
    delete macros;
    macros = nullptr;
    delete buttons;
    buttons = nullptr;
}

void TstMacroSync::StartPages()
{
    delete macros;
    delete buttons;
    buttons = new Buttoninterface();
    buttons->resize(1000, 700);
    buttons->show();
    macros = new Macro();
    macros->show();
    // The button page's worker starts without a device: the mouse is chosen
    // again, as the device chooser does.
    DeviceFixture::MakeCurrentDevice(Mouse, false);
    emit PostMsg::GetInstance()->SigAllLanguage(0);
}

// Reads the mouse as the program does when it is chosen or back; with a
// block, the mouse holds that block first.
void TstMacroSync::ReadFromMouse(const FlashDataMap *block)
{
    if (block) {
        QVERIFY(ProtocolDataUpdate(block));
        QVERIFY(DeviceFixture::WaitIdle());
    }
    ButtonPageUpdated = false;
    QVERIFY(UsbServer_ReadAllFlashData());
    QTRY_VERIFY_WITH_TIMEOUT(ButtonPageUpdated, 5000);
    QVERIFY(DeviceFixture::WaitIdle());
}

void TstMacroSync::ChooseMouse(int device)
{
    UsbServer_Exit();
    const QByteArray path = DeviceFixture::MakeCurrentDevice(device, device == WiredMouse);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

QByteArray TstMacroSync::RecordAndSave(const QString &name)
{
    SelectMacro(*macros, name);
    macros->ui->DefaultDelay->setChecked(true);
    macros->ui->DelayTime->setValue(50);
    macros->ui->StartRecord->click();
    KeyboardHook::InjectKey(0x47, true); // G
    KeyboardHook::InjectKey(0x47, false);
    macros->ui->StopRecord->click();
    macros->ui->ReUntil->click();
    macros->ui->Save->click();
    return ReadFile(MacroFolder() + "/" + name + ".ini");
}

FlashDataMap TstMacroSync::BlockWithMacroOnRightKey(const QString &name)
{
    FlashDataMap block = DeviceFixture::MouseBlock(Mouse);
    std::memset(block.Macros, 0, sizeof(block.Macros));
    block.Keys[RightKeyIndex] = KeyAssign{6, RightKeyIndex, 3};
    if (MacroBinding::LoadRecord(name, &block.Macros[RightKeyIndex]) !=
        MacroBinding::LoadResult::Ok)
        qFatal("macro %s cannot be bound", qPrintable(name));
    return block;
}

void TstMacroSync::BindFromMenu(QToolButton *selector, const QString &name)
{
    emit PostMsg::GetInstance()->SigAddMacroButton();
    selector->click();
    buttons->ui->DPI_10->click();
    QToolButton *button = nullptr;
    for (QToolButton *b : buttons->MacroButtons) {
        if (b->text() == name)
            button = b;
    }
    QVERIFY(button);
    button->click();
}

QStringList TstMacroSync::MacroButtonNames() const
{
    emit PostMsg::GetInstance()->SigAddMacroButton();
    QStringList names;
    for (const QToolButton *b : buttons->MacroButtons) {
        if (b->isEnabled())
            names << b->text();
    }
    return names;
}

void TstMacroSync::changeMadeRecordNotWritten_data()
{
    QTest::addColumn<bool>("rename");
    QTest::addColumn<bool>("toldBefore"); // another failure was told earlier in the run
    QTest::newRow("rename") << true << false;
    QTest::newRow("rename, after another failure was told") << true << true;
    QTest::newRow("bind") << false << false;
    QTest::newRow("bind, after another failure was told") << false << true;
}

// The disk takes no byte more: a rename or a bind is made all the same (the
// list, the file, the buttons and the mouse follow it), only its record in
// MacroSync.ini is not. The one notice says just that, even when another
// failure was told before; the same failure again adds no notice.
void TstMacroSync::changeMadeRecordNotWritten()
{
    QFETCH(bool, rename);
    QFETCH(bool, toldBefore);
    WriteFile(MacroFolder() + "/A.ini", MacroA);
    StartPages();
    FlashDataMap block = DeviceFixture::MouseBlock(Mouse);
    if (rename)
        block = BlockWithMacroOnRightKey("A");
    ReadFromMouse(&block);

    DialogScript script;
    if (toldBefore) {
        StorageNotice::Report(StorageNotice::Kind::Macros, MacroFolder() + "/Other.ini",
                              "No space left on device");
        QCOMPARE(Warnings(script), QStringList{Notice("SaveMacrosFailed", "Other.ini")});
    }
    SafeFile::failWritesAfter(0);
    QString expected;
    if (rename) {
        SelectMacro(*macros, "A");
        script.name("B");
        QMetaObject::invokeMethod(macros, "RenameMacro");
        expected = Notice("MacroSyncRenamedFailed", "MacroSync.ini");

        QCOMPARE(Macros(*macros), QStringList{"B"});
        QCOMPARE(ReadFile(MacroFolder() + "/B.ini"), MacroA);
        QVERIFY(!QFile::exists(MacroFolder() + "/A.ini"));
        QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: B"));
        QCOMPARE(RecordName(DeviceFixture::MouseBlock(Mouse).Macros[RightKeyIndex]), QString("B"));
    } else {
        BindFromMenu(buttons->ui->RightKey, "A");
        expected = Notice("MacroSyncBoundFailed", "MacroSync.ini");

        QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));
        const FlashDataMap held = DeviceFixture::MouseBlock(Mouse);
        QCOMPARE(KeyText(held.Keys[RightKeyIndex]), QString("6,1,3"));
        QCOMPARE(RecordName(held.Macros[RightKeyIndex]), QString("A"));
        QCOMPARE(held.Macros[RightKeyIndex].StrokeCount, uint8_t(2));
    }
    QStringList told = Warnings(script);
    if (toldBefore)
        told.removeFirst();
    QCOMPARE(told, QStringList{expected});

    // The same failure once more: made again, told no more.
    if (rename) {
        script.name("C");
        QMetaObject::invokeMethod(macros, "RenameMacro");
        QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: C"));
    } else {
        BindFromMenu(buttons->ui->BackKey, "A");
        QCOMPARE(buttons->ui->BackKey->text(), QString("Macro: A"));
    }
    QCOMPARE(Warnings(script).size(), toldBefore ? 2 : 1);
}

// With the macro folder a link to a folder of the user's macros, nothing is
// taken from or written through it: neither list offers a macro, the menu
// and the commands say why, the user is told once without asking, and the
// linked folder and the link stay as they are.
void TstMacroSync::linkedMacroFolderIsUsedNowhere()
{
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    WriteFile(outside.filePath("A.ini"), MacroA);
    WriteFile(outside.filePath("B.ini"), "1\n0x05 1 0\n10ms\n0x05 1 1\n");
    QVERIFY(QDir(MacroFolder()).removeRecursively());
    QVERIFY(QFile::link(outside.path(), MacroFolder()));
    const QStringList outsideBefore = HostileFiles::Entries(outside.path());

    DialogScript script;
    StartPages();
    QCOMPARE(Macros(*macros), QStringList());
    QCOMPARE(MacroButtonNames(), QStringList());
    const QString why = Notice("MacroFolderLinked", "MacroPage");
    // Told from the event loop, once for every list built.
    QVERIFY(script.Shown.isEmpty());
    QTRY_COMPARE(Warnings(script), QStringList{why});
    QTest::qWait(50);
    QCOMPARE(script.Shown, QStringList{"UpDateWarning"});

    // The mouse's macro is not written into the linked folder either.
    ReadFromMouse();
    FlashDataMap block = DeviceFixture::MouseBlock(Mouse);
    block.Keys[RightKeyIndex] = KeyAssign{6, RightKeyIndex, 3};
    MacroRecord &record = block.Macros[RightKeyIndex];
    std::memset(&record, 0, sizeof(record));
    std::memcpy(record.MacroNameBytes, "Fresh", 5);
    record.MacroNameLength = 5;
    record.StrokeCount = 1;
    ReadFromMouse(&block);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: Fresh"));
    QCOMPARE(Macros(*macros), QStringList());

    // Each command that needs the folder says why, with nothing else.
    script.Shown.clear();
    script.Texts.clear();
    buttons->ui->BackKey->click();
    buttons->ui->DPI_10->click();
    macros->ui->NewHong->click();
    QMetaObject::invokeMethod(macros, "InPortMacro");
    QMetaObject::invokeMethod(macros, "on_Save_clicked");
    QCOMPARE(script.Shown, QStringList({"UpDateWarning", "UpDateWarning", "UpDateWarning"}));
    QCOMPARE(Warnings(script), QStringList({why, why, why}));

    QCOMPARE(HostileFiles::TypeAt(MacroFolder()), mode_t(S_IFLNK));
    QCOMPARE(HostileFiles::Entries(outside.path()), outsideBefore);
    QCOMPARE(ReadFile(outside.filePath("A.ini")), MacroA);
    QVERIFY(QFile::remove(MacroFolder()));
    QVERIFY(QDir().mkpath(MacroFolder()));
}

void TstMacroSync::macroSavedAsleepReachesMouseOnWake_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("woken in the same run") << false;
    QTest::newRow("woken after the program started again") << true;
}

// Saved while the mouse sleeps: the file keeps the edit, and the mouse gets
// it, events and repeat mode, when it is read again after it woke; that read
// does not bring the mouse's old copy back into the file.
void TstMacroSync::macroSavedAsleepReachesMouseOnWake()
{
    QFETCH(bool, restart);
    WriteFile(MacroFolder() + "/A.ini", MacroA);
    StartPages();
    const FlashDataMap bound = BlockWithMacroOnRightKey("A");
    ReadFromMouse(&bound);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));

    SelectMacro(*macros, "A");
    macros->ui->DefaultDelay->setChecked(true);
    macros->ui->DelayTime->setValue(50);
    macros->ui->StartRecord->click();
    KeyboardHook::InjectKey(0x47, true); // G
    KeyboardHook::InjectKey(0x47, false);
    macros->ui->StopRecord->click();
    macros->ui->ReUntil->click();
    QVERIFY(SimSetMouseOnline(Mouse, false));
    macros->ui->Save->click();
    const QByteArray saved("253\n0x0A 1 0\n50ms\n0x0A 1 1\n");
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), saved);
    const FlashDataMap asleep = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&asleep.Macros[RightKeyIndex]),
                        sizeof(MacroRecord)),
             QByteArray(reinterpret_cast<const char *>(&bound.Macros[RightKeyIndex]),
                        sizeof(MacroRecord)));

    if (restart)
        StartPages();
    QVERIFY(SimSetMouseOnline(Mouse, true));
    ReadFromMouse();
    MacroRecord expected;
    QCOMPARE(MacroBinding::LoadRecord("A", &expected), MacroBinding::LoadResult::Ok);
    QTRY_COMPARE(KeyText(DeviceFixture::MouseBlock(Mouse).Keys[RightKeyIndex]), QString("6,1,253"));
    const FlashDataMap woken = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&woken.Macros[RightKeyIndex]),
                        sizeof(MacroRecord)),
             QByteArray(reinterpret_cast<const char *>(&expected), sizeof(MacroRecord)));
    QCOMPARE(woken.Macros[RightKeyIndex].Strokes[0].Code, uint16_t(0x0A));
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), saved);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));
    // Nothing waits any more, also for the next start.
    QCOMPARE(MacroSyncLedger(LedgerPath()).pendingNames(), QStringList());
}

void TstMacroSync::renameAsleepReachesMouseOnWake_data()
{
    QTest::addColumn<bool>("restart");
    QTest::newRow("woken in the same run") << false;
    QTest::newRow("woken after the program started again") << true;
}

// Renamed while the mouse sleeps: the buttons keep the old name for now (it
// is what the mouse holds), the read after the mouse woke brings no file of
// the old name back, and the mouse gets the macro under its new name. The
// next change, made with the mouse awake, reaches it as any other.
void TstMacroSync::renameAsleepReachesMouseOnWake()
{
    QFETCH(bool, restart);
    WriteFile(MacroFolder() + "/A.ini", MacroA);
    StartPages();
    const FlashDataMap bound = BlockWithMacroOnRightKey("A");
    ReadFromMouse(&bound);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));

    QVERIFY(SimSetMouseOnline(Mouse, false));
    DialogScript script;
    SelectMacro(*macros, "A");
    script.name("B");
    QMetaObject::invokeMethod(macros, "RenameMacro");
    QCOMPARE(Macros(*macros), QStringList{"B"});
    const QByteArray renamed = RecordOfFile("B");
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));
    QCOMPARE(RecordName(DeviceFixture::MouseBlock(Mouse).Macros[RightKeyIndex]), QString("A"));

    if (restart)
        StartPages();
    QVERIFY(SimSetMouseOnline(Mouse, true));
    ReadFromMouse();
    QTRY_COMPARE(RecordName(DeviceFixture::MouseBlock(Mouse).Macros[RightKeyIndex]), QString("B"));
    const FlashDataMap woken = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(Bytes(woken.Macros[RightKeyIndex]), renamed);
    QCOMPARE(KeyText(woken.Keys[RightKeyIndex]), QString("6,1,3"));
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: B"));
    QVERIFY(!QFile::exists(MacroFolder() + "/A.ini"));
    QCOMPARE(ReadFile(MacroFolder() + "/B.ini"), MacroA);
    QCOMPARE(Macros(*macros), QStringList{"B"});
    QCOMPARE(MacroButtonNames(), QStringList{"B"});
    QCOMPARE(MacroSyncLedger(LedgerPath()).pendingNames(), QStringList());

    // Read once more: nothing comes back, nothing more is sent.
    SimClearCallLog();
    ReadFromMouse();
    QTest::qWait(50);
    QCOMPARE(DeviceFixture::CountCalls("ProtocolDataUpdate"), 1); // the read's own send-back
    QVERIFY(!QFile::exists(MacroFolder() + "/A.ini"));

    script.name("C");
    SelectMacro(*macros, "B");
    QMetaObject::invokeMethod(macros, "RenameMacro");
    QCOMPARE(RecordName(DeviceFixture::MouseBlock(Mouse).Macros[RightKeyIndex]), QString("C"));
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: C"));
    ReadFromMouse();
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files), QStringList{"C.ini"});
}

void TstMacroSync::saveReachesEveryMouseHoldingTheMacro_data()
{
    QTest::addColumn<bool>("asleep"); // the first mouse sleeps at the save
    QTest::newRow("first mouse asleep at the save") << true;
    QTest::newRow("other mouse away at the save") << false;
}

// Two mice hold macro A. It is saved while the first one is chosen (asleep
// or awake); the other one is read next, then the first one again: each
// gets the saved macro, and neither brings its old copy back into A.ini.
void TstMacroSync::saveReachesEveryMouseHoldingTheMacro()
{
    QFETCH(bool, asleep);
    WriteFile(MacroFolder() + "/A.ini", MacroA);
    StartPages();
    const FlashDataMap bound = BlockWithMacroOnRightKey("A");
    ReadFromMouse(&bound);
    int profile = 0;
    QVERIFY(SimMouseProfile(WiredMouse, &profile));
    FlashDataMap other = DeviceFixture::MouseBlock(WiredMouse);
    other.Keys[RightKeyIndex] = bound.Keys[RightKeyIndex];
    other.Macros[RightKeyIndex] = bound.Macros[RightKeyIndex];
    QVERIFY(SimSetMouseProfileBlock(WiredMouse, profile, other));

    if (asleep)
        QVERIFY(SimSetMouseOnline(Mouse, false));
    const QByteArray saved = RecordAndSave("A");
    QCOMPARE(saved, QByteArray("253\n0x0A 1 0\n50ms\n0x0A 1 1\n"));
    const QByteArray savedRecord = RecordOfFile("A");

    ChooseMouse(WiredMouse);
    ReadFromMouse();
    QTRY_COMPARE(Bytes(DeviceFixture::MouseBlock(WiredMouse).Macros[RightKeyIndex]), savedRecord);
    QCOMPARE(KeyText(DeviceFixture::MouseBlock(WiredMouse).Keys[RightKeyIndex]),
             QString("6,1,253"));
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), saved);

    ChooseMouse(Mouse);
    QVERIFY(SimSetMouseOnline(Mouse, true));
    ReadFromMouse();
    QTRY_COMPARE(Bytes(DeviceFixture::MouseBlock(Mouse).Macros[RightKeyIndex]), savedRecord);
    QCOMPARE(KeyText(DeviceFixture::MouseBlock(Mouse).Keys[RightKeyIndex]), QString("6,1,253"));
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), saved);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));
    QCOMPARE(MacroSyncLedger(LedgerPath()).pendingNames(), QStringList());
}

void TstMacroSync::failedRebuildIsNeitherHalfNorRecorded_data()
{
    QTest::addColumn<bool>("known"); // A.ini was rebuilt from the mouse before
    QTest::newRow("macro new to the computer") << false;
    QTest::newRow("macro changed on the mouse") << true;
}

// The disk takes the repeat line of a macro read from the mouse but not its
// events, and has room again right after. The file is the old one or none,
// never the repeat line alone, and the failure is not recorded as a file in
// line with the mouse: the next read writes the macro whole.
void TstMacroSync::failedRebuildIsNeitherHalfNorRecorded()
{
    QFETCH(bool, known);
    StartPages();
    FlashDataMap block = DeviceFixture::MouseBlock(Mouse);
    std::memset(block.Macros, 0, sizeof(block.Macros));
    block.Keys[RightKeyIndex] = KeyAssign{6, RightKeyIndex, 3};
    MacroRecord &record = block.Macros[RightKeyIndex];
    std::memset(&record, 0, sizeof(record));
    std::memcpy(record.MacroNameBytes, "A", 1);
    record.MacroNameLength = 1;
    record.StrokeCount = 2;
    record.Strokes[0] = KeyStroke{0, 1, 0x04, 10};
    record.Strokes[1] = KeyStroke{1, 1, 0x04, 0};
    QByteArray before("<missing>");
    if (known) {
        ReadFromMouse(&block);
        before = ReadFile(MacroFolder() + "/A.ini");
        QCOMPARE(before, MacroA);
        record.Strokes[0].DelayMs = 20;
    }

    QVERIFY(ProtocolDataUpdate(&block));
    QVERIFY(DeviceFixture::WaitIdle());

    DialogScript script;
    // The disk fills as the button page starts to show the block read (the
    // mouse's own memory is saved by then), and has room again once the
    // macro page has had its part of the rebuild.
    PostMsg *hub = PostMsg::GetInstance();
    const QMetaObject::Connection full = connect(hub, &PostMsg::SigLightToFrom, this, [](int) {
        SafeFile::failWritesAfter(2); // "3\n"
    });
    const QMetaObject::Connection room =
        connect(hub, &PostMsg::SigButtonToMacro, this,
                [](const FlashDataMap &, int) { SafeFile::failWritesAfter(-1); });
    ReadFromMouse();
    disconnect(full);
    disconnect(room);
    SafeFile::failWritesAfter(-1);
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), before);
    QCOMPARE(Warnings(script), QStringList{Notice("SaveMacrosFailed", "A.ini")});

    ReadFromMouse();
    const QByteArray whole = known ? "3\n0x04 1 0\n20ms\n0x04 1 1\n" : MacroA;
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), whole);
    QCOMPARE(Macros(*macros), QStringList{"A"});
}

QTEST_MAIN(TstMacroSync)
#include "tst_macrosync.moc"
