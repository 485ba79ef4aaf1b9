// The macro page: the macro list and whole-macro commands, the name dialog,
// recording from injected keys, and editing the event list.
#include "MacroTestSupport.h"

#include "../support/HostileDisk.h"
#include "../support/HostileFiles.h"

#include "buttons/Buttoninterface.h"
#include "common/SharedState.h"
#include "macro/AddDelayTime.h"
#include "macro/QuestionDialog.h"
#include "macro/addKey.h"
#include "model/KeyNames.h"
#include "platform/KeyboardHook.h"
#include "platform/files/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TstMacroPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listShowsFolderFiles();
    void listsSetAsideWhatIsNoFile_data();
    void listsSetAsideWhatIsNoFile();
    void createRenameDelete();
    void namesThatAreNoFileNameAreRefused();
    void nameDialogRules_data();
    void nameDialogRules();
    void nameDialogRefusesPunctuationAndShift();
    void recordingTakesInjectedKeys();
    void recordingStopsAtSeventyKeys();
    void heldKeyIsOnePressAndOneRelease_data();
    void heldKeyIsOnePressAndOneRelease();
    void recordingNeedsAMacroAndLocksCommands();
    void leavingTheDevicePageEndsARecording();
    void insertEvents();
    void deleteEvents_data();
    void deleteEvents();
    void amendKeepsTheEventKind();
    void amendLeftWithoutOkChangesNothing_data();
    void amendLeftWithoutOkChangesNothing();
    void saveEmitsChangesInOrder();
    void entryDialogs();
    void fileFailuresAreShown();

private:
    Macro *NewPage();
    Macro *page = nullptr;
};

void TstMacroPage::initTestCase()
{
    FillMacroCatalogue();
}

void TstMacroPage::init()
{
    EmptyMacroFolder();
    MacroRecording = false;
}

void TstMacroPage::cleanup()
{
    delete page;
    page = nullptr;
}

Macro *TstMacroPage::NewPage()
{
    delete page;
    page = new Macro();
    page->show();
    return page;
}

void TstMacroPage::listShowsFolderFiles()
{
    for (const char *name : {"a.ini", "B.ini", "c.txt", "notes.xml", "x.ini.ini"})
        WriteFile(MacroFolder() + "/" + name, "");
    QDir().mkpath(MacroFolder() + "/sub.ini");
    NewPage();
    // Only the ".ini" extension goes, as on the button page.
    QCOMPARE(Macros(*page), (QStringList{"a", "B", "c.txt", "x.ini"}));
    QVERIFY(!page->ui->Save->isEnabled());
    QVERIFY(page->ui->ReNumber->isChecked());
    QVERIFY(page->ui->AutoInsertDelay->isChecked());
    QCOMPARE(MouseLeftName, QString("Left Button"));
    QCOMPARE(page->ui->ChooseEvent->itemText(8), QString("Back Button"));
}

// Something that is no regular file where a macro's file would be is damaged:
// each list, the button page's and the macro page's, sets it aside at once
// (never opening or following it) and shows neither it nor a kept ".bad"
// file, and its name is free for a new macro.
void TstMacroPage::listsSetAsideWhatIsNoFile_data()
{
    using HostileFiles::Thing;
    QTest::addColumn<Thing>("thing");
    QTest::newRow("FIFO") << Thing::Fifo;
    QTest::newRow("link to a file") << Thing::LinkToFile;
    QTest::newRow("dangling link") << Thing::DanglingLink;
    QTest::newRow("link to a device") << Thing::LinkToDevice;
    QTest::newRow("socket") << Thing::Socket;
    QTest::newRow("folder") << Thing::Folder;
}

void TstMacroPage::listsSetAsideWhatIsNoFile()
{
    using namespace HostileFiles;
    QFETCH(Thing, thing);
    QTemporaryDir outside;
    QVERIFY(outside.isValid());
    const QString alpha = MacroFolder() + "/alpha.ini";
    WriteFile(MacroFolder() + "/beta.ini", "1\n");
    WriteFile(MacroFolder() + "/gamma.ini.bad", "1\n");
    auto makeThing = [&] {
        QVERIFY(QDir(outside.path()).removeRecursively() && QDir().mkpath(outside.path()));
        // A kept folder cannot be replaced by the next one; a kept file can.
        if (TypeAt(alpha + ".bad") == S_IFDIR)
            QVERIFY(QDir(alpha + ".bad").removeRecursively());
        if (!Make(thing, alpha, outside.path()))
            QSKIP("this machine does not allow it (a device node needs root)");
    };
    auto setAside = [&](mode_t type) {
        QCOMPARE(TypeAt(alpha), mode_t(0));
        QCOMPARE(TypeAt(alpha + ".bad"), type);
    };

    makeThing();
    const mode_t type = TypeAt(alpha);
    QStringList buttons;
    HostileDisk::WithinSeconds(20, "the button page's list", [&] {
        Buttoninterface buttonPage;
        for (const QToolButton *button : buttonPage.MacroButtons) {
            if (button->isEnabled())
                buttons << button->text();
        }
    });
    QCOMPARE(buttons, QStringList{"beta"});
    setAside(type);

    makeThing();
    const QStringList outsideBefore = Entries(outside.path());
    HostileDisk::WithinSeconds(20, "the macro page's list", [&] { NewPage(); });
    QCOMPARE(Macros(*page), QStringList{"beta"});
    setAside(type);

    DialogScript script;
    script.name("alpha");
    page->ui->NewHong->click();
    QCOMPARE(script.Shown, QStringList{"QuestionDialog"});
    QCOMPARE(Macros(*page), (QStringList{"beta", "alpha"}));
    QCOMPARE(TypeAt(alpha), mode_t(S_IFREG));
    QCOMPARE(Entries(outside.path()), outsideBefore);
    if (thing == Thing::LinkToFile)
        QCOMPARE(Bytes(outside.path() + "/victim.txt"), QByteArray("the user's own text"));
}

void TstMacroPage::createRenameDelete()
{
    NewPage();
    QSignalSpy renamed(PostMsg::GetInstance(), &PostMsg::SigMacroRename);
    QSignalSpy deleted(PostMsg::GetInstance(), &PostMsg::SigDeleteMacroButton);
    {
        DialogScript script;
        script.name("Foo");
        script.name("Foo"); // again: the same name
        script.press("CloseButton");
        script.name("foo"); // letter case differs: another macro
        page->ui->NewHong->click();
        page->ui->NewHong->click();
        page->ui->NewHong->click();
        QCOMPARE(script.Shown,
                 (QStringList{"QuestionDialog", "QuestionDialog", "SameMacro", "QuestionDialog"}));
    }
    QCOMPARE(Macros(*page), (QStringList{"Foo", "foo"}));
    QCOMPARE(ReadFile(MacroFolder() + "/Foo.ini"), QByteArray());
    // A new macro is current with one cycle, and that counts as a change.
    QCOMPARE(page->ui->listWidgetHong->currentItem()->text(), QString("foo"));

    // Rename Foo: to a taken name nothing moves; to a free one list, file and
    // buttons follow.
    WriteFile(MacroFolder() + "/Foo.ini", "2\n10ms\n");
    page->ui->listWidgetHong->setCurrentRow(0);
    {
        DialogScript script;
        script.name("foo");
        QMetaObject::invokeMethod(page, "RenameMacro");
        script.name("Bar");
        QMetaObject::invokeMethod(page, "RenameMacro");
        QCOMPARE(script.Shown, (QStringList{"QuestionDialog", "SameMacro", "QuestionDialog"}));
    }
    QCOMPARE(Macros(*page), (QStringList{"Bar", "foo"}));
    QVERIFY(!QFile::exists(MacroFolder() + "/Foo.ini"));
    QCOMPARE(ReadFile(MacroFolder() + "/Bar.ini"), QByteArray("2\n10ms\n"));
    QCOMPARE(renamed.size(), 1);
    QCOMPARE(renamed.first(), (QList<QVariant>{"Foo", "Bar"}));

    // Delete: closing the confirmation keeps everything.
    {
        DialogScript script;
        script.press("CloseButton");
        page->ui->DeleteHong->click();
        script.press("NewHong");
        page->ui->DeleteHong->click();
        QCOMPARE(script.Shown, (QStringList{"DeleteConfirm", "DeleteConfirm"}));
    }
    QCOMPARE(Macros(*page), QStringList{"foo"});
    QVERIFY(!QFile::exists(MacroFolder() + "/Bar.ini"));
    QCOMPARE(deleted.size(), 1);
    QCOMPARE(deleted.first().first().toString(), QString("Macro-Bar"));
    // The macro shown (foo, made last) is not the one deleted: it stays.
    QCOMPARE(page->ui->listWidgetHong->currentItem()->text(), QString("foo"));

    // Deleting the shown macro leaves none shown.
    {
        DialogScript script;
        script.press("NewHong");
        page->ui->DeleteHong->click();
    }
    QCOMPARE(Macros(*page), QStringList{});
    QCOMPARE(page->ui->listWidgetHong->currentRow(), -1);
}

// Names reach the file system: one that would leave the macro folder, take
// over another macro's file, be skipped by the listing at the next start or
// not fit a device record is never made, and the user is told that the name
// is not allowed (not that it is taken).
void TstMacroPage::namesThatAreNoFileNameAreRefused()
{
    WriteFile(MacroFolder() + "/hidden xml.ini", "5\n"); // on disk, not listed
    NewPage();
    QCOMPARE(Macros(*page), QStringList{});
    DialogScript script;
    const QStringList names{"..", "hidden xml", "myxml", ".dot", QString(31, 'n')};
    for (const QString &name : names) {
        script.name(name);
        page->ui->NewHong->click();
    }
    QCOMPARE(script.Shown.count("UpDateWarning"), names.size());
    QCOMPARE(script.Shown.count("QuestionDialog"), names.size());
    QVERIFY(!MacroText("DialogMacroNameNotAllowed").isEmpty());
    QCOMPARE(script.Texts.count(MacroText("DialogMacroNameNotAllowed")), names.size());
    // The name dialog asks for the new macro's name.
    QVERIFY(!MacroText("DialogNewMacroName").isEmpty());
    QCOMPARE(script.Texts.first(), MacroText("DialogNewMacroName"));
    QCOMPARE(Macros(*page), QStringList{});
    QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"hidden xml.ini"});
    QCOMPARE(ReadFile(MacroFolder() + "/hidden xml.ini"), QByteArray("5\n"));

    // Renaming follows the same rule.
    WriteFile(MacroFolder() + "/m.ini", "1\n");
    NewPage();
    page->ui->listWidgetHong->setCurrentRow(0);
    DialogScript rename;
    rename.name("m.xml");
    QMetaObject::invokeMethod(page, "RenameMacro");
    QCOMPARE(rename.Shown, (QStringList{"QuestionDialog", "UpDateWarning"}));
    QCOMPARE(rename.Texts, (QStringList{MacroText("DialogInputMacroName"),
                                        MacroText("DialogMacroNameNotAllowed")}));
    QCOMPARE(Macros(*page), QStringList{"m"});
}

void TstMacroPage::nameDialogRules_data()
{
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("field");
    QTest::newRow("blank typed at the end") << "a "
                                            << "a";
    QTest::newRow("blank inside stays") << "a bc"
                                        << "a bc";
    QTest::newRow("trailing blank drops all") << "a bc "
                                              << "abc";
    QTest::newRow("31 characters") << QString(31, 'x') << QString(30, 'x');
    QTest::newRow("path separators") << "a/b\\c"
                                     << "abc";
    QTest::newRow("pasted dot stays") << "v1.2"
                                      << "v1.2";
}

void TstMacroPage::nameDialogRules()
{
    QFETCH(QString, edited);
    QFETCH(QString, field);
    QuestionDialog dialog;
    auto *edit = dialog.findChild<QLineEdit *>("lineEdit");
    edit->setText(edited);
    emit edit->textEdited(edited);
    QCOMPARE(edit->text(), field);
}

void TstMacroPage::nameDialogRefusesPunctuationAndShift()
{
    QuestionDialog dialog;
    dialog.show();
    auto *edit = dialog.findChild<QLineEdit *>("lineEdit");
    QTest::keyClicks(edit, "ab./\\c");
    QCOMPARE(edit->text(), QString("abc"));
    QTest::keyPress(&dialog, Qt::Key_Shift);
    QVERIFY(!edit->isEnabled());
    QTest::keyRelease(&dialog, Qt::Key_Shift);
    QVERIFY(edit->isEnabled());
    // Escape does not close it; OK with an empty field is a cancel.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    edit->clear();
    QTest::mouseClick(dialog.findChild<QWidget *>("NewHong"), Qt::LeftButton);
    QVERIFY(dialog.EnteredName.isEmpty());
}

void TstMacroPage::recordingTakesInjectedKeys()
{
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n");
    NewPage();
    SelectMacro(*page, "m");
    QCOMPARE(Events(*page), QStringList{"+A"});
    page->ui->DefaultDelay->setChecked(true);
    page->ui->DelayTime->setValue(50);
    QSignalSpy lock(PostMsg::GetInstance(), &PostMsg::SigStartRecord);

    page->ui->StartRecord->click();
    QVERIFY(MacroRecording);
    QCOMPARE(Events(*page), QStringList{});
    QVERIFY(!page->ui->listWidgetHong->isEnabled());
    QVERIFY(page->ui->StopRecord->isVisible());
    KeyboardHook::InjectKey(0x41, true);
    KeyboardHook::InjectKey(0x41, true); // held: repeated key-down
    KeyboardHook::InjectKey(0x41, false);
    KeyboardHook::InjectKey(0xAF, true); // volume up: no name
    KeyboardHook::InjectKey(0xA0, true);
    KeyboardHook::InjectKey(0xA0, false);
    page->ui->StopRecord->click();
    KeyboardHook::InjectKey(0x42, true); // after the stop

    QCOMPARE(Events(*page),
             (QStringList{"+A", "50ms", "-A", "50ms", "+LShift", "50ms", "-LShift"}));
    QVERIFY(!MacroRecording);
    QVERIFY(page->ui->Save->isEnabled());
    QVERIFY(page->ui->listWidgetHong->isEnabled());
    QCOMPARE(lock.size(), 2);
    QCOMPARE(lock[0].first().toInt(), 0);
    QCOMPARE(lock[1].first().toInt(), 1);
    // Until saved, the file keeps the old events.
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"), QByteArray("1\n0x04 1 0\n"));
}

void TstMacroPage::recordingStopsAtSeventyKeys()
{
    WriteFile(MacroFolder() + "/m.ini", "");
    NewPage();
    SelectMacro(*page, "m");
    DialogScript script;
    page->ui->StartRecord->click();
    for (int i = 0; i < 40; ++i) {
        KeyboardHook::InjectKey(0x41 + i % 26, true);
        KeyboardHook::InjectKey(0x41 + i % 26, false);
    }
    QCOMPARE(script.Shown, QStringList{"KeyNumberLimit"});
    QVERIFY(!MacroRecording);
    const QStringList events = Events(*page);
    QCOMPARE(events.size(), 139);
    QCOMPARE(events.filter("ms").size(), 69);
    // Capture ended, yet the controls wait for Stop.
    QVERIFY(page->ui->StopRecord->isVisible());
    page->ui->StopRecord->click();
    QVERIFY(page->ui->StartRecord->isVisible());
}

// A held key reaches the window as release/press pairs: marked as
// auto-repeat by Qt, or (X11) unmarked with one time stamp per pair. Either
// way it is one press and one release, and its repeats do not use up the
// seventy keys a recording holds. A release and a press with their own time
// stamps are a second stroke.
void TstMacroPage::heldKeyIsOnePressAndOneRelease_data()
{
    QTest::addColumn<bool>("marked");
    QTest::addColumn<bool>("sameStamp");
    QTest::addColumn<QStringList>("held");
    const QStringList once{"+A", "50ms", "-A"};
    QTest::newRow("marked as auto-repeat") << true << true << once;
    QTest::newRow("unmarked, one time stamp per pair") << false << true << once;
    QStringList twice;
    for (int i = 0; i < 3; ++i)
        twice << "+A"
              << "50ms"
              << "-A"
              << "50ms";
    twice.removeLast();
    QTest::newRow("own time stamps: strokes of their own") << false << false << twice;
}

void TstMacroPage::heldKeyIsOnePressAndOneRelease()
{
    QFETCH(bool, marked);
    QFETCH(bool, sameStamp);
    QFETCH(QStringList, held);
    WriteFile(MacroFolder() + "/m.ini", "");
    NewPage();
    SelectMacro(*page, "m");
    page->ui->DefaultDelay->setChecked(true);
    page->ui->DelayTime->setValue(50);
    QVERIFY(page->windowHandle());
    ulong stamp = 1000;
    auto send = [&](QEvent::Type type, int key, bool repeat) {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        event.setTimestamp(stamp);
        QCoreApplication::sendEvent(page->windowHandle(), &event);
    };
    DialogScript script;
    page->ui->StartRecord->click();
    // A held for 80 repeats: only two pairs when each has its own stamp.
    send(QEvent::KeyPress, Qt::Key_A, false);
    const int pairs = sameStamp ? 80 : 2;
    for (int i = 0; i < pairs; ++i) {
        stamp += 30;
        send(QEvent::KeyRelease, Qt::Key_A, marked);
        if (!sameStamp)
            stamp += 5;
        send(QEvent::KeyPress, Qt::Key_A, marked);
    }
    stamp += 30;
    send(QEvent::KeyRelease, Qt::Key_A, false);
    // The last release is held back a moment for a press that never comes.
    QTRY_COMPARE(Events(*page), held);
    // Strokes of B up to 68 key events in all still fit after it.
    QStringList expected = held;
    const int keyEvents = held.size() - held.filter("ms").size();
    for (int i = 0; i < (68 - keyEvents) / 2; ++i) {
        stamp += 40;
        send(QEvent::KeyPress, Qt::Key_B, false);
        stamp += 40;
        send(QEvent::KeyRelease, Qt::Key_B, false);
        expected << "50ms"
                 << "+B"
                 << "50ms"
                 << "-B";
    }
    page->ui->StopRecord->click();
    QCOMPARE(script.Shown, QStringList{});
    QCOMPARE(Events(*page), expected);
}

void TstMacroPage::recordingNeedsAMacroAndLocksCommands()
{
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n");
    NewPage();
    {
        DialogScript script;
        page->ui->StartRecord->click();
        QCOMPARE(script.Shown, QStringList{"ExeIsRun"});
        QVERIFY(!MacroRecording);
    }
    SelectMacro(*page, "m");
    page->ui->StartRecord->click();
    KeyboardHook::InjectKey(0x43, true);
    DialogScript script;
    page->ui->NewHong->click();
    page->ui->DeleteHong->click();
    page->ui->DeleteKey->click();
    page->ui->Amend->click();
    QMetaObject::invokeMethod(page, "on_Save_clicked");
    QCOMPARE(script.Shown,
             (QStringList{"ExeIsRun", "ExeIsRun", "ExeIsRun", "ExeIsRun", "ExeIsRun"}));
    QCOMPARE(Macros(*page), QStringList{"m"});
    QCOMPARE(Events(*page), QStringList{"+C"});
    page->ui->StopRecord->click();
}

void TstMacroPage::leavingTheDevicePageEndsARecording()
{
    WriteFile(MacroFolder() + "/m.ini", "");
    NewPage();
    SelectMacro(*page, "m");
    page->ui->StartRecord->click();
    QSignalSpy lock(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
    emit PostMsg::GetInstance()->SigSetMacroPage();
    QCOMPARE(lock.size(), 1);
    QCOMPARE(lock[0].first().toInt(), 1);
    QVERIFY(!MacroRecording);
    QVERIFY(page->ui->StartRecord->isVisible());
    QVERIFY(page->ui->ChooseEvent->isEnabled());
    QVERIFY(page->ui->ReNumber->isEnabled());
    QVERIFY(!page->ui->Save->isEnabled());
    KeyboardHook::InjectKey(0x41, true);
    QCOMPARE(Events(*page), QStringList{});
}

void TstMacroPage::insertEvents()
{
    WriteFile(MacroFolder() + "/m.ini", "");
    NewPage();
    // Without a macro the dialog shows but nothing is added.
    {
        DialogScript script;
        script.delay(300);
        QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 3));
        QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
        QCOMPARE(script.Shown, QStringList{"AddDelayTime"});
        QCOMPARE(Events(*page), QStringList{});
    }
    SelectMacro(*page, "m");
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
    QCOMPARE(Events(*page), (QStringList{"+Left Button", "10ms", "-Left Button"}));
    QVERIFY(page->EventsChanged);
    QVERIFY(page->ui->Save->isEnabled());

    // A key from the key dialog after the selected last row.
    page->ui->listWidgetKey->setCurrentRow(2);
    {
        DialogScript script;
        script.then([](QDialog &d) {
            KeyboardHook::InjectKey(0x41, true);
            KeyboardHook::InjectKey(0x25, false); // the last event decides
            DialogSeam::press(d, "NewHong");
        });
        QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 2));
        QCOMPARE(script.Shown, QStringList{"addKey"});
    }
    const QString left(QChar(0x2190));
    QCOMPARE(Events(*page),
             (QStringList{"+Left Button", "10ms", "-Left Button", "10ms", "-" + left}));
    // A key dialog closed by Cancel adds nothing, and its hook is gone.
    {
        DialogScript script;
        script.press("NewHong_2");
        QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 1));
    }
    QCOMPARE(Events(*page).size(), 5);

    // The delay entry sets the pause before the selected key.
    page->ui->listWidgetKey->setCurrentRow(2);
    {
        DialogScript script;
        script.delay(250);
        QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 3));
    }
    QCOMPARE(Events(*page)[1], QString("250ms"));
    QCOMPARE(page->ui->listWidgetKey->currentRow(), 1);

    // The delay spin box stops at 65535.
    page->ui->DelayTime->setValue(70000);
    QCOMPARE(page->ui->DelayTime->value(), 65535);
}

void TstMacroPage::deleteEvents_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("left");
    const QByteArray five = "1\n0x04 1 0\n10ms\n0x05 1 0\n20ms\n0x06 1 0\n";
    QTest::newRow("three items: all go")
        << QByteArray("1\n0x04 1 0\n10ms\n0x04 1 1\n") << -1 << QStringList{};
    QTest::newRow("delay: it and the key before") << five << 1 << QStringList{"+B", "20ms", "+C"};
    QTest::newRow("first key and its delay") << five << 0 << QStringList{"+B", "20ms", "+C"};
    QTest::newRow("last key and the delay before") << five << 4 << QStringList{"+A", "10ms", "+B"};
    QTest::newRow("no selection") << five << -1 << QStringList{"+A", "10ms", "+B", "20ms", "+C"};
}

void TstMacroPage::deleteEvents()
{
    QFETCH(QByteArray, file);
    QFETCH(int, row);
    QFETCH(QStringList, left);
    WriteFile(MacroFolder() + "/m.ini", file);
    NewPage();
    SelectMacro(*page, "m");
    page->ui->listWidgetKey->setCurrentRow(row);
    page->ui->DeleteKey->click();
    QCOMPARE(Events(*page), left);
}

void TstMacroPage::amendKeepsTheEventKind()
{
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n10ms\n0x04 1 1\n");
    NewPage();
    SelectMacro(*page, "m");
    QVERIFY(!page->EventsChanged);
    page->ui->listWidgetKey->setCurrentRow(0);
    DialogScript script;
    script.then([](QDialog &d) {
        KeyboardHook::InjectKey(0x5A, true);
        DialogSeam::press(d, "NewHong");
    });
    page->ui->Amend->click();
    page->ui->listWidgetKey->setCurrentRow(1);
    script.delay(40);
    page->ui->Amend->click();
    QCOMPARE(Events(*page), (QStringList{"+Z", "40ms", "-A"}));
    QVERIFY(page->EventsChanged);
}

void TstMacroPage::amendLeftWithoutOkChangesNothing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::newRow("delay, Esc") << 1 << "Escape";
    QTest::newRow("delay, Cancel") << 1 << "NewHong_2";
    QTest::newRow("delay, close button") << 1 << "CloseButton";
    // Esc is a key to name in the key dialog: only Cancel and close leave it.
    QTest::newRow("key, Cancel") << 0 << "NewHong_2";
    QTest::newRow("key, close button") << 0 << "CloseButton";
}

void TstMacroPage::amendLeftWithoutOkChangesNothing()
{
    QFETCH(int, row);
    QFETCH(QString, button);
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n10ms\n0x04 1 1\n");
    NewPage();
    SelectMacro(*page, "m");
    QVERIFY(!page->ui->Save->isEnabled());
    page->ui->listWidgetKey->setCurrentRow(row);
    DialogScript script;
    script.then([button](QDialog &d) {
        // What the user typed before leaving is dropped as well.
        if (auto *spin = d.findChild<QSpinBox *>(QStringLiteral("spinBox")))
            spin->setValue(500);
        else
            KeyboardHook::InjectKey(0x5A, true);
        QVERIFY(DialogSeam::press(d, button));
    });
    page->ui->Amend->click();
    QCOMPARE(script.Shown.size(), 1);
    QCOMPARE(Events(*page), (QStringList{"+A", "10ms", "-A"}));
    QVERIFY(!page->EventsChanged);
    QVERIFY(!page->ui->Save->isEnabled());
}

void TstMacroPage::saveEmitsChangesInOrder()
{
    WriteFile(MacroFolder() + "/m.ini", "7\n0x04 1 0\n");
    NewPage();
    SelectMacro(*page, "m");
    QCOMPARE(page->ui->NumberEdit->value(), 7);
    QVERIFY(!page->ui->Save->isEnabled()); // loading is no change
    QSignalSpy saved(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 5));
    page->ui->ReUntilClick->click();
    QVERIFY(page->ui->Save->isEnabled());
    page->ui->Save->click();
    QCOMPARE(saved.size(), 2);
    QCOMPARE(saved[0], (QList<QVariant>{"m", 0}));
    QCOMPARE(saved[1], (QList<QVariant>{"m", 1}));
    QVERIFY(!page->ui->Save->isEnabled());
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"),
             QByteArray("255\n0x04 1 0\n10ms\n0x02 4 0\n10ms\n0x02 4 1\n"));
}

void TstMacroPage::entryDialogs()
{
    {
        DialogScript script;
        script.press("NewHong");
        AddDelayTime untouched;
        untouched.exec();
        QVERIFY(untouched.OkPressed);
        QCOMPARE(untouched.DelayValue, 10);
        script.press("Escape");
        AddDelayTime escaped;
        escaped.exec();
        QVERIFY(!escaped.OkPressed);
        QCOMPARE(escaped.DelayValue, 0);
    }
    DialogScript script;
    script.press("NewHong");
    addKey first;
    QCOMPARE(first.exec(), int(QDialog::Accepted));
    QVERIFY(first.OkPressed);
    QVERIFY(first.KeyName.isEmpty());
    // Escape and F12 are keys to name, not ways out; a key without a name
    // empties the name again.
    script.then([](QDialog &d) {
        KeyboardHook::InjectKey(0x7B, true);
        QTest::keyClick(&d, Qt::Key_Escape);
        QVERIFY(d.isVisible());
        KeyboardHook::InjectKey(0x1B, true);
    });
    addKey second;
    QCOMPARE(second.exec(), int(QDialog::Rejected));
    QCOMPARE(second.KeyName, QString("Esc"));
    script.then([](QDialog &d) {
        KeyboardHook::InjectKey(0x41, true);
        KeyboardHook::InjectKey(0x0C, true);
        DialogSeam::press(d, "NewHong_2");
    });
    addKey third;
    QCOMPARE(third.exec(), int(QDialog::Rejected));
    QVERIFY(!third.OkPressed);
    QVERIFY(third.KeyName.isEmpty());
    KeyboardHook::InjectKey(0x42, true); // the dialog's hook is gone
    QVERIFY(third.KeyName.isEmpty());
}

// A file that cannot be written or removed keeps the macro as it is, tells
// the user, and tells the buttons nothing.
void TstMacroPage::fileFailuresAreShown()
{
    WriteFile(MacroFolder() + "/m.ini", "1\n0x04 1 0\n");
    NewPage();
    SelectMacro(*page, "m");
    QSignalSpy deleted(PostMsg::GetInstance(), &PostMsg::SigDeleteMacroButton);
    QSignalSpy saved(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
    DialogScript script;
    QMetaObject::invokeMethod(page, "on_ChooseEvent_activated", Q_ARG(int, 4));
    // The disk is full half-way through the file.
    SafeFile::failWritesAfter(5);
    page->ui->Save->click();
    SafeFile::failWritesAfter(-1);
    QCOMPARE(script.Shown, QStringList{"UpDateWarning"});
    QCOMPARE(saved.size(), 0);
    QVERIFY(page->ui->Save->isEnabled());
    QCOMPARE(ReadFile(MacroFolder() + "/m.ini"), QByteArray("1\n0x04 1 0\n"));

    // A folder took the file's place: it cannot be removed.
    QVERIFY(QFile::remove(MacroFolder() + "/m.ini"));
    QVERIFY(QDir().mkpath(MacroFolder() + "/m.ini/keep"));
    script.press("NewHong"); // confirms the deletion
    page->ui->DeleteHong->click();
    QCOMPARE(script.Shown, (QStringList{"UpDateWarning", "DeleteConfirm", "UpDateWarning"}));
    QVERIFY(!MacroText("MacroSaveFailed").isEmpty());
    QVERIFY(!MacroText("MacroDeleteFailed").isEmpty());
    QCOMPARE(script.Texts[0], MacroText("MacroSaveFailed"));
    QCOMPARE(script.Texts[2], MacroText("MacroDeleteFailed"));
    QCOMPARE(deleted.size(), 0);
    QCOMPARE(Macros(*page), QStringList{"m"});
    QVERIFY(QFileInfo(MacroFolder() + "/m.ini/keep").isDir());
}

QTEST_MAIN(TstMacroPage)
#include "tst_macropage.moc"
