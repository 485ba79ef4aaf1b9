// The light page against the simulated wired mouse and 4K receiver: what a
// read shows in each editor, the single-LED editor's visibility, the refresh
// with an applied block and the defaults without device data.
#include "light/LampLight.h"
#include "light/LightState.h"
#include "light/MouseLight.h"
#include "light/OneLed.h"
#include "light/ReceiveLight.h"
#include "light/SensorEffect.h"
#include "light/ThreeLed.h"

#include "LightTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolButton>

#include <cstring>

using namespace LightTest;

class TstLightPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void languageTexts();
    void fillFromWiredMouse();
    void fillFromReceiver();
    void receiverBarOffShowsModeZero();
    void dpiLightRefresh_data();
    void dpiLightRefresh();
    void formHidesIndicatorChoice_data();
    void formHidesIndicatorChoice();
    void rgbValueShowsIndicatorChoice_data();
    void rgbValueShowsIndicatorChoice();
    void offlineRefreshTicksSecondOptionQuietly();
    void appliedBlockLeavesWaitOpen();
    void defaultsSendNothing();
    void sleepTimeChoice();

private:
    void setDevice(int receiverType, bool wired, int driveIndex, bool online = true);

    LampLight *page = nullptr;
};

void TstLightPage::initTestCase()
{
    LabelCatalogue::load();
    SimReset(true);
    page = new LampLight();
    page->show();
    UseDevice(WiredMouse);
}

void TstLightPage::cleanupTestCase()
{
    UsbServer_Exit();
    delete page;
}

void TstLightPage::init()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
    SimClearCallLog();
}

void TstLightPage::setDevice(int receiverType, bool wired, int driveIndex, bool online)
{
    DeviceAllInfo info = CurrentDeviceInfo;
    info.ReceiverType = receiverType;
    info.Wired = wired;
    info.DriveIndex = driveIndex;
    info.Online = online;
    SetCurrentDeviceInfo(info);
}

void TstLightPage::languageTexts()
{
    SensorEffect *effect = page->dpiEffectEditor();
    QCOMPARE(in<QLabel>(effect, "label")->text(), QString("DPI Light Effect"));
    QCOMPARE(in<QLabel>(effect, "label_14")->text(), QString("Speed"));
    QCOMPARE(in<QComboBox>(effect, "Model")->itemText(2), QString("Breathing"));
    QCOMPARE(in<QComboBox>(page->mouseLightEditor(), "LightMod")->itemText(6),
             QString("Static White"));
    QCOMPARE(in<QLabel>(page->receiverLightEditor(), "label_9")->text(),
             QString("Receiver Light Bar"));
    // Item i of an LED's function list reads the key counting down from 3.
    QComboBox *led1 = in<QComboBox>(page->indicatorLedEditor(), "LightMod_3");
    QCOMPARE(led1->itemText(1), QString("Connection Status"));
    QCOMPARE(led1->itemText(3), QString("Report Rate"));
    QCOMPARE(in<QLabel>(page->indicatorLedEditor(), "label_35")->text(), QString("Connected"));
    QVERIFY(in<QTextEdit>(page->indicatorChoiceEditor(), "textEdit_2")
                ->toPlainText()
                .startsWith("Battery level: the LED shows the battery level"));
}

void TstLightPage::fillFromWiredMouse()
{
    UseDevice(WiredMouse);
    QVERIFY(ReadBlock(WiredMouse, [](FlashDataMap &m) {
        m.DpiLed = {2, 230, 4, 1};
        m.LedBar = {3, 10, 20, 30, 4, 6, 1};
        m.LightOffWhileMoving = 1;
    }));

    SensorEffect *effect = page->dpiEffectEditor();
    QCOMPARE(in<QComboBox>(effect, "Model")->currentIndex(), 2);
    QCOMPARE(effect->currentEffectMode(), 2);
    QCOMPARE(in<QSlider>(effect, "SpeedH")->value(), 4);
    QCOMPARE(in<QSpinBox>(effect, "SpeedSpinBox")->value(), 4);
    QCOMPARE(in<QSlider>(effect, "LightH")->value(), 9);
    QVERIFY(!in<QSlider>(effect, "SpeedH")->isHidden());
    QVERIFY(in<QSlider>(effect, "LightH")->isHidden());

    MouseLight *mouse = page->mouseLightEditor();
    QCOMPARE(in<QComboBox>(mouse, "LightMod")->currentIndex(), 3);
    QCOMPARE(MouseBarModeKnown, 3);
    QCOMPARE(in<QSlider>(mouse, "horizontalLight")->value(), 7);
    QCOMPARE(in<QSpinBox>(mouse, "LightSpinBox_2")->value(), 7);
    QCOMPARE(in<QSlider>(mouse, "horizontalSpeed")->value(), 5);
    QCOMPARE(in<QSpinBox>(mouse, "GSpinBox")->value(), 20);
    QVERIFY(in<QToolButton>(mouse, "RippeControl")->isChecked());
    QVERIFY(in<QLabel>(mouse, "labelPreView")->styleSheet().contains("rgb(10,20,30)"));

    // Both receiver records are asked of a wired mouse too; it has neither,
    // and the single-LED editor stays hidden.
    QCOMPARE(CountCalls("UsbFinderC_GetDongleRGBBarMode"), 1);
    QCOMPARE(CountCalls("UsbFinderC_GetDongleIndicatorLed"), 1);
    QVERIFY(page->indicatorChoiceEditor()->isHidden());
    QVERIFY(page->mouseLightEditor()->isHidden());
    QVERIFY(!LightPageFilling);
    // Filling writes nothing back.
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 0);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleIndicatorLed"), 0);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 2); // the test's own and the read's write-back
}

void TstLightPage::fillFromReceiver()
{
    UseDevice(Receiver4K);
    const LedBarBlock bar{3, 10, 20, 30, 0, 9, 1};
    QVERIFY(UsbFinderC_SetDongleRGBBarMode(SimDevicePath(Receiver4K), &bar));
    const DongleIndicatorLed leds{{1, 0, 3}};
    QVERIFY(UsbFinderC_SetDongleIndicatorLed(SimDevicePath(Receiver4K), &leds));
    QVERIFY(SetIndicatorOnReceiver(3));
    page->indicatorChoiceEditor()->hide();
    QVERIFY(FullRead());

    ReceiveLight *receiver = page->receiverLightEditor();
    QCOMPARE(in<QComboBox>(receiver, "LightMod_2")->currentIndex(), 3);
    QCOMPARE(in<QSpinBox>(receiver, "RSpinBox_2")->value(), 10);
    QCOMPARE(in<QSpinBox>(receiver, "BSpinBox_2")->value(), 30);
    QCOMPARE(in<QSpinBox>(receiver, "SpeedSpinBox_3")->value(), 1);
    QCOMPARE(in<QSlider>(receiver, "horizontalLight_2")->value(), 10);
    QCOMPARE(DongleBarModeKnown, 3);
    QCOMPARE(DongleBarSpeedKnown, 1);
    QCOMPARE(DongleBarBrightnessKnown, 10);
    QVERIFY(in<QSlider>(receiver, "horizontalSpeed_2")->isHidden()); // mode 3 has no speed

    ThreeLed *three = page->indicatorLedEditor();
    QCOMPARE(in<QComboBox>(three, "LightMod_3")->currentIndex(), 1);
    QCOMPARE(in<QComboBox>(three, "LightMod_4")->currentIndex(), 0);
    QCOMPARE(in<QComboBox>(three, "LightMod_5")->currentIndex(), 3);
    QCOMPARE(DongleIndicatorLedKnown[2], 3);

    // The receiver's indicator choice shows in the single-LED editor.
    QVERIFY(!page->indicatorChoiceEditor()->isHidden());
    QCOMPARE(page->indicatorChoiceEditor()->checkedOption(), 2);
    QVERIFY(LightPageUpdated);
}

void TstLightPage::receiverBarOffShowsModeZero()
{
    UseDevice(Receiver4K);
    const LedBarBlock bar{4, 1, 2, 3, 5, 5, 0};
    QVERIFY(UsbFinderC_SetDongleRGBBarMode(SimDevicePath(Receiver4K), &bar));
    QVERIFY(FullRead());
    QCOMPARE(in<QComboBox>(page->receiverLightEditor(), "LightMod_2")->currentIndex(), 0);
    QCOMPARE(DongleBarModeKnown, 0);
    QVERIFY(!in<QWidget>(page->receiverLightEditor(), "line_3")->isHidden());
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 1); // the test's own
}

void TstLightPage::dpiLightRefresh_data()
{
    QTest::addColumn<QList<int>>("bytes"); // mode, code, speed, on
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("speed");

    QTest::newRow("breathing, code 230") << QList<int>{2, 230, 4, 1} << 2 << 9 << 4;
    QTest::newRow("steady, lowest") << QList<int>{1, 16, 1, 1} << 1 << 1 << 1;
    QTest::newRow("off whatever the mode byte") << QList<int>{2, 255, 5, 0} << 0 << 10 << 5;
    QTest::newRow("code outside the table") << QList<int>{1, 100, 3, 1} << 1 << 10 << 3;
    // Shown after steady: an unknown mode with the light on keeps the shown mode.
    QTest::newRow("unknown mode keeps the shown one") << QList<int>{7, 60, 2, 1} << 1 << 3 << 2;
}

void TstLightPage::dpiLightRefresh()
{
    QFETCH(QList<int>, bytes);
    QFETCH(int, mode);
    QFETCH(int, level);
    QFETCH(int, speed);

    page->dpiEffectEditor()->ShowEffectMode(1);
    FlashDataMap map{};
    map.DpiLed = {uint8_t(bytes[0]), uint8_t(bytes[1]), uint8_t(bytes[2]), uint8_t(bytes[3])};
    LightPageUpdated = false;
    EmitFromThread([map] { emit PostMsg::GetInstance()->SigUpDataDPILed(map); });

    SensorEffect *effect = page->dpiEffectEditor();
    QCOMPARE(in<QComboBox>(effect, "Model")->currentIndex(), mode);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), level);
    QCOMPARE(in<QSlider>(effect, "LightH")->value(), level);
    QCOMPARE(in<QSpinBox>(effect, "SpeedSpinBox")->value(), speed);
    QVERIFY(!LightPageUpdated); // a DPI light answer is no full read
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstLightPage::formHidesIndicatorChoice_data()
{
    QTest::addColumn<bool>("formB");
    QTest::addColumn<int>("receiverType");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("driveIndex");
    QTest::addColumn<bool>("hidden");

    QTest::newRow("1K receiver") << false << 0 << false << 0 << true;
    QTest::newRow("2K receiver") << false << 4 << false << 0 << true;
    QTest::newRow("8K receiver") << false << 5 << false << 0 << true;
    QTest::newRow("4K receiver keeps it") << false << 1 << false << 0 << false;
    QTest::newRow("wired") << false << 2 << true << 0 << true;
    QTest::newRow("model without the feature") << false << 1 << false << 1 << true;
    QTest::newRow("applied block: 4K receiver too") << true << 1 << false << 0 << true;
}

void TstLightPage::formHidesIndicatorChoice()
{
    QFETCH(bool, formB);
    QFETCH(int, receiverType);
    QFETCH(bool, wired);
    QFETCH(int, driveIndex);
    QFETCH(bool, hidden);

    setDevice(receiverType, wired, driveIndex);
    page->indicatorChoiceEditor()->show();
    if (formB)
        emit PostMsg::GetInstance()->SigFormB();
    else
        EmitFromThread([] { emit PostMsg::GetInstance()->SigForm(); });
    QCOMPARE(page->indicatorChoiceEditor()->isHidden(), hidden);
    UseDevice(Receiver4K);
}

void TstLightPage::rgbValueShowsIndicatorChoice_data()
{
    QTest::addColumn<int>("receiverType");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<int>("driveIndex");
    QTest::addColumn<int>("indicatorMode");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("written"); // IndicatorMode on the receiver afterwards

    // The receiver's report is only shown: nothing goes back to it.
    QTest::newRow("4K, mode 3") << 1 << false << 0 << 3 << true << 2 << 1;
    QTest::newRow("4K, mode 0 changes no option") << 1 << false << 0 << 0 << true << 0 << 1;
    QTest::newRow("wired") << 2 << true << 0 << 3 << false << 0 << 1;
    QTest::newRow("1K receiver") << 0 << false << 0 << 3 << false << 0 << 1;
    QTest::newRow("model without the feature") << 1 << false << 1 << 3 << false << 0 << 1;
}

void TstLightPage::rgbValueShowsIndicatorChoice()
{
    QFETCH(int, receiverType);
    QFETCH(bool, wired);
    QFETCH(int, driveIndex);
    QFETCH(int, indicatorMode);
    QFETCH(bool, shown);
    QFETCH(int, option);
    QFETCH(int, written);

    UseDevice(Receiver4K);
    QVERIFY(SetIndicatorOnReceiver(1));
    page->indicatorChoiceEditor()->ShowIndicatorMode(0);
    page->indicatorChoiceEditor()->hide();
    setDevice(receiverType, wired, driveIndex);
    SimClearCallLog();

    DongleRGB record{};
    record.IndicatorMode = uint8_t(indicatorMode);
    DongleRGB *pointer = &record;
    EmitFromThread([pointer] { emit PostMsg::GetInstance()->SigRGBValue(pointer); });

    QCOMPARE(!page->indicatorChoiceEditor()->isHidden(), shown);
    QCOMPARE(page->indicatorChoiceEditor()->checkedOption(), option);
    DongleRGB onReceiver{};
    QVERIFY(UsbFinderC_Get4KDongleRGBValue(SimDevicePath(Receiver4K), &onReceiver));
    QCOMPARE(int(onReceiver.IndicatorMode), written);
    UseDevice(Receiver4K);
}

void TstLightPage::offlineRefreshTicksSecondOptionQuietly()
{
    UseDevice(Receiver4K);
    page->indicatorChoiceEditor()->ShowIndicatorMode(0);
    setDevice(1, false, 0, false);
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    SimClearCallLog();

    // What the worker does with a cache file while the mouse does not answer.
    FlashDataMap cached{};
    EmitFromThread([cached] { emit PostMsg::GetInstance()->SigUpDataLightLight(cached); });

    QCOMPARE(page->indicatorChoiceEditor()->checkedOption(), 1);
    QVERIFY(LightPageUpdated);
    // The option the group unticked neither complains nor ticks itself again.
    QCOMPARE(offline.count(), 0);
    QCOMPARE(CountCalls("UsbFinderC_Set4KDongleRGB"), 0);
    UseDevice(Receiver4K);
}

void TstLightPage::appliedBlockLeavesWaitOpen()
{
    UseDevice(Receiver4K);
    QVERIFY(FullRead());
    page->indicatorChoiceEditor()->ShowIndicatorMode(2);
    FlashDataMap applied = MouseBlock(Receiver4K);
    applied.DpiLed = {1, 90, 2, 1};
    emit PostMsg::GetInstance()->SigUpDataLightUIA(applied);

    QVERIFY(!LightPageUpdated);
    QVERIFY(!LightPageFilling);
    QCOMPARE(in<QSpinBox>(page->dpiEffectEditor(), "LightSpinBox")->value(), 4);
    QVERIFY(!in<QSlider>(page->mouseLightEditor(), "horizontalLight")->isEnabled());
    QVERIFY(!in<QSlider>(page->mouseLightEditor(), "horizontalSpeed")->isEnabled());
    QCOMPARE(page->indicatorChoiceEditor()->checkedOption(), 1);

    // The next full read enables them again.
    QVERIFY(FullRead());
    QVERIFY(in<QSlider>(page->mouseLightEditor(), "horizontalLight")->isEnabled());
}

void TstLightPage::defaultsSendNothing()
{
    UseDevice(Receiver4K);
    QVERIFY(FullRead());
    // After an applied block the mouse light sliders are disabled; the
    // defaults still show the same value on slider and number.
    emit PostMsg::GetInstance()->SigUpDataLightUIA(MouseBlock(Receiver4K));
    page->indicatorChoiceEditor()->show();
    const LedBarBlock recordBefore = *DongleBarModeBuffer;
    SimClearCallLog();

    EmitFromThread([] { emit PostMsg::GetInstance()->SigFormReset(); });

    SensorEffect *effect = page->dpiEffectEditor();
    QCOMPARE(in<QComboBox>(effect, "Model")->currentIndex(), 0);
    QCOMPARE(in<QSpinBox>(effect, "SpeedSpinBox")->value(), 3);
    QCOMPARE(in<QSpinBox>(effect, "LightSpinBox")->value(), 5);
    MouseLight *mouse = page->mouseLightEditor();
    QCOMPARE(in<QComboBox>(mouse, "LightMod")->currentIndex(), 1);
    QCOMPARE(in<QSlider>(mouse, "horizontalLight")->value(), 10);
    QCOMPARE(in<QSpinBox>(mouse, "LightSpinBox_2")->value(), 10);
    QCOMPARE(in<QSlider>(mouse, "horizontalSpeed")->value(), 8);
    QCOMPARE(in<QSpinBox>(mouse, "SpeedSpinBox_2")->value(), 8);
    QVERIFY(!in<QToolButton>(mouse, "RippeControl")->isChecked());
    ReceiveLight *receiver = page->receiverLightEditor();
    QCOMPARE(in<QComboBox>(receiver, "LightMod_2")->currentIndex(), 1);
    QCOMPARE(in<QSpinBox>(receiver, "LightSpinBox_3")->value(), 10);
    QCOMPARE(in<QSpinBox>(receiver, "SpeedSpinBox_3")->value(), 8);
    for (const char *name : {"LightMod_3", "LightMod_4", "LightMod_5"})
        QCOMPARE(in<QComboBox>(page->indicatorLedEditor(), name)->currentIndex(), 0);
    QCOMPARE(MouseBarModeKnown, 1);
    QCOMPARE(DongleBarModeKnown, 1);
    QCOMPARE(DongleBarBrightnessKnown, 10);
    QCOMPARE(DongleBarSpeedKnown, 8);
    QCOMPARE(DongleIndicatorLedKnown[0] + DongleIndicatorLedKnown[1] + DongleIndicatorLedKnown[2],
             0);
    QVERIFY(page->indicatorChoiceEditor()->isHidden());
    QVERIFY(!LightPageFilling);

    QCOMPARE(std::memcmp(&recordBefore, DongleBarModeBuffer, sizeof(LedBarBlock)), 0);
    for (const SimCallRecord &call : SimCallLog())
        QVERIFY2(!call.function.contains("Set") && call.function != "ProtocolDataUpdate",
                 qPrintable(call.function));
}

void TstLightPage::sleepTimeChoice()
{
    UseDevice(WiredMouse);
    QVERIFY(FullRead());
    page->on_StopCloseTime_activated(3);
    QCOMPARE(int(MouseBlock(WiredMouse).SleepTimeCode), 30);
    SimClearCallLog();
    page->on_StopCloseTime_activated(11);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

QTEST_MAIN(TstLightPage)
#include "tst_lightpage.moc"
