// The sensor and advanced pages on the simulated wireless mouse (catalogue
// group Drive1, sensor 3950, 4K receiver): the fill after a read, every
// control's write reaching the mouse, each control put back when the mouse
// does not answer or refuses, and device data shown without a write.
#include "app/PreVier.h"
#include "common/FontScaling.h"
#include "common/LabelCatalogue.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
#include "hub/PostMsg.h"
#include "model/SensorConstants.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "ui_Advanced.h"
#include "ui_AngleMove.h"
#include "ui_KFPS20.h"
#include "ui_LongMode.h"
#include "ui_RippeControl.h"
#include "ui_Sensor.h"
#include "ui_SensorDPI.h"
#include "ui_SensorLOD.h"
#include "ui_SensorRate.h"
#include "ui_StopCloseTime.h"
#include "ui_StraightLine.h"

#include "../support/DeviceFixture.h"
#include "../support/NoticeReader.h"
#include "SensorControls.h"

#include <QColorDialog>
#include <QSignalSpy>
#include <QtTest>

namespace {

const int Mouse = 0; // the 4K receiver with its wireless mouse

using DeviceFixture::WaitIdle;

FlashDataMap MouseBlock()
{
    return DeviceFixture::MouseBlock(Mouse);
}

enum Fault
{
    Offline,
    Refusing,
    ReadUnderWay,
    NotReadYet // online, its block not read from it yet
};

constexpr auto countCallsTo = &DeviceFixture::CountCalls;

// Counts the events of one type that reach the watched object.
class EventCounter : public QObject
{
public:
    explicit EventCounter(QEvent::Type type) : Type(type) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == Type)
            ++Count;
        return false;
    }
    QEvent::Type Type;
    int Count = 0;
};

} // namespace

class TstSensorPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fillsFromRead();
    void controlReachesMouse_data();
    void controlReachesMouse();
    void controlPutBack_data();
    void controlPutBack();
    void putBackToLastAccepted();
    void refusedSwatchChangesNothing_data();
    void refusedSwatchChangesNothing();
    void cancelledColourDialog();
    void colourDialogBuiltWhenFirstOpened();
    void deviceDataWritesNothing();
    void countShrinkKeepsCurrentLevel();
    void markerDragSelectsLevel_data();
    void markerDragSelectsLevel();
    void defaultsWithoutDeviceData();
    void levelChangedOnMouse();
    void wiredMouseFill();
    void blockOutsideTheRow();
    void changeEventsReachTheBase();

private:
    void ReadFromMouse();
    void Act(int control) { Controls.Act(control); }
    int MouseValue(int control, const FlashDataMap &m) const
    {
        return Controls.MouseValue(control, m);
    }
    int ShownValue(int control) const { return Controls.ShownValue(control); }
    // The summary panel shows the mouse's DPI, report rate and lift-off.
    void CheckSummary(const FlashDataMap &m) const;
    QStringList LevelTexts() const;

    SensorControls Controls;
    QWidget *window = nullptr;
    PreVier *summary = nullptr;
    Sensor *sensor = nullptr;
    Advanced *advanced = nullptr;
    QByteArray path;
};

void TstSensorPage::initTestCase()
{
    SensorLabels[0]["DPISetting"] = "DPI";
    SensorLabels[0]["ReportRate"] = "Polling rate";
    AdvancedSettingsLabels[0]["SleepTime"] = "Sleep";
    // Nothing of the sensor page reads or writes a Level.ini: a broken one
    // left by another program stays as it is.
    const QString levelIni = UserFolder::filePath("usersetting/SensorPage/Level.ini");
    QVERIFY(QDir().mkpath(QFileInfo(levelIni).path()));
    QFile broken(levelIni);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\xff\xfe not a number\n");
    broken.close();

    window = new QWidget;
    summary = new PreVier(window);
    sensor = new Sensor(window);
    advanced = new Advanced(window);
    Controls.sensor = sensor;
    Controls.advanced = advanced;
    Controls.Device = Mouse;
    QCOMPARE(sensor->Switches.Ripple, QString("3950,3327"));

    SimReset(true);
    path = DeviceFixture::MakeCurrentDevice(Mouse, false, 1);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    ReadFromMouse();

    QFile again(levelIni);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("\xff\xfe not a number\n"));
}

void TstSensorPage::cleanupTestCase()
{
    UsbServer_Exit();
    delete window;
}

void TstSensorPage::ReadFromMouse()
{
    QVERIFY(WaitIdle());
    SensorPageUpdated = false;
    QVERIFY(UsbServer_ReadAllFlashData());
    QTRY_VERIFY_WITH_TIMEOUT(SensorPageUpdated, 5000);
    QVERIFY(WaitIdle());
}

void TstSensorPage::fillsFromRead()
{
    QSignalSpy dpiSpy(PostMsg::GetInstance(), SIGNAL(SigAddSensor(int)));
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    const QStringList values = {"400", "800", "1600", "3200", "6400", "12800", "20000", "26000"};
    for (int level = 0; level < 8; ++level) {
        QCOMPARE(dpi->LevelButton(level)->text(), values.at(level));
        QVERIFY(dpi->LevelButton(level)->isVisibleTo(window));
    }
    QCOMPARE(dpi->LevelColor(0), QString("255,64,64"));
    QVERIFY(dpi->LevelButton(1)->isChecked());
    QCOMPARE(dpi->ui->spinBoxA->value(), 800);
    QCOMPARE(dpi->ui->horizontalSliderC->value(), 800);
    QCOMPARE(dpi->ui->horizontalSliderC->maximum(), 30000);
    QCOMPARE(dpi->ui->ChooseEvent->currentText(), QString("8"));
    QVERIFY(!dpiSpy.isEmpty());
    QCOMPARE(dpiSpy.last().at(0).toInt(), 800);
    QCOMPARE(dpi->ui->label->text(), QString("DPI"));

    SensorRate *rate = sensor->ui->frameRate;
    QVERIFY(rate->ui->Button1000HZ->isChecked());
    QVERIFY(rate->ui->Button4000HZ->isVisibleTo(window));
    QVERIFY(!rate->ui->Button8000HZ->isVisibleTo(window));
    QCOMPARE(sensor->ui->frameLOD->ui->LOD->count(), 3);
    QCOMPARE(sensor->ui->frameLOD->ui->LOD->currentText(), QString("1mm"));
    QVERIFY(sensor->ui->frameLOD->ui->LOD->isEnabled());
    QVERIFY(sensor->ui->ModelChoose->isEnabled());
    QVERIFY(sensor->ui->frame->isVisibleTo(window));
    QVERIFY(!sensor->ui->frame_3->isVisibleTo(window));
    QVERIFY(!SensorPageFilling);

    QCOMPARE(advanced->ui->frameClose->ui->StopClose->currentIndex(), 2);
    QVERIFY(advanced->LongRangeIsShown());
    QVERIFY(advanced->ui->FrameLongMode->isVisibleTo(window));
    QCOMPARE(advanced->ui->FrameLongMode->pos(), QPoint(0, 160));
    QVERIFY(!advanced->ui->FrameFPS->isVisibleTo(window));
    QCOMPARE(advanced->ui->label->text(), QString("Sleep"));
}

void TstSensorPage::CheckSummary(const FlashDataMap &m) const
{
    const auto text = [this](const char *name) {
        return DeviceFixture::FindChildOrFail<QLabel>(summary, name)->text();
    };
    const DpiLevel &level = m.DpiLevels[m.CurrentDpiLevel & 7];
    QCOMPARE(text("DpiValue"), QString::number(DecodeDpiLevel(level.XCode, level.Flags)));
    QCOMPARE(text("ReportValue"),
             QString::number(SensorRate::RateOfIndex(SensorRate::IndexOfCode(m.ReportRateCode))) +
                 "Hz");
    static const char *const Lods[3] = {"1mm", "2mm", "0.7mm"};
    QCOMPARE(text("LodValue"), QString(Lods[(m.LodCode - 1) % 3]));
}

QStringList TstSensorPage::LevelTexts() const
{
    QStringList texts;
    for (int level = 0; level < 8; ++level)
        texts << sensor->ui->frameDpi->LevelButton(level)->text() + "/" +
                     sensor->ui->frameDpi->LevelColor(level);
    return texts;
}

void TstSensorPage::controlReachesMouse_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("mouseValue");
    QTest::addColumn<int>("shown");
    QTest::newRow("report rate 500 Hz") << int(Rate500) << 2 << 21;
    QTest::newRow("lift-off 2 mm") << int(Lod2mm) << 2 << 2;
    QTest::newRow("ripple control") << int(RippleOn) << 1 << 1;
    QTest::newRow("angle snapping") << int(AngleSnapOn) << 1 << 1;
    QTest::newRow("DPI level 3") << int(Level3) << 3 << 3;
    QTest::newRow("plus: 800 to 850 DPI") << int(PlusStep) << 16 << 850;
    QTest::newRow("minus: 800 to 750 DPI") << int(MinusStep) << 750 << 750;
    QTest::newRow("slider: 800 to 1100 DPI") << int(Slider1100) << 1100 << 1100;
    QTest::newRow("marker one level right") << int(MarkerRight) << 2 << 2;
    QTest::newRow("sleep 5 minutes") << int(Sleep5Minutes) << 30 << 5;
    QTest::newRow("performance mode") << int(PerformanceOn) << 1 << 1;
    QTest::newRow("performance time") << int(PerformanceTime) << 30 << 5;
    QTest::newRow("sensor mode HP") << int(ModeHP) << 1 << 1;
    QTest::newRow("level 2 black") << int(BlackLevel2) << 0 << 1;
    QTest::newRow("sensor angle 10 degrees") << int(Angle10) << 10 << 10;
    QTest::newRow("20K FPS") << int(Fps20KOn) << 1 << 1;
    QTest::newRow("four levels") << int(CountFour) << 41 << 41;
    QTest::newRow("one level: the current one moves first") << int(CountOneSwap) << 10 << 10;
    QTest::newRow("long range off") << int(LongRangeOff) << 0 << 0;
}

void TstSensorPage::controlReachesMouse()
{
    QFETCH(int, control);
    QFETCH(int, mouseValue);
    QFETCH(int, shown);
    ReadFromMouse();
    // Each row changes what the mouse holds.
    QVERIFY(MouseValue(control, MouseBlock()) != mouseValue);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    Act(control);
    const FlashDataMap mouse = MouseBlock();
    QCOMPARE(MouseValue(control, mouse), mouseValue);
    QCOMPARE(ShownValue(control), shown);
    CheckSummary(mouse);
    QVERIFY(offline.isEmpty());
    // Back to the factory settings for the next row.
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstSensorPage::controlPutBack_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("fault");
    const QList<QPair<const char *, int>> controls = {{"report rate", Rate500},
                                                      {"lift-off", Lod2mm},
                                                      {"ripple control", RippleOn},
                                                      {"angle snapping", AngleSnapOn},
                                                      {"DPI level", Level3},
                                                      {"plus", PlusStep},
                                                      {"minus", MinusStep},
                                                      {"slider", Slider1100},
                                                      {"marker drop", MarkerRight},
                                                      {"sleep time", Sleep5Minutes},
                                                      {"performance mode", PerformanceOn},
                                                      {"performance time", PerformanceTime},
                                                      {"sensor mode", ModeHP},
                                                      {"long range", LongRangeOff},
                                                      {"level colour", BlackLevel2},
                                                      {"sensor angle", Angle10},
                                                      {"20K FPS", Fps20KOn},
                                                      {"level count", CountFour},
                                                      {"level count with a swap", CountOneSwap}};
    for (const auto &c : controls) {
        QTest::newRow(qPrintable(QString(c.first) + ", offline")) << c.second << int(Offline);
        QTest::newRow(qPrintable(QString(c.first) + ", refusing")) << c.second << int(Refusing);
        QTest::newRow(qPrintable(QString(c.first) + ", read under way"))
            << c.second << int(ReadUnderWay);
        // Long range lives in the receiver, not in the block: it needs no read.
        if (c.second != LongRangeOff)
            QTest::newRow(qPrintable(QString(c.first) + ", block not read yet"))
                << c.second << int(NotReadYet);
    }
}

void TstSensorPage::controlPutBack()
{
    QFETCH(int, control);
    QFETCH(int, fault);
    ReadFromMouse();
    const FlashDataMap before = MouseBlock();
    const int shownBefore = ShownValue(control);
    const QStringList levelsBefore = LevelTexts();
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    const auto look = [this, control] {
        return QString::number(ShownValue(control)) + QLatin1Char('|') +
               LevelTexts().join(QLatin1Char(','));
    };
    const QString lookBefore = look();
    NoticeReader reader(window, look);
    Controls.BeforeChange = [fault, control] {
        if (fault == Offline)
            QVERIFY(SimSetMouseOnline(Mouse, false));
        else if (fault == ReadUnderWay)
            ParamUpdateRunning = true;
        else if (fault == NotReadYet)
            QVERIFY(ClearFlashDataOwner());
        else if (control == LongRangeOff)
            SimRefuseNextCall("UsbFinderC_SetLongRangeMode");
        else
            SimRefuseNextCall("ProtocolDataUpdate");
    };
    SimClearCallLog();
    Act(control);
    Controls.BeforeChange = nullptr;
    ParamUpdateRunning = false;
    QVERIFY(WaitIdle());
    if (fault == NotReadYet) {
        // Nothing sent, the control back before the read fills it again.
        QCOMPARE(countCallsTo("ProtocolDataUpdate"), 0);
        QCOMPARE(ShownValue(control), shownBefore);
        ReadFromMouse();
    }
    QVERIFY(SimSetMouseOnline(Mouse, true));
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    SimRefuseNextCall("UsbFinderC_SetLongRangeMode", 0);
    const FlashDataMap mouse = MouseBlock();
    // Control, mouse and summary agree on what the mouse held, with one
    // notice of a refusal; a change while the read is under way was never
    // sent, and the read fills the control.
    QCOMPARE(ShownValue(control), shownBefore);
    QCOMPARE(MouseValue(control, mouse), MouseValue(control, before));
    QCOMPARE(LevelTexts(), levelsBefore);
    CheckSummary(mouse);
    if (fault == ReadUnderWay) {
        QVERIFY(offline.isEmpty());
        QVERIFY(reader.seen.isEmpty());
    } else {
        QCOMPARE(offline.count(), 1);
        const int expected = fault == Refusing     ? MouseNoticeRefused
                             : fault == NotReadYet ? MouseNoticeStillReading
                                                   : MouseNoticeOffline;
        QCOMPARE(offline.first().at(0).toInt(), expected);
        // The notice comes up beside the control as the mouse holds it.
        QTRY_COMPARE(reader.seen.size(), 1);
        QCOMPARE(reader.seen.first().kind, expected);
        QCOMPARE(reader.seen.first().look, lookBefore);
    }
    // Nothing stays locked until the next read.
    QVERIFY(sensor->ui->frameDpi->ui->horizontalSliderC->isEnabled());
    QVERIFY(!sensor->ui->frameDpi->ui->horizontalSliderC->signalsBlocked());
    QVERIFY(advanced->ui->FrameAngle->ui->AngleSet->isEnabled());
}

void TstSensorPage::putBackToLastAccepted()
{
    // A refusal after an accepted change goes back to the accepted value.
    ReadFromMouse();
    QComboBox *time = sensor->ui->PerformanceOpen;
    time->setCurrentIndex(5);
    QCOMPARE(int(MouseBlock().PerformanceTimeCode), 30);
    QVERIFY(SimSetMouseOnline(Mouse, false));
    time->setCurrentIndex(6);
    QVERIFY(SimSetMouseOnline(Mouse, true));
    QCOMPARE(time->currentIndex(), 5);
    QCOMPARE(int(MouseBlock().PerformanceTimeCode), 30);
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstSensorPage::refusedSwatchChangesNothing_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("offline") << int(Offline);
    QTest::newRow("refusing") << int(Refusing);
}

void TstSensorPage::refusedSwatchChangesNothing()
{
    QFETCH(int, fault);
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    QCOMPARE(dpi->CurrentLevelValue(), 1);
    const auto looks = [dpi] {
        QStringList all;
        for (int i = 0; i < 8; ++i) {
            const QRect r = dpi->Swatch(i)->geometry();
            all << QString("%1 %2 %3,%4,%5,%6 ")
                           .arg(dpi->Swatch(i)->isChecked())
                           .arg(dpi->LevelButton(i)->isChecked())
                           .arg(r.x())
                           .arg(r.y())
                           .arg(r.width())
                           .arg(r.height()) +
                       dpi->Swatch(i)->styleSheet() + dpi->LevelButton(i)->styleSheet();
        }
        return all;
    };
    const QStringList before = looks();
    const int value = dpi->ui->spinBoxA->value();
    QCOMPARE(dpi->ui->horizontalSliderC->value(), value);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    if (fault == Offline)
        QVERIFY(SimSetMouseOnline(Mouse, false));
    else
        SimRefuseNextCall("ProtocolDataUpdate");
    dpi->Swatch(3)->click();
    // No colour dialog for a level the mouse did not take.
    QVERIFY(!dpi->ColourDialog()->isVisible());
    QVERIFY(SimSetMouseOnline(Mouse, true));
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    const FlashDataMap mouse = MouseBlock();
    QCOMPARE(int(mouse.CurrentDpiLevel), 1);
    QCOMPARE(dpi->CurrentLevelValue(), 1);
    QCOMPARE(looks(), before);
    QCOMPARE(dpi->ui->spinBoxA->value(), value);
    QCOMPARE(dpi->ui->horizontalSliderC->value(), value);
    CheckSummary(mouse);
    QCOMPARE(offline.count(), 1);
}

void TstSensorPage::cancelledColourDialog()
{
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    QCOMPARE(dpi->CurrentLevelValue(), 1);
    const FlashDataMap before = MouseBlock();
    const QString colour1 = dpi->LevelColor(1);
    const QString colour3 = dpi->LevelColor(3);
    SimClearCallLog();

    // The current level's swatch: a cancelled dialog writes nothing.
    dpi->Swatch(1)->click();
    QVERIFY(dpi->ColourDialog()->isVisible());
    dpi->ColourDialog()->setCurrentColor(QColor(1, 2, 3));
    dpi->ColourDialog()->reject();
    QVERIFY(WaitIdle());
    QCOMPARE(countCallsTo("ProtocolDataUpdate"), 0);
    QVERIFY(DeviceFixture::SameBlock(MouseBlock(), before));
    QCOMPARE(dpi->LevelColor(1), colour1);

    // Another level's swatch selects that level first, as its level button
    // does; cancelling the dialog then keeps that level and every colour.
    dpi->Swatch(3)->click();
    QVERIFY(dpi->ColourDialog()->isVisible());
    dpi->ColourDialog()->reject();
    const FlashDataMap after = MouseBlock();
    QCOMPARE(int(after.CurrentDpiLevel), 3);
    QCOMPARE(dpi->CurrentLevelValue(), 3);
    QCOMPARE(dpi->LevelColor(3), colour3);
    QCOMPARE(
        QByteArray(reinterpret_cast<const char *>(after.DpiLevels), sizeof(after.DpiLevels)),
        QByteArray(reinterpret_cast<const char *>(before.DpiLevels), sizeof(before.DpiLevels)));
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

// A page is built without its colour dialog; the first swatch that asks
// for one builds it, with the fonts the start gives every widget it builds,
// and keeps it.
void TstSensorPage::colourDialogBuiltWhenFirstOpened()
{
    SensorDPI page;
    QVERIFY(!page.findChild<QColorDialog *>());
    QColorDialog *dialog = page.ColourDialog();
    QVERIFY(dialog);
    QCOMPARE(page.ColourDialog(), dialog);
    QCOMPARE(page.findChildren<QColorDialog *>().size(), 1);
    QCOMPARE(dialog->font().pointSizeF(),
             QApplication::font(dialog).pointSizeF() * FontScaleFactor());
}

void TstSensorPage::deviceDataWritesNothing()
{
    // Every control changes with what the device reports, the mouse asleep
    // or awake: nothing is written back and no notice comes up.
    ReadFromMouse();
    PostMsg *hub = PostMsg::GetInstance();
    const bool longRange = SimLongRange(Mouse);
    FlashDataMap block = MouseBlock();
    block.ReportRateCode = 2;
    block.LodCode = 2;
    block.RippleControlOn = 1;
    block.StraightLineOn = 1;
    block.MotionSyncOn = block.MotionSyncOn ? 0 : 1;
    block.PerformanceOn = 1;
    block.PerformanceTimeCode = 30;
    block.SensorModeIndex = 1;
    block.SleepTimeCode = 30;
    block.AngleDegrees = -20;
    block.Scan20KOn = 1;
    block.DpiLevelCount = 4;
    block.CurrentDpiLevel = 3;
    for (bool asleep : {false, true}) {
        QVERIFY(SimSetMouseOnline(Mouse, !asleep));
        QSignalSpy offline(hub, SIGNAL(SigMouseOffLineo(int)));
        SimClearCallLog();
        DeviceFixture::EmitFromThread([&] { emit hub->SigUpDataLightSensor(block); });
        Ui::Sensor *ui = sensor->ui;
        QVERIFY(ui->frameRate->ui->Button500HZ->isChecked());
        QCOMPARE(ui->frameLOD->ui->LOD->currentText(), QString("2mm"));
        QVERIFY(ui->frame->ui->RippeControl_2->isChecked());
        QVERIFY(ui->frame_4->ui->StraightLine_2->isChecked());
        QVERIFY(ui->Performance->isChecked());
        QCOMPARE(ui->PerformanceOpen->currentIndex(), 5);
        QCOMPARE(ui->ModelChoose->currentIndex(), 1);
        QCOMPARE(ui->frameDpi->ui->ChooseEvent->currentIndex(), 3);
        QVERIFY(ui->frameDpi->LevelButton(3)->isChecked());
        QCOMPARE(advanced->ui->frameClose->ui->StopClose->currentIndex(), 5);
        QCOMPARE(advanced->ui->FrameAngle->ui->AngleSet->value(), -20);
        QVERIFY(advanced->ui->FrameFPS->ui->KFPS->isChecked());
        // A rate too high for the sensor modes shows the cable's mode; back
        // at 1000 Hz the box shows the block's mode again.
        DeviceFixture::EmitFromThread([&] { emit hub->SigUpDataReportRate(0x20); });
        QCOMPARE(ui->ModelChoose->currentIndex(), 2);
        QVERIFY(ui->frameRate->ui->Button4000HZ->isChecked());
        DeviceFixture::EmitFromThread([&] { emit hub->SigUpDataReportRate(0x01); });
        QVERIFY(ui->frameRate->ui->Button1000HZ->isChecked());
        QCOMPARE(ui->ModelChoose->currentIndex(), int(FlashDataSnapshot().SensorModeIndex));
        DeviceFixture::EmitFromThread([&] { emit hub->SigUpDataDPI(2); });
        QVERIFY(ui->frameDpi->LevelButton(2)->isChecked());
        QCOMPARE(ui->frameDpi->CurrentLevelValue(), 2);
        DeviceFixture::EmitFromThread([&] { emit hub->SigLongRangeMode(!longRange); });
        QCOMPARE(advanced->ui->FrameLongMode->ui->checkBox->isChecked(), !longRange);
        DeviceFixture::EmitFromThread([&] { emit hub->SigLongRangeMode(longRange); });
        QCOMPARE(advanced->ui->FrameLongMode->ui->checkBox->isChecked(), longRange);
        QVERIFY(WaitIdle());
        QCOMPARE(countCallsTo("ProtocolDataUpdate"), 0);
        QCOMPARE(countCallsTo("UsbFinderC_SetLongRangeMode"), 0);
        QVERIFY(offline.isEmpty());
    }
    QVERIFY(SimSetMouseOnline(Mouse, true));
    // The mouse's own settings come back with the next read.
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    ReadFromMouse();
}

void TstSensorPage::countShrinkKeepsCurrentLevel()
{
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    dpi->LevelButton(6)->click();
    const FlashDataMap before = MouseBlock();
    QCOMPARE(int(before.CurrentDpiLevel), 6);
    dpi->ui->ChooseEvent->setCurrentIndex(3);
    const FlashDataMap after = MouseBlock();
    QCOMPARE(int(after.CurrentDpiLevel), 3);
    QCOMPARE(int(after.DpiLevelCount), 4);
    QCOMPARE(memcmp(&after.DpiLevels[3], &before.DpiLevels[6], 6), 0);
    QCOMPARE(memcmp(&after.DpiLevels[6], &before.DpiLevels[3], 6), 0);
    QCOMPARE(dpi->LevelButton(3)->text(), QString("20000"));
    QCOMPARE(dpi->LevelButton(6)->text(), QString("3200"));
    QVERIFY(dpi->LevelButton(3)->isChecked());
    QVERIFY(!dpi->LevelButton(4)->isVisibleTo(window));
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstSensorPage::markerDragSelectsLevel_data()
{
    QTest::addColumn<int>("dropX"); // the marker of level 1 stands at x 118
    QTest::addColumn<int>("level");
    QTest::newRow("one level right") << 133 + 91 << 2;
    QTest::newRow("band edge d = 129") << 118 + 129 << 2;
    QTest::newRow("between bands d = 130") << 118 + 130 << 1;
    QTest::newRow("one level left") << 133 - 91 << 0;
    QTest::newRow("seven levels right: past the last level") << 118 + 600 << 1;
}

void TstSensorPage::markerDragSelectsLevel()
{
    QFETCH(int, dropX);
    QFETCH(int, level);
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    QLabel *marker = dpi->ui->label_8;
    QCOMPARE(marker->pos(), QPoint(118, 154));
    const QPoint grab(133, 169);
    QMouseEvent press(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(dpi, &press);
    const QPoint drop(dropX, 169);
    QMouseEvent move(QEvent::MouseMove, drop, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dpi, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, drop, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(dpi, &release);
    QCOMPARE(int(MouseBlock().CurrentDpiLevel), level);
    QVERIFY(dpi->LevelButton(level)->isChecked());
    QCOMPARE(dpi->CurrentLevelValue(), level);
}

void TstSensorPage::defaultsWithoutDeviceData()
{
    SimClearCallLog();
    QMetaObject::invokeMethod(sensor, "SlotFormReset", Qt::DirectConnection);
    QMetaObject::invokeMethod(advanced, "SlotFormReset", Qt::DirectConnection);
    SensorDPI *dpi = sensor->ui->frameDpi;
    QCOMPARE(dpi->ui->ChooseEvent->count(), 6);
    QCOMPARE(dpi->ui->ChooseEvent->currentIndex(), 5);
    QVERIFY(dpi->LevelButton(1)->isChecked());
    QCOMPARE(dpi->LevelButton(0)->text(), QString("400"));
    QCOMPARE(dpi->ui->horizontalSliderC->maximum(), 12000);
    // Level buttons, number box, slider and summary panel show one DPI: the
    // selected level's.
    QCOMPARE(dpi->LevelButton(1)->text(), QString("800"));
    QCOMPARE(dpi->ui->spinBoxA->value(), 800);
    QCOMPARE(dpi->ui->horizontalSliderC->value(), 800);
    QCOMPARE(DeviceFixture::FindChildOrFail<QLabel>(summary, "DpiValue")->text(), QString("800"));
    QVERIFY(sensor->ui->frameRate->ui->Button1000HZ->isChecked());
    QVERIFY(!sensor->ui->Performance->isChecked());
    QCOMPARE(advanced->ui->frameClose->ui->StopClose->currentIndex(), 2);
    QVERIFY(!SensorPageFilling);
    QCOMPARE(countCallsTo("ProtocolDataUpdate"), 0);
}

void TstSensorPage::levelChangedOnMouse()
{
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
    ReadFromMouse();
    QSignalSpy dpiSpy(PostMsg::GetInstance(), SIGNAL(SigAddSensor(int)));
    SimClearCallLog();
    QVERIFY(SimPressDpiButton(Mouse));
    QVERIFY(WaitIdle());
    SensorDPI *dpi = sensor->ui->frameDpi;
    const int level = MouseBlock().CurrentDpiLevel;
    QVERIFY(level != 1);
    QTRY_VERIFY(dpi->LevelButton(level)->isChecked());
    QCOMPARE(dpi->CurrentLevelValue(), level);
    QVERIFY(DeviceDataReady);
    QVERIFY(!dpiSpy.isEmpty());
    QCOMPARE(dpiSpy.last().at(0).toInt(), dpi->LevelButton(level)->text().toInt());
    // Showing the mouse's own choice writes nothing back but what the device
    // link itself sends.
    QCOMPARE(int(MouseBlock().CurrentDpiLevel), level);
}

void TstSensorPage::wiredMouseFill()
{
    // Drive2: sensor 3327 with its table in driver_sensor.h, six levels,
    // no sensor-mode choice, no 0.7 mm.
    UsbServer_Exit();
    const QByteArray wiredPath(SimDevicePath(1));
    SetCurrentDevicePath(wiredPath);
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(wiredPath);
    info.DriveIndex = 1;
    info.ReceiverType = 2;
    info.Wired = true;
    info.Online = true;
    info.CidMid = uint16_t(38 | (12 << 8));
    SetCurrentDeviceInfo(info);
    SetSelectedCacheName(CacheFileName(38, 12));
    QVERIFY(UsbServerC_Start(wiredPath.constData(), wiredPath.constData(), OnDeviceEvent));
    ReadFromMouse();
    SensorDPI *dpi = sensor->ui->frameDpi;
    const QStringList values = {"400", "800", "1200", "1600", "3200", "6400"};
    for (int level = 0; level < 6; ++level)
        QCOMPARE(dpi->LevelButton(level)->text(), values.at(level));
    QCOMPARE(dpi->ui->ChooseEvent->count(), 6);
    QVERIFY(!dpi->LevelButton(6)->isVisibleTo(window));
    QCOMPARE(dpi->ui->horizontalSliderC->maximum(), 12400);
    QCOMPARE(sensor->ui->frameLOD->ui->LOD->count(), 2);
    QVERIFY(!sensor->ui->ModelChoose->isEnabled());
    QVERIFY(!sensor->ui->frameRate->ui->Button2000HZ->isVisibleTo(window));
    QVERIFY(!advanced->LongRangeIsShown());
    // A new value goes out as the table's code: 900 DPI is code 8.
    dpi->ui->AddLevelA->click();
    QCOMPARE(int(FlashDataSnapshot().DpiLevels[1].XCode), 8);
    FlashDataMap wired{};
    QVERIFY(WaitIdle());
    QVERIFY(SimMouseBlock(1, &wired));
    QCOMPARE(int(wired.DpiLevels[1].XCode), 8);
    QCOMPARE(dpi->LevelButton(1)->text(), QString("900"));
}

void TstSensorPage::blockOutsideTheRow()
{
    // An imported block with no level in use and a current level past the
    // eighth: the row shows what it can and nothing is sent.
    FlashDataMap block = FlashDataSnapshot();
    block.DpiLevelCount = 0;
    block.CurrentDpiLevel = 9;
    SimClearCallLog();
    emit PostMsg::GetInstance()->SigUpDataSensorUIB(block);
    SensorDPI *dpi = sensor->ui->frameDpi;
    QCOMPARE(dpi->ui->ChooseEvent->currentIndex(), 0);
    QVERIFY(dpi->LevelButton(0)->isVisibleTo(window));
    QVERIFY(!dpi->LevelButton(1)->isVisibleTo(window));
    QVERIFY(!SensorPageFilling);
    QCOMPARE(countCallsTo("ProtocolDataUpdate"), 0);
}

void TstSensorPage::changeEventsReachTheBase()
{
    // A theme change is turned into a style change by the base class, which
    // re-polishes the page; a page that keeps its change events to itself
    // never gets its new look.
    EventCounter styleChanges(QEvent::StyleChange);
    sensor->installEventFilter(&styleChanges);
    QEvent theme(QEvent::ThemeChange);
    QCoreApplication::sendEvent(sensor, &theme);
    sensor->removeEventFilter(&styleChanges);
    QCOMPARE(styleChanges.Count, 1);
    // The performance time stays usable exactly while performance mode is on.
    QCOMPARE(sensor->ui->PerformanceOpen->isEnabled(), sensor->ui->Performance->isChecked());
}

QTEST_MAIN(TstSensorPage)
#include "tst_sensorpage.moc"
