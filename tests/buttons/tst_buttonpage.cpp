// The button page on the simulated wired mouse (catalogue group Drive2,
// sensor 3327, six buttons): labels after a read, profiles, debounce, profile
// export and import, and the defaults without device data.
#include "buttons/Buttoninterface.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "model/MacroFiles.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "ui_Buttoninterface.h"

#include "../support/DeviceFixture.h"
#include "../support/NoticeReader.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using DeviceFixture::WaitIdle;

namespace {

const int Mouse = 1; // the wired mouse of the simulated device set
const int BackKeyIndex = 2;

// One key event: action, kind, code.
struct Stroke
{
    int action;
    int kind;
    int code;
};

void SetStrokes(FlashDataMap &map, int k, const QList<Stroke> &strokes)
{
    KeyEventBlock &block = map.KeyEvents[k];
    std::memset(&block, 0, sizeof(block));
    block.StrokeCount = uint32_t(strokes.size());
    for (int i = 0; i < strokes.size() && i < 6; ++i) {
        block.Strokes[i].Action = uint8_t(strokes[i].action);
        block.Strokes[i].Kind = uint8_t(strokes[i].kind);
        block.Strokes[i].Code = uint16_t(strokes[i].code);
    }
}

void SetMacroName(FlashDataMap &map, int k, const QByteArray &name)
{
    MacroRecord &record = map.Macros[k];
    std::memset(record.MacroNameBytes, 0, sizeof(record.MacroNameBytes));
    std::memcpy(record.MacroNameBytes, name.constData(), size_t(qMin(name.size(), 30)));
    record.MacroNameLength = uint8_t(qMin(name.size(), 30));
}

QStringList DialogClasses(const DialogSeam::ScopedAnswer &answer)
{
    QStringList classes;
    for (const DialogSeam::ShownDialog &d : answer.dialogs())
        classes << d.className;
    return classes;
}

QString DocumentsFolder()
{
    return QDir::homePath() + QStringLiteral("/Documents");
}

// The profile dialogs open in the user's documents folder, at home when
// there is none (a new user's home).
QString ProfileFolder()
{
    return QFileInfo(DocumentsFolder()).isDir() ? DocumentsFolder() : QDir::homePath();
}

// The name patterns of a dialog filter such as "File(*.bin)".
QStringList FilterPatterns(const QString &filter)
{
    const QString inside = filter.section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0);
    return inside.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

void FillCatalogue()
{
    DeviceFixture::FillKeyOptions({{"0x00EA", "Volume down"}});
    ProfileOptionsLabels[0].insert("0", "Profile 1");
    KeyLabels[0]["Import"] = "Import";
    KeyLabels[0]["Export"] = "Export";
    KeyLabels[0]["ExportDone"] = "The profile was saved.";
    KeyLabels[0]["DebounceTime"] = "Debounce";
}

} // namespace

class TstButtonPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    // Before any read of the device.
    void defaultsWithoutDeviceData();
    void exportRefusedWithoutDeviceData();

    void selectorLabelsAfterRead_data();
    void selectorLabelsAfterRead();
    void selectionMarksTheAssignment_data();
    void selectionMarksTheAssignment();
    void mirrorsCoverEverySelector();
    void macroFileFollowsDeviceButKeepsLocalEdits();
    void failedMacroRebuildIsShown();
    void leftButtonGuardOnNumberButtons();
    void profileSwitchReachesDevice();
    void debounceShownAndSent();
    void debounceRefusedGoesBack_data();
    void debounceRefusedGoesBack();
    void exportedProfileHasExactLayout();
    void exportWriteFailureIsReported();
    void exportedFileIsListedByImport_data();
    void exportedFileIsListedByImport();
    void profileImportsBackThroughWaitDialog();
    void damagedProfileIsRefused_data();
    void damagedProfileIsRefused();

private:
    FlashDataMap MouseBlock() const;
    void ReadFromMouse(const FlashDataMap &block);
    QString ExportProfile();

    Buttoninterface *page = nullptr;
    QTemporaryDir dir;
    QByteArray path;
};

void TstButtonPage::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QDir().mkpath(MacroFolderPath()));
    FillCatalogue();
    UpDataParam::TimerMs = 50;
    UpDataParam::WaitStepMs = 20;

    // The page creates the worker, which starts with no current device.
    page = new Buttoninterface();
    SimReset();
    path = DeviceFixture::MakeCurrentDevice(Mouse, true);

    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstButtonPage::cleanupTestCase()
{
    UsbServer_Exit();
    delete page;
}

FlashDataMap TstButtonPage::MouseBlock() const
{
    return DeviceFixture::MouseBlock(Mouse);
}

void TstButtonPage::ReadFromMouse(const FlashDataMap &block)
{
    // The mouse takes the block, then the device link reads it back whole.
    QVERIFY(ProtocolDataUpdate(&block));
    QVERIFY(WaitIdle());
    ButtonPageUpdated = false;
    QVERIFY(UsbServer_ReadAllFlashData());
    QTRY_VERIFY_WITH_TIMEOUT(ButtonPageUpdated, 5000);
    QVERIFY(WaitIdle());
}

void TstButtonPage::defaultsWithoutDeviceData()
{
    // Texts a former device left on the selectors must not survive the reset.
    for (int k = 0; k < 6; ++k)
        page->SelectorOfKey(k)->setText("stale");
    QMetaObject::invokeMethod(page, "SlotFormResetButton", Qt::DirectConnection);

    QCOMPARE(page->SelectorOfKey(0)->text(), QString("Left click"));
    QCOMPARE(page->SelectorOfKey(1)->text(), QString("Right click"));
    QCOMPARE(page->SelectorOfKey(2)->text(), QString("Middle click"));
    QCOMPARE(page->SelectorOfKey(3)->text(), QString("Back"));
    QCOMPARE(page->SelectorOfKey(4)->text(), QString("Forward"));
    QCOMPARE(page->SelectorOfKey(5)->text(), QString("DPI loop"));
    QCOMPARE(page->SelectorOfKey(10)->text(), QString("Fire"));
    QCOMPARE(page->CategoryMirror.size(), 12);
    QCOMPARE(page->Param1Mirror.size(), 12);
    QCOMPARE(page->Param2Mirror, QVector<int>(12, 0));
    QCOMPARE(page->ui->DebunceButton->CurrentIndex(), 8);
}

void TstButtonPage::exportRefusedWithoutDeviceData()
{
    const QString target = dir.filePath("early.bin");
    DialogSeam::ScopedAnswer answer(QString(), target);
    page->ui->OutputData->click();
    QVERIFY(!QFile::exists(target));
    QVERIFY(answer.fileRequests().isEmpty());
    QCOMPARE(DialogClasses(answer), QStringList{"UpDateWarning"});
}

void TstButtonPage::selectorLabelsAfterRead_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("param1");
    QTest::addColumn<int>("param2");
    QTest::addColumn<QList<int>>("strokes"); // action, kind, code triples
    QTest::addColumn<QString>("label");

    const QList<int> none;
    QTest::newRow("mouse key: middle") << 1 << 4 << 0 << none << "Middle click";
    QTest::newRow("mouse key: forward") << 1 << 16 << 0 << none << "Forward";
    QTest::newRow("DPI cycle") << 2 << 1 << 0 << none << "DPI loop";
    QTest::newRow("DPI down keeps the form text") << 2 << 3 << 0 << none << "DPI-";
    QTest::newRow("DPI lock 800 on the 3327") << 10 << 7 << 0 << none << "DPI lock-800";
    QTest::newRow("fire key") << 4 << 10 << 3 << none << "Fire";
    QTest::newRow("report-rate switch") << 7 << 0 << 0 << none << "Report rate";
    QTest::newRow("disabled") << 0 << 0 << 0 << none << "Disabled";
    QTest::newRow("vertical scroll up") << 11 << 1 << 0 << none << "Scroll up";
    QTest::newRow("light switch 4") << 8 << 4 << 0 << none << "Bar effect";
    QTest::newRow("combination Ctrl+C")
        << 5 << 0 << 0 << QList<int>{0, 0, 0x01, 0, 1, 0x06, 1, 1, 0x06, 1, 0, 0x01} << "Ctrl+C";
    QTest::newRow("combination Shift+3+F7")
        << 5 << 0 << 0
        << QList<int>{0, 0, 0x20, 0, 1, 0x20, 0, 1, 0x40, 1, 1, 0x40, 1, 1, 0x20, 1, 0, 0x20}
        << "Shift+3+F7";
    QTest::newRow("multimedia volume up")
        << 5 << 0 << 0 << QList<int>{0, 2, 0x00E9, 1, 2, 0x00E9} << "Volume up";
    QTest::newRow("multimedia by low byte")
        << 5 << 0 << 0 << QList<int>{0, 2, 0x0021, 1, 2, 0x0021} << "Search";
    QTest::newRow("macro") << 6 << 2 << 254 << none << "Macro: Reload";
}

void TstButtonPage::selectorLabelsAfterRead()
{
    QFETCH(int, category);
    QFETCH(int, param1);
    QFETCH(int, param2);
    QFETCH(QList<int>, strokes);
    QFETCH(QString, label);

    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {uint8_t(category), uint8_t(param1), uint8_t(param2)};
    QList<Stroke> events;
    for (int i = 0; i + 2 < strokes.size(); i += 3)
        events.append({strokes[i], strokes[i + 1], strokes[i + 2]});
    SetStrokes(block, BackKeyIndex, events);
    SetMacroName(block, BackKeyIndex, "Reload");
    ReadFromMouse(block);

    QCOMPARE(page->ui->BackKey->text(), label);
    QCOMPARE(page->CategoryMirror.at(BackKeyIndex), category);
    QCOMPARE(page->Param1Mirror.at(BackKeyIndex), param1);
    QCOMPARE(page->Param2Mirror.at(BackKeyIndex), param2);
}

void TstButtonPage::selectionMarksTheAssignment_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("param1");
    QTest::addColumn<QList<int>>("strokes");
    QTest::addColumn<QString>("subPage");
    QTest::addColumn<QString>("mainEntry");
    QTest::addColumn<QString>("subEntry"); // "" when nothing below is marked

    const QList<int> none;
    QTest::newRow("consumer 0x00EA") << 5 << 0 << QList<int>{0, 2, 0xEA, 1, 2, 0xEA} << "page_3"
                                     << "DPI_12"
                                     << "VolumeDown_4";
    QTest::newRow("combination of the key 4 (usage 0x21)")
        << 5 << 0 << QList<int>{0, 1, 0x21, 1, 1, 0x21} << "page_9"
        << "DPI_8"
        << "";
    QTest::newRow("consumer usage the menu lacks")
        << 5 << 0 << QList<int>{0, 2, 0xCF, 1, 2, 0xCF} << "page_9"
        << "DPI_8"
        << "";
    QTest::newRow("light switch 4") << 8 << 4 << none << "page_6"
                                    << "DPI_9"
                                    << "VolumeUp_7";
    QTest::newRow("DPI lock 1000") << 10 << 9 << none << "page_8"
                                   << "DPI_4"
                                   << "VolumeUp_24";
    QTest::newRow("DPI down") << 2 << 3 << none << "page_7"
                              << "DPI_7"
                              << "VolumeUp_10";
    QTest::newRow("fire key") << 4 << 10 << none << "page_9"
                              << "DPI_6"
                              << "";
    QTest::newRow("macro") << 6 << 2 << none << "page_5"
                           << "DPI_10"
                           << "Reload";
}

void TstButtonPage::selectionMarksTheAssignment()
{
    QFETCH(int, category);
    QFETCH(int, param1);
    QFETCH(QList<int>, strokes);
    QFETCH(QString, subPage);
    QFETCH(QString, mainEntry);
    QFETCH(QString, subEntry);

    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {uint8_t(category), uint8_t(param1), 1};
    QList<Stroke> events;
    for (int i = 0; i + 2 < strokes.size(); i += 3)
        events.append({strokes[i], strokes[i + 1], strokes[i + 2]});
    SetStrokes(block, BackKeyIndex, events);
    SetMacroName(block, BackKeyIndex, "Reload");
    ReadFromMouse(block);
    emit PostMsg::GetInstance()->SigAddMacroButton();

    page->ui->BackKey->click();
    QCOMPARE(page->ui->stackedWidget->currentWidget(), page->ui->page_2);
    QCOMPARE(page->ui->stackedWidget_2->currentWidget()->objectName(), subPage);
    auto *main = page->findChild<QAbstractButton *>(mainEntry);
    QVERIFY(main && main->isChecked());
    QAbstractButton *marked = page->SubMenuGroup->checkedButton();
    if (subEntry.isEmpty()) {
        QVERIFY(!page->ui->VolumeDown_9->isChecked());
    } else {
        QVERIFY(marked);
        QCOMPARE(category == 6 ? marked->text() : marked->objectName(), subEntry);
    }
    // Showing an assignment assigns nothing.
    QCOMPARE(MouseBlock().Keys[BackKeyIndex].Category, uint8_t(category));
}

void TstButtonPage::mirrorsCoverEverySelector()
{
    // KeyNumber is 6 for this mouse; the mirrors still cover all twelve
    // selectors, and a key event block claiming 200 strokes reads only its
    // six: three keys, the third of them the release of C.
    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {5, 0, 0};
    SetStrokes(block, BackKeyIndex, {{0, 0, 0x01}, {0, 1, 0x06}, {1, 1, 0x06}});
    block.KeyEvents[BackKeyIndex].StrokeCount = 200;
    block.Keys[9] = {2, 2, 0};
    ReadFromMouse(block);
    QCOMPARE(page->CategoryMirror.size(), 12);
    QCOMPARE(page->Param2Mirror.size(), 12);
    QCOMPARE(page->CategoryMirror.at(9), 2);
    QCOMPARE(page->ui->BackKey->text(), QString("Ctrl+C+C"));
}

void TstButtonPage::macroFileFollowsDeviceButKeepsLocalEdits()
{
    const QString file = MacroFilePath("Burst");
    QFile::remove(file);
    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {6, 2, 254};
    SetMacroName(block, BackKeyIndex, "Burst");
    ReadFromMouse(block);
    QFile rebuilt(file);
    QVERIFY(rebuilt.open(QIODevice::ReadOnly));
    QCOMPARE(rebuilt.readAll(), QByteArray("254\n"));
    rebuilt.close();

    // The user edits the file and does not send it; the next read of a
    // changed device macro must not overwrite the edit.
    QFile edit(file);
    QVERIFY(edit.open(QIODevice::WriteOnly | QIODevice::Append));
    edit.write("local edit\n");
    edit.close();
    block.Keys[BackKeyIndex] = {6, 2, 3};
    ReadFromMouse(block);
    QVERIFY(edit.open(QIODevice::ReadOnly));
    QCOMPARE(edit.readAll(), QByteArray("254\nlocal edit\n"));
    edit.close();

    // A name that would leave the macro folder is labelled and kept under its
    // safe name inside the folder; nothing is written outside it.
    SetMacroName(block, BackKeyIndex, "../Escape");
    ReadFromMouse(block);
    const QString listed = ListedMacroName("../Escape");
    QCOMPARE(page->ui->BackKey->text(), "Macro: " + listed);
    QVERIFY(QFile::exists(MacroFilePath(listed)));
    QVERIFY(!QFile::exists(MacroFolderPath() + "../Escape.ini"));
}

// A macro file that cannot be rebuilt from the mouse is not only logged.
void TstButtonPage::failedMacroRebuildIsShown()
{
    // A plain file where the macro folder belongs: no one, root included, can
    // write a macro file below it.
    const QString folder = QDir::cleanPath(MacroFolderPath());
    const QString aside = folder + ".aside";
    QVERIFY(QDir().rename(folder, aside));
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    StorageNotice::ResetShown();
    DialogSeam::ScopedAnswer answer;
    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {6, 2, 254};
    SetMacroName(block, BackKeyIndex, "Blocked");
    ReadFromMouse(block);
    QVERIFY(QFile::remove(folder));
    QVERIFY(QDir().rename(aside, folder));
    QCOMPARE(DialogClasses(answer), QStringList{"UpDateWarning"});
    QCOMPARE(page->ui->BackKey->text(), QString("Macro: Blocked"));
}

void TstButtonPage::leftButtonGuardOnNumberButtons()
{
    FlashDataMap block = MouseBlock();
    for (int k = 0; k < 6; ++k)
        block.Keys[k] = {1, uint8_t(1 << k), 0};
    ReadFromMouse(block);
    QCOMPARE(page->ui->FireKey->text(), QString("Left click"));

    DialogSeam::ScopedAnswer answer;
    page->ui->Number2->click();
    QVERIFY(page->ui->RightKey->isChecked());
    // Number 1 reaches the only left button: refused like a click on it.
    page->ui->Number1->click();
    QVERIFY(!page->ui->FireKey->isChecked());
    QVERIFY(!page->ui->RightKey->isChecked());
    page->ui->FireKey->click();
    QVERIFY(!page->ui->FireKey->isChecked());
    QCOMPARE(page->ui->stackedWidget->currentIndex(), 0);
    QCOMPARE(DialogClasses(answer), (QStringList{"LeftButtonOnly", "LeftButtonOnly"}));
}

void TstButtonPage::profileSwitchReachesDevice()
{
    MyConmboBox *box = page->ui->ProjectChoose;
    QTRY_COMPARE(box->count(), 4);
    QCOMPARE(box->itemText(2), QString("Profile 3"));
    QSignalSpy config(PostMsg::GetInstance(), SIGNAL(SigAddConfig(QString)));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));

    box->setCurrentIndex(2);
    QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, 2));
    QVERIFY(WaitIdle());
    int profile = -1;
    QVERIFY(SimMouseProfile(Mouse, &profile));
    QCOMPARE(profile, 2);
    // The pick, then the mouse's own report of its new profile.
    QVERIFY(config.count() >= 1);
    for (const QList<QVariant> &args : config)
        QCOMPARE(args.at(0).toString(), QString("Profile 3"));
    QCOMPARE(box->currentIndex(), 2);

    // Unplugged: the pick is undone and reported, the mouse keeps its profile.
    QVERIFY(SimPlug(Mouse, false));
    box->PreviousIndex = 2;
    box->setCurrentIndex(0);
    QMetaObject::invokeMethod(box, "activated", Qt::DirectConnection, Q_ARG(int, 0));
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(offline.count(), 1);
    QCOMPARE(offline.at(0).at(0).toInt(), 0);
    QVERIFY(SimPlug(Mouse, true));
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    QVERIFY(SimMouseProfile(Mouse, &profile));
    QCOMPARE(profile, 2);
}

void TstButtonPage::debounceShownAndSent()
{
    FlashDataMap block = MouseBlock();
    block.DebounceMs = 4;
    ReadFromMouse(block);
    DebounceTime *debounce = page->ui->DebunceButton;
    QCOMPARE(debounce->CurrentIndex(), 4);
    auto *combo = debounce->findChild<QComboBox *>("Debunce");
    QVERIFY(combo);
    QCOMPARE(combo->currentText(), QString("4ms"));

    QSignalSpy shown(PostMsg::GetInstance(), SIGNAL(SigDebunce(QString)));
    DialogSeam::ScopedAnswer answer;
    combo->setCurrentIndex(9);
    QCOMPARE(MouseBlock().DebounceMs, uint8_t(9));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), QString("9ms"));
    QVERIFY(answer.dialogs().isEmpty());

    combo->setCurrentIndex(5);
    QCOMPARE(MouseBlock().DebounceMs, uint8_t(5));
    QCOMPARE(DialogClasses(answer), QStringList{"LessThree"});
}

void TstButtonPage::debounceRefusedGoesBack_data()
{
    QTest::addColumn<bool>("offline");
    QTest::newRow("offline") << true;
    QTest::newRow("refusing") << false;
}

void TstButtonPage::debounceRefusedGoesBack()
{
    QFETCH(bool, offline);
    FlashDataMap block = MouseBlock();
    block.DebounceMs = 4;
    ReadFromMouse(block);
    auto *combo = page->ui->DebunceButton->findChild<QComboBox *>("Debunce");
    QVERIFY(combo);
    QSignalSpy shown(PostMsg::GetInstance(), SIGNAL(SigDebunce(QString)));
    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    DialogSeam::ScopedAnswer answer;
    NoticeReader reader(page, [combo] { return QString::number(combo->currentIndex()); });
    if (offline)
        QVERIFY(SimPlug(Mouse, false)); // the wired mouse: unplugged
    else
        SimRefuseNextCall("ProtocolDataUpdate");
    combo->setCurrentIndex(9);
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    if (offline) {
        QVERIFY(SimPlug(Mouse, true));
        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    }
    // The box and the summary keep what the mouse holds; one notice says why.
    QCOMPARE(MouseBlock().DebounceMs, uint8_t(4));
    QCOMPARE(combo->currentIndex(), 4);
    QCOMPARE(page->ui->DebunceButton->HeldDebounceMs(), 4);
    QVERIFY(shown.isEmpty());
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.first().at(0).toInt(), int(offline ? MouseNoticeOffline : MouseNoticeRefused));
    // Shown with the box already back on the mouse's 4 ms.
    QTRY_COMPARE(reader.seen.size(), 1);
    QCOMPARE(reader.seen.first().look, QString("4"));
    QVERIFY(answer.dialogs().isEmpty());
}

QString TstButtonPage::ExportProfile()
{
    const QString target = dir.filePath("profile.bin");
    DialogSeam::ScopedAnswer answer(QString(), target);
    page->ui->OutputData->click();
    if (answer.fileRequests().size() != 1)
        return QString();
    const DialogSeam::FileRequest &request = answer.fileRequests().first();
    if (request.caption != "FileSave" || request.directory != ProfileFolder() ||
        request.filter != "File(*.bin)")
        return QString();
    return target;
}

void TstButtonPage::exportedProfileHasExactLayout()
{
    FlashDataMap block = MouseBlock();
    block.Keys[BackKeyIndex] = {1, 8, 0};
    block.DebounceMs = 11;
    ReadFromMouse(block);
    const FlashDataMap current = FlashDataSnapshot();

    const QString target = ExportProfile();
    QVERIFY(!target.isEmpty());
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 10484);
    QCOMPARE(bytes.left(16), QByteArray("\0\0\0\x0cZudod\0\0\0\0\0\0\0", 16));
    QCOMPARE(bytes.mid(16, 20), QByteArray("\0\0\0\x0c"
                                           "3327\0\0\0\0\0\0\0\0"
                                           "\0\0\x28\xD0",
                                           20));
    QCOMPARE(bytes.mid(36),
             QByteArray(reinterpret_cast<const char *>(&current), int(sizeof(current))));
}

void TstButtonPage::exportWriteFailureIsReported()
{
    ReadFromMouse(MouseBlock());
    const QString target = dir.filePath("missing-folder/profile.bin");
    {
        DialogSeam::ScopedAnswer answer(QString(), target);
        page->ui->OutputData->click();
        QVERIFY(!QFile::exists(target));
        QCOMPARE(DialogClasses(answer), QStringList{"UpDateWarning"});
    }

    // The disk fills half-way through the file: an earlier export stays.
    const QString earlier = ExportProfile();
    QVERIFY(!earlier.isEmpty());
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray kept = file.readAll();
    file.close();
    FlashDataMap changed = MouseBlock();
    changed.DebounceMs = 13;
    ReadFromMouse(changed);
    DialogSeam::ScopedAnswer answer(QString(), earlier);
    SafeFile::failWritesAfter(5000);
    page->ui->OutputData->click();
    SafeFile::failWritesAfter(-1);
    QCOMPARE(DialogClasses(answer), QStringList{"UpDateWarning"});
    QVERIFY(answer.dialogs().first().labelText.endsWith(qt_error_string(ENOSPC)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kept);
}

void TstButtonPage::exportedFileIsListedByImport_data()
{
    QTest::addColumn<bool>("documents");
    QTest::addColumn<QString>("typed"); // empty: the suggested name is taken
    QTest::addColumn<QString>("written");
    // The name offered is the current profile's.
    QTest::newRow("suggested name, no documents folder") << false << QString() << "<profile>.bin";
    QTest::newRow("suggested name, documents folder") << true << QString() << "<profile>.bin";
    QTest::newRow("typed without extension") << false << "mine"
                                             << "mine.bin";
}

void TstButtonPage::exportedFileIsListedByImport()
{
    QFETCH(bool, documents);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QDir(DocumentsFolder()).removeRecursively();
    if (documents)
        QVERIFY(QDir().mkpath(DocumentsFolder()));
    const QString folder = documents ? DocumentsFolder() : QDir::homePath();
    const QString profile = page->ui->ProjectChoose->currentText();
    QVERIFY(profile.startsWith("Profile "));
    written.replace("<profile>", profile);
    const QString target = folder + "/" + written;
    QFile::remove(target);
    {
        DialogSeam::ScopedAnswer answer(QString(), typed);
        if (typed.isEmpty())
            answer.acceptSuggestion();
        page->ui->OutputData->click();
        QCOMPARE(answer.fileRequests().size(), 1);
        QCOMPARE(answer.fileRequests().first().directory, folder);
        QCOMPARE(answer.fileRequests().first().fileName, profile + ".bin");
        QCOMPARE(QFileInfo(target).size(), 10484);
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().labelText, "The profile was saved.\n" + written);
    }

    DialogSeam::ScopedAnswer answer;
    page->ui->ImportData->click();
    QCOMPARE(answer.fileRequests().size(), 1);
    const DialogSeam::FileRequest &request = answer.fileRequests().first();
    QCOMPARE(request.directory, folder);
    QVERIFY(QDir(folder).entryList(FilterPatterns(request.filter), QDir::Files).contains(written));
    QDir(DocumentsFolder()).removeRecursively();
    QFile::remove(target);
}

void TstButtonPage::profileImportsBackThroughWaitDialog()
{
    FlashDataMap saved = MouseBlock();
    saved.Keys[BackKeyIndex] = {5, 0, 0};
    SetStrokes(saved, BackKeyIndex, {{0, 2, 0x00EA}, {1, 2, 0x00EA}});
    saved.DebounceMs = 12;
    ReadFromMouse(saved);
    const FlashDataMap exported = FlashDataSnapshot();
    const QString target = ExportProfile();
    QVERIFY(!target.isEmpty());

    FlashDataMap other = exported;
    other.Keys[BackKeyIndex] = {1, 4, 0};
    other.DebounceMs = 2;
    ReadFromMouse(other);
    QCOMPARE(page->ui->BackKey->text(), QString("Middle click"));

    DialogSeam::ScopedAnswer answer(QString(), target);
    page->ui->ImportData->click();
    QCOMPARE(answer.fileRequests().size(), 1);
    QCOMPARE(answer.fileRequests().first().caption, QString("SelectFile"));
    QCOMPARE(answer.fileRequests().first().directory, ProfileFolder());
    QVERIFY(!ParamUpdateRunning);
    QVERIFY(answer.dialogs().isEmpty());

    const FlashDataMap mouse = MouseBlock();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&mouse), int(sizeof(mouse))),
             QByteArray(reinterpret_cast<const char *>(&exported), int(sizeof(exported))));
    QCOMPARE(page->ui->BackKey->text(), QString("Volume down"));
    QCOMPARE(page->ui->DebunceButton->CurrentIndex(), 12);
}

void TstButtonPage::damagedProfileIsRefused_data()
{
    QTest::addColumn<int>("damage");
    QTest::newRow("cut short") << 0;
    QTest::newRow("other tag") << 1;
    QTest::newRow("other sensor") << 2;
    QTest::newRow("length field lies") << 3;
}

void TstButtonPage::damagedProfileIsRefused()
{
    QFETCH(int, damage);
    const QString good = ExportProfile();
    QVERIFY(!good.isEmpty());
    QFile in(good);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray bytes = in.readAll();
    in.close();
    switch (damage) {
    case 0:
        bytes.truncate(5000);
        break;
    case 1:
        bytes[8] = 'x';
        break;
    case 2:
        bytes.replace(20, 4, "3950");
        break;
    case 3:
        bytes[34] = 0x29;
        break;
    }
    const QString damaged = dir.filePath("damaged.bin");
    QFile out(damaged);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
    out.close();

    // Something the import would change if it went through.
    FlashDataMap before = MouseBlock();
    before.DebounceMs = 1;
    ReadFromMouse(before);
    before = MouseBlock();

    DialogSeam::ScopedAnswer answer(QString(), damaged);
    page->ui->ImportData->click();
    QCOMPARE(DialogClasses(answer), QStringList{"InportFail"});
    const FlashDataMap after = MouseBlock();
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&after), int(sizeof(after))),
             QByteArray(reinterpret_cast<const char *>(&before), int(sizeof(before))));
}

QTEST_MAIN(TstButtonPage)
#include "tst_buttonpage.moc"
