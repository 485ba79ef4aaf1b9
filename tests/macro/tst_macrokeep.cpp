// The macro page and the button page together against the simulated wired
// mouse: Save writes a macro only from the events shown for it, a page that
// shows no macro writes nothing, and a macro whose device name the lists
// would skip stays listed across a rebuild and a restart.
#include "MacroTestSupport.h"

#include "buttons/Buttoninterface.h"
#include "buttons/MacroBinding.h"
#include "common/SharedState.h"
#include "device/Worker.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"
#include "ui_Buttoninterface.h"

#include "../support/DeviceFixture.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <cstring>

namespace {

const int Mouse = 1; // the wired mouse of the simulated device set

QByteArray Bytes(const void *data, int size)
{
    return QByteArray(static_cast<const char *>(data), size);
}

QString KeyText(const KeyAssign &key)
{
    return QStringLiteral("%1,%2,%3").arg(key.Category).arg(key.Param1).arg(key.Param2);
}

// Every macro file of the folder with its content.
QMap<QString, QByteArray> FolderContent()
{
    QMap<QString, QByteArray> files;
    for (const QString &file : QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden))
        files.insert(file, ReadFile(MacroFolder() + "/" + file));
    return files;
}

} // namespace

class TstMacroKeep : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void deleteThenSaveKeepsTheShownMacro();
    void noMacroShownSavesNothing();
    void deviceNameWithXmlSurvivesRebuildAndRestart();

private:
    void StartPages();
    void ReadFromMouse(const FlashDataMap &block);
    // The mouse's block with keys 1 to 5 as `keys` gives them (key 0 stays
    // the left button) and no macro records.
    FlashDataMap BlockWith(const QMap<int, KeyAssign> &keys);
    // Binds the macro file `name` to key k in `block`, as a binding does.
    void Bind(FlashDataMap *block, int k, const QString &name, int repeat);
    QStringList MacroButtonNames() const;

    Buttoninterface *buttons = nullptr;
    Macro *macros = nullptr;
    QByteArray path;
};

void TstMacroKeep::initTestCase()
{
    QVERIFY(QDir().mkpath(MacroFolder()));
    FillMacroCatalogue();
    DeviceFixture::FillKeyOptions({});
    SimReset();
    path = DeviceFixture::MakeCurrentDevice(Mouse, true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstMacroKeep::cleanupTestCase()
{
    UsbServer_Exit();
}

void TstMacroKeep::init()
{
    EmptyMacroFolder();
    MacroRecording = false;
}

void TstMacroKeep::cleanup()
{
    delete macros;
    macros = nullptr;
    delete buttons;
    buttons = nullptr;
}

void TstMacroKeep::StartPages()
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
    path = DeviceFixture::MakeCurrentDevice(Mouse, true);
    emit PostMsg::GetInstance()->SigAllLanguage(0);
}

void TstMacroKeep::ReadFromMouse(const FlashDataMap &block)
{
    QVERIFY(ProtocolDataUpdate(&block));
    QVERIFY(DeviceFixture::WaitIdle());
    ButtonPageUpdated = false;
    QVERIFY(UsbServer_ReadAllFlashData());
    QTRY_VERIFY_WITH_TIMEOUT(ButtonPageUpdated, 5000);
    QVERIFY(DeviceFixture::WaitIdle());
}

FlashDataMap TstMacroKeep::BlockWith(const QMap<int, KeyAssign> &keys)
{
    FlashDataMap block = DeviceFixture::MouseBlock(Mouse);
    const KeyAssign defaults[6] = {{1, 1, 0}, {1, 2, 0},  {1, 4, 0},
                                   {1, 8, 0}, {1, 16, 0}, {2, 1, 0}};
    for (int k = 0; k < 6; ++k) {
        block.Keys[k] = keys.value(k, defaults[k]);
        std::memset(&block.KeyEvents[k], 0, sizeof(KeyEventBlock));
    }
    std::memset(block.Macros, 0, sizeof(block.Macros));
    return block;
}

void TstMacroKeep::Bind(FlashDataMap *block, int k, const QString &name, int repeat)
{
    block->Keys[k] = KeyAssign{6, uint8_t(k), uint8_t(repeat)};
    DeviceDataReady = true;
    QCOMPARE(MacroBinding::LoadRecord(name, &block->Macros[k]), MacroBinding::LoadResult::Ok);
}

QStringList TstMacroKeep::MacroButtonNames() const
{
    emit PostMsg::GetInstance()->SigAddMacroButton();
    QStringList names;
    for (const QToolButton *b : buttons->MacroButtons) {
        if (b->isEnabled())
            names << b->text();
    }
    return names;
}

// A recorded macro stays shown while another one is deleted from the
// context menu; Save then writes it from its recording, and its button gets
// those events. The other macros and buttons stay as they were.
void TstMacroKeep::deleteThenSaveKeepsTheShownMacro()
{
    WriteFile(MacroFolder() + "/A.ini", "3\n0x04 1 0\n10ms\n0x04 1 1\n");
    WriteFile(MacroFolder() + "/B.ini", "1\n0x05 1 0\n");
    WriteFile(MacroFolder() + "/C.ini", "2\n0x06 1 0\n10ms\n0x06 1 1\n");
    StartPages();
    FlashDataMap block = BlockWith({});
    Bind(&block, 1, "A", 3);
    Bind(&block, 2, "B", 1);
    Bind(&block, 4, "C", 2);
    ReadFromMouse(block);
    QCOMPARE(buttons->ui->RightKey->text(), QString("Macro: A"));
    QCOMPARE(buttons->ui->BackKey->text(), QString("Macro: B"));

    SelectMacro(*macros, "A");
    macros->ui->DefaultDelay->setChecked(true);
    macros->ui->DelayTime->setValue(50);
    macros->ui->StartRecord->click();
    KeyboardHook::InjectKey(0x47, true); // G
    KeyboardHook::InjectKey(0x47, false);
    macros->ui->StopRecord->click();
    const QStringList recorded{"+G", "50ms", "-G"};
    QCOMPARE(Events(*macros), recorded);

    // A right-press on B makes it current; its menu deletes it.
    macros->ui->listWidgetHong->setCurrentItem(
        macros->ui->listWidgetHong->findItems("B", Qt::MatchExactly).value(0));
    {
        DialogScript script;
        script.press("NewHong");
        QMetaObject::invokeMethod(macros, "DeleteMacro");
        QCOMPARE(script.Shown, QStringList{"DeleteConfirm"});
    }
    QCOMPARE(Macros(*macros), (QStringList{"A", "C"}));
    QCOMPARE(Events(*macros), recorded);
    QCOMPARE(macros->CurrentMacroName(), QString("A"));
    const FlashDataMap afterDelete = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(KeyText(afterDelete.Keys[2]), QString("1,4,0"));

    macros->ui->ReUntil->click();
    QVERIFY(macros->ui->Save->isEnabled());
    macros->ui->Save->click();
    QCOMPARE(ReadFile(MacroFolder() + "/A.ini"), QByteArray("253\n0x0A 1 0\n50ms\n0x0A 1 1\n"));
    QCOMPARE(ReadFile(MacroFolder() + "/C.ini"), QByteArray("2\n0x06 1 0\n10ms\n0x06 1 1\n"));
    QVERIFY(!QFile::exists(MacroFolder() + "/B.ini"));
    const FlashDataMap saved = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(KeyText(saved.Keys[1]), QString("6,1,253"));
    const MacroRecord &a = saved.Macros[1];
    QCOMPARE(a.StrokeCount, uint8_t(2));
    QCOMPARE(Bytes(&a.Strokes[0], 8), Bytes("\x00\x01\x0A\x00\x32\x00\x00\x00", 8));
    QCOMPARE(Bytes(&a.Strokes[1], 8), Bytes("\x01\x01\x0A\x00\x00\x00\x00\x00", 8));
    QCOMPARE(Bytes(&saved.Keys[4], 3), Bytes(&afterDelete.Keys[4], 3));
    QCOMPARE(Bytes(&saved.Macros[4], sizeof(MacroRecord)),
             Bytes(&afterDelete.Macros[4], sizeof(MacroRecord)));

    // Deleting the shown macro leaves none: Save then writes nothing.
    const QMap<QString, QByteArray> files = FolderContent();
    {
        DialogScript script;
        script.press("NewHong");
        macros->ui->DeleteHong->click();
    }
    QCOMPARE(Macros(*macros), QStringList{"C"});
    QVERIFY(!macros->ui->Save->isEnabled());
    QVERIFY(!macros->ui->ReNumber->isEnabled());
    QMetaObject::invokeMethod(macros, "on_Save_clicked");
    QCOMPARE(FolderContent(), (QMap<QString, QByteArray>{{"C.ini", files.value("C.ini")}}));
}

// With no macro shown the repeat options and Save are off, and no way of
// pressing Save writes the macro a right-click made current.
void TstMacroKeep::noMacroShownSavesNothing()
{
    WriteFile(MacroFolder() + "/P.ini", "1\n0x04 1 0\n10ms\n0x04 1 1\n");
    WriteFile(MacroFolder() + "/Q.ini", "2\n0x05 1 0\n10ms\n0x05 1 1\n");
    StartPages();
    FlashDataMap block = BlockWith({});
    Bind(&block, 2, "Q", 2);
    ReadFromMouse(block);
    const FlashDataMap before = DeviceFixture::MouseBlock(Mouse);
    const QMap<QString, QByteArray> files = FolderContent();
    QSignalSpy saved(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);

    macros->ui->listWidgetHong->setCurrentItem(
        macros->ui->listWidgetHong->findItems("Q", Qt::MatchExactly).value(0));
    for (QWidget *w :
         {static_cast<QWidget *>(macros->ui->ReUntilLoose),
          static_cast<QWidget *>(macros->ui->ReUntilClick),
          static_cast<QWidget *>(macros->ui->ReUntil), static_cast<QWidget *>(macros->ui->ReNumber),
          static_cast<QWidget *>(macros->ui->NumberEdit), static_cast<QWidget *>(macros->ui->Save)})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    macros->ui->ReUntil->click();
    macros->ui->NumberEdit->setValue(9);
    macros->ui->Save->click();
    QMetaObject::invokeMethod(macros, "on_Save_clicked");

    QCOMPARE(saved.size(), 0);
    QCOMPARE(FolderContent(), files);
    const FlashDataMap after = DeviceFixture::MouseBlock(Mouse);
    QCOMPARE(Bytes(&after, sizeof after), Bytes(&before, sizeof before));
}

// The mouse names a macro "myxml": it is listed, labelled and stored under
// one safe name, the same after the button list is rebuilt and after the
// program starts again, and no second file appears.
void TstMacroKeep::deviceNameWithXmlSurvivesRebuildAndRestart()
{
    StartPages();
    FlashDataMap block = BlockWith({{2, KeyAssign{6, 2, 3}}});
    MacroRecord &record = block.Macros[2];
    std::memcpy(record.MacroNameBytes, "myxml", 5);
    record.MacroNameLength = 5;
    record.StrokeCount = 2;
    record.Strokes[0] = KeyStroke{0, 1, 0x04, 10};
    record.Strokes[1] = KeyStroke{1, 1, 0x04, 0};
    const QString listed = ListedMacroName("myxml");
    QVERIFY(IsListedMacroName(listed));
    QVERIFY(!listed.contains("xml"));

    for (int run = 0; run < 2; ++run) {
        if (run == 1)
            StartPages(); // the next start of the program
        ReadFromMouse(block);
        QCOMPARE(Macros(*macros), QStringList{listed});
        QCOMPARE(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{listed + ".ini"});
        QCOMPARE(ReadFile(MacroFolder() + "/" + listed + ".ini"),
                 QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n"));
        QCOMPARE(buttons->ui->BackKey->text(), "Macro: " + listed);
        QCOMPARE(MacroButtonNames(), QStringList{listed});
        SelectMacro(*macros, listed);
        QCOMPARE(Events(*macros), (QStringList{"+A", "10ms", "-A"}));
    }
}

QTEST_MAIN(TstMacroKeep)
#include "tst_macrokeep.moc"
