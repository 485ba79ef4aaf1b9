// The key name vocabulary of macros and key combinations, and the keyboard
// hook layer that turns Qt key events into the codes the names are found by.
#include "model/KeyNames.h"
#include "platform/KeyboardHook.h"
#include "platform/vidide/FlashDataMap.h"

#include <QKeyEvent>
#include <QtTest>

#include <cstring>

class TstKeyNames : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void hidCodeToName_data();
    void hidCodeToName();
    void nameToHidCode_data();
    void nameToHidCode();
    void deviceCodeToName_data();
    void deviceCodeToName();
    void virtualKeys_data();
    void virtualKeys();
    void everyRowRoundTrips();
    void strokeOfUnknownNameKeepsCode();
    void combinationNames_data();
    void combinationNames();
    void hookReportsRepeatsAndStopsWhenUninstalled();
    void hookTranslatesQtKeys_data();
    void hookTranslatesQtKeys();
    void hookSeesWindowKeysOnce();
};

void TstKeyNames::init()
{
    MouseLeftName = "Left Button";
    MouseRightName = "Right Button";
    MouseMiddleName = "Middle Button";
    MouseBackName = "Back Button";
    MouseForwardName = "Forward Button";
}

void TstKeyNames::hidCodeToName_data()
{
    QTest::addColumn<QString>("usage");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("tab") << "0x2B" << 1 << "Tab";
    QTest::newRow("lower-case hex") << "0x2b" << 1 << "";
    QTest::newRow("modifier") << "0x20" << 0 << "RShift";
    QTest::newRow("usage") << "0x20" << 1 << "3";
    QTest::newRow("mouse kind, no mouse bit") << "0x20" << 4 << "";
    QTest::newRow("left button") << "0x01" << 4 << "Left Button";
    QTest::newRow("keypad enter has no name") << "0x58" << 1 << "";
    QTest::newRow("0x04 as usage") << "0x04" << 1 << "A";
    QTest::newRow("0x04 as modifier") << "0x04" << 0 << "LAlt";
    QTest::newRow("0x04 as mouse") << "0x04" << 4 << "Middle Button";
    QTest::newRow("0x04 other kind") << "0x04" << 2 << "";
    QTest::newRow("backslash") << "0x31" << 1 << "\\";
    QTest::newRow("arrow") << "0x50" << 1 << QString(QChar(0x2190));
}

void TstKeyNames::hidCodeToName()
{
    QFETCH(QString, usage);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(HidCodeToKeyName(usage, kind), name);
}

void TstKeyNames::nameToHidCode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("code");
    QTest::newRow("Num.") << "Num." << QStringList{"0x63", "1"};
    QTest::newRow("RWin") << "RWin" << QStringList{"0x80", "0"};
    QTest::newRow("empty") << "" << QStringList{"0x00", "1"};
    QTest::newRow("unlisted") << "Hyper" << QStringList{};
    QTest::newRow("back button") << "Back Button" << QStringList{"0x08", "4"};
    QTest::newRow("F10") << "F10" << QStringList{"0x43", "1"};
}

void TstKeyNames::nameToHidCode()
{
    QFETCH(QString, name);
    QFETCH(QStringList, code);
    QCOMPARE(KeyNameToHidCode(name), code);
}

void TstKeyNames::deviceCodeToName_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("keypad enter") << 0x58 << 1 << "Enter";
    QTest::newRow("F7") << 0x40 << 1 << "F7";
    QTest::newRow("RAlt") << 0x40 << 0 << "RAlt";
    QTest::newRow("shared code, other kind") << 0x04 << 2 << "";
    QTest::newRow("RWin any kind") << 0x80 << 1 << "RWin";
    QTest::newRow("M") << 0x10 << 1 << "M";
    QTest::newRow("RCtrl") << 0x10 << 0 << "RCtrl";
    QTest::newRow("lax kind") << 0x2B << 7 << "Tab";
    QTest::newRow("unknown") << 0x66 << 1 << "";
}

void TstKeyNames::deviceCodeToName()
{
    QFETCH(int, code);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QCOMPARE(DeviceCodeToKeyName(code, kind), name);
}

void TstKeyNames::virtualKeys_data()
{
    QTest::addColumn<int>("vk");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");
    QTest::newRow("generic shift") << 0x10 << false << "";
    QTest::newRow("clear") << 0x0C << true << "";
    QTest::newRow("left arrow") << 0x25 << true << QString(QChar(0x2190));
    QTest::newRow("A") << 0x41 << true << "A";
    QTest::newRow("LShift") << 0xA0 << true << "LShift";
    QTest::newRow("Enter") << 0x0D << true << "Enter";
    QTest::newRow("F12") << 0x7B << true << "F12";
    QTest::newRow("volume up") << 0xAF << false << "";
}

void TstKeyNames::virtualKeys()
{
    QFETCH(int, vk);
    QFETCH(bool, found);
    QFETCH(QString, name);
    QString got = "unset";
    QCOMPARE(VirtualKeyToKeyName(vk, &got), found);
    if (found)
        QCOMPARE(got, name);
}

// Every name with a code comes back from the file form and the device form.
void TstKeyNames::everyRowRoundTrips()
{
    QStringList names = {"Left Button", "Right Button", "Middle Button", "Back Button",
                         "Forward Button"};
    for (int vk = 0; vk < 256; ++vk) {
        QString name;
        if (VirtualKeyToKeyName(vk, &name))
            names << name;
    }
    QCOMPARE(names.size(), 109);
    for (const QString &name : names) {
        const QStringList code = KeyNameToHidCode(name);
        QCOMPARE(code.size(), 2);
        QCOMPARE(HidCodeToKeyName(code[0], code[1].toInt()), name);
        MacroRecord record;
        std::memset(&record, 0, sizeof record);
        KeyNameToStroke(name, 69, reinterpret_cast<unsigned char *>(&record), int(sizeof record));
        const KeyStroke &s = record.Strokes[69];
        const QString back =
            s.Kind == 4 ? MouseBitToKeyName(s.Code) : DeviceCodeToKeyName(s.Code, s.Kind);
        QCOMPARE(back, name);
    }
}

void TstKeyNames::strokeOfUnknownNameKeepsCode()
{
    MacroRecord record;
    std::memset(&record, 0, sizeof record);
    record.Strokes[3].Code = 0x1234;
    record.Strokes[3].Kind = 9;
    auto *bytes = reinterpret_cast<unsigned char *>(&record);
    KeyNameToStroke("no such key", 3, bytes, int(sizeof record));
    QCOMPARE(int(record.Strokes[3].Kind), 1);
    QCOMPARE(int(record.Strokes[3].Code), 0x1234);
    KeyNameToStroke("Back Button", 3, bytes, int(sizeof record));
    QCOMPARE(int(record.Strokes[3].Kind), 4);
    QCOMPARE(int(record.Strokes[3].Code), 8);
    // Outside the record: nothing is written.
    const MacroRecord before = record;
    KeyNameToStroke("A", 70, bytes, int(sizeof record));
    KeyNameToStroke("A", 0, bytes, int(sizeof record) - 1);
    QVERIFY(std::memcmp(&before, &record, sizeof record) == 0);
}

void TstKeyNames::combinationNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("code");
    QTest::newRow("Ctrl") << "Ctrl" << true << 0 << 0x01;
    QTest::newRow("Win") << "Win" << true << 0 << 0x08;
    QTest::newRow("F") << "F" << true << 1 << 0x09;
    QTest::newRow("Num0") << "Num0" << true << 1 << 0x62;
    QTest::newRow("empty") << "" << true << 1 << 0x00;
    QTest::newRow("ctrl lower case") << "ctrl" << false << -1 << -1;
    QTest::newRow("macro-only modifier") << "LCtrl" << false << -1 << -1;
}

void TstKeyNames::combinationNames()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    QFETCH(int, kind);
    QFETCH(int, code);
    int gotKind = -1;
    int gotCode = -1;
    QCOMPARE(CombinationNameToCode(name, &gotKind, &gotCode), known);
    QCOMPARE(gotKind, kind);
    QCOMPARE(gotCode, code);
    if (known && !name.isEmpty())
        QCOMPARE(CombinationCodeToName(code, kind), name);
    QCOMPARE(CombinationCodeToName(0x40, 0), QString("Alt"));
    QCOMPARE(CombinationCodeToName(0x10, 1), QString("M"));
    QCOMPARE(CombinationCodeToName(0x58, 1), QString("Enter"));
    QCOMPARE(CombinationCodeToName(0x104, 1), QString("A")); // low byte only
}

void TstKeyNames::hookReportsRepeatsAndStopsWhenUninstalled()
{
    QList<QList<int>> seen;
    KeyboardHook hook;
    hook.SetCallback([&](int vk, bool down, bool repeat) { seen.append({vk, down, repeat}); });
    KeyboardHook::InjectKey(0x41, true); // not installed yet
    QVERIFY(seen.isEmpty());
    QVERIFY(hook.Install());
    KeyboardHook::InjectKey(0x41, true);
    KeyboardHook::InjectKey(0x41, true); // held down
    KeyboardHook::InjectKey(0x41, false);
    KeyboardHook::InjectKey(0xA4, true, true);  // Alt: a system key
    KeyboardHook::InjectKey(0xA4, false, true); // system key-up keeps the last code
    KeyboardHook::InjectKey(0xA4, true, true);
    const QList<QList<int>> expected = {{0x41, 1, 0}, {0x41, 1, 1}, {0x41, 0, 0},
                                        {0xA4, 1, 0}, {0xA4, 0, 1}, {0xA4, 1, 1}};
    QCOMPARE(seen, expected);
    hook.Uninstall();
    hook.Uninstall();
    KeyboardHook::InjectKey(0x42, true);
    QCOMPARE(seen.size(), expected.size());
}

void TstKeyNames::hookTranslatesQtKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("native");
    QTest::addColumn<int>("vk");
    QTest::newRow("letter") << int(Qt::Key_Q) << 0 << 0 << 0x51;
    QTest::newRow("shifted digit") << int(Qt::Key_Exclam) << int(Qt::ShiftModifier) << 0 << 0x31;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << int(Qt::KeypadModifier) << 0 << 0x65;
    QTest::newRow("keypad dot") << int(Qt::Key_Period) << int(Qt::KeypadModifier) << 0 << 0x6E;
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0 << 0x7B;
    QTest::newRow("left shift") << int(Qt::Key_Shift) << 0 << 0xFFE1 << 0xA0;
    QTest::newRow("right shift (X11)") << int(Qt::Key_Shift) << 0 << 0xFFE2 << 0xA1;
    QTest::newRow("right ctrl (Windows)") << int(Qt::Key_Control) << 0 << 0xA3 << 0xA3;
    QTest::newRow("right alt") << int(Qt::Key_Alt) << 0 << 0xFFEA << 0xA5;
    QTest::newRow("arrow") << int(Qt::Key_Left) << 0 << 0 << 0x25;
    QTest::newRow("grave") << int(Qt::Key_QuoteLeft) << 0 << 0 << 0xC0;
    QTest::newRow("unknown") << int(Qt::Key_LaunchMail) << 0 << 0 << 0xFF;
}

void TstKeyNames::hookTranslatesQtKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, native);
    QFETCH(int, vk);
    QCOMPARE(KeyboardHook::VirtualKeyOf(key, Qt::KeyboardModifiers(modifiers), quint32(native)),
             vk);
}

// A key the system delivers reaches the window first and then the focused
// widget; the hook reports it once, and the widget still gets it.
void TstKeyNames::hookSeesWindowKeysOnce()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QList<int> seen;
    KeyboardHook hook;
    hook.SetCallback([&](int vk, bool down, bool) { seen << (down ? vk : -vk); });
    QVERIFY(hook.Install());
    QTest::keyPress(window.windowHandle(), Qt::Key_B);
    QTest::keyRelease(window.windowHandle(), Qt::Key_B);
    // A release waits a moment for the press of a held key's repeat pair.
    QCOMPARE(seen, QList<int>{0x42});
    QTRY_COMPARE(seen, (QList<int>{0x42, -0x42}));
}

QTEST_MAIN(TstKeyNames)
#include "tst_keynames.moc"
