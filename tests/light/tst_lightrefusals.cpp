// Every control of the light page's five editors, on the simulated 4K
// receiver and its wireless mouse, when the change does not reach the device
// (the mouse is switched off, or the mouse or receiver refuses the call): the
// control shows again what the device holds, the device keeps it, the user
// gets exactly one notice, shown once the control is back, and no control is
// left disabled or silenced.
#include "common/NoticeChoice.h"
#include "light/LampLight.h"
#include "light/LightState.h"
#include "light/MouseLight.h"
#include "light/OneLed.h"
#include "light/ReceiveLight.h"
#include "light/SensorEffect.h"
#include "light/ThreeLed.h"

#include "../support/NoticeReader.h"
#include "LightTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using namespace LightTest;

namespace {

enum Control
{
    EffectMode,
    EffectSpeedDrag,
    EffectBrightness,
    BarMode,
    BarBrightnessDrag,
    BarSpeed,
    BarColourTyped,
    BarColourStep,
    BarPreset,
    BarOffWhileMoving,
    ReceiverMode,
    ReceiverBrightness,
    ReceiverSpeedDrag,
    ReceiverColourTyped,
    ReceiverColourStep,
    ReceiverPreset,
    IndicatorChoice,
    Led1,
    Led2,
    Led3
};

enum Fault
{
    Offline,
    Refusing
};

// What the control shows, with the visible parts that depend on it.
QString Shown(QWidget *w, const char *name)
{
    if (auto *box = qobject_cast<QComboBox *>(DeviceFixture::FindChildOrFail<QWidget>(w, name)))
        return QString::number(box->currentIndex());
    if (auto *slider = qobject_cast<QSlider *>(DeviceFixture::FindChildOrFail<QWidget>(w, name)))
        return QString::number(slider->value());
    if (auto *spin = qobject_cast<QSpinBox *>(DeviceFixture::FindChildOrFail<QWidget>(w, name)))
        return QString::number(spin->value());
    if (auto *button =
            qobject_cast<QAbstractButton *>(DeviceFixture::FindChildOrFail<QWidget>(w, name)))
        return button->isChecked() ? "on" : "off";
    return in<QLabel>(w, name)->styleSheet();
}

} // namespace

class TstLightRefusals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void controlPutBack_data();
    void controlPutBack();

private:
    void act(int control);
    // The editor's controls as shown, and the device's records.
    QStringList shownState() const;
    QString deviceState() const;
    QList<QWidget *> controls() const;
    static void drag(QSlider *slider, int position);

    LampLight *page = nullptr;
    SensorEffect *effect = nullptr;
    MouseLight *mouse = nullptr;
    ReceiveLight *bar = nullptr;
    OneLed *one = nullptr;
    ThreeLed *leds = nullptr;
};

void TstLightRefusals::initTestCase()
{
    LabelCatalogue::load();
    SimReset(true);
    page = new LampLight();
    page->show();
    effect = page->dpiEffectEditor();
    mouse = page->mouseLightEditor();
    bar = page->receiverLightEditor();
    one = page->indicatorChoiceEditor();
    leds = page->indicatorLedEditor();
    // Built hidden; shown here so their controls take clicks.
    for (QWidget *w : {static_cast<QWidget *>(mouse), static_cast<QWidget *>(one)})
        w->show();
    UseDevice(Receiver4K);
}

void TstLightRefusals::cleanupTestCase()
{
    UsbServer_Exit();
    delete page;
}

void TstLightRefusals::init()
{
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
    const LedBarBlock start{2, 255, 10, 10, 4, 4, 1};
    QVERIFY(UsbFinderC_SetDongleRGBBarMode(SimDevicePath(Receiver4K), &start));
    const DongleIndicatorLed startLeds{{1, 0, 3}};
    QVERIFY(UsbFinderC_SetDongleIndicatorLed(SimDevicePath(Receiver4K), &startLeds));
    QVERIFY(SetIndicatorOnReceiver(2));
    QVERIFY(ReadBlock(Receiver4K, [](FlashDataMap &m) {
        m.DpiLed = {2, 128, 3, 1};
        m.LedBar = {2, 255, 10, 10, 4, 4, 1};
        m.LightOffWhileMoving = 1;
    }));
    one->ShowIndicatorMode(1);
    SimClearCallLog();
}

void TstLightRefusals::cleanup()
{
    SimRefuseNextCall("ProtocolDataUpdate", 0);
    SimRefuseNextCall("UsbFinderC_SetDongleRGBBarMode", 0);
    SimRefuseNextCall("UsbFinderC_SetDongleIndicatorLed", 0);
    SimRefuseNextCall("UsbFinderC_Set4KDongleRGB", 0);
    SimSetMouseOnline(Receiver4K, true);
}

void TstLightRefusals::drag(QSlider *slider, int position)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
}

void TstLightRefusals::act(int control)
{
    switch (control) {
    case EffectMode:
        in<QComboBox>(effect, "Model")->setCurrentIndex(1);
        break;
    case EffectSpeedDrag:
        drag(in<QSlider>(effect, "SpeedH"), 5);
        break;
    case EffectBrightness:
        in<QSlider>(effect, "LightH")->setValue(9);
        break;
    case BarMode:
        in<QComboBox>(mouse, "LightMod")->setCurrentIndex(0);
        break;
    case BarBrightnessDrag:
        drag(in<QSlider>(mouse, "horizontalLight"), 2);
        break;
    case BarSpeed:
        in<QSlider>(mouse, "horizontalSpeed")->setValue(9);
        break;
    case BarColourTyped:
        in<QSpinBox>(mouse, "GSpinBox")->setValue(77);
        break;
    case BarColourStep:
        in<QToolButton>(mouse, "AddB")->click();
        break;
    case BarPreset:
        in<QToolButton>(mouse, "toolButtonColorG")->click(); // 0, 0, 255
        break;
    case BarOffWhileMoving:
        in<QAbstractButton>(mouse, "RippeControl")->click();
        break;
    case ReceiverMode:
        in<QComboBox>(bar, "LightMod_2")->setCurrentIndex(3);
        break;
    case ReceiverBrightness:
        in<QSlider>(bar, "horizontalLight_2")->setValue(8);
        break;
    case ReceiverSpeedDrag:
        drag(in<QSlider>(bar, "horizontalSpeed_2"), 9);
        break;
    case ReceiverColourTyped:
        in<QSpinBox>(bar, "RSpinBox_2")->setValue(12);
        break;
    case ReceiverColourStep:
        in<QToolButton>(bar, "ReduceR_2")->click();
        break;
    case ReceiverPreset:
        in<QToolButton>(bar, "toolButtonColorB_2")->click(); // 0, 255, 255
        break;
    case IndicatorChoice:
        in<QCheckBox>(one, "ReUntil_3")->click();
        break;
    case Led1:
        in<QComboBox>(leds, "LightMod_3")->setCurrentIndex(2);
        break;
    case Led2:
        in<QComboBox>(leds, "LightMod_4")->setCurrentIndex(3);
        break;
    case Led3:
        in<QComboBox>(leds, "LightMod_5")->setCurrentIndex(0);
        break;
    }
}

QList<QWidget *> TstLightRefusals::controls() const
{
    QList<QWidget *> all;
    for (QWidget *editor :
         {static_cast<QWidget *>(effect), static_cast<QWidget *>(mouse),
          static_cast<QWidget *>(bar), static_cast<QWidget *>(one), static_cast<QWidget *>(leds)}) {
        for (QWidget *w : editor->findChildren<QWidget *>()) {
            if (qobject_cast<QComboBox *>(w) || qobject_cast<QSlider *>(w) ||
                qobject_cast<QSpinBox *>(w) || qobject_cast<QCheckBox *>(w))
                all << w;
        }
    }
    all << in<QWidget>(mouse, "RippeControl");
    return all;
}

QStringList TstLightRefusals::shownState() const
{
    QStringList state;
    for (const char *name : {"Model", "SpeedH", "SpeedSpinBox", "LightH", "LightSpinBox"})
        state << Shown(effect, name);
    state << QString::number(in<QSlider>(effect, "SpeedH")->isVisibleTo(page));
    for (const char *name :
         {"LightMod", "horizontalLight", "LightSpinBox_2", "horizontalSpeed", "SpeedSpinBox_2",
          "RSpinBox", "GSpinBox", "BSpinBox", "labelPreView", "RippeControl"})
        state << Shown(mouse, name);
    state << QString::number(in<QSpinBox>(mouse, "RSpinBox")->isVisibleTo(page));
    for (const char *name :
         {"LightMod_2", "horizontalLight_2", "LightSpinBox_3", "horizontalSpeed_2",
          "SpeedSpinBox_3", "RSpinBox_2", "GSpinBox_2", "BSpinBox_2", "labelPreView_2"})
        state << Shown(bar, name);
    state << QString::number(one->checkedOption());
    for (const char *name : {"LightMod_3", "LightMod_4", "LightMod_5"})
        state << Shown(leds, name);
    return state;
}

QString TstLightRefusals::deviceState() const
{
    const FlashDataMap m = MouseBlock(Receiver4K);
    const QByteArray mouseLights =
        QByteArray(reinterpret_cast<const char *>(&m.DpiLed), sizeof(m.DpiLed)) +
        QByteArray(reinterpret_cast<const char *>(&m.LedBar), sizeof(m.LedBar)) +
        char(m.LightOffWhileMoving);
    DongleIndicatorLed ledsHeld{};
    UsbFinderC_GetDongleIndicatorLed(SimDevicePath(Receiver4K), &ledsHeld);
    DongleRGB rgb{};
    UsbFinderC_Get4KDongleRGBValue(SimDevicePath(Receiver4K), &rgb);
    return QString(mouseLights.toHex()) + " " + BarBytes(ReceiverBar(Receiver4K)).join(",") +
           QStringLiteral(" %1,%2,%3 %4")
               .arg(ledsHeld.Led[0])
               .arg(ledsHeld.Led[1])
               .arg(ledsHeld.Led[2])
               .arg(rgb.IndicatorMode);
}

void TstLightRefusals::controlPutBack_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("refusedCall");
    const QList<QPair<const char *, int>> blockControls = {
        {"effect mode", EffectMode},
        {"effect speed drag", EffectSpeedDrag},
        {"effect brightness", EffectBrightness},
        {"bar mode", BarMode},
        {"bar brightness drag", BarBrightnessDrag},
        {"bar speed", BarSpeed},
        {"bar colour typed", BarColourTyped},
        {"bar colour step", BarColourStep},
        {"bar preset", BarPreset},
        {"bar off while moving", BarOffWhileMoving}};
    const QList<QPair<const char *, int>> receiverControls = {
        {"receiver mode", ReceiverMode},
        {"receiver brightness", ReceiverBrightness},
        {"receiver speed drag", ReceiverSpeedDrag},
        {"receiver colour typed", ReceiverColourTyped},
        {"receiver colour step", ReceiverColourStep},
        {"receiver preset", ReceiverPreset}};
    for (const auto &c : blockControls) {
        QTest::newRow(qPrintable(QString(c.first) + ", offline"))
            << c.second << int(Offline) << QString();
        QTest::newRow(qPrintable(QString(c.first) + ", refusing"))
            << c.second << int(Refusing) << "ProtocolDataUpdate";
    }
    for (const auto &c : receiverControls) {
        QTest::newRow(qPrintable(QString(c.first) + ", offline"))
            << c.second << int(Offline) << QString();
        QTest::newRow(qPrintable(QString(c.first) + ", refusing"))
            << c.second << int(Refusing) << "UsbFinderC_SetDongleRGBBarMode";
    }
    QTest::newRow("indicator choice, offline") << int(IndicatorChoice) << int(Offline) << QString();
    QTest::newRow("indicator choice, refusing")
        << int(IndicatorChoice) << int(Refusing) << "UsbFinderC_Set4KDongleRGB";
    // The receiver keeps its LEDs while the mouse is away (the notice says
    // the mouse did not get the block): only the receiver refuses them.
    for (const auto &c :
         QList<QPair<const char *, int>>{{"LED 1", Led1}, {"LED 2", Led2}, {"LED 3", Led3}})
        QTest::newRow(qPrintable(QString(c.first) + ", refusing"))
            << c.second << int(Refusing) << "UsbFinderC_SetDongleIndicatorLed";
}

void TstLightRefusals::controlPutBack()
{
    QFETCH(int, control);
    QFETCH(int, fault);
    QFETCH(QString, refusedCall);
    const QStringList shownBefore = shownState();
    const QString deviceBefore = deviceState();
    QSignalSpy notices(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    NoticeReader reader(page, [this] { return shownState().join(QLatin1Char('|')); });
    if (fault == Offline)
        QVERIFY(SimSetMouseOnline(Receiver4K, false));
    else
        SimRefuseNextCall(refusedCall.toLatin1().constData());
    act(control);
    QVERIFY(WaitIdle());
    cleanup();
    QCOMPARE(shownState(), shownBefore);
    QCOMPARE(deviceState(), deviceBefore);
    QCOMPARE(notices.count(), 1);
    QCOMPARE(notices.first().at(0).toInt(),
             int(fault == Offline ? MouseNoticeOffline : MouseNoticeRefused));
    // The user reads the notice beside the controls as the device holds them.
    QTRY_COMPARE(reader.seen.size(), 1);
    QCOMPARE(reader.seen.first().kind, notices.first().at(0).toInt());
    QCOMPARE(reader.seen.first().look, shownBefore.join(QLatin1Char('|')));
    // Nothing waits for the next read to be usable again.
    for (QWidget *w : controls()) {
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY2(!w->signalsBlocked(), qPrintable(w->objectName()));
    }
}

QTEST_MAIN(TstLightRefusals)
#include "tst_lightrefusals.moc"
