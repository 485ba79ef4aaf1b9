// The colour board of the light editors, driven through a screen of the
// test's own: the grab point, what a pick writes, the offline guard and the
// focus handling of a press.
#include "light/LampLight.h"
#include "light/MouseLight.h"
#include "light/ReceiveLight.h"
#include "platform/ScreenPicker.h"

#include "LightTestSupport.h"

#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

#include <cmath>
#include <limits>

using namespace LightTest;

namespace {

class FakeScreen : public ScreenPixelSource
{
public:
    QPoint cursor{100, 50};
    double scale = 1.0;
    QColor colour{255, 10, 99};
    bool usable = true;
    mutable QList<QRect> grabs;

    QPoint cursorPos() const override { return cursor; }
    double desktopScale() const override { return scale; }
    QImage grab(int x, int y, int width, int height) const override
    {
        grabs.append(QRect(x, y, width, height));
        if (!usable)
            return QImage();
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
};

} // namespace

class TstColourPicker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void grabPointScaling_data();
    void grabPointScaling();
    void pickOnBoard_data();
    void pickOnBoard();
    void offlineGuard();
    void onlyPressesPick();
    void focusLeavesTheBoxes();
    void noUsablePixelChangesNothing();
    void receiverBoardWritesRecord();

private:
    QPoint centreOf(QWidget *editor, const char *name)
    {
        QWidget *w = in<QWidget>(editor, name);
        return w->mapTo(editor, w->rect().center());
    }

    LampLight *page = nullptr;
    MouseLight *mouse = nullptr;
    ReceiveLight *receiver = nullptr;
    FakeScreen screen;
    QSignalSpy *offline = nullptr;
};

void TstColourPicker::initTestCase()
{
    SimReset(true);
    page = new LampLight();
    page->show();
    mouse = page->mouseLightEditor();
    mouse->show();
    receiver = page->receiverLightEditor();
    offline = new QSignalSpy(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    ScreenPicker::setSource(&screen);
    UseDevice(Receiver4K);
}

void TstColourPicker::cleanupTestCase()
{
    ScreenPicker::setSource(nullptr);
    UsbServer_Exit();
    delete offline;
    delete page;
}

void TstColourPicker::init()
{
    screen = FakeScreen();
    SimSetMouseOnline(Receiver4K, true);
    DeviceDataReady = true;
    QVERIFY(ReadBlock(Receiver4K, [](FlashDataMap &m) { m.LedBar = {2, 255, 10, 10, 4, 4, 1}; }));
    SimClearCallLog();
    offline->clear();
}

void TstColourPicker::cleanup()
{
    LightPageFilling = false;
}

void TstColourPicker::grabPointScaling_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QPoint>("grab");

    QTest::newRow("3840 over 1920") << QPoint(100, 50) << 2.0 << QPoint(200, 100);
    QTest::newRow("truncated toward zero") << QPoint(101, 51) << 1.5 << QPoint(151, 76);
    QTest::newRow("vertical uses the horizontal scale")
        << QPoint(10, 300) << 1.25 << QPoint(12, 375);
    QTest::newRow("no width known") << QPoint(7, 9) << 0.0 << QPoint(7, 9);
    QTest::newRow("not a number") << QPoint(7, 9) << std::numeric_limits<double>::quiet_NaN()
                                  << QPoint(7, 9);
}

void TstColourPicker::grabPointScaling()
{
    QFETCH(QPoint, cursor);
    QFETCH(double, scale);
    QFETCH(QPoint, grab);
    QCOMPARE(ScreenPicker::grabPointFor(cursor, scale), grab);

    screen.cursor = cursor;
    screen.scale = scale;
    const ScreenPicker::Pick pick = ScreenPicker::pickAtCursor();
    QVERIFY(pick.valid);
    QCOMPARE(screen.grabs, QList<QRect>({QRect(grab, QSize(2, 2))}));
    QCOMPARE(pick.colour, QColor(255, 10, 99));
}

void TstColourPicker::pickOnBoard_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("writes");

    QTest::newRow("differs in blue only") << QColor(255, 10, 99) << int(Qt::LeftButton) << 1;
    // The picked colour is one change: one write, whatever differs.
    QTest::newRow("right button picks too") << QColor(1, 2, 3) << int(Qt::RightButton) << 1;
    QTest::newRow("the colour already held") << QColor(255, 10, 10) << int(Qt::LeftButton) << 0;
}

void TstColourPicker::pickOnBoard()
{
    QFETCH(QColor, colour);
    QFETCH(int, button);
    QFETCH(int, writes);

    screen.colour = colour;
    QTest::mousePress(mouse, Qt::MouseButton(button), {}, centreOf(mouse, "label_7"));
    QCOMPARE(screen.grabs.size(), 1);
    QCOMPARE(in<QSpinBox>(mouse, "RSpinBox")->value(), colour.red());
    QCOMPARE(in<QSpinBox>(mouse, "GSpinBox")->value(), colour.green());
    QCOMPARE(in<QSpinBox>(mouse, "BSpinBox")->value(), colour.blue());
    QCOMPARE(in<QLabel>(mouse, "labelPreView")->styleSheet(),
             QString("QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  "
                     "rgb(220,220,220);}")
                 .arg(colour.red())
                 .arg(colour.green())
                 .arg(colour.blue()));
    QCOMPARE(CountCalls("ProtocolDataUpdate"), writes);
    const LedBarBlock bar = MouseBlock(Receiver4K).LedBar;
    QCOMPARE(QColor(bar.ColorR, bar.ColorG, bar.ColorB), colour);
}

void TstColourPicker::offlineGuard()
{
    QVERIFY(SimSetMouseOnline(Receiver4K, false));
    QTest::mousePress(mouse, Qt::LeftButton, {}, centreOf(mouse, "label_7"));
    QCOMPARE(offline->count(), 1);
    QVERIFY(screen.grabs.isEmpty());
    QCOMPARE(in<QSpinBox>(mouse, "BSpinBox")->value(), 10);

    // While the page fills, the guard lets the pick go on.
    LightPageFilling = true;
    QTest::mousePress(mouse, Qt::LeftButton, {}, centreOf(mouse, "label_7"));
    QCOMPARE(offline->count(), 1);
    QCOMPARE(in<QSpinBox>(mouse, "BSpinBox")->value(), 99);
}

void TstColourPicker::onlyPressesPick()
{
    const QPoint board = centreOf(mouse, "label_7");
    QTest::mousePress(mouse, Qt::LeftButton, {}, board);
    QTest::mouseRelease(mouse, Qt::LeftButton, {}, board);
    QTest::mouseDClick(mouse, Qt::LeftButton, {}, board);
    QCOMPARE(screen.grabs.size(), 1);
}

void TstColourPicker::focusLeavesTheBoxes()
{
    QSpinBox *green = in<QSpinBox>(mouse, "GSpinBox");
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));
    green->setFocus();
    QVERIFY2(mouse->window()->focusWidget() == green,
             mouse->window()->focusWidget()
                 ? mouse->window()->focusWidget()->metaObject()->className()
                 : "none");
    // A press inside a colour box leaves its focus alone.
    QTest::mousePress(mouse, Qt::LeftButton, {}, centreOf(mouse, "GSpinBox"));
    QCOMPARE(mouse->window()->focusWidget(), green);
    // Elsewhere the editor takes it; no colour is picked off the board.
    QTest::mousePress(mouse, Qt::LeftButton, {}, centreOf(mouse, "label_3"));
    QCOMPARE(mouse->window()->focusWidget(), static_cast<QWidget *>(mouse));
    QVERIFY(screen.grabs.isEmpty());
    QCOMPARE(green->value(), 10);
}

void TstColourPicker::noUsablePixelChangesNothing()
{
    screen.usable = false;
    const QString preview = in<QLabel>(mouse, "labelPreView")->styleSheet();
    QTest::mousePress(mouse, Qt::LeftButton, {}, centreOf(mouse, "label_7"));
    QCOMPARE(screen.grabs.size(), 1);
    QCOMPARE(in<QSpinBox>(mouse, "RSpinBox")->value(), 255);
    QCOMPARE(in<QSpinBox>(mouse, "GSpinBox")->value(), 10);
    QCOMPARE(in<QLabel>(mouse, "labelPreView")->styleSheet(), preview);
    QCOMPARE(CountCalls("ProtocolDataUpdate"), 0);
}

void TstColourPicker::receiverBoardWritesRecord()
{
    QVERIFY(FullRead()); // fills the receiver editor from the receiver
    // The page never shows this tab; brought to front here to see the focus.
    page->findChild<QTabWidget *>("tabWidget")->setCurrentIndex(1);
    page->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(page));
    SimClearCallLog();
    screen.colour = QColor(9, 8, 7);
    QSpinBox *speed = in<QSpinBox>(receiver, "SpeedSpinBox_3");
    speed->setFocus();
    QCOMPARE(receiver->window()->focusWidget(), speed);
    QTest::mousePress(receiver, Qt::LeftButton, {}, centreOf(receiver, "label_24"));
    QCOMPARE(receiver->window()->focusWidget(), static_cast<QWidget *>(receiver));
    page->findChild<QTabWidget *>("tabWidget")->setCurrentIndex(0);
    QCOMPARE(CountCalls("UsbFinderC_SetDongleRGBBarMode"), 1);
    const LedBarBlock bar = ReceiverBar(Receiver4K);
    QCOMPARE(QColor(bar.ColorR, bar.ColorG, bar.ColorB), QColor(9, 8, 7));
    QVERIFY(in<QLabel>(receiver, "labelPreView_2")->styleSheet().contains("rgb(9,8,7)"));
}

QTEST_MAIN(TstColourPicker)
#include "tst_colourpicker.moc"
