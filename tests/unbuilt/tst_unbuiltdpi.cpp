// The second DPI editor on the simulated wired mouse: the level count moves
// the current level into range (rows and device records exchanged), slider
// values snap to the model's DPI segments and are encoded for the sensor,
// the colour dialog colours a level, and a silent mouse is only reported.
#include "UnbuiltTestSupport.h"

#include "common/MySlider.h"
#include "model/SensorConstants.h"
#include "unbuilt/SensorDPIB.h"

#include "ui_SensorDPIB.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace UnbuiltTest;

namespace {

void release(QAbstractSlider *slider, int value)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
}

bool sameRecord(const DpiLevel &a, const DpiLevel &b)
{
    return memcmp(&a, &b, sizeof(DpiLevel)) == 0;
}

// Two segments: 100..2000 in steps of 50, 2100..8000 in steps of 100.
void useTwoSegments()
{
    QString minText, maxText;
    ReadDpiRange({"100", "2000", "50", "2100", "8000", "100", "0x00"}, minText, maxText);
}

// An editor as a host would fill it: eight level counts, row r at
// 400 * (r + 1) DPI with a colour of its own, no signal run while filling.
std::unique_ptr<SensorDPIB> makeEditor()
{
    auto editor = std::make_unique<SensorDPIB>();
    editor->ClearLevelCountItems();
    const bool was = editor->BlockLevelCountSignals(true);
    for (int i = 0; i < SensorDPIB::RowCount; ++i)
        editor->InsertLevelCountItem(i, QString::number(i + 1));
    editor->ShowLevelCountIndex(7);
    editor->BlockLevelCountSignals(was);
    editor->BlockSliderSignals(true);
    for (int row = 0; row < SensorDPIB::RowCount; ++row) {
        editor->ShowLevelValue(row, QString::number(400 * (row + 1)));
        editor->SetLevelColorText(row, QString::asprintf("#%02x0000", 16 * row));
    }
    editor->BlockSliderSignals(false);
    editor->ApplyAllLevelColors();
    return editor;
}

// Gives every level of the mouse a record of its own.
void distinctDeviceLevels()
{
    for (int row = 0; row < SensorDPIB::RowCount; ++row)
        QVERIFY(SetDpiLevelColor(row, row + 1, 2 * row, 3 * row));
    SimClearCallLog();
}

} // namespace

class TstUnbuiltDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(UserFolder::makeFolders()); }
    void init()
    {
        makeWiredCurrent();
        useTwoSegments();
    }
    void cleanup()
    {
        SimPlug(WiredMouse, true);
        ParamUpdateRunning = false;
        SensorPageFilling = false;
    }

    void levelCount_data();
    void levelCount();
    void levelCountOutsideTheLevels();
    void valuesSnapToSegments_data();
    void valuesSnapToSegments();
    void firstChangeIsNotWritten();
    void currentLevelByClick();
    void colourGoesToRowAndMouse();
    void rowsShown();
    void silentMouseIsReported();
};

void TstUnbuiltDpi::levelCount_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exchange");
    QTest::newRow("current 5, pick 2") << 5 << 2 << true;
    QTest::newRow("after construction, pick 0") << -1 << 0 << true;
    QTest::newRow("pick the current level") << 3 << 3 << false;
    QTest::newRow("pick above") << 2 << 6 << false;
}

void TstUnbuiltDpi::levelCount()
{
    QFETCH(int, current);
    QFETCH(int, index);
    QFETCH(bool, exchange);
    distinctDeviceLevels();
    const FlashDataMap before = mouseBlock();
    auto editor = makeEditor();
    if (current >= 0)
        editor->SetCurrentLevelIndex(current);
    const int p = editor->CurrentLevel;
    const QString colorP = editor->LevelColors[p], colorI = editor->LevelColors[index];
    const int valueP = editor->LevelSpin(p)->value(), valueI = editor->LevelSpin(index)->value();

    editor->ShowLevelCountIndex(index);

    const FlashDataMap after = mouseBlock();
    QCOMPARE(int(after.DpiLevelCount), index + 1);
    for (int row = 0; row < SensorDPIB::RowCount; ++row)
        QCOMPARE(editor->LevelSlider(row)->isHidden(), row > index);
    if (!exchange) {
        QCOMPARE(editor->CurrentLevel, p);
        QCOMPARE(editor->LevelCount, 1);
        QCOMPARE(blocksSent(), 1);
        for (int row = 0; row < SensorDPIB::RowCount; ++row)
            QVERIFY(sameRecord(after.DpiLevels[row], before.DpiLevels[row]));
        return;
    }
    QCOMPARE(editor->LevelColors[index], colorP);
    QCOMPARE(editor->LevelColors[p], colorI);
    QVERIFY(editor->ColorButton(index)->styleSheet().contains(colorP));
    QCOMPARE(editor->LevelSpin(index)->value(), valueP);
    QCOMPARE(editor->LevelSpin(p)->value(), valueI);
    QCOMPARE(editor->LevelSlider(index)->value(), valueP);
    QVERIFY(editor->LevelBox(index)->isChecked());
    QCOMPARE(editor->CurrentLevel, index);
    QCOMPARE(editor->LevelCount, index + 1);
    QVERIFY(sameRecord(after.DpiLevels[index], before.DpiLevels[p]));
    QVERIFY(sameRecord(after.DpiLevels[p], before.DpiLevels[index]));
    QCOMPARE(int(after.CurrentDpiLevel), index);
}

void TstUnbuiltDpi::levelCountOutsideTheLevels()
{
    auto editor = makeEditor();
    editor->SetCurrentLevelIndex(4);
    for (int index : {-1, 8}) {
        QVERIFY(QMetaObject::invokeMethod(editor.get(), "on_ChooseEvent_currentIndexChanged",
                                          Q_ARG(int, index)));
    }
    // A host filling the page holds every change back.
    SensorPageFilling = true;
    editor->ShowLevelCountIndex(1);
    QCOMPARE(blocksSent(), 0);
    QCOMPARE(editor->CurrentLevel, 4);
    QVERIFY(!editor->LevelSlider(7)->isHidden());
}

void TstUnbuiltDpi::valuesSnapToSegments_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("pageStep");
    QTest::newRow("gap: up to the next segment") << 2040 << 2100 << 100;
    QTest::newRow("second segment rounds down") << 2160 << 2100 << 100;
    QTest::newRow("first segment rounds down") << 1990 << 1950 << 50;
    QTest::newRow("below the range") << 60 << 60 << 50;
    QTest::newRow("above the range") << 8050 << 8050 << 50;
}

void TstUnbuiltDpi::valuesSnapToSegments()
{
    QFETCH(int, value);
    QFETCH(int, shown);
    QFETCH(int, pageStep);
    auto editor = makeEditor();
    MySlider *slider = editor->LevelSlider(6);
    release(slider, value);
    QCOMPARE(editor->LevelSpin(6)->value(), shown);
    QCOMPARE(slider->value(), value); // the handle stays where it was left
    QCOMPARE(slider->pageStep(), pageStep);
}

void TstUnbuiltDpi::firstChangeIsNotWritten()
{
    auto editor = makeEditor();
    MySlider *slider = editor->LevelSlider(2);
    release(slider, 800);
    QCOMPARE(editor->LevelSpin(2)->value(), 800);
    QCOMPARE(blocksSent(), 0);

    release(slider, 1640);
    QCOMPARE(blocksSent(), 1);
    int code = 0, flags = 0;
    QVERIFY(EncodeDpiValue(1600, code, flags));
    const DpiLevel level = mouseBlock().DpiLevels[2];
    QCOMPARE(int(level.XCode), code);
    QCOMPARE(int(level.YCode), code);
    QCOMPARE(int(level.Flags), flags);

    ParamUpdateRunning = true;
    release(slider, 3000);
    QCOMPARE(editor->LevelSpin(2)->value(), 3000);
    QCOMPARE(blocksSent(), 1);
    ParamUpdateRunning = false;

    // Selecting a level re-arms the guard: its first change is the host's.
    editor->SelectLevel(4);
    QVERIFY(editor->LevelBox(4)->isChecked());
    QCOMPARE(editor->CurrentLevel, 4);
    QCOMPARE(int(mouseBlock().CurrentDpiLevel), 4);
    SimClearCallLog();
    release(editor->LevelSlider(4), 2500);
    QCOMPARE(blocksSent(), 0);
    release(editor->LevelSlider(4), 2600);
    QCOMPARE(blocksSent(), 1);
}

void TstUnbuiltDpi::currentLevelByClick()
{
    auto editor = makeEditor();
    editor->LevelBox(5)->click();
    QCOMPARE(editor->CurrentLevel, 5);
    QCOMPARE(int(mouseBlock().CurrentDpiLevel), 5);
    QCOMPARE(blocksSent(), 1);
    DeviceDataReady = false;
    editor->LevelBox(6)->click();
    QCOMPARE(editor->CurrentLevel, 5);
    QCOMPARE(blocksSent(), 1);
}

void TstUnbuiltDpi::colourGoesToRowAndMouse()
{
    auto editor = makeEditor();
    editor->ColorButton(3)->click();
    QCOMPARE(editor->ColorEditLevel, 3);
    QVERIFY(editor->ColorDialog->isVisible());
    editor->ColorDialog->setCurrentColor(QColor(1, 2, 255));
    editor->ColorDialog->accept();
    QCOMPARE(editor->LevelColors[3], QString("#0102ff"));
    QVERIFY(editor->ColorButton(3)->styleSheet().contains("background-color:#0102ff;"));
    const DpiLevel level = mouseBlock().DpiLevels[3];
    QCOMPARE(QColor(level.ColorR, level.ColorG, level.ColorB), QColor(1, 2, 255));

    // Without device data the button still takes the colour; nothing is sent.
    DeviceDataReady = false;
    SimClearCallLog();
    editor->ColorButton(7)->click();
    editor->ColorDialog->setCurrentColor(QColor(16, 32, 48));
    editor->ColorDialog->accept();
    QCOMPARE(editor->LevelColors[7], QString("#102030"));
    QCOMPARE(blocksSent(), 0);
}

void TstUnbuiltDpi::rowsShown()
{
    auto editor = makeEditor();
    editor->ShowLevelRows(0);
    for (int row = 1; row < SensorDPIB::RowCount; ++row) {
        QVERIFY(editor->LevelBox(row)->isHidden() && editor->ColorButton(row)->isHidden() &&
                editor->LevelSlider(row)->isHidden() && editor->LevelSpin(row)->isHidden());
    }
    QVERIFY(!editor->LevelSpin(0)->isHidden());
    editor->ShowLevelRows(8);
    editor->ShowLevelRows(-1);
    QVERIFY(editor->LevelSlider(1)->isHidden());
    editor->ShowLevelRows(7);
    QVERIFY(!editor->LevelSlider(7)->isHidden());
}

void TstUnbuiltDpi::silentMouseIsReported()
{
    auto editor = makeEditor();
    editor->FirstValueChangeSeen = true;
    editor->SetCurrentLevelIndex(5);
    QVERIFY(SimPlug(WiredMouse, false));
    QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);

    editor->SelectLevel(2);
    QCOMPARE(offline.count(), 1);
    QVERIFY(!editor->LevelBox(2)->isChecked());
    QVERIFY(editor->FirstValueChangeSeen);

    release(editor->LevelSlider(1), 2040);
    QCOMPARE(offline.count(), 2);
    QCOMPARE(editor->LevelSpin(1)->value(), 2040); // shown as moved, not snapped

    // The exchange goes ahead on screen; each of its writes reports.
    editor->ShowLevelCountIndex(2);
    QCOMPARE(offline.count(), 5);
    QCOMPARE(editor->CurrentLevel, 2);
    QCOMPARE(blocksSent(), 0);
}

QTEST_MAIN(TstUnbuiltDpi)
#include "tst_unbuiltdpi.moc"
