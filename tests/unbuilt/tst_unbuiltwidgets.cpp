// The second-look sensor widgets on the simulated wired mouse: each is built
// and shown with its form texts and pictures, each control writes its field
// through the guarded setters (or, offline, writes nothing and keeps the
// user's choice), and the host operations write nothing.
#include "UnbuiltTestSupport.h"

#include "common/LabelCatalogue.h"
#include "unbuilt/DebouncetimeB.h"
#include "unbuilt/DebouncetimeC.h"
#include "unbuilt/FindNewVer.h"
#include "unbuilt/MotionSyncB.h"
#include "unbuilt/MyProgressBar.h"
#include "unbuilt/PieChartWidget.h"
#include "unbuilt/Progress.h"
#include "unbuilt/RippeControlB.h"
#include "unbuilt/SensorDPIB.h"
#include "unbuilt/SensorEffectB.h"
#include "unbuilt/SensorLODB.h"
#include "unbuilt/SensorRateB.h"
#include "unbuilt/StopCloseTimeB.h"
#include "unbuilt/StraightLineB.h"

#include "ui_DebouncetimeB.h"
#include "ui_DebouncetimeC.h"
#include "ui_MotionSyncB.h"
#include "ui_RippeControlB.h"
#include "ui_SensorEffectB.h"
#include "ui_SensorLODB.h"
#include "ui_StopCloseTimeB.h"
#include "ui_StraightLineB.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

using namespace UnbuiltTest;

namespace {

// Lets the user drop a tracking-off slider's handle at `value`: positions
// while dragging, the value change on release.
void release(QAbstractSlider *slider, int value)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
}

struct BuildCase
{
    const char *name;
    std::function<QWidget *()> make;
    QSize size;
    QList<QPair<const char *, QString>> texts; // child object name, text
    bool pictures;
};

QList<BuildCase> buildCases()
{
    return {
        {"SensorEffectB",
         [] { return new SensorEffectB; },
         {400, 143},
         {{"label", "DPI灯效"},
          {"MM1", "常亮"},
          {"MM2", "呼吸"},
          {"MM3", "关闭"},
          {"label_14", "速度"},
          {"label_15", "亮度"}},
         true},
        {"RippeControlB",
         [] { return new RippeControlB; },
         {204, 31},
         {{"label", "波纹控制"}},
         true},
        {"StraightLineB",
         [] { return new StraightLineB; },
         {204, 31},
         {{"label", "直线修正"}},
         true},
        {"MotionSyncB",
         [] { return new MotionSyncB; },
         {204, 31},
         {{"label", "motion sync"}},
         true},
        {"PieChartWidget", [] { return new PieChartWidget; }, {}, {}, false},
        {"MyProgressBar", [] { return new MyProgressBar; }, {}, {}, false},
        {"SensorLODB",
         [] { return new SensorLODB; },
         {338, 20},
         {{"label", " LOD"}, {"MM0", "0mm"}, {"MM1", "1mm"}, {"MM2", "2mm"}},
         true},
        {"StopCloseTimeB", [] { return new StopCloseTimeB; }, {277, 28}, {{"spinBoxA", "1"}}, true},
        {"DebouncetimeB", [] { return new DebouncetimeB; }, {280, 27}, {{"spinBoxA", "1"}}, true},
        {"DebouncetimeC",
         [] { return new DebouncetimeC; },
         {165, 37},
         {{"spinBoxA", "0"}, {"ReduceLevelA", "..."}},
         true},
        {"FindNewVer",
         [] { return new FindNewVer; },
         {300, 140},
         {{"label", "New firmware found, please upgrade!"},
          {"NewHong", "OK"},
          {"NoApear", "Do not show again"}},
         true},
        {"Progress",
         [] { return new Progress; },
         {300, 140},
         {{"label", "Upgrading, please wait: 1%"}, {"NewHong", "OK"}},
         true},
        {"SensorDPIB",
         [] { return new SensorDPIB; },
         {725, 444},
         {{"label", "DPI级数"}, {"MA", "DPI1"}, {"MH", "DPI8"}},
         true},
        {"SensorRateB",
         [] { return new SensorRateB; },
         {820, 38},
         {{"label", "回报率"}, {"Button125HZ", "125HZ"}, {"Button8000HZ", "8000HZ"}},
         true},
    };
}

// One user action on a control and the fields it must leave on the mouse.
struct WriteCase
{
    const char *name;
    std::function<QWidget *()> make;
    // Acts like the user; may read the block first to pick a changing value.
    std::function<void(QWidget *)> act;
    std::function<void(FlashDataMap &)> expect;
    // What the control shows after the action (also when the write failed),
    // given the block before it.
    std::function<bool(QWidget *, const FlashDataMap &)> shows;
};

template <typename W> W *as(QWidget *w)
{
    return static_cast<W *>(w);
}

// A switch shown with the device's state, then clicked: writes the opposite.
template <typename W, typename Ui>
WriteCase toggleCase(const char *name, QToolButton *Ui::*sw, uint8_t FlashDataMap::*field)
{
    return {name, [] { return new W; },
            [sw, field](QWidget *w) {
                W *t = as<W>(w);
                t->ShowState(mouseBlock().*field != 0);
                (t->ui->*sw)->click();
            },
            [field](FlashDataMap &m) { m.*field = m.*field ? 0 : 1; },
            [sw, field](QWidget *w, const FlashDataMap &before) {
                // The click's state stays whether or not the mouse took it.
                return (as<W>(w)->ui->*sw)->isChecked() == (before.*field == 0);
            }};
}

QList<WriteCase> writeCases()
{
    return {
        {"effect off", [] { return new SensorEffectB; },
         [](QWidget *w) { as<SensorEffectB>(w)->ui->MM3->click(); },
         [](FlashDataMap &m) { m.DpiLed.EffectOn = 0; },
         [](QWidget *w, const FlashDataMap &) {
             auto *ui = as<SensorEffectB>(w)->ui;
             return ui->MM3->isChecked() && !ui->line->isHidden() && !ui->line_2->isHidden() &&
                    ui->SpeedH->isHidden() && ui->LightH->isHidden();
         }},
        {"effect breathing", [] { return new SensorEffectB; },
         [](QWidget *w) { as<SensorEffectB>(w)->ui->MM2->click(); },
         [](FlashDataMap &m) {
             m.DpiLed.EffectOn = 1;
             m.DpiLed.EffectMode = 2;
         },
         [](QWidget *w, const FlashDataMap &) {
             auto *ui = as<SensorEffectB>(w)->ui;
             return ui->MM2->isChecked() && !ui->SpeedH->isHidden() && ui->LightH->isHidden() &&
                    ui->line->isHidden() && !ui->line_2->isHidden();
         }},
        {"effect brightness 7", [] { return new SensorEffectB; },
         [](QWidget *w) { release(as<SensorEffectB>(w)->ui->LightH, 7); },
         [](FlashDataMap &m) { m.DpiLed.EffectBrightness = 180; },
         [](QWidget *w, const FlashDataMap &) {
             return as<SensorEffectB>(w)->ui->LightSpinBox->value() == 7;
         }},
        {"effect speed 4", [] { return new SensorEffectB; },
         [](QWidget *w) { release(as<SensorEffectB>(w)->ui->SpeedH, 4); },
         [](FlashDataMap &m) { m.DpiLed.EffectSpeed = 4; },
         [](QWidget *w, const FlashDataMap &) {
             return as<SensorEffectB>(w)->ui->SpeedSpinBox->value() == 4;
         }},
        toggleCase<RippeControlB>("ripple", &Ui_RippeControlB::RippeControl_2,
                                  &FlashDataMap::RippleControlOn),
        toggleCase<StraightLineB>("straight line", &Ui_StraightLineB::StraightLine_2,
                                  &FlashDataMap::StraightLineOn),
        toggleCase<MotionSyncB>("motion sync", &Ui_MotionSyncB::MotionSync_2,
                                &FlashDataMap::MotionSyncOn),
        {"lift-off 0.7 mm", [] { return new SensorLODB; },
         [](QWidget *w) {
             as<SensorLODB>(w)->ShowThirdOption();
             as<SensorLODB>(w)->ui->MM0->click();
         },
         [](FlashDataMap &m) { m.LodCode = 3; },
         [](QWidget *w, const FlashDataMap &) { return as<SensorLODB>(w)->ui->MM0->isChecked(); }},
        {"lift-off 2 mm", [] { return new SensorLODB; },
         [](QWidget *w) { as<SensorLODB>(w)->ui->MM2->click(); },
         [](FlashDataMap &m) { m.LodCode = 2; },
         [](QWidget *w, const FlashDataMap &) { return as<SensorLODB>(w)->ui->MM2->isChecked(); }},
        {"sleep 30 seconds", [] { return new StopCloseTimeB; },
         [](QWidget *w) { release(as<StopCloseTimeB>(w)->ui->StopClose, 2); },
         [](FlashDataMap &m) { m.SleepTimeCode = 3; },
         [](QWidget *w, const FlashDataMap &) {
             return as<StopCloseTimeB>(w)->ui->spinBoxA->value() == 30;
         }},
        {"sleep 5 minutes", [] { return new StopCloseTimeB; },
         [](QWidget *w) { release(as<StopCloseTimeB>(w)->ui->StopClose, 4); },
         [](FlashDataMap &m) { m.SleepTimeCode = 30; },
         [](QWidget *w, const FlashDataMap &) {
             return as<StopCloseTimeB>(w)->ui->spinBoxA->value() == 5;
         }},
        {"sleep 40 minutes", [] { return new StopCloseTimeB; },
         [](QWidget *w) { release(as<StopCloseTimeB>(w)->ui->StopClose, 11); },
         [](FlashDataMap &m) { m.SleepTimeCode = 240; },
         [](QWidget *w, const FlashDataMap &) {
             return as<StopCloseTimeB>(w)->ui->spinBoxA->value() == 40;
         }},
        {"debounce slider 7", [] { return new DebouncetimeB; },
         [](QWidget *w) { release(as<DebouncetimeB>(w)->ui->Debunce, 7); },
         [](FlashDataMap &m) { m.DebounceMs = 7; },
         [](QWidget *w, const FlashDataMap &) {
             return as<DebouncetimeB>(w)->ui->spinBoxA->value() == 7;
         }},
        {"debounce plus", [] { return new DebouncetimeC; },
         [](QWidget *w) {
             as<DebouncetimeC>(w)->ShowDebounce(17);
             as<DebouncetimeC>(w)->ui->AddLevelA->click();
         },
         [](FlashDataMap &m) { m.DebounceMs = 18; },
         [](QWidget *w, const FlashDataMap &) {
             return as<DebouncetimeC>(w)->ui->spinBoxA->value() == 18;
         }},
        {"report rate 2000", [] { return new SensorRateB; },
         [](QWidget *w) { as<SensorRateB>(w)->RateBox(4)->click(); },
         [](FlashDataMap &m) { m.ReportRateCode = 0x10; },
         [](QWidget *w, const FlashDataMap &) {
             return as<SensorRateB>(w)->RateBox(4)->isChecked();
         }},
    };
}

enum class Mouse
{
    Answers,
    Silent,
    NoDeviceData
};

} // namespace

Q_DECLARE_METATYPE(Mouse)

class TstUnbuiltWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(UserFolder::makeFolders());
        LabelCatalogue::load();
    }
    void cleanup()
    {
        SimPlug(WiredMouse, true);
        DeviceDataReady = false;
        SensorPageFilling = false;
    }

    void builtAndShown_data();
    void builtAndShown();
    void controlWritesItsField_data();
    void controlWritesItsField();
    void hostOperationsWriteNothing();
    void debouncePlusMinusLimits_data();
    void debouncePlusMinusLimits();
    void reportRateTellsTheRateClass();
    void reportRateClasses_data();
    void reportRateClasses();
    void liftOffThirdOption();
    void sleepTimeUnitsAndDragging();
    void effectModeOutsideTheThreeWritesNothing();
};

void TstUnbuiltWidgets::builtAndShown_data()
{
    QTest::addColumn<int>("index");
    const QList<BuildCase> cases = buildCases();
    for (int i = 0; i < cases.size(); ++i)
        QTest::newRow(cases.at(i).name) << i;
}

void TstUnbuiltWidgets::builtAndShown()
{
    QFETCH(int, index);
    const BuildCase c = buildCases().at(index);
    std::unique_ptr<QWidget> w(c.make());
    QCOMPARE(w->metaObject()->className(), c.name);
    if (!c.size.isEmpty()) {
        QCOMPARE(w->objectName(), QString::fromLatin1(c.name));
        QCOMPARE(w->size(), c.size);
    }
    for (const auto &t : c.texts) {
        QObject *child = w->findChild<QObject *>(QString::fromLatin1(t.first));
        QVERIFY2(child, t.first);
        QCOMPARE(child->property("text").toString(), t.second);
    }
    QCOMPARE(missingPictures(w.get()), QStringList());
    QCOMPARE(pictureCount(w.get()) > 0, c.pictures);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(!w->grab().isNull());
}

void TstUnbuiltWidgets::controlWritesItsField_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Mouse>("mouse");
    const QList<WriteCase> cases = writeCases();
    for (int i = 0; i < cases.size(); ++i) {
        const QByteArray name = cases.at(i).name;
        QTest::newRow(name + ", mouse answers") << i << Mouse::Answers;
        QTest::newRow(name + ", mouse silent") << i << Mouse::Silent;
        QTest::newRow(name + ", no device data") << i << Mouse::NoDeviceData;
    }
}

void TstUnbuiltWidgets::controlWritesItsField()
{
    QFETCH(int, index);
    QFETCH(Mouse, mouse);
    const WriteCase c = writeCases().at(index);
    const FlashDataMap before = makeWiredCurrent();
    FlashDataMap expected = before;
    c.expect(expected);
    QVERIFY2(!sameBlock(before, expected), "the action must change the mouse");

    std::unique_ptr<QWidget> w(c.make());
    w->show();
    if (mouse == Mouse::Silent)
        QVERIFY(SimPlug(WiredMouse, false));
    DeviceDataReady = mouse != Mouse::NoDeviceData;
    QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
    c.act(w.get());
    SimPlug(WiredMouse, true);

    if (mouse == Mouse::Answers) {
        QCOMPARE(blocksSent(), 1);
        QVERIFY(sameBlock(expected, mouseBlock()));
        QCOMPARE(offline.count(), 0);
    } else {
        QCOMPARE(blocksSent(), 0);
        QVERIFY(sameBlock(before, mouseBlock()));
        QCOMPARE(offline.count(), mouse == Mouse::Silent ? 1 : 0);
        if (mouse == Mouse::Silent)
            QCOMPARE(offline.first().first().toInt(), 0);
    }
    // Nothing is put back: the control shows the user's choice either way.
    QVERIFY(c.shows(w.get(), before));
}

void TstUnbuiltWidgets::hostOperationsWriteNothing()
{
    makeWiredCurrent();
    SensorEffectB effect;
    effect.ShowEffectMode(2);
    QVERIFY(effect.ui->MM2->isChecked());
    QVERIFY(!effect.ui->SpeedH->isHidden());
    effect.ShowEffectMode(7); // changes nothing
    QVERIFY(effect.ui->MM2->isChecked());
    effect.SetModeItemText(0, "Off");
    QCOMPARE(effect.ui->MM3->text(), QString("Off"));
    RippeControlB ripple;
    ripple.ShowState(true);
    StraightLineB line;
    line.ShowState(true);
    MotionSyncB sync;
    sync.ShowState(true);
    sync.SetCaption("Motion sync");
    sync.SetCaptionTip("tip");
    QCOMPARE(sync.ui->label->toolTip(), QString("tip"));
    SensorLODB lod;
    lod.ShowLodChoice(1);
    StopCloseTimeB sleep;
    sleep.ShowSleepTimeIndex(2);
    DebouncetimeB slider;
    slider.ShowDebounce(9);
    QCOMPARE(slider.ui->Debunce->value(), 9);
    DebouncetimeC buttons;
    buttons.ShowDebounce(9);
    buttons.SetSuffixText(3, "ms");
    QCOMPARE(buttons.ui->spinBoxA->text(), QString("9ms"));
    SensorRateB rate;
    rate.ShowRateChecked(4);
    QVERIFY(rate.RateBox(4)->isChecked());
    QCOMPARE(blocksSent(), 0);
}

void TstUnbuiltWidgets::debouncePlusMinusLimits_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("written"); // -1: nothing sent
    QTest::newRow("plus at 20") << 20 << true << 20 << -1;
    QTest::newRow("minus at 1") << 1 << false << 1 << -1;
    QTest::newRow("minus at 0 writes 0") << 0 << false << 0 << 0;
    QTest::newRow("plus at 0") << 0 << true << 1 << 1;
    QTest::newRow("minus at 20") << 20 << false << 19 << 19;
}

void TstUnbuiltWidgets::debouncePlusMinusLimits()
{
    QFETCH(int, start);
    QFETCH(bool, plus);
    QFETCH(int, shown);
    QFETCH(int, written);
    makeWiredCurrent();
    DebouncetimeC w;
    w.ShowDebounce(start);
    (plus ? w.ui->AddLevelA : w.ui->ReduceLevelA)->click();
    QCOMPARE(w.ui->spinBoxA->value(), shown);
    QCOMPARE(blocksSent(), written < 0 ? 0 : 1);
    if (written >= 0)
        QCOMPARE(int(mouseBlock().DebounceMs), written);
}

void TstUnbuiltWidgets::reportRateTellsTheRateClass()
{
    makeWiredCurrent();
    SensorRateB w;
    QSignalSpy hide(PostMsg::GetInstance(), &PostMsg::SigHideModel);
    w.RateBox(4)->click();
    w.RateBox(2)->click();
    w.RateBox(2)->click(); // already checked: stays, written again
    QCOMPARE(int(mouseBlock().ReportRateCode), 2);
    QCOMPARE(blocksSent(), 3);
    QCOMPARE(hide.count(), 3);
    QCOMPARE(hide.at(0).first().toInt(), 1);
    QCOMPARE(hide.at(1).first().toInt(), 0);
    w.RateBox(6)->click();
    int checked = 0;
    for (int i = 0; i < SensorRateB::RateCount; ++i)
        checked += w.RateBox(i)->isChecked() ? 1 : 0;
    QCOMPARE(checked, 1);
    QVERIFY(w.RateBox(6)->isChecked());

    // Refused: the box stays checked, no rate class is announced.
    hide.clear();
    QVERIFY(SimPlug(WiredMouse, false));
    w.RateBox(0)->click();
    QVERIFY(w.RateBox(0)->isChecked());
    QCOMPARE(hide.count(), 0);
    w.ShowRateChecked(7);
    QVERIFY(w.RateBox(0)->isChecked());
}

void TstUnbuiltWidgets::reportRateClasses_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<bool>>("shown"); // 2000, 4000, 8000 Hz
    QTest::newRow("1000 Hz") << 0 << QList<bool>{false, false, false};
    QTest::newRow("4000 Hz") << 1 << QList<bool>{true, true, false};
    QTest::newRow("2000 Hz") << 2 << QList<bool>{true, false, false};
    QTest::newRow("8000 Hz") << 3 << QList<bool>{true, true, true};
    QTest::newRow("other: unchanged") << 5 << QList<bool>{true, false, false};
}

void TstUnbuiltWidgets::reportRateClasses()
{
    QFETCH(int, type);
    QFETCH(QList<bool>, shown);
    SensorRateB w;
    w.ShowRateChecked(5);
    w.ShowRateClass(2);
    w.ShowRateClass(type);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(!w.RateBox(4 + i)->isHidden(), shown.at(i));
    for (int i = 0; i < 4; ++i)
        QVERIFY(!w.RateBox(i)->isHidden());
    QVERIFY(w.RateBox(5)->isChecked()); // a hidden box keeps its check
}

void TstUnbuiltWidgets::liftOffThirdOption()
{
    SensorLODB w;
    w.show();
    w.ShowLodChoice(0);
    w.ShowLodChoice(2); // the third option is hidden: nothing changes
    QVERIFY(w.ui->MM1->isChecked());
    QVERIFY(!w.ui->MM0->isChecked());
    w.ShowThirdOption();
    QCOMPARE(w.ui->MM1->pos(), QPoint(165, 0));
    w.ShowLodChoice(2);
    QVERIFY(w.ui->MM0->isChecked());
    w.HideThirdOption();
    QVERIFY(w.ui->MM0->isChecked());
    QVERIFY(!w.ui->MM1->isChecked() && !w.ui->MM2->isChecked());
    QCOMPARE(w.ui->MM1->pos(), QPoint(80, 0));
    QCOMPARE(w.ui->MM2->pos(), QPoint(165, 0));
    w.EnableChoices(false);
    QVERIFY(!w.ui->MM1->isEnabled() && !w.ui->MM2->isEnabled());
    QVERIFY(w.ui->MM0->isEnabled());
    w.SetCaption("Lift-off");
    QCOMPARE(w.ui->label->text(), QString("Lift-off"));
}

void TstUnbuiltWidgets::sleepTimeUnitsAndDragging()
{
    makeWiredCurrent();
    StopCloseTimeB w;
    QCOMPARE(w.ui->spinBoxA->text(), QString("1")); // no unit before SetUnitText
    w.SetUnitText(0, "10 s");
    w.SetUnitText(5, "15 min");
    w.SetUnitText(3, "ignored");
    QCOMPARE(w.SecondsUnit, QString(" s"));
    QCOMPARE(w.MinutesUnit, QString(" min"));
    w.SetUnitText(5, " minutes");
    QCOMPARE(w.MinutesUnit, QString(" minutes"));
    w.ShowSleepTimeIndex(2);
    QCOMPARE(w.ui->StopClose->value(), 3);
    QCOMPARE(w.ui->spinBoxA->text(), QString("1 minutes"));
    w.ShowSleepTimeIndex(1);
    QCOMPARE(w.ui->spinBoxA->text(), QString("30 s"));

    w.ui->StopClose->setSliderDown(true);
    w.ui->StopClose->setSliderPosition(7);
    QCOMPARE(w.ui->spinBoxA->text(), QString("20 minutes"));
    QCOMPARE(blocksSent(), 0);
    // The light page filling itself holds the write back.
    LightPageFilling = true;
    w.ui->StopClose->setSliderDown(false);
    LightPageFilling = false;
    QCOMPARE(blocksSent(), 0);
    QCOMPARE(StopCloseTimeB::ShownNumber(12), 0);
}

void TstUnbuiltWidgets::effectModeOutsideTheThreeWritesNothing()
{
    makeWiredCurrent();
    SensorEffectB w;
    QVERIFY(QMetaObject::invokeMethod(&w, "on_Model_currentIndexChanged", Q_ARG(int, 5)));
    QVERIFY(QMetaObject::invokeMethod(&w, "on_Model_currentIndexChanged", Q_ARG(int, -1)));
    QCOMPARE(blocksSent(), 0);
    QVERIFY(QMetaObject::invokeMethod(&w, "on_Model_currentIndexChanged", Q_ARG(int, 1)));
    QCOMPARE(blocksSent(), 1);
    QCOMPARE(int(mouseBlock().DpiLed.EffectMode), 1);
}

QTEST_MAIN(TstUnbuiltWidgets)
#include "tst_unbuiltwidgets.moc"
