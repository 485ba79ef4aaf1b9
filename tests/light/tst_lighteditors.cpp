// The mouse's light editors on the simulated 4K receiver's wireless mouse:
// each control reaches the parameter block on the mouse, and a change the
// mouse does not take (it is switched off) is put back with one notice and
// the control stays usable.
#include "light/LampLight.h"
#include "light/LightState.h"
#include "light/MouseLight.h"
#include "light/SensorEffect.h"

#include "LightTestSupport.h"

#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using namespace LightTest;

class TstLightEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void effectModeReachesMouse_data();
    void effectModeReachesMouse();
    void effectBrightnessCodes_data();
    void effectBrightnessCodes();
    void effectSpeedIsStoredAsChosen();
    void effectModeOfflineGoesBack();
    void effectDragOfflineGoesBack();
    void effectWithoutDeviceDataSendsNothing();

    void barModeVisibility_data();
    void barModeVisibility();
    void barModeOffClearsLightOffWhileMoving();
    void barModeOfflineGoesBack();
    void barSlidersWrite();
    void barDragOfflineGoesBack();
    void colourButtons();
    void colourTypedDigits();
    void colourButtonsOfflineDoNothing();
    void lightOffWhileMovingSwitch();

private:
    void drag(QSlider *slider, int position);

    LampLight *page = nullptr;
    SensorEffect *effect = nullptr;
    MouseLight *mouse = nullptr;
    QSignalSpy *offline = nullptr;
};

void TstLightEditors::initTestCase()
{
    LabelCatalogue::load();
    SimReset(true);
    page = new LampLight();
    page->show();
    effect = page->dpiEffectEditor();
    mouse = page->mouseLightEditor();
    mouse->show(); // built hidden; shown here so its controls take clicks and keys
    offline = new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    UseDevice(Receiver4K);
}

void TstLightEditors::cleanupTestCase()
{
    UsbServer_Exit();
    delete offline;
    delete page;
}

void TstLightEditors::init()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
    QVERIFY(ReadBlock(Receiver4K, [](FlashDataMap &m) {
        m.DpiLed = {1, 128, 3, 1};
        m.LedBar = {2, 255, 10, 10, 4, 4, 1};
        m.LightOffWhileMoving = 1;
    }));
    SimClearCallLog();
    offline->clear();
}

void TstLightEditors::cleanup()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
}

void TstLightEditors::drag(QSlider *slider, int position)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

void TstLightEditors::effectModeReachesMouse_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("effectOn");
    QTest::addColumn<int>("effectMode");
    QTest::addColumn<bool>("speedShown");
    QTest::addColumn<bool>("brightnessShown");

    QTest::newRow("off keeps the mode byte") << 0 << 0 << 1 << false << false;
    QTest::newRow("breathing") << 2 << 1 << 2 << true << false;
}

void TstLightEditors::effectModeReachesMouse()
{
    QFETCH(int, index);
    QFETCH(int, effectOn);
    QFETCH(int, effectMode);
    QFETCH(bool, speedShown);
    QFETCH(bool, brightnessShown);

    in<QComboBox>(effect, "Model")->setCurrentIndex(index);
    const DpiLedBlock led = MouseBlock(Receiver4K).DpiLed;
    QCOMPARE(int(led.EffectOn), effectOn);
    QCOMPARE(int(led.EffectMode), effectMode);
    QCOMPARE(effect->currentEffectMode(), index);
    QCOMPARE(!in<QSlider>(effect, "SpeedH")->isHidden(), speedShown);
    QCOMPARE(!in<QSpinBox>(effect, "SpeedSpinBox")->isHidden(), speedShown);
    QCOMPARE(!in<QSlider>(effect, "LightH")->isHidden(), brightnessShown);
    QCOMPARE(in<QWidget>(effect, "line")->isHidden(), speedShown);
    QCOMPARE(in<QWidget>(effect, "line_2")->isHidden(), brightnessShown);
    QCOMPARE(offline->count(), 0);
}

void TstLightEditors::effectBrightnessCodes_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("code");
    QTest::newRow("6") << 6 << 150;
    QTest::newRow("10") << 10 << 255;
    QTest::newRow("1") << 1 << 16;
}

void TstLightEditors::effectBrightnessCodes()
{
    QFETCH(int, level);
    QFETCH(int, code);
    in<QSlider>(effect, "LightH")->setValue(level);
    QCOMPARE(int(MouseBlock(Receiver4K).DpiLed.EffectBrightness), code);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), level);
}

void TstLightEditors::effectSpeedIsStoredAsChosen()
{
    drag(in<QSlider>(effect, "SpeedH"), 5);
    QCOMPARE(int(MouseBlock(Receiver4K).DpiLed.EffectSpeed), 5);
    QCOMPARE(in<QSpinBox>(effect, "SpeedSpinBox")->value(), 5);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 1);
}

void TstLightEditors::effectModeOfflineGoesBack()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QComboBox>(effect, "Model")->setCurrentIndex(2);
    QCOMPARE(in<QComboBox>(effect, "Model")->currentIndex(), 1);
    QVERIFY(in<QSlider>(effect, "SpeedH")->isHidden());
    QVERIFY(!in<QSlider>(effect, "LightH")->isHidden());
    QCOMPARE(offline->count(), 1);
    QCOMPARE(offline->at(0).at(0).toInt(), 0);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstLightEditors::effectDragOfflineGoesBack()
{
    QSlider *slider = in<QSlider>(effect, "LightH");
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    drag(slider, 9);
    QCOMPARE(slider->value(), 5);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), 5);
    QCOMPARE(offline->count(), 1);
    // Nothing waits for the next read: with the mouse back, the next move is written.
    QVERIFY(slider->isEnabled());
    QVERIFY(SimSetMouseOnline(Receiver4K, true));
    slider->setValue(8);
    QCOMPARE(int(MouseBlock(Receiver4K).DpiLed.EffectBrightness), 210);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), 8);
    QCOMPARE(offline->count(), 1);
}

void TstLightEditors::effectWithoutDeviceDataSendsNothing()
{
    DeviceDataReady = false;
    in<QSlider>(effect, "LightH")->setValue(2);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), 5);
    QCOMPARE(in<QSlider>(effect, "LightH")->value(), 5);
    in<QComboBox>(effect, "Model")->setCurrentIndex(2);
    // Back on what the mouse holds, with that mode's controls.
    QCOMPARE(in<QComboBox>(effect, "Model")->currentIndex(), 1);
    QVERIFY(in<QSlider>(effect, "SpeedH")->isHidden());
    QCOMPARE(effect->currentEffectMode(), 1);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstLightEditors::barModeVisibility_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("brightness");
    QTest::addColumn<bool>("speed");

    QTest::newRow("colour flow") << 1 << false << true << true;
    QTest::newRow("single-colour breathing") << 2 << true << true << true;
    QTest::newRow("mixed-colour steady") << 3 << true << true << false;
    QTest::newRow("neon") << 4 << false << true << true;
    QTest::newRow("seventh mode") << 6 << false << true << false;
}

void TstLightEditors::barModeVisibility()
{
    QFETCH(int, mode);
    QFETCH(bool, colour);
    QFETCH(bool, brightness);
    QFETCH(bool, speed);

    in<QComboBox>(mouse, "LightMod")->setCurrentIndex(mode);
    const LedBarBlock bar = MouseBlock(Receiver4K).LedBar;
    QCOMPARE(int(bar.BarMode), mode);
    QCOMPARE(int(bar.BarOn), 1);
    QCOMPARE(MouseBarModeKnown, mode);
    for (const char *name : {"RSpinBox", "label_7", "labelPreView", "AddB", "toolButtonColorN"})
        QCOMPARE(!in<QWidget>(mouse, name)->isHidden(), colour);
    QCOMPARE(!in<QWidget>(mouse, "horizontalLight")->isHidden(), brightness);
    QCOMPARE(!in<QWidget>(mouse, "SpeedSpinBox_2")->isHidden(), speed);
    QCOMPARE(!in<QWidget>(mouse, "line_2")->isHidden(), !speed);
    QVERIFY(!in<QWidget>(mouse, "RippeControl")->isHidden());
}

void TstLightEditors::barModeOffClearsLightOffWhileMoving()
{
    in<QComboBox>(mouse, "LightMod")->setCurrentIndex(0);
    const FlashDataMap block = MouseBlock(Receiver4K);
    QCOMPARE(int(block.LedBar.BarOn), 0);
    QCOMPARE(int(block.LedBar.BarMode), 2);
    QCOMPARE(int(block.LightOffWhileMoving), 0);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 2);
    QVERIFY(!in<QToolButton>(mouse, "RippeControl")->isChecked());
    QVERIFY(in<QWidget>(mouse, "horizontalLight")->isHidden());
    QVERIFY(in<QWidget>(mouse, "RSpinBox")->isHidden());
    QVERIFY(!in<QWidget>(mouse, "line")->isHidden());
    QVERIFY(!in<QWidget>(mouse, "line_2")->isHidden());
}

void TstLightEditors::barModeOfflineGoesBack()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QComboBox>(mouse, "LightMod")->setCurrentIndex(3);
    QCOMPARE(in<QComboBox>(mouse, "LightMod")->currentIndex(), 2);
    QVERIFY(!in<QWidget>(mouse, "horizontalSpeed")->isHidden()); // still mode 2's controls
    QCOMPARE(offline->count(), 1);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstLightEditors::barSlidersWrite()
{
    drag(in<QSlider>(mouse, "horizontalLight"), 7);
    in<QSlider>(mouse, "horizontalSpeed")->setValue(10);
    const LedBarBlock bar = MouseBlock(Receiver4K).LedBar;
    QCOMPARE(int(bar.BarBrightness), 6);
    QCOMPARE(int(bar.BarSpeed), 9);
    QCOMPARE(in<QSpinBox>(mouse, "LightSpinBox_2")->value(), 7);
    QCOMPARE(in<QSpinBox>(mouse, "SpeedSpinBox_2")->value(), 10);

    // Without device data a click moves the slider only.
    DeviceDataReady = false;
    in<QSlider>(mouse, "horizontalLight")->setValue(3);
    QCOMPARE(in<QSpinBox>(mouse, "LightSpinBox_2")->value(), 7);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 2);
}

void TstLightEditors::barDragOfflineGoesBack()
{
    QSlider *slider = in<QSlider>(mouse, "horizontalSpeed");
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    drag(slider, 9);
    QCOMPARE(offline->count(), 1);
    QCOMPARE(slider->value(), 5);
    QCOMPARE(in<QSpinBox>(mouse, "SpeedSpinBox_2")->value(), 5);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
    QVERIFY(slider->isEnabled());
    QVERIFY(SimSetMouseOnline(Receiver4K, true));
    slider->setValue(2);
    QCOMPARE(int(MouseBlock(Receiver4K).LedBar.BarSpeed), 1);
}

void TstLightEditors::colourButtons()
{
    // A preset is one change of the colour: one write.
    in<QToolButton>(mouse, "toolButtonColorD")->click();
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 1);
    LedBarBlock bar = MouseBlock(Receiver4K).LedBar;
    QCOMPARE(QList<int>({bar.ColorR, bar.ColorG, bar.ColorB}), QList<int>({255, 0, 255}));
    QVERIFY(in<QWidget>(mouse, "labelPreView")->styleSheet().contains("rgb(255,0,255)"));

    // At a limit nothing changes and nothing is written.
    SimClearCallLog();
    in<QToolButton>(mouse, "AddR")->click();
    in<QToolButton>(mouse, "ReduceG")->click();
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
    in<QToolButton>(mouse, "ReduceB")->click();
    in<QToolButton>(mouse, "AddG")->click();
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 2);
    bar = MouseBlock(Receiver4K).LedBar;
    QCOMPARE(QList<int>({bar.ColorR, bar.ColorG, bar.ColorB}), QList<int>({255, 1, 254}));
}

void TstLightEditors::colourTypedDigits()
{
    QSpinBox *green = in<QSpinBox>(mouse, "GSpinBox");
    green->setFocus();
    green->selectAll();
    QTest::keyClick(green, Qt::Key_Delete); // an empty box is no value: nothing sent
    const int before = CountCalls("ProtocolDataUpdate");
    QTest::keyClicks(green, "200");
    QList<int> greens;
    for (const SimCallRecord &call : SimCallLog()) {
        if (call.function == "ProtocolDataUpdate")
            greens << reinterpret_cast<const FlashDataMap *>(call.data.constData())->LedBar.ColorG;
    }
    QCOMPARE(greens.mid(before), QList<int>({2, 20, 200}));
}

void TstLightEditors::colourButtonsOfflineDoNothing()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QToolButton>(mouse, "toolButtonColorI")->click();
    in<QToolButton>(mouse, "AddB")->click();
    QCOMPARE(offline->count(), 2);
    QCOMPARE(in<QSpinBox>(mouse, "RSpinBox")->value(), 255);
    QCOMPARE(in<QSpinBox>(mouse, "BSpinBox")->value(), 10);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstLightEditors::lightOffWhileMovingSwitch()
{
    QToolButton *toggle = in<QToolButton>(mouse, "RippeControl");
    QVERIFY(toggle->isChecked());
    toggle->click();
    QCOMPARE(int(MouseBlock(Receiver4K).LightOffWhileMoving), 0);

    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    toggle->click();
    QVERIFY(!toggle->isChecked()); // put back
    QCOMPARE(offline->count(), 1);
    QCOMPARE(int(MouseBlock(Receiver4K).LightOffWhileMoving), 0);
}

QTEST_MAIN(TstLightEditors)
#include "tst_lighteditors.moc"
