// The sensor and advanced pages on the simulated wireless mouse (catalogue
// group Drive1, sensor 3950, 4K receiver): the fill after a read, every
// control's write reaching the mouse, and each control put back when the
// mouse does not answer.
#include "app/PostMsg.h"
#include "common/LabelCatalogue.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/Worker.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "ui_Advanced.h"
#include "ui_LongMode.h"
#include "ui_RippeControl.h"
#include "ui_Sensor.h"
#include "ui_SensorDPI.h"
#include "ui_SensorLOD.h"
#include "ui_SensorRate.h"
#include "ui_StopCloseTime.h"
#include "ui_StraightLine.h"

#include "../support/DeviceFixture.h"

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

enum Control
{
    Rate500,
    Lod2mm,
    RippleOn,
    AngleSnapOn,
    Level3,
    PlusStep,
    Sleep5Minutes,
    PerformanceOn,
    ModeHP,
    LongRangeOff,
    BlackLevel2
};

constexpr auto countCallsTo = &DeviceFixture::CountCalls;

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
    void controlPutBackOffline_data();
    void controlPutBackOffline();
    void countShrinkKeepsCurrentLevel();
    void markerDragSelectsLevel_data();
    void markerDragSelectsLevel();
    void defaultsWithoutDeviceData();
    void levelChangedOnMouse();
    void wiredMouseFill();
    void blockOutsideTheRow();

private:
    void ReadFromMouse();
    void Act(int control);
    // The field of the control as the mouse holds it, and as the page shows it.
    int MouseValue(int control, const FlashDataMap &m) const;
    int ShownValue(int control) const;

    QWidget *window = nullptr;
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
    sensor = new Sensor(window);
    advanced = new Advanced(window);
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

void TstSensorPage::Act(int control)
{
    Ui::Sensor *ui = sensor->ui;
    switch (control) {
    case Rate500:
        ui->frameRate->ui->Button500HZ->click();
        break;
    case Lod2mm:
        ui->frameLOD->ui->LOD->setCurrentIndex(2);
        break;
    case RippleOn:
        ui->frame->ui->RippeControl_2->click();
        break;
    case AngleSnapOn:
        ui->frame_4->ui->StraightLine_2->click();
        break;
    case Level3:
        ui->frameDpi->LevelButton(3)->click();
        break;
    case PlusStep:
        ui->frameDpi->ui->AddLevelA->click();
        break;
    case Sleep5Minutes: {
        QComboBox *combo = advanced->ui->frameClose->ui->StopClose;
        combo->setCurrentIndex(5);
        emit combo->activated(5);
        break;
    }
    case PerformanceOn:
        ui->Performance->click();
        break;
    case ModeHP:
        ui->ModelChoose->setCurrentIndex(1);
        break;
    case LongRangeOff:
        advanced->ui->FrameLongMode->ui->checkBox->click();
        break;
    case BlackLevel2:
        // The swatch selects its level and opens the colour dialog.
        ui->frameDpi->Swatch(2)->click();
        QVERIFY(ui->frameDpi->ColourDialog()->isVisible());
        emit ui->frameDpi->ColourDialog()->colorSelected(QColor(0, 0, 0));
        ui->frameDpi->ColourDialog()->hide();
        break;
    }
}

int TstSensorPage::MouseValue(int control, const FlashDataMap &m) const
{
    switch (control) {
    case Rate500:
        return m.ReportRateCode;
    case Lod2mm:
        return m.LodCode;
    case RippleOn:
        return m.RippleControlOn;
    case AngleSnapOn:
        return m.StraightLineOn;
    case Level3:
        return m.CurrentDpiLevel;
    case PlusStep:
        return m.DpiLevels[1].XCode;
    case Sleep5Minutes:
        return m.SleepTimeCode;
    case PerformanceOn:
        return m.PerformanceOn;
    case ModeHP:
        return m.SensorModeIndex;
    case LongRangeOff:
        return SimLongRange(Mouse) ? 1 : 0;
    case BlackLevel2:
        return (m.DpiLevels[2].ColorR << 16) | (m.DpiLevels[2].ColorG << 8) | m.DpiLevels[2].ColorB;
    }
    return -1;
}

int TstSensorPage::ShownValue(int control) const
{
    Ui::Sensor *ui = sensor->ui;
    switch (control) {
    case Rate500:
        return ui->frameRate->CurrentRateIndex();
    case Lod2mm:
        return ui->frameLOD->ui->LOD->currentIndex();
    case RippleOn:
        return ui->frame->ui->RippeControl_2->isChecked();
    case AngleSnapOn:
        return ui->frame_4->ui->StraightLine_2->isChecked();
    case Level3:
        return ui->frameDpi->CurrentLevelValue();
    case PlusStep:
        return ui->frameDpi->ui->spinBoxA->value();
    case Sleep5Minutes:
        return advanced->ui->frameClose->ui->StopClose->currentIndex();
    case PerformanceOn:
        return ui->Performance->isChecked();
    case ModeHP:
        return ui->ModelChoose->currentIndex();
    case LongRangeOff:
        return advanced->ui->FrameLongMode->ui->checkBox->isChecked();
    case BlackLevel2:
        return ui->frameDpi->LevelColor(2) == QLatin1String("0,0,0");
    }
    return -1;
}

void TstSensorPage::controlReachesMouse_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("mouseValue");
    QTest::addColumn<int>("shown");
    QTest::newRow("report rate 500 Hz") << int(Rate500) << 2 << 2;
    QTest::newRow("lift-off 2 mm") << int(Lod2mm) << 2 << 2;
    QTest::newRow("ripple control") << int(RippleOn) << 1 << 1;
    QTest::newRow("angle snapping") << int(AngleSnapOn) << 1 << 1;
    QTest::newRow("DPI level 3") << int(Level3) << 3 << 3;
    QTest::newRow("plus: 800 to 850 DPI") << int(PlusStep) << 16 << 850;
    QTest::newRow("sleep 5 minutes") << int(Sleep5Minutes) << 30 << 5;
    QTest::newRow("performance mode") << int(PerformanceOn) << 1 << 1;
    QTest::newRow("sensor mode HP") << int(ModeHP) << 1 << 1;
    QTest::newRow("level 2 black") << int(BlackLevel2) << 0 << 1;
}

void TstSensorPage::controlReachesMouse()
{
    QFETCH(int, control);
    QFETCH(int, mouseValue);
    QFETCH(int, shown);
    ReadFromMouse();
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    Act(control);
    QCOMPARE(MouseValue(control, MouseBlock()), mouseValue);
    QCOMPARE(ShownValue(control), shown);
    QVERIFY(offline.isEmpty());
    // Back to the factory settings for the next row.
    SimReset(true);
    QVERIFY(UsbServerC_Start(path.constData(), path.constData(), OnDeviceEvent));
}

void TstSensorPage::controlPutBackOffline_data()
{
    QTest::addColumn<int>("control");
    QTest::newRow("report rate") << int(Rate500);
    QTest::newRow("lift-off") << int(Lod2mm);
    QTest::newRow("ripple control") << int(RippleOn);
    QTest::newRow("DPI level") << int(Level3);
    QTest::newRow("plus") << int(PlusStep);
    QTest::newRow("sleep time") << int(Sleep5Minutes);
    QTest::newRow("performance mode") << int(PerformanceOn);
    QTest::newRow("sensor mode") << int(ModeHP);
    QTest::newRow("long range") << int(LongRangeOff);
    QTest::newRow("level colour") << int(BlackLevel2);
}

void TstSensorPage::controlPutBackOffline()
{
    QFETCH(int, control);
    ReadFromMouse();
    const FlashDataMap before = MouseBlock();
    const int shownBefore = ShownValue(control);
    QVERIFY(SimSetMouseOnline(Mouse, false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    Act(control);
    QVERIFY(WaitIdle());
    QVERIFY(SimSetMouseOnline(Mouse, true));
    QCOMPARE(ShownValue(control), shownBefore);
    QCOMPARE(MouseValue(control, MouseBlock()), MouseValue(control, before));
    QVERIFY(!offline.isEmpty());
    QCOMPARE(offline.first().at(0).toInt(), 0);
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
    QCOMPARE(dpi->ui->spinBoxA->value(), 1600);
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

QTEST_MAIN(TstSensorPage)
#include "tst_sensorpage.moc"
