// Function assignment on the button page against the simulated wired mouse
// (catalogue group Drive2, sensor 3327, six buttons): every menu entry reaches
// the mouse and relabels its selector, the dialogs, macro binding and the
// follow-ups of macro deletion, renaming and editing.
#include "buttons/Buttoninterface.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "macro/Macro.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "ui_Buttoninterface.h"
#include "ui_Macro.h"

#include "../support/DeviceFixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <array>
#include <cstring>

namespace {

const int Mouse = 1; // the wired mouse of the simulated device set

void FillCatalogue()
{
    DeviceFixture::FillKeyOptions({{"0x00B7", "Stop"}, {"0x0183", "Player"}});
}

using DeviceFixture::WaitIdle;

FlashDataMap MouseBlock()
{
    return DeviceFixture::MouseBlock(Mouse);
}

QByteArray Bytes(const void *data, int size)
{
    return QByteArray(static_cast<const char *>(data), size);
}

QString KeyText(const KeyAssign &key)
{
    return QStringLiteral("%1,%2,%3").arg(key.Category).arg(key.Param1).arg(key.Param2);
}

void WriteMacro(const QString &name, const QByteArray &content)
{
    QFile file(MacroFolderPath() + name + ".ini");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// Runs `act` on the first modal dialog of class `className`, answering every
// other dialog by its close button; records the classes shown.
class DialogScript
{
public:
    DialogScript(const QString &className, std::function<void(QDialog &)> act)
    {
        m_previous = DialogSeam::setExecHandler([this, className, act](QDialog &dialog) {
            shown << dialog.metaObject()->className();
            if (className == dialog.metaObject()->className())
                act(dialog);
            else
                DialogSeam::press(dialog, "CloseButton");
        });
    }
    ~DialogScript() { DialogSeam::setExecHandler(m_previous); }
    QStringList shown;

private:
    DialogSeam::ExecHandler m_previous;
};

} // namespace

class TstAssignMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void entryReachesMouse_data();
    void entryReachesMouse();
    void multimediaBlockIsExact();
    void entryWithoutSelectionWritesNothing();
    void offlineEntryChangesNothing();
    void entryRefusedGoesBack_data();
    void entryRefusedGoesBack();
    void dpiLockWithoutSensorCodeIsRefused();
    void lastLeftButtonIsKept();
    void fireKeyThroughDialog();
    void keyCombinationThroughDialog();
    void restoreWriters();
    void macroBinding();
    void damagedMacroIsRefused_data();
    void damagedMacroIsRefused();
    void macroRepeatCodes_data();
    void macroRepeatCodes();
    void macroRefusedByMouse_data();
    void macroRefusedByMouse();
    void macroEntryWithoutMacros();
    void macroListFollowsFolder();
    void macroDeletionRestoresDefaults();
    void macroRenameAndEdit();
    void macroResendToTwoButtons_data();
    void macroResendToTwoButtons();
    void macroPartlyTakenKeepsTheSavedFile();

private:
    void ReadFromMouse(const FlashDataMap &block);
    void Select(QToolButton *selector);
    void BindMacro(QToolButton *selector, const QString &name);

    Buttoninterface *page = nullptr;
    QByteArray path;
};

void TstAssignMenu::initTestCase()
{
    QVERIFY(QDir().mkpath(MacroFolderPath()));
    FillCatalogue();

    page = new Buttoninterface();
    page->resize(1000, 700);
    page->show();
    SimReset();
    path = DeviceFixture::MakeCurrentDevice(Mouse, true);
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstAssignMenu::cleanupTestCase()
{
    UsbServer_Exit();
    delete page;
}

void TstAssignMenu::ReadFromMouse(const FlashDataMap &block)
{
    QVERIFY(ProtocolDataUpdate(&block));
    QVERIFY(WaitIdle());
    ButtonPageUpdated = false;
    QVERIFY(UsbServer_ReadAllFlashData());
    QTRY_VERIFY_WITH_TIMEOUT(ButtonPageUpdated, 5000);
    QVERIFY(WaitIdle());
}

void TstAssignMenu::init()
{
    // Every case starts from the model's defaults, read back from the mouse.
    FlashDataMap block = MouseBlock();
    const KeyAssign defaults[6] = {{1, 1, 0}, {1, 2, 0},  {1, 4, 0},
                                   {1, 8, 0}, {1, 16, 0}, {2, 1, 0}};
    for (int k = 0; k < 6; ++k) {
        block.Keys[k] = defaults[k];
        std::memset(&block.KeyEvents[k], 0, sizeof(KeyEventBlock));
    }
    ReadFromMouse(block);
    QCOMPARE(page->ui->FireKey->text(), QString("Left click"));
}

void TstAssignMenu::Select(QToolButton *selector)
{
    selector->click();
    QCOMPARE(page->ui->stackedWidget->currentWidget(), page->ui->page_2);
}

void TstAssignMenu::entryReachesMouse_data()
{
    QTest::addColumn<QString>("selector");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("written"); // Category,Param1,Param2
    QTest::addColumn<QString>("label");

    QTest::newRow("middle on the right button") << "RightKey" << 1 << "MidKey"
                                                << "1,4,0"
                                                << "Middle click";
    QTest::newRow("left button") << "BackKey" << 2 << "LeftKey_3"
                                 << "1,1,0"
                                 << "Left click";
    QTest::newRow("right button") << "BackKey" << 2 << "RightKey_3"
                                  << "1,2,0"
                                  << "Right click";
    QTest::newRow("back button") << "BackKey" << 2 << "BackKey_2"
                                 << "1,8,0"
                                 << "Back";
    QTest::newRow("forward, fourth row is key 4") << "StartPause" << 4 << "ForWardKey"
                                                  << "1,16,0"
                                                  << "Forward";
    QTest::newRow("report rate, fifth row is key 3") << "TopMusic" << 3 << "DPI_2"
                                                     << "7,0,0"
                                                     << "Report rate";
    QTest::newRow("profile switch") << "BackKey" << 2 << "DPI_3"
                                    << "9,0,0"
                                    << "Profile";
    QTest::newRow("disabled") << "BackMusic" << 5 << "DPI_5"
                              << "0,0,0"
                              << "Disabled";
    QTest::newRow("scroll left") << "BackKey" << 2 << "VolumeUp_2"
                                 << "3,1,0"
                                 << "Scroll left";
    QTest::newRow("scroll right") << "BackKey" << 2 << "VolumeDown_2"
                                  << "3,2,0"
                                  << "Scroll right";
    QTest::newRow("scroll up") << "BackKey" << 2 << "VolumeUp_14"
                               << "11,1,0"
                               << "Scroll up";
    QTest::newRow("scroll down") << "BackKey" << 2 << "VolumeDown_14"
                                 << "11,2,0"
                                 << "Scroll down";
    QTest::newRow("DPI cycle") << "BackKey" << 2 << "VolumeUp_8"
                               << "2,1,0"
                               << "DPI loop";
    QTest::newRow("DPI up") << "BackKey" << 2 << "VolumeUp_9"
                            << "2,2,0"
                            << "DPI+";
    QTest::newRow("DPI down") << "BackKey" << 2 << "VolumeUp_10"
                              << "2,3,0"
                              << "DPI-";
    QTest::newRow("all lights") << "BackKey" << 2 << "VolumeUp_4"
                                << "8,0,0"
                                << "All lights";
    QTest::newRow("DPI light") << "BackKey" << 2 << "VolumeUp_5"
                               << "8,1,0"
                               << "DPI light";
    QTest::newRow("light bar") << "BackKey" << 2 << "VolumeUp_6"
                               << "8,3,0"
                               << "Light bar";
    QTest::newRow("bar effect") << "BackKey" << 2 << "VolumeUp_7"
                                << "8,4,0"
                                << "Bar effect";
    // driver_sensor.h lists the 3327 from 100 DPI (code 0) in steps of 100.
    QTest::newRow("DPI lock 100") << "BackKey" << 2 << "VolumeUp_11"
                                  << "10,0,0"
                                  << "DPI lock-100";
    QTest::newRow("DPI lock 400") << "BackKey" << 2 << "VolumeUp_16"
                                  << "10,3,0"
                                  << "DPI lock-400";
    QTest::newRow("DPI lock 1200") << "BackKey" << 2 << "VolumeUp_21"
                                   << "10,11,0"
                                   << "DPI lock-1200";
    QTest::newRow("multimedia stop") << "BackKey" << 2 << "Mute"
                                     << "5,0,0"
                                     << "Stop";
    QTest::newRow("multimedia player") << "RightKey" << 1 << "Player"
                                       << "5,0,0"
                                       << "Player";
}

void TstAssignMenu::entryReachesMouse()
{
    QFETCH(QString, selector);
    QFETCH(int, key);
    QFETCH(QString, entry);
    QFETCH(QString, written);
    QFETCH(QString, label);

    auto *s = page->findChild<QToolButton *>(selector);
    auto *e = page->findChild<QToolButton *>(entry);
    QVERIFY(s && e);
    Select(s);
    e->click();

    const FlashDataMap block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[key]), written);
    QCOMPARE(s->text(), label);
    const QStringList parts = written.split(',');
    QCOMPARE(page->CategoryMirror.at(key), parts.at(0).toInt());
    QCOMPARE(page->Param1Mirror.at(key), parts.at(1).toInt());
    QCOMPARE(page->Param2Mirror.at(key), parts.at(2).toInt());
    // Every entry closes the menu; the selector stays the edited button.
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
    QCOMPARE(page->ui->stackedWidget_2->currentIndex(), 4);
    QVERIFY(s->isChecked());
    // No other key changed.
    for (int k = 0; k < 6; ++k) {
        if (k != key)
            QCOMPARE(block.Keys[k].Category, uint8_t(k == 5 ? 2 : 1));
    }
}

void TstAssignMenu::multimediaBlockIsExact()
{
    Select(page->ui->BackKey);
    page->ui->VolumeDown->click();
    const FlashDataMap block = MouseBlock();
    QByteArray expected = QByteArray::fromHex("02000000"
                                              "0002e9000a000000"
                                              "0102e9000a000000");
    expected.append(32, '\0');
    QCOMPARE(Bytes(&block.KeyEvents[2], 52), expected);
    QCOMPARE(page->ui->BackKey->text(), QString("Volume up"));

    // Shown again on selection: the multimedia page with its entry marked.
    Select(page->ui->BackKey);
    QCOMPARE(page->ui->stackedWidget_2->currentWidget(), page->ui->page_3);
    QVERIFY(page->ui->VolumeDown->isChecked());
}

void TstAssignMenu::entryWithoutSelectionWritesNothing()
{
    Select(page->ui->BackKey);
    page->SelectorGroup->setExclusive(false);
    page->ui->BackKey->setChecked(false);
    page->SelectorGroup->setExclusive(true);
    const FlashDataMap before = MouseBlock();
    page->ui->MidKey->click();
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
}

void TstAssignMenu::offlineEntryChangesNothing()
{
    Select(page->ui->BackKey);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    const FlashDataMap before = MouseBlock();
    QVERIFY(SimPlug(Mouse, false));
    page->ui->ForWardKey->click();
    QVERIFY(SimPlug(Mouse, true));
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    QCOMPARE(KeyText(MouseBlock().Keys[2]), KeyText(before.Keys[2]));
    QCOMPARE(KeyText(FlashDataSnapshot().Keys[2]), QString("1,4,0"));
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
    QCOMPARE(page->CategoryMirror.at(2), 1);
    QCOMPARE(page->Param1Mirror.at(2), 4);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
}

void TstAssignMenu::entryRefusedGoesBack_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("offline");
    // Every entry that writes a function, the two dialogs' entries included.
    const QStringList entries = {
        "LeftKey_3",    "RightKey_3",   "MidKey",        "BackKey_2",     "ForWardKey",
        "DPI_2",        "DPI_3",        "DPI_5",         "DPI_6",         "DPI_8",
        "VolumeUp_2",   "VolumeDown_2", "VolumeUp_14",   "VolumeDown_14", "VolumeUp_8",
        "VolumeUp_9",   "VolumeUp_10",  "VolumeUp_4",    "VolumeUp_5",    "VolumeUp_6",
        "VolumeUp_7",   "VolumeUp_11",  "VolumeUp_12",   "VolumeUp_13",   "VolumeUp_16",
        "VolumeUp_15",  "VolumeUp_19",  "VolumeUp_20",   "VolumeUp_22",   "VolumeUp_18",
        "VolumeUp_24",  "VolumeUp_23",  "VolumeUp_21",   "Player",        "StartPause_2",
        "BackMusic_2",  "TopMusic_2",   "Mute",          "VolumeUp",      "VolumeDown",
        "VolumeDown_4", "VolumeDown_5", "VolumeDown_6",  "VolumeDown_3",  "VolumeDown_8",
        "VolumeDown_9", "VolumeDown_7", "VolumeDown_10", "VolumeDown_12", "VolumeDown_13",
        "VolumeDown_11"};
    for (const QString &entry : entries) {
        QTest::newRow(qPrintable(entry + ", offline")) << entry << true;
        QTest::newRow(qPrintable(entry + ", refusing")) << entry << false;
    }
}

void TstAssignMenu::entryRefusedGoesBack()
{
    QFETCH(QString, entry);
    QFETCH(bool, offline);
    auto *e = page->findChild<QToolButton *>(entry);
    QVERIFY(e);
    const FlashDataMap before = MouseBlock();
    Select(page->ui->BackKey);
    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    if (offline)
        QVERIFY(SimPlug(Mouse, false)); // the wired mouse: unplugged
    else
        SimRefuseNextCall("ProtocolDataUpdate");
    // The dialogs of the fire key and of a key combination answer OK.
    const DialogSeam::ExecHandler previous = DialogSeam::setExecHandler([](QDialog &d) {
        if (QString(d.metaObject()->className()) == "GroupKey") {
            d.findChild<QCheckBox *>("Ctrl")->setChecked(true);
            KeyboardHook::InjectKey(0x41, true);
            KeyboardHook::InjectKey(0x41, false);
        }
        DialogSeam::press(d, "NewHong");
    });
    if (entry == "DPI_6")
        QTest::mousePress(e, Qt::LeftButton);
    else
        e->click();
    DialogSeam::setExecHandler(previous);
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    if (offline) {
        QVERIFY(SimPlug(Mouse, true));
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    }
    // One notice says why; the button keeps its function on the mouse, in
    // the block, on its selector and in the mirrors.
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.first().at(0).toInt(), int(offline ? MouseNoticeOffline : MouseNoticeRefused));
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(KeyText(FlashDataSnapshot().Keys[2]), QString("1,4,0"));
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
    QCOMPARE(page->CategoryMirror.at(2), 1);
    QCOMPARE(page->Param1Mirror.at(2), 4);
}

void TstAssignMenu::dpiLockWithoutSensorCodeIsRefused()
{
    // The sensor's table lacks 400 DPI: no stand-in code is locked.
    const QVector<QString> names = page->SensorDefineNames;
    const QVector<int> values = page->SensorDefineValues;
    const int at = names.indexOf("SENSOR_3327_DPI_400");
    QVERIFY(at >= 0);
    page->SensorDefineNames.remove(at);
    page->SensorDefineValues.remove(at);
    Select(page->ui->BackKey);
    const FlashDataMap before = MouseBlock();
    const QString label = page->ui->BackKey->text();
    QStringList shown;
    {
        DialogSeam::ScopedAnswer answer("NewHong");
        page->ui->VolumeUp_16->click();
        for (const DialogSeam::ShownDialog &d : answer.dialogs())
            shown << d.className;
    }
    page->SensorDefineNames = names;
    page->SensorDefineValues = values;
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(page->ui->BackKey->text(), label);
    QCOMPARE(page->CategoryMirror.at(2), 1);
    QCOMPARE(page->Param1Mirror.at(2), 4);
    QCOMPARE(shown, QStringList{"UpDateWarning"});
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
}

void TstAssignMenu::lastLeftButtonIsKept()
{
    // The selector was picked while another key was a left button too; that
    // key has since become a middle button, so this is now the last left one.
    Select(page->ui->RightKey);
    page->ui->LeftKey_3->click();
    Select(page->ui->FireKey);
    page->ui->RightKey->setChecked(true);
    page->ui->MidKey->click();
    page->ui->FireKey->setChecked(true);

    DialogSeam::ScopedAnswer answer("CloseButton");
    page->ui->DPI_5->click();
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().at(0).className, QString("LeftButtonOnly"));
    QCOMPARE(KeyText(MouseBlock().Keys[0]), QString("1,1,0"));
    QCOMPARE(page->ui->FireKey->text(), QString("Left click"));
    QVERIFY(!page->SelectorGroup->checkedButton());
}

void TstAssignMenu::fireKeyThroughDialog()
{
    Select(page->ui->BackKey);
    int shownCount = -1;
    {
        DialogScript script("FireKey", [&](QDialog &d) {
            shownCount = d.findChild<QSpinBox *>("Count")->value();
            d.findChild<QSpinBox *>("Time")->setValue(50);
            d.findChild<QSpinBox *>("Count")->setValue(0);
            DialogSeam::press(d, "NewHong");
        });
        // A press on the entry opens the dialog (MyToolButton: clicked(false)).
        QTest::mousePress(page->ui->DPI_6, Qt::LeftButton);
        QCOMPARE(script.shown, QStringList{"FireKey"});
    }
    QCOMPARE(shownCount, 3);
    QCOMPARE(KeyText(MouseBlock().Keys[2]), QString("4,50,0"));
    QCOMPARE(page->ui->BackKey->text(), QString("Fire"));

    // Opened again for the same key, it shows the stored values; cancelled,
    // nothing changes.
    Select(page->ui->BackKey);
    int interval = 0;
    {
        DialogScript script("FireKey", [&](QDialog &d) {
            interval = d.findChild<QSpinBox *>("Time")->value();
            shownCount = d.findChild<QSpinBox *>("Count")->value();
            DialogSeam::press(d, "NewHong_2");
        });
        QTest::mousePress(page->ui->DPI_6, Qt::LeftButton);
    }
    QCOMPARE(interval, 50);
    QCOMPARE(shownCount, 0);
    QCOMPARE(KeyText(MouseBlock().Keys[2]), QString("4,50,0"));
    QCOMPARE(page->ui->stackedWidget->currentWidget(), page->ui->page_2);
}

void TstAssignMenu::keyCombinationThroughDialog()
{
    Select(page->ui->TopMusic);
    {
        DialogScript script("GroupKey", [](QDialog &d) {
            d.findChild<QCheckBox *>("Ctrl")->setChecked(true);
            KeyboardHook::InjectKey(0x41, true); // A
            KeyboardHook::InjectKey(0x41, false);
            DialogSeam::press(d, "NewHong");
        });
        page->ui->DPI_8->click();
    }
    FlashDataMap block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[3]), QString("5,0,0"));
    QByteArray expected = QByteArray::fromHex("04000000"
                                              "000001000a000000"
                                              "000104000a000000"
                                              "010104000a000000"
                                              "010001000a000000");
    expected.append(16, '\0');
    QCOMPARE(Bytes(&block.KeyEvents[3], 52), expected);
    QCOMPARE(page->ui->TopMusic->text(), QString("Ctrl+A"));
    // The menu stays open after a combination.
    QCOMPARE(page->ui->stackedWidget->currentWidget(), page->ui->page_2);

    // Cancelled: nothing changes.
    {
        DialogScript script("GroupKey", [](QDialog &d) { DialogSeam::press(d, "NewHong_2"); });
        page->ui->DPI_8->click();
    }
    block = MouseBlock();
    QCOMPARE(Bytes(&block.KeyEvents[3], 52), expected);
}

void TstAssignMenu::restoreWriters()
{
    QVERIFY(page->RestoreMultimediaKey(3, 0x21));
    FlashDataMap block = MouseBlock();
    QCOMPARE(block.KeyEvents[3].Strokes[0].Kind, uint8_t(2));
    QCOMPARE(block.KeyEvents[3].Strokes[0].Code, uint16_t(0x0221));
    QCOMPARE(page->ui->TopMusic->text(), QString("Search"));
    QVERIFY(!page->RestoreMultimediaKey(3, 0x221));
    QVERIFY(!page->RestoreMultimediaKey(3, 0x22));
    QVERIFY(!page->RestoreMultimediaKey(12, 0x21));

    QVERIFY(page->RestoreCombinationKey(1, "Ctrl+C"));
    QCOMPARE(page->ui->RightKey->text(), QString("Ctrl+C"));
    block = MouseBlock();
    QCOMPARE(block.KeyEvents[1].StrokeCount, uint32_t(4));
    QCOMPARE(block.KeyEvents[1].Strokes[1].Code, uint16_t(0x06));
    // Four keys do not fit six strokes: refused, nothing written.
    QVERIFY(!page->RestoreCombinationKey(1, "Ctrl+Alt+Shift+A"));
    QCOMPARE(MouseBlock().KeyEvents[1].StrokeCount, uint32_t(4));
}

void TstAssignMenu::BindMacro(QToolButton *selector, const QString &name)
{
    emit PostMsg::GetInstance()->SigAddMacroButton();
    Select(selector);
    page->ui->DPI_10->click();
    QCOMPARE(page->ui->stackedWidget_2->currentWidget(), page->ui->page_5);
    QToolButton *button = nullptr;
    for (QToolButton *b : page->MacroButtons) {
        if (b->text() == name)
            button = b;
    }
    QVERIFY(button);
    button->click();
}

void TstAssignMenu::macroBinding()
{
    WriteMacro("Copy", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    BindMacro(page->ui->BackMusic, "Copy");

    const FlashDataMap block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[5]), QString("6,5,5"));
    const MacroRecord &record = block.Macros[5];
    QCOMPARE(record.MacroNameLength, uint8_t(4));
    QCOMPARE(Bytes(record.MacroNameBytes, 30), QByteArray("Copy").append(26, '\0'));
    QCOMPARE(record.StrokeCount, uint8_t(2));
    QCOMPARE(record.Strokes[0].Action, uint8_t(0));
    QCOMPARE(record.Strokes[0].Kind, uint8_t(1));
    QCOMPARE(record.Strokes[0].Code, uint16_t(4));
    QCOMPARE(record.Strokes[0].DelayMs, uint32_t(10));
    QCOMPARE(record.Strokes[1].Action, uint8_t(1));
    QCOMPARE(record.Strokes[1].DelayMs, uint32_t(0));
    QCOMPARE(page->ui->BackMusic->text(), QString("Macro: Copy"));
    QCOMPARE(page->CategoryMirror.at(5), 6);
    QCOMPARE(page->Param1Mirror.at(5), 5);
    QCOMPARE(page->Param2Mirror.at(5), 5);
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
    QFile::remove(MacroFilePath("Copy"));
}

void TstAssignMenu::damagedMacroIsRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QByteArray tooLong = "3\n";
    for (int i = 0; i < 71; ++i)
        tooLong += "0x04 1 0\n10ms\n";
    QTest::newRow("more events than the record holds") << "Broken" << tooLong;
    QTest::newRow("repeat code beyond a byte") << "Broken" << QByteArray("300\n0x04 1 0\n10ms\n");
    QTest::newRow("name longer than the record's field")
        << QString(31, 'n') << QByteArray("3\n0x04 1 0\n10ms\n");
    // Refused by its size alone, before it is read.
    QByteArray huge = "3\n0x04 1 0\n";
    huge += QByteArray(70 * 1024, ' ') + "\n10ms\n";
    QTest::newRow("far larger than a macro file") << "Broken" << huge;
}

void TstAssignMenu::damagedMacroIsRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    WriteMacro(name, content);
    const FlashDataMap before = MouseBlock();
    DialogSeam::ScopedAnswer answer;
    BindMacro(page->ui->BackKey, name);
    // The user is told why nothing changed.
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
    QFile::remove(MacroFilePath(name));
}

void TstAssignMenu::macroRepeatCodes_data()
{
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<int>("code"); // -1: refused

    QTest::newRow("text") << QByteArray("fast") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("1") << QByteArray("1") << 1;
    QTest::newRow("250") << QByteArray("250") << 250;
    QTest::newRow("251") << QByteArray("251") << 251;
    QTest::newRow("252") << QByteArray("252") << 252;
    QTest::newRow("255") << QByteArray("255") << 255;
    QTest::newRow("256") << QByteArray("256") << -1;
}

void TstAssignMenu::macroRepeatCodes()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(int, code);
    WriteMacro("Repeat", firstLine + "\n0x04 1 0\n10ms\n0x04 1 1\n");
    const FlashDataMap before = MouseBlock();
    DialogSeam::ScopedAnswer answer;
    BindMacro(page->ui->BackKey, "Repeat");
    const FlashDataMap after = MouseBlock();
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
    QFile::remove(MacroFilePath("Repeat"));
    if (code < 0) {
        // Nothing the button's entry could hold: one notice, nothing changed.
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().className, QString("UpDateWarning"));
        QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
        QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
        return;
    }
    QVERIFY(answer.dialogs().isEmpty());
    QCOMPARE(KeyText(after.Keys[2]), QString("6,2,%1").arg(code));
    QCOMPARE(Bytes(after.Macros[2].MacroNameBytes, 30), QByteArray("Repeat").append(24, '\0'));
    QCOMPARE(after.Macros[2].StrokeCount, uint8_t(2));
    QCOMPARE(page->ui->BackKey->text(), QString("Macro: Repeat"));
    QCOMPARE(page->Param2Mirror.at(2), code);
}

void TstAssignMenu::macroRefusedByMouse_data()
{
    QTest::addColumn<bool>("offline");
    QTest::addColumn<int>("notice"); // SigMouseOffLineo's argument
    QTest::newRow("offline") << true << 0;
    QTest::newRow("refusing") << false << int(MouseNoticeRefused);
}

void TstAssignMenu::macroRefusedByMouse()
{
    QFETCH(bool, offline);
    QFETCH(int, notice);
    WriteMacro("Copy", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    const FlashDataMap before = MouseBlock();
    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    if (offline)
        QVERIFY(SimPlug(Mouse, false));
    else
        SimRefuseNextCall("ProtocolDataUpdate");
    BindMacro(page->ui->BackKey, "Copy");
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    if (offline) {
        QVERIFY(SimPlug(Mouse, true));
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    }
    QFile::remove(MacroFilePath("Copy"));
    // One notice says why; the button keeps its function everywhere.
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.first().at(0).toInt(), notice);
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(KeyText(FlashDataSnapshot().Keys[2]), QString("1,4,0"));
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
    QCOMPARE(page->CategoryMirror.at(2), 1);
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
}

void TstAssignMenu::macroEntryWithoutMacros()
{
    QDir folder(MacroFolderPath());
    for (const QString &f : folder.entryList(QDir::Files))
        folder.remove(f);
    emit PostMsg::GetInstance()->SigAddMacroButton();
    Select(page->ui->BackKey);
    const FlashDataMap before = MouseBlock();
    DialogSeam::ScopedAnswer answer("NewHong");
    page->ui->DPI_10->click();
    QCOMPARE(answer.dialogs().size(), 1);
    QCOMPARE(answer.dialogs().at(0).className, QString("MakeMacro"));
    QCOMPARE(page->ui->stackedWidget_2->currentIndex(), 4);
    const FlashDataMap after = MouseBlock();
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
}

void TstAssignMenu::macroListFollowsFolder()
{
    QDir folder(MacroFolderPath());
    for (const QString &f : folder.entryList(QDir::Files))
        folder.remove(f);
    for (const char *f : {"a.ini", "B.ini", "c.txt", "notes.xml", "myxml.ini"})
        WriteMacro(QString::fromLatin1(f).remove(".ini"), QByteArray("1\n"));
    QVERIFY(QFile::rename(MacroFolderPath() + "c.txt.ini", MacroFolderPath() + "c.txt"));
    QVERIFY(QFile::rename(MacroFolderPath() + "notes.xml.ini", MacroFolderPath() + "notes.xml"));
    emit PostMsg::GetInstance()->SigAddMacroButton();
    emit PostMsg::GetInstance()->SigAddMacroButton(); // a rebuild replaces, never adds

    QStringList names;
    int hidden = 0;
    for (QToolButton *b : page->MacroButtons) {
        if (b->isEnabled())
            names << b->text();
        else
            ++hidden;
    }
    // Listed ignoring case; the first "xml" file (myxml.ini) is dropped, the
    // second is skipped but still counts: four entries, three fillers.
    QCOMPARE(names, (QStringList{"a", "B", "c.txt"}));
    QCOMPARE(page->MacroButtons.size(), 6);
    QCOMPARE(hidden, 3);
    for (const QString &f : folder.entryList(QDir::Files))
        folder.remove(f);
}

void TstAssignMenu::macroDeletionRestoresDefaults()
{
    WriteMacro("Copy", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    BindMacro(page->ui->BackKey, "Copy");
    BindMacro(page->ui->TopMusic, "Copy");
    // Another key shows a label that reads like the macro but is no macro.
    page->ui->StartPause->setText("Macro: Copy");
    QCOMPARE(KeyText(MouseBlock().Keys[3]), QString("6,3,5"));
    QFile::remove(MacroFilePath("Copy"));

    emit PostMsg::GetInstance()->SigDeleteMacroButton("Macro: Copy");
    const FlashDataMap block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[2]), QString("1,4,0"));
    QCOMPARE(KeyText(block.Keys[3]), QString("1,8,0"));
    QCOMPARE(KeyText(block.Keys[4]), QString("1,16,0"));
    KeyEventBlock zero;
    std::memset(&zero, 0, sizeof(zero));
    QCOMPARE(Bytes(&block.KeyEvents[2], 52), Bytes(&zero, 52));
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));
    QCOMPARE(page->ui->TopMusic->text(), QString("Back"));
    QCOMPARE(page->ui->StartPause->text(), QString("Macro: Copy"));
    QVERIFY(!page->SelectorGroup->checkedButton());
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
}

void TstAssignMenu::macroRenameAndEdit()
{
    WriteMacro("ABCDEF", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    BindMacro(page->ui->BackKey, "ABCDEF");

    emit PostMsg::GetInstance()->SigMacroRename("ABCDEF", "XY");
    FlashDataMap block = MouseBlock();
    QCOMPARE(page->ui->BackKey->text(), QString("Macro: XY"));
    QCOMPARE(block.Macros[2].MacroNameLength, uint8_t(2));
    QCOMPARE(Bytes(block.Macros[2].MacroNameBytes, 30), QByteArray("XY").append(28, '\0'));
    QCOMPARE(block.Macros[2].StrokeCount, uint8_t(2));
    QCOMPARE(KeyText(block.Keys[2]), QString("6,2,5"));

    // A name too long for the record keeps the old one everywhere.
    emit PostMsg::GetInstance()->SigMacroRename("XY", QString(31, 'n'));
    QCOMPARE(page->ui->BackKey->text(), QString("Macro: XY"));
    QCOMPARE(MouseBlock().Macros[2].MacroNameLength, uint8_t(2));

    // A new repeat mode is sent with the unchanged record.
    QVERIFY(QFile::rename(MacroFilePath("ABCDEF"), MacroFilePath("XY")));
    WriteMacro("XY", "253\n0x04 1 0\n10ms\n0x04 1 1\n");
    emit PostMsg::GetInstance()->SigUpDataMacro("XY", 1);
    block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[2]), QString("6,2,253"));
    QCOMPARE(page->Param2Mirror.at(2), 253);

    // New events reach every bound button from the saved file, whatever the
    // macro page shows meanwhile; the entry stays as it was.
    WriteMacro("XY", "253\n0x05 1 0\n30ms\n0x05 1 1\n20ms\n0x06 1 0\n");
    WriteMacro("Other", "1\n0x07 1 0\n");
    Macro macroPage;
    macroPage.ui->listWidgetHong->setCurrentItem(
        macroPage.ui->listWidgetHong->findItems("Other", Qt::MatchExactly).value(0));
    QMetaObject::invokeMethod(&macroPage, "on_listWidgetHong_clicked",
                              Q_ARG(QModelIndex, QModelIndex()));
    QCOMPARE(macroPage.ui->listWidgetKey->count(), 1);
    emit PostMsg::GetInstance()->SigUpDataMacro("XY", 0);
    block = MouseBlock();
    QCOMPARE(KeyText(block.Keys[2]), QString("6,2,253"));
    const MacroRecord &record = block.Macros[2];
    QCOMPARE(Bytes(record.MacroNameBytes, 30), QByteArray("XY").append(28, '\0'));
    QCOMPARE(record.StrokeCount, uint8_t(3));
    QCOMPARE(Bytes(&record.Strokes[0], 8),
             Bytes(std::array<uint8_t, 8>{0, 1, 5, 0, 30, 0, 0, 0}.data(), 8));
    QCOMPARE(Bytes(&record.Strokes[1], 8),
             Bytes(std::array<uint8_t, 8>{1, 1, 5, 0, 20, 0, 0, 0}.data(), 8));
    QCOMPARE(Bytes(&record.Strokes[2], 8),
             Bytes(std::array<uint8_t, 8>{0, 1, 6, 0, 0, 0, 0, 0}.data(), 8));
    QFile::remove(MacroFilePath("XY"));
    QFile::remove(MacroFilePath("Other"));
}

void TstAssignMenu::macroResendToTwoButtons_data()
{
    QTest::addColumn<QString>("change"); // rename, events, repeat
    QTest::addColumn<QString>("fault");  // none, offline, refusing, not read
    QTest::addColumn<int>("notice");     // SigMouseOffLineo's argument; -1 none
    for (const char *change : {"rename", "events", "repeat"}) {
        const QString c = QString::fromLatin1(change);
        QTest::newRow(qPrintable(c + ", taken")) << c << "none" << -1;
        QTest::newRow(qPrintable(c + ", offline")) << c << "offline" << int(MouseNoticeOffline);
        QTest::newRow(qPrintable(c + ", refusing")) << c << "refusing" << int(MouseNoticeRefused);
        QTest::newRow(qPrintable(c + ", not read yet"))
            << c << "not read" << int(MouseNoticeStillReading);
    }
}

// A macro bound to two buttons is sent again after a save or a rename: both
// buttons take it, or the user hears once why neither did.
void TstAssignMenu::macroResendToTwoButtons()
{
    QFETCH(QString, change);
    QFETCH(QString, fault);
    QFETCH(int, notice);
    WriteMacro("Copy", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    BindMacro(page->ui->BackKey, "Copy");
    BindMacro(page->ui->TopMusic, "Copy");
    const FlashDataMap before = MouseBlock();
    QCOMPARE(KeyText(before.Keys[2]), QString("6,2,5"));
    QCOMPARE(KeyText(before.Keys[3]), QString("6,3,5"));

    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    if (fault == "offline")
        QVERIFY(SimPlug(Mouse, false));
    else if (fault == "refusing")
        SimRefuseNextCall("ProtocolDataUpdate");
    else if (fault == "not read")
        QVERIFY(ClearFlashDataOwner());
    if (change == "rename") {
        QVERIFY(QFile::rename(MacroFilePath("Copy"), MacroFilePath("Paste")));
        emit PostMsg::GetInstance()->SigMacroRename("Copy", "Paste");
    } else if (change == "events") {
        WriteMacro("Copy", "5\n0x05 1 0\n30ms\n0x05 1 1\n");
        emit PostMsg::GetInstance()->SigUpDataMacro("Copy", 0);
    } else {
        WriteMacro("Copy", "253\n0x04 1 0\n10ms\n0x04 1 1\n");
        emit PostMsg::GetInstance()->SigUpDataMacro("Copy", 1);
    }
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    if (fault == "offline") {
        QVERIFY(SimPlug(Mouse, true));
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    }
    const FlashDataMap after = MouseBlock();
    QFile::remove(MacroFilePath("Copy"));
    QFile::remove(MacroFilePath("Paste"));

    if (notice < 0) {
        QVERIFY(notices.isEmpty());
        const QString label = change == "rename" ? "Macro: Paste" : "Macro: Copy";
        QCOMPARE(page->ui->BackKey->text(), label);
        QCOMPARE(page->ui->TopMusic->text(), label);
        for (int k : {2, 3}) {
            if (change == "rename")
                QCOMPARE(Bytes(after.Macros[k].MacroNameBytes, 5), QByteArray("Paste"));
            else if (change == "events")
                QCOMPARE(int(after.Macros[k].Strokes[0].Code), 5);
            else
                QCOMPARE(int(after.Keys[k].Param2), 253);
        }
        return;
    }
    // One notice, whatever the number of buttons; nothing changed anywhere.
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.first().at(0).toInt(), notice);
    QCOMPARE(Bytes(&after, sizeof(FlashDataMap)), Bytes(&before, sizeof(FlashDataMap)));
    QCOMPARE(page->ui->BackKey->text(), QString("Macro: Copy"));
    QCOMPARE(page->ui->TopMusic->text(), QString("Macro: Copy"));
    QCOMPARE(page->Param2Mirror.at(2), 5);
    QCOMPARE(page->Param2Mirror.at(3), 5);
}

// A saved macro that only the first of its two buttons took (the mouse
// refused the second): the next read keeps the saved file, not the old copy
// the other button still holds.
void TstAssignMenu::macroPartlyTakenKeepsTheSavedFile()
{
    WriteMacro("Copy", "5\n0x04 1 0\n10ms\n0x04 1 1\n");
    BindMacro(page->ui->BackKey, "Copy");
    BindMacro(page->ui->TopMusic, "Copy");
    const QByteArray saved = "5\n0x05 1 0\n30ms\n0x05 1 1\n";
    WriteMacro("Copy", saved);
    SimRefuseNextCall("ProtocolDataUpdate", 1, 1);
    emit PostMsg::GetInstance()->SigUpDataMacro("Copy", 0);
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    const FlashDataMap block = MouseBlock();
    QCOMPARE(int(block.Macros[2].Strokes[0].Code), 5);
    QCOMPARE(int(block.Macros[3].Strokes[0].Code), 4);

    ReadFromMouse(block);
    QFile file(MacroFilePath("Copy"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved);
    file.close();
    QFile::remove(MacroFilePath("Copy"));
}

QTEST_MAIN(TstAssignMenu)
#include "tst_assignmenu.moc"
