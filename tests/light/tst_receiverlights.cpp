// The receiver's editors on the simulated 4K receiver: the light bar record,
// the three indicator LEDs and the single LED's choice reach the receiver,
// refused changes are put back, and the record never keeps a refused value.
#include "light/LampLight.h"
#include "light/LightState.h"
#include "light/OneLed.h"
#include "light/ReceiveLight.h"
#include "light/ThreeLed.h"

#include "LightTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using namespace LightTest;

class TstReceiverLights : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void barModeWritesRecord_data();
    void barModeWritesRecord();
    void refusedModeLeavesRecordUsable();
    void fillingShowsModeWithoutWriting();
    void refusedBrightnessGoesBack();
    void dragWritesOnceOnRelease();
    void colourButtonsAndTyping();
    void withoutDeviceDataNothingReachesReceiver();
    void colourButtonsOfflineDoNothing();

    void ledChoiceSendsWholeRecord();
    void refusedLedChoiceGoesBack();
    void ledShowAndLanguageWriteNothing();
    void ledChoiceWithMouseOffline();

    void indicatorChoiceReachesReceiver();
    void indicatorChoiceOfflineGoesBack();
    void indicatorShowAndSelect();

private:
    LampLight *page = nullptr;
    ReceiveLight *bar = nullptr;
    ThreeLed *leds = nullptr;
    OneLed *one = nullptr;
    QSignalSpy *offline = nullptr;
};

void TstReceiverLights::initTestCase()
{
    LabelCatalogue::load();
    SimReset(true);
    page = new LampLight();
    page->show();
    bar = page->receiverLightEditor();
    leds = page->indicatorLedEditor();
    one = page->indicatorChoiceEditor();
    offline = new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    UseDevice(Receiver4K);
}

void TstReceiverLights::cleanupTestCase()
{
    UsbServer_Exit();
    delete offline;
    delete page;
}

void TstReceiverLights::init()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
    const LedBarBlock start{2, 255, 10, 10, 4, 4, 1};
    QVERIFY(UsbFinderC_SetDongleRGBBarMode(SimDevicePath(Receiver4K), &start));
    const DongleIndicatorLed startLeds{{1, 0, 3}};
    QVERIFY(UsbFinderC_SetDongleIndicatorLed(SimDevicePath(Receiver4K), &startLeds));
    QVERIFY(SetIndicatorOnReceiver(2));
    QVERIFY(FullRead());
    one->ShowIndicatorMode(1);
    SimClearCallLog();
    offline->clear();
}

void TstReceiverLights::cleanup()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
}

void TstReceiverLights::barModeWritesRecord_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("record");
    QTest::addColumn<bool>("colour");
    QTest::addColumn<bool>("brightness");
    QTest::addColumn<bool>("speed");

    QTest::newRow("off writes mode 0 too")
        << 0 << QStringList{"0", "255", "10", "10", "4", "4", "0"} << false << false << false;
    QTest::newRow("mixed-colour steady")
        << 3 << QStringList{"3", "255", "10", "10", "4", "4", "1"} << true << true << false;
    QTest::newRow("neon") << 4 << QStringList{"4", "255", "10", "10", "4", "4", "1"} << false
                          << true << true;
}

void TstReceiverLights::barModeWritesRecord()
{
    QFETCH(int, mode);
    QFETCH(QStringList, record);
    QFETCH(bool, colour);
    QFETCH(bool, brightness);
    QFETCH(bool, speed);

    in<QComboBox>(bar, "LightMod_2")->setCurrentIndex(mode);
    QCOMPARE(BarBytes(ReceiverBar(Receiver4K)), record);
    QCOMPARE(DongleBarModeKnown, mode);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 1); // the block follows the record
    QCOMPARE(!in<QWidget>(bar, "RSpinBox_2")->isHidden(), colour);
    QCOMPARE(!in<QWidget>(bar, "toolButtonColorA_2")->isHidden(), colour);
    QCOMPARE(!in<QWidget>(bar, "horizontalLight_2")->isHidden(), brightness);
    QCOMPARE(!in<QWidget>(bar, "SpeedSpinBox_3")->isHidden(), speed);
    QCOMPARE(!in<QWidget>(bar, "line_3")->isHidden(), !brightness);
    QCOMPARE(!in<QWidget>(bar, "line_4")->isHidden(), !speed);
    QVERIFY(!in<QWidget>(bar, "label_14")->isHidden()); // captions stay
}

void TstReceiverLights::refusedModeLeavesRecordUsable()
{
    // A refused mode must not stay in the record, or every later write
    // would carry it and be refused too.
    SimRefuseNextCall("UsbFinderC_SetDongleRGBBarMode");
    in<QComboBox>(bar, "LightMod_2")->setCurrentIndex(6);
    QCOMPARE(in<QComboBox>(bar, "LightMod_2")->currentIndex(), 2);
    QCOMPARE(DongleBarModeKnown, 2);
    QVERIFY(!in<QWidget>(bar, "SpeedSpinBox_3")->isHidden()); // mode 2's controls stay
    QCOMPARE(int(DongleBarModeBuffer->BarMode), 2);
    // The user learns that the receiver did not take it.
    QCOMPARE(offline->count(), 1);

    // A later change still reaches the receiver.
    in<QSlider>(bar, "horizontalLight_2")->setValue(9);
    QCOMPARE(BarBytes(ReceiverBar(Receiver4K)),
             QStringList({"2", "255", "10", "10", "4", "8", "1"}));
    QCOMPARE(DongleBarBrightnessKnown, 9);
}

void TstReceiverLights::fillingShowsModeWithoutWriting()
{
    LightPageFilling = true;
    bar->ShowLightMode(0);
    LightPageFilling = false;
    QVERIFY(in<QWidget>(bar, "horizontalLight_2")->isHidden());
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);

    // A refused write later goes back to the mode the page last filled in.
    DongleBarModeKnown = 0;
    SimRefuseNextCall("UsbFinderC_SetDongleRGBBarMode");
    in<QComboBox>(bar, "LightMod_2")->setCurrentIndex(5);
    QCOMPARE(in<QComboBox>(bar, "LightMod_2")->currentIndex(), 0);
}

void TstReceiverLights::refusedBrightnessGoesBack()
{
    QSlider *slider = in<QSlider>(bar, "horizontalLight_2");
    slider->setValue(7);
    QCOMPARE(DongleBarBrightnessKnown, 7);
    SimRefuseNextCall("UsbFinderC_SetDongleRGBBarMode");
    slider->setValue(3);
    QCOMPARE(slider->value(), 7);
    QCOMPARE(in<QSpinBox>(bar, "LightSpinBox_3")->value(), 7);
    QCOMPARE(int(DongleBarModeBuffer->BarBrightness), 6);
    QCOMPARE(int(ReceiverBar(Receiver4K).BarBrightness), 6);
    QVERIFY(slider->isEnabled()); // this editor never disables its sliders
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 1);
}

void TstReceiverLights::dragWritesOnceOnRelease()
{
    QSlider *slider = in<QSlider>(bar, "horizontalSpeed_2");
    slider->setSliderDown(true);
    slider->setSliderPosition(7);
    QCOMPARE(in<QSpinBox>(bar, "SpeedSpinBox_3")->value(), 7);
    slider->setSliderPosition(9);
    QCOMPARE(in<QSpinBox>(bar, "SpeedSpinBox_3")->value(), 9);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);
    slider->setSliderDown(false);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 1);
    QCOMPARE(int(ReceiverBar(Receiver4K).BarSpeed), 8);
    QCOMPARE(DongleBarSpeedKnown, 9);
}

void TstReceiverLights::colourButtonsAndTyping()
{
    in<QToolButton>(bar, "toolButtonColorE_2")->click(); // 255, 255, 0: one change, one write
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 1);
    QCOMPARE(BarBytes(ReceiverBar(Receiver4K)).mid(1, 3), QStringList({"255", "255", "0"}));
    QVERIFY(in<QWidget>(bar, "labelPreView_2")->styleSheet().contains("rgb(255,255,0)"));

    SimClearCallLog();
    in<QToolButton>(bar, "AddG_2")->click();
    in<QToolButton>(bar, "ReduceB_2")->click();
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);

    QSpinBox *blue = in<QSpinBox>(bar, "BSpinBox_2");
    blue->setFocus();
    blue->selectAll();
    QTest::keyClicks(blue, "12");
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 2); // for 1 and for 12
    QCOMPARE(int(ReceiverBar(Receiver4K).ColorB), 12);
}

void TstReceiverLights::withoutDeviceDataNothingReachesReceiver()
{
    DeviceDataReady = false;
    in<QToolButton>(bar, "toolButtonColorG_2")->click();
    in<QToolButton>(bar, "ReduceB_2")->click();
    in<QComboBox>(bar, "LightMod_2")->setCurrentIndex(1);
    in<QComboBox>(leds, "LightMod_4")->setCurrentIndex(2);
    // Nothing sent, so every control shows again what the receiver holds.
    QCOMPARE(in<QSpinBox>(bar, "RSpinBox_2")->value(), 255);
    QCOMPARE(in<QSpinBox>(bar, "BSpinBox_2")->value(), 10);
    QCOMPARE(in<QComboBox>(leds, "LightMod_4")->currentIndex(), 0);
    QCOMPARE(in<QComboBox>(bar, "LightMod_2")->currentIndex(), 2);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleIndicatorLed"), 0);
    QCOMPARE(CountCalls("UsbFinderC_GetDeviceOnLine"), 0);
}

void TstReceiverLights::colourButtonsOfflineDoNothing()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QToolButton>(bar, "toolButtonColorC_2")->click();
    QCOMPARE(offline->count(), 1);
    QCOMPARE(in<QSpinBox>(bar, "RSpinBox_2")->value(), 255);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);
}

void TstReceiverLights::ledChoiceSendsWholeRecord()
{
    // The combos show the receiver's {1, 0, 3}; a change sends the whole
    // record with the other two LEDs as they are.
    in<QComboBox>(leds, "LightMod_4")->setCurrentIndex(2);
    DongleIndicatorLed onReceiver{};
    QVERIFY(UsbFinderC_GetDongleIndicatorLed(SimDevicePath(Receiver4K), &onReceiver));
    QCOMPARE(QList<int>({onReceiver.Led[0], onReceiver.Led[1], onReceiver.Led[2]}),
             QList<int>({1, 2, 3}));
    QCOMPARE(DongleIndicatorLedKnown[1], 2);

    // After a reset the combos show zeros, and the next change sends what
    // they show, not the codes from before the reset.
    EmitFromThread([] { emit PostMsg::GetInstance()->SigFormReset(); });
    in<QComboBox>(leds, "LightMod_4")->setCurrentIndex(1);
    QVERIFY(UsbFinderC_GetDongleIndicatorLed(SimDevicePath(Receiver4K), &onReceiver));
    QCOMPARE(QList<int>({onReceiver.Led[0], onReceiver.Led[1], onReceiver.Led[2]}),
             QList<int>({0, 1, 0}));
    QCOMPARE(DongleIndicatorLedKnown[1], 1);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 2);
    QCOMPARE(offline->count(), 0);
}

void TstReceiverLights::refusedLedChoiceGoesBack()
{
    SimRefuseNextCall("UsbFinderC_SetDongleIndicatorLed");
    in<QComboBox>(leds, "LightMod_5")->setCurrentIndex(1);
    QCOMPARE(in<QComboBox>(leds, "LightMod_5")->currentIndex(), 3);
    QCOMPARE(int(DongleIndicatorLedBuffer->Led[2]), 3);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleIndicatorLed"), 1);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstReceiverLights::ledShowAndLanguageWriteNothing()
{
    leds->ShowLed1Function(2);
    QCOMPARE(in<QComboBox>(leds, "LightMod_3")->currentIndex(), 2);
    QCOMPARE(int(DongleIndicatorLedBuffer->Led[0]), 1);
    QCOMPARE(DongleIndicatorLedKnown[0], 1);
    emit PostMsg::GetInstance()->SigAllLanguage(0);
    QCOMPARE(in<QComboBox>(leds, "LightMod_3")->currentIndex(), 2);
    QCOMPARE(in<QComboBox>(leds, "LightMod_5")->currentIndex(), 3);
    QCOMPARE(SimCallLog().size(), 0);
}

void TstReceiverLights::ledChoiceWithMouseOffline()
{
    // The receiver takes the record; the notice tells that the mouse did not
    // get the parameter block.
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QComboBox>(leds, "LightMod_3")->setCurrentIndex(0);
    QCOMPARE(in<QComboBox>(leds, "LightMod_3")->currentIndex(), 0);
    QCOMPARE(offline->count(), 1);
    QCOMPARE(DongleIndicatorLedKnown[0], 0);
}

void TstReceiverLights::indicatorChoiceReachesReceiver()
{
    one->show();
    QCheckBox *third = in<QCheckBox>(one, "ReUntil_3");
    third->click();
    QCOMPARE(one->checkedOption(), 2);
    DongleRGB onReceiver{};
    QVERIFY(UsbFinderC_Get4KDongleRGBValue(SimDevicePath(Receiver4K), &onReceiver));
    QCOMPARE(int(onReceiver.IndicatorMode), 3);
    // The option the group unticked sends nothing.
    QCOMPARE(CountCalls("UsbFinderC_Set4KDongleRGB"), 1);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstReceiverLights::indicatorChoiceOfflineGoesBack()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    in<QCheckBox>(one, "ReUntil")->click();
    QCOMPARE(offline->count(), 1);
    QCOMPARE(one->checkedOption(), 1); // the option shown before
    QCOMPARE(CountCalls("UsbFinderC_Set4KDongleRGB"), 0);
}

void TstReceiverLights::indicatorShowAndSelect()
{
    one->ShowIndicatorMode(2);
    QCOMPARE(one->checkedOption(), 2);
    one->ShowIndicatorMode(3);
    one->ShowIndicatorMode(-1);
    QCOMPARE(one->checkedOption(), 2);
    QCOMPARE(CountCalls("UsbFinderC_Set4KDongleRGB"), 0);

    // The receiver's own report is shown, never written back to it.
    one->SelectIndicatorMode(2);
    one->SelectIndicatorMode(0);
    QCOMPARE(one->checkedOption(), 0);
    QCOMPARE(CountCalls("UsbFinderC_Set4KDongleRGB"), 0);
    DongleRGB onReceiver{};
    QVERIFY(UsbFinderC_Get4KDongleRGBValue(SimDevicePath(Receiver4K), &onReceiver));
    QCOMPARE(int(onReceiver.IndicatorMode), 2);
}

QTEST_MAIN(TstReceiverLights)
#include "tst_receiverlights.moc"
