// The pure parts of function assignment: key-combination and multimedia
// blocks, combination labels, DPI codes, the model's event-block defaults,
// macro files read for binding, and the two dialogs' own behaviour.
#include "buttons/FireKey.h"
#include "buttons/GroupKey.h"
#include "buttons/KeyCombination.h"
#include "buttons/MacroBinding.h"
#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "model/AssignmentLabels.h"
#include "model/KeyNames.h"
#include "model/MacroFiles.h"
#include "platform/KeyboardHook.h"

#include <QCheckBox>
#include <QFile>
#include <QSpinBox>
#include <QtTest>

#include <cstring>

namespace {

// "action kind code" of each stroke in use, joined by blanks.
QString Strokes(const KeyEventBlock &block)
{
    QStringList out;
    for (uint32_t i = 0; i < block.StrokeCount && i < 6; ++i) {
        const KeyStroke &s = block.Strokes[i];
        out << QStringLiteral("%1%2:%3")
                   .arg(s.Action ? "u" : "d")
                   .arg(s.Kind)
                   .arg(s.Code, 2, 16, QLatin1Char('0'));
        if (s.DelayMs != 10)
            out.last() += QStringLiteral("@%1").arg(s.DelayMs);
    }
    return out.join(' ');
}

void WriteMacro(const QString &name, const QByteArray &content)
{
    QFile file(MacroFolderPath() + name + ".ini");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

} // namespace

class TstAssignCodec : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void combinationEncodes_data();
    void combinationEncodes();
    void combinationLabelsRoundTrip_data();
    void combinationLabelsRoundTrip();
    void multimediaBlocks();
    void eventDefaults_data();
    void eventDefaults();
    void dpiCodes_data();
    void dpiCodes();
    void dpiCodesRefused_data();
    void dpiCodesRefused();

    void macroFileReads();
    void macroFileRefusals_data();
    void macroFileRefusals();
    void repeatModes_data();
    void repeatModes();

    void fireKeyDialog();
    void groupKeyCapture();
    void groupKeyLimit();
};

void TstAssignCodec::initTestCase()
{
    QVERIFY(QDir().mkpath(MacroFolderPath()));
    MouseLeftName = QStringLiteral("Left button");
}

void TstAssignCodec::combinationEncodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("strokes"); // empty: refused

    QTest::newRow("Ctrl") << "Ctrl"
                          << "d0:01 u0:01";
    QTest::newRow("Shift+Ctrl+A") << "Shift+Ctrl+A"
                                  << "d0:02 d0:01 d1:04 u1:04 u0:01 u0:02";
    QTest::newRow("Ctrl+Alt+Del") << "Ctrl+Alt+Del"
                                  << "d0:01 d0:04 d1:4c u1:4c u0:04 u0:01";
    QTest::newRow("F") << "F"
                       << "d1:09 u1:09";
    QTest::newRow("Num0 is not keypad Enter") << "Num0"
                                              << "d1:62 u1:62";
    QTest::newRow("arrow") << QString(QChar(0x2190)) << "d1:50 u1:50";
    QTest::newRow("empty text") << ""
                                << "d1:00 u1:00";
    QTest::newRow("letter case matters") << "ctrl"
                                         << "d1:00 u1:00";
    QTest::newRow("Ctrl and two empty names") << "Ctrl++"
                                              << "d0:01 d1:00 d1:00 u1:00 u1:00 u0:01";
    QTest::newRow("keypad plus is one key") << "Num+"
                                            << "d1:57 u1:57";
    QTest::newRow("keypad plus last") << "Alt+A+Num+"
                                      << "d0:04 d1:04 d1:57 u1:57 u1:04 u0:04";
    QTest::newRow("four keys do not fit") << "Ctrl+Alt+Shift+A"
                                          << "";
}

void TstAssignCodec::combinationEncodes()
{
    QFETCH(QString, text);
    QFETCH(QString, strokes);
    KeyEventBlock block;
    const bool ok = KeyCombination::Parse(text, &block);
    QCOMPARE(ok, !strokes.isEmpty());
    if (!ok) {
        QCOMPARE(block.StrokeCount, uint32_t(0));
        return;
    }
    QCOMPARE(Strokes(block), strokes);
    for (uint32_t i = block.StrokeCount; i < 6; ++i)
        QCOMPARE(block.Strokes[i].Code, uint16_t(0));
}

void TstAssignCodec::combinationLabelsRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    for (const char *t : {"Ctrl+C", "Shift+Alt+F12", "Win+E", "Ctrl+Num+", "Ctrl+APPs", "Esc",
                          "Alt+\\", "Shift+`", "PgUp+End"})
        QTest::newRow(t) << QString::fromUtf8(t);
    QTest::newRow("arrows") << QString(QChar(0x2191)) + "+" + QString(QChar(0x2193));
}

void TstAssignCodec::combinationLabelsRoundTrip()
{
    // The label a selector shows for a block reads back as the same block.
    QFETCH(QString, text);
    KeyEventBlock block;
    QVERIFY(KeyCombination::Parse(text, &block));
    QStringList names;
    for (uint32_t i = 0; i < block.StrokeCount / 2; ++i)
        names << AssignmentLabels::KeyCodeName(block.Strokes[i].Code, block.Strokes[i].Kind);
    QCOMPARE(names.join('+'), text);
}

void TstAssignCodec::multimediaBlocks()
{
    const KeyEventBlock block = KeyCombination::ConsumerBlock(0x00CD);
    QByteArray expected = QByteArray::fromHex("02000000"
                                              "0002cd000a000000"
                                              "0102cd000a000000");
    expected.append(32, '\0');
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&block), 52), expected);
    QCOMPARE(KeyCombination::MultimediaUsageOfLowByte(0x21), 0x0221);
    QCOMPARE(KeyCombination::MultimediaUsageOfLowByte(0x83), 0x0183);
    QCOMPARE(KeyCombination::MultimediaUsageOfLowByte(0x221), 0);
    QCOMPARE(KeyCombination::MultimediaUsageOfLowByte(0x22), 0);
}

void TstAssignCodec::eventDefaults_data()
{
    using Kind = KeyCombination::EventDefault::Kind;
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("lowByte");
    QTest::addColumn<QString>("text");

    QTest::newRow("mouse key") << QStringList{"0x01", "0x01", "0x00"} << int(Kind::NotListed) << 0
                               << "";
    QTest::newRow("missing") << QStringList{} << int(Kind::NotListed) << 0 << "";
    QTest::newRow("volume up") << QStringList{"0x05", "0", "0x00E9"} << int(Kind::Multimedia)
                               << 0xE9 << "";
    QTest::newRow("search without 0x")
        << QStringList{"0x05", "0", "21"} << int(Kind::Multimedia) << 0x21 << "";
    QTest::newRow("usage the menu lacks")
        << QStringList{"0x05", "0", "0x00CF"} << int(Kind::Unusable) << 0 << "";
    QTest::newRow("combination") << QStringList{"0x05", "0", "0", "Ctrl+C"}
                                 << int(Kind::Combination) << 0 << "Ctrl+C";
    QTest::newRow("combination too long")
        << QStringList{"0x05", "0", "0", "A+B+C+D"} << int(Kind::Unusable) << 0 << "";
    QTest::newRow("two items") << QStringList{"0x05", "0"} << int(Kind::Unusable) << 0 << "";
}

void TstAssignCodec::eventDefaults()
{
    QFETCH(QStringList, list);
    QFETCH(int, kind);
    QFETCH(int, lowByte);
    QFETCH(QString, text);
    const KeyCombination::EventDefault d = KeyCombination::EventDefaultOf(list);
    QCOMPARE(int(d.kind), kind);
    QCOMPARE(d.lowByte, lowByte);
    QCOMPARE(d.text, text);
}

void TstAssignCodec::dpiCodes_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("back"); // DpiCodeToValue(code)

    QTest::newRow("no defines: 100") << "3950" << 100 << 1 << 100;
    QTest::newRow("no defines: 1200") << "3950" << 1200 << 23 << 1200;
    QTest::newRow("define 800") << "3395" << 800 << 0x10 << 800;
    QTest::newRow("define 1000") << "3395" << 1000 << 0x13 << 1000;
    QTest::newRow("a prefix of another model") << "339" << 800 << 15 << 800;
}

void TstAssignCodec::dpiCodes()
{
    QFETCH(QString, sensor);
    QFETCH(int, dpi);
    QFETCH(int, code);
    QFETCH(int, back);
    const QVector<QString> names = {"SUPPORT_RIPPLE", "SENSOR_3395_DPI_800",
                                    "SENSOR_3395_DPI_1000"};
    const QVector<int> values = {1, 0x10, 0x13};
    QCOMPARE(AssignmentLabels::DpiValueToCode(names, values, sensor, dpi), code);
    QCOMPARE(AssignmentLabels::DpiCodeToValue(names, values, sensor, code), back);
}

void TstAssignCodec::dpiCodesRefused_data()
{
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("dpi");
    // A stand-in code would lock a DPI the sensor reads as another value.
    QTest::newRow("sensor has defines, not for 900") << "3395" << 900;
    QTest::newRow("define beyond a byte") << "3395" << 1600;
    QTest::newRow("computed code beyond a byte") << "3327" << 12850;
}

void TstAssignCodec::dpiCodesRefused()
{
    QFETCH(QString, sensor);
    QFETCH(int, dpi);
    const QVector<QString> names = {"SUPPORT_RIPPLE", "SENSOR_3395_DPI_800", "SENSOR_3395_DPI_1000",
                                    "SENSOR_3395_DPI_1600"};
    const QVector<int> values = {1, 0x10, 0x13, 0x1FF};
    QCOMPARE(AssignmentLabels::DpiValueToCode(names, values, sensor, dpi), -1);
}

void TstAssignCodec::macroFileReads()
{
    WriteMacro("Tap", "254\n0x04 1 0\n10ms\n0x04 1 1\n");
    MacroRecord record;
    QCOMPARE(MacroBinding::LoadRecord("Tap", &record), MacroBinding::LoadResult::Ok);
    QCOMPARE(record.MacroNameLength, uint8_t(3));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.MacroNameBytes)), QByteArray("Tap"));
    QCOMPARE(record.StrokeCount, uint8_t(2));
    QCOMPARE(record.Strokes[0].Code, uint16_t(4));
    QCOMPARE(record.Strokes[0].DelayMs, uint32_t(10));
    QCOMPARE(record.Strokes[1].Action, uint8_t(1));
    QCOMPARE(MacroBinding::ReadRepeatCode("Tap"), QString("254"));

    // A mouse event, a modifier, a CR LF line end, a last line without its
    // line end and a line of another shape (skipped, as the editor skips it).
    WriteMacro("Mixed", "3\r\n0x01 4 0\r\n20ms\r\n0x20 0 0\r\nodd line\r\n5ms\r\n0x20 0 1");
    QCOMPARE(MacroBinding::LoadRecord("Mixed", &record), MacroBinding::LoadResult::Ok);
    QCOMPARE(record.StrokeCount, uint8_t(3));
    QCOMPARE(record.Strokes[0].Kind, uint8_t(4));
    QCOMPARE(record.Strokes[0].Code, uint16_t(1));
    QCOMPARE(record.Strokes[0].DelayMs, uint32_t(20));
    QCOMPARE(record.Strokes[1].Kind, uint8_t(0));
    QCOMPARE(record.Strokes[1].Code, uint16_t(0x20));
    QCOMPARE(record.Strokes[2].Action, uint8_t(1));

    // Only the repeat line (or nothing): one all-zero stroke, a record the
    // mouse can rely on holding a stroke.
    KeyStroke zero;
    std::memset(&zero, 0, sizeof zero);
    for (const QByteArray &content : {QByteArray("7\n"), QByteArray()}) {
        WriteMacro("Header", content);
        QCOMPARE(MacroBinding::LoadRecord("Header", &record), MacroBinding::LoadResult::Ok);
        QCOMPARE(record.StrokeCount, uint8_t(1));
        QVERIFY(std::memcmp(&record.Strokes[0], &zero, sizeof zero) == 0);
    }

    // Two key lines in a row are two strokes (the first without a pause),
    // never one overwritten by the other; the last line needs no line end.
    WriteMacro("Adjacent", "1\n0x04 1 0\n0x05 1 0\n10ms\n0x05 1 1");
    QCOMPARE(MacroBinding::LoadRecord("Adjacent", &record), MacroBinding::LoadResult::Ok);
    QCOMPARE(record.StrokeCount, uint8_t(3));
    QCOMPARE(record.Strokes[0].Code, uint16_t(4));
    QCOMPARE(record.Strokes[0].DelayMs, uint32_t(0));
    QCOMPARE(record.Strokes[1].Code, uint16_t(5));
    QCOMPARE(record.Strokes[1].DelayMs, uint32_t(10));
    QCOMPARE(record.Strokes[2].Action, uint8_t(1));

    // Exactly seventy events fit.
    QByteArray full = "1\n";
    for (int i = 0; i < 70; ++i)
        full += "0x05 1 0\n1ms\n";
    WriteMacro("Full", full);
    QCOMPARE(MacroBinding::LoadRecord("Full", &record), MacroBinding::LoadResult::Ok);
    QCOMPARE(record.StrokeCount, uint8_t(70));
    QCOMPARE(record.Strokes[69].Code, uint16_t(5));
}

void TstAssignCodec::macroFileRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: no file
    QTest::addColumn<int>("result");

    using R = MacroBinding::LoadResult;
    QByteArray tooMany = "1\n";
    for (int i = 0; i < 70; ++i)
        tooMany += "0x05 1 0\n1ms\n";
    tooMany += "0x06 1 0\n";
    QTest::newRow("71 events") << "TooMany" << tooMany << int(R::TooManyStrokes);
    QTest::newRow("missing") << "Nowhere" << QByteArray() << int(R::Missing);
    QTest::newRow("name over 30 bytes") << QString(31, 'm') << QByteArray("1\n") << int(R::BadName);
    QTest::newRow("name leaves the folder") << "../x" << QByteArray() << int(R::BadName);
}

void TstAssignCodec::macroFileRefusals()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, result);
    if (!content.isNull())
        WriteMacro(name, content);
    MacroRecord record;
    std::memset(&record, 0xAA, sizeof(record));
    QCOMPARE(int(MacroBinding::LoadRecord(name, &record)), result);
    const MacroRecord zero{};
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(&record), sizeof(record)),
             QByteArray(reinterpret_cast<const char *>(&zero), sizeof(zero)));
}

void TstAssignCodec::repeatModes_data()
{
    QTest::addColumn<QByteArray>("firstLine");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("mode"); // -1: does not fit the entry

    QTest::newRow("count") << QByteArray("5\n") << "5" << 5;
    QTest::newRow("until released") << QByteArray("254\n") << "254" << 254;
    QTest::newRow("first field") << QByteArray(" 5 7\n") << "5" << 5;
    QTest::newRow("empty line") << QByteArray("\n") << "" << 0;
    QTest::newRow("empty file") << QByteArray("") << "0" << 0;
    QTest::newRow("blanks only") << QByteArray("   \n") << "0" << 0;
    QTest::newRow("no number") << QByteArray("fast\n") << "fast" << 0;
    QTest::newRow("digits and text") << QByteArray("12x\n") << "12x" << 0;
    QTest::newRow("zero") << QByteArray("0\n") << "0" << 0;
    QTest::newRow("unused code") << QByteArray("252\n") << "252" << 252;
    QTest::newRow("beyond a byte") << QByteArray("300\n") << "300" << -1;
    QTest::newRow("beyond an int") << QByteArray("99999999999\n") << "99999999999" << -1;
    QTest::newRow("negative") << QByteArray("-1\n") << "-1" << -1;
}

void TstAssignCodec::repeatModes()
{
    QFETCH(QByteArray, firstLine);
    QFETCH(QString, code);
    QFETCH(int, mode);
    WriteMacro("Repeat", firstLine);
    QCOMPARE(MacroBinding::ReadRepeatCode("Repeat"), code);
    int value = -1;
    QCOMPARE(MacroBinding::RepeatCodeOf(code, &value), mode >= 0);
    QCOMPARE(value, mode);
}

void TstAssignCodec::fireKeyDialog()
{
    {
        FireKey dialog;
        auto *count = dialog.findChild<QSpinBox *>("Count");
        auto *time = dialog.findChild<QSpinBox *>("Time");
        QCOMPARE(count->value(), 3);
        QCOMPARE(time->value(), 10);
        dialog.SetTimes(7);
        dialog.SetInterval(5);
        QCOMPARE(count->value(), 3);
        QCOMPARE(time->value(), 10);
        dialog.SetInterval(300);
        dialog.SetTimes(0);
        DialogSeam::ScopedAnswer answer("NewHong");
        dialog.exec();
        QVERIFY(dialog.Accepted);
        QCOMPARE(dialog.Interval, 255);
        QCOMPARE(dialog.Times, 0);
    }
    FireKey dialog;
    dialog.findChild<QSpinBox *>("Time")->setValue(99);
    DialogSeam::ScopedAnswer answer("NewHong_2");
    dialog.exec();
    QVERIFY(!dialog.Accepted);
    QCOMPARE(dialog.Interval, 10);
    QCOMPARE(dialog.Times, 3);
}

void TstAssignCodec::groupKeyCapture()
{
    const int ms = GroupKey::ComposeWindowMs;
    GroupKey::ComposeWindowMs = 60 * 60 * 1000;
    auto press = [](int vk) {
        KeyboardHook::InjectKey(vk, true);
        KeyboardHook::InjectKey(vk, false);
    };
    {
        GroupKey dialog;
        QVERIFY(dialog.IsCapturing());
        press(0x41);
        KeyboardHook::InjectKey(0x42, true);
        KeyboardHook::InjectKey(0x42, true); // held: taken once
        KeyboardHook::InjectKey(0x42, false);
        press(0x43);
        QCOMPARE(dialog.CapturedText(), QString("A+B+C"));
        press(0x44); // a fourth key starts again
        QCOMPARE(dialog.CapturedText(), QString("D"));
        press(0xA2); // left Ctrl: modifiers come from the boxes only
        press(0x44);
        QCOMPARE(dialog.CapturedText(), QString("D"));
        press(0x7A); // F11, then F1: whole names are compared
        press(0x70);
        QCOMPARE(dialog.CapturedText(), QString("D+F11+F1"));
    }
    {
        GroupKey dialog;
        press(0x6B); // keypad plus, one key although it holds the separator
        press(0x41);
        QCOMPARE(dialog.CapturedText(), QString("Num++A"));
        dialog.findChild<QCheckBox *>("Shift")->setChecked(true);
        DialogSeam::ScopedAnswer answer("NewHong");
        dialog.exec();
        QVERIFY(dialog.Accepted);
        QCOMPARE(dialog.KeyText, QString("Shift+Num++A"));
        QVERIFY(!dialog.IsCapturing());
        KeyEventBlock block;
        QVERIFY(KeyCombination::Parse(dialog.KeyText, &block));
        QCOMPARE(Strokes(block), QString("d0:02 d1:57 d1:04 u1:04 u1:57 u0:02"));
    }
    {
        // The window of a combination: a key after it starts a new one.
        GroupKey::ComposeWindowMs = 0;
        GroupKey dialog;
        press(0x41);
        QTest::qWait(5);
        press(0x42);
        QCOMPARE(dialog.CapturedText(), QString("B"));
        DialogSeam::ScopedAnswer answer("NewHong_2");
        dialog.exec();
        QVERIFY(!dialog.Accepted);
        QVERIFY(!dialog.IsCapturing());
    }
    GroupKey::ComposeWindowMs = ms;
}

void TstAssignCodec::groupKeyLimit()
{
    GroupKey dialog;
    KeyboardHook::InjectKey(0x41, true);
    KeyboardHook::InjectKey(0x42, true);
    dialog.findChild<QCheckBox *>("Shift")->setChecked(true);
    dialog.findChild<QCheckBox *>("Ctrl")->setChecked(true);
    {
        DialogSeam::ScopedAnswer answer("NewHong");
        dialog.exec();
        // Four names: the notice, the keys cleared, the dialog still capturing.
        QCOMPARE(answer.dialogs().size(), 2);
        QCOMPARE(answer.dialogs().at(1).className, QString("GroupMaxThree"));
    }
    QVERIFY(!dialog.Accepted);
    QCOMPARE(dialog.CapturedText(), QString());
    QVERIFY(dialog.IsCapturing());
    QVERIFY(dialog.findChild<QCheckBox *>("Ctrl")->isChecked());
    KeyboardHook::InjectKey(0x43, true);
    DialogSeam::ScopedAnswer answer("NewHong");
    dialog.exec();
    QVERIFY(dialog.Accepted);
    QCOMPARE(dialog.KeyText, QString("Shift+Ctrl+C"));
}

QTEST_MAIN(TstAssignCodec)
#include "tst_assigncodec.moc"
