// The advanced page and its widgets without a device: fill from a block, the
// long-range frame's place, the angle control's put-back, the turning picture
// and the curve plot's mapping and editing.
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "hub/PostMsg.h"
#include "sensor/Advanced.h"
#include "sensor/AngleMove.h"
#include "sensor/CurvePlotWidget.h"
#include "sensor/RotatableWidget.h"
#include "ui_Advanced.h"
#include "ui_AngleMove.h"
#include "ui_KFPS20.h"
#include "ui_StopCloseTime.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

class TstAdvancedPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void fillFromBlock_data();
    void fillFromBlock();
    void longRangeFrame_data();
    void longRangeFrame();
    void resetShowsLongRangeOnNextLayout_data();
    void resetShowsLongRangeOnNextLayout();
    void angleRefusedGoesBack();
    void angleWhileFillingWritesNothing();
    void rotatableAngles_data();
    void rotatableAngles();
    void rotatableSizeHint();
    void curveMappingAndEditing();

private:
    void UseDevice(int driveIndex, bool wired);
};

void TstAdvancedPage::init()
{
    // No mouse answers: every setter refuses.
    SetCurrentDevicePath(QByteArray());
    DeviceDataReady = true;
    SensorPageFilling = false;
    ConfirmedAngle = 0;
}

void TstAdvancedPage::UseDevice(int driveIndex, bool wired)
{
    DeviceAllInfo info;
    info.DriveIndex = driveIndex;
    info.Wired = wired;
    info.ReceiverType = wired ? 2 : 1;
    SetCurrentDeviceInfo(info);
}

void TstAdvancedPage::fillFromBlock_data()
{
    QTest::addColumn<int>("angle");
    QTest::addColumn<int>("sleepCode");
    QTest::addColumn<int>("scan");
    QTest::addColumn<QString>("angleText");
    QTest::addColumn<int>("sleepIndex");
    QTest::addColumn<bool>("scanOn");
    QTest::newRow("-30 degrees, 15 minutes") << 0xE2 << 90 << 1 << "-30°" << 7 << true;
    QTest::newRow("sleep code not offered") << 12 << 120 << 2 << "12°" << 2 << false;
    QTest::newRow("sleep code 0") << 0 << 0 << 0 << "0°" << 2 << false;
}

void TstAdvancedPage::fillFromBlock()
{
    QFETCH(int, angle);
    QFETCH(int, sleepCode);
    QFETCH(int, scan);
    QFETCH(QString, angleText);
    QFETCH(int, sleepIndex);
    QFETCH(bool, scanOn);
    UseDevice(0, false);
    QWidget window;
    Advanced page(&window);
    page.ui->frameClose->SetIndex(2);
    FlashDataMap block{};
    block.AngleDegrees = int8_t(uint8_t(angle));
    block.SleepTimeCode = uint8_t(sleepCode);
    block.Scan20KOn = uint8_t(scan);
    emit PostMsg::GetInstance()->SigUpDataSensorUIB(block);
    AngleMove *angleFrame = page.ui->FrameAngle;
    QCOMPARE(angleFrame->ui->Keydown_6->text(), angleText);
    QCOMPARE(angleFrame->ui->AngleSet->value(), int(int8_t(uint8_t(angle))));
    QCOMPARE(ConfirmedAngle, int(int8_t(uint8_t(angle))));
    QCOMPARE(page.ui->frameClose->ui->StopClose->currentIndex(), sleepIndex);
    QCOMPARE(page.ui->FrameFPS->ui->KFPS->isChecked(), scanOn);
    QVERIFY(!page.ui->FrameFPS->isVisibleTo(&window));
    QVERIFY(!page.ui->FrameAngle->isVisibleTo(&window));
}

void TstAdvancedPage::longRangeFrame_data()
{
    QTest::addColumn<bool>("wired");
    QTest::addColumn<bool>("shown");
    QTest::newRow("wireless model with long range") << false << true;
    QTest::newRow("the same on its cable") << true << false;
}

void TstAdvancedPage::longRangeFrame()
{
    QFETCH(bool, wired);
    QFETCH(bool, shown);
    UseDevice(0, wired);
    QWidget window;
    Advanced page(&window);
    emit PostMsg::GetInstance()->SigFormB();
    QCOMPARE(page.LongRangeIsShown(), shown);
    QCOMPARE(page.ui->FrameLongMode->isVisibleTo(&window), shown);
    if (shown)
        QCOMPARE(page.ui->FrameLongMode->pos(), QPoint(0, 160));
    // Any argument lays the page out alike.
    page.SetPos(3);
    QCOMPARE(page.ui->FrameLongMode->isVisibleTo(&window), shown);
    // The link reports its long-range mode; on the cable there is none to show.
    QMetaObject::invokeMethod(&page, "SlotLongRangeMode", Qt::DirectConnection, Q_ARG(bool, true));
    QCOMPARE(page.ui->FrameLongMode->isVisibleTo(&window), shown);
    QCOMPARE(page.LongRangeIsShown(), shown);
    page.SetPos(0);
    QCOMPARE(page.ui->FrameLongMode->isVisibleTo(&window), shown);
}

void TstAdvancedPage::resetShowsLongRangeOnNextLayout_data()
{
    QTest::addColumn<int>("driveIndex");
    QTest::addColumn<bool>("wired");
    QTest::addColumn<bool>("shown");
    QTest::newRow("wireless model with long range") << 0 << false << true;
    QTest::newRow("the same on its cable") << 0 << true << false;
    QTest::newRow("wired model") << 1 << true << false;
    QTest::newRow("model the catalogue does not describe") << 7 << false << false;
}

void TstAdvancedPage::resetShowsLongRangeOnNextLayout()
{
    QFETCH(int, driveIndex);
    QFETCH(bool, wired);
    QFETCH(bool, shown);
    UseDevice(driveIndex, wired);
    QWidget window;
    Advanced page(&window);
    QMetaObject::invokeMethod(&page, "SlotFormReset", Qt::DirectConnection);
    QVERIFY(!page.ui->FrameLongMode->isVisibleTo(&window));
    QCOMPARE(page.ui->frameClose->ui->StopClose->currentIndex(), 2);
    emit PostMsg::GetInstance()->SigtVis(0);
    QCOMPARE(page.ui->FrameLongMode->isVisibleTo(&window), shown);
    QCOMPARE(page.LongRangeIsShown(), shown);
}

void TstAdvancedPage::angleRefusedGoesBack()
{
    AngleMove control(nullptr);
    control.ShowAngle(5);
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    control.ui->AngleSet->setValue(10);
    QCOMPARE(control.ui->AngleSet->value(), 5);
    QCOMPARE(control.ui->Keydown_6->text(), QString("5°"));
    QCOMPARE(control.ui->widget_2->angle(), 5);
    QCOMPARE(ConfirmedAngle, 5);
    QCOMPARE(offline.count(), 1);
    // The slider stays usable: the next change is tried again and put back.
    QVERIFY(control.ui->AngleSet->isEnabled());
    control.ui->AngleSet->setValue(-20);
    QCOMPARE(control.ui->AngleSet->value(), 5);
    QCOMPARE(offline.count(), 2);
    // The slider never leaves -30..30.
    control.SetSliderValue(45);
    QCOMPARE(control.ui->AngleSet->value(), 30);
}

void TstAdvancedPage::angleWhileFillingWritesNothing()
{
    AngleMove control(nullptr);
    SensorPageFilling = true;
    QSignalSpy offline(PostMsg::GetInstance(), SIGNAL(SigMouseOffLineo(int)));
    control.ui->AngleSet->setValue(-12);
    SensorPageFilling = false;
    QCOMPARE(control.ui->Keydown_6->text(), QString("-12°"));
    QCOMPARE(control.ui->widget_2->angle(), 348);
    QVERIFY(control.ui->AngleSet->isEnabled());
    QCOMPARE(ConfirmedAngle, 0);
    QVERIFY(offline.isEmpty());
}

void TstAdvancedPage::rotatableAngles_data()
{
    QTest::addColumn<int>("degrees");
    QTest::addColumn<int>("stored");
    QTest::newRow("-30") << -30 << 330;
    QTest::newRow("390") << 390 << 30;
    QTest::newRow("-360") << -360 << 0;
    QTest::newRow("360") << 360 << 0;
}

void TstAdvancedPage::rotatableAngles()
{
    QFETCH(int, degrees);
    QFETCH(int, stored);
    RotatableWidget widget;
    widget.setAngle(degrees);
    QCOMPARE(widget.angle(), stored);
}

void TstAdvancedPage::rotatableSizeHint()
{
    RotatableWidget bare;
    bare.setAngle(30);
    QCOMPARE(bare.sizeHint(), QSize(-1, -1));
    RotatableWidget widget;
    auto *layout = new QVBoxLayout(&widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *child = new QWidget;
    child->setFixedSize(100, 50);
    layout->addWidget(child);
    QCOMPARE(widget.sizeHint(), QSize(100, 50));
    widget.setAngle(90);
    QCOMPARE(widget.sizeHint(), QSize(50, 100));
    widget.setAngle(30);
    QCOMPARE(widget.sizeHint(), QSize(112, 93));
    QCOMPARE(widget.minimumSizeHint(), QSize(112, 93));
}

void TstAdvancedPage::curveMappingAndEditing()
{
    CurvePlotWidget plot;
    plot.resize(721, 381);
    QCOMPARE(plot.points().size(), 8);
    for (const QPointF &p : plot.points())
        QVERIFY(p.y() >= 10 && p.y() <= 59);
    QCOMPARE(plot.dataToScreen(QPointF(0, 0)), QPointF(80, 381 - 80));
    QCOMPARE(plot.dataToScreen(QPointF(7000, 70)), QPointF(721 - 80, 80));
    plot.setPoints({QPointF(3000, 30), QPointF(3010, 30)});
    const QPoint onPoint = plot.dataToScreen(QPointF(3000, 30)).toPoint();
    // Editing off: a click selects nothing.
    QTest::mousePress(&plot, Qt::LeftButton, Qt::NoModifier, onPoint);
    QCOMPARE(plot.selectedIndex(), -1);
    QTest::mouseRelease(&plot, Qt::LeftButton, Qt::NoModifier, onPoint);
    // Editing on: the earlier of two close points wins; a drag stays inside the range.
    plot.setEditable(true);
    QTest::mousePress(&plot, Qt::LeftButton, Qt::NoModifier, onPoint);
    QCOMPARE(plot.selectedIndex(), 0);
    QMouseEvent move(QEvent::MouseMove, QPointF(2000, 1000), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&plot, &move);
    QCOMPARE(plot.points().at(0), QPointF(7000, 0));
    QTest::mouseRelease(&plot, Qt::LeftButton, Qt::NoModifier, onPoint);
    QCOMPARE(plot.selectedIndex(), -1);
    // A plot too small for its margins paints nothing rather than dividing by zero.
    plot.resize(100, 100);
    plot.grab();
}

QTEST_MAIN(TstAdvancedPage)
#include "tst_advancedpage.moc"
