// The device window: page buttons switch pages and emit what the other pages
// wait for; battery, link icon, recording lock and the wait dialog follow the
// hub's signals.
#include "app/Dialog.h"
#include "app/PreVier.h"
#include "common/DialogSeam.h"
#include "common/SharedState.h"
#include "device/UpDataParam.h"
#include "hub/PostMsg.h"
#include "light/LampLight.h"
#include "macro/Macro.h"
#include "sensor/Advanced.h"
#include "sensor/Sensor.h"
#include "settings/FormSetting.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

class TstDeviceWindow : public QObject
{
    Q_OBJECT

private:
    Dialog *window = nullptr;
    QStackedWidget *stack() { return window->findChild<QStackedWidget *>("stackedWidgetDialog"); }
    QToolButton *button(const char *name) { return window->findChild<QToolButton *>(name); }
    QString background() { return window->findChild<QFrame *>("frame_2")->styleSheet(); }

private slots:
    void initTestCase()
    {
        window = new Dialog(nullptr);
        window->show();
    }
    void cleanupTestCase() { delete window; }

    void startsOnSummary()
    {
        QCOMPARE(stack()->count(), 7);
        QCOMPARE(stack()->currentWidget(), static_cast<QWidget *>(window->summaryPage()));
        QVERIFY(button("PreButton")->isChecked());
        QVERIFY(background().contains("/Picture/Dialog/BackGround2.png"));
        QVERIFY(window->findChild<QLabel *>("label")->isHidden()); // charging mark
        QVERIFY(button("SetButton")->isHidden());
        // No mouse has told its battery yet: no level, not a full one.
        QCOMPARE(window->findChild<QLabel *>("label_2")->text(), QString());
        auto *gauge = window->findChild<QProgressBar *>("progressBar");
        QVERIFY(gauge->value() < gauge->minimum());
        QVERIFY(!gauge->isEnabled());
        QVERIFY(window->waitDialog());
        QVERIFY(!window->waitDialog()->parent());
    }

    void stackOrder()
    {
        const QList<QWidget *> expected = {window->summaryPage(), window->buttonPage(),
                                           window->sensorPage(),  window->macroPage(),
                                           window->lightPage(),   window->advancedPage(),
                                           window->settingsPage()};
        for (int i = 0; i < expected.size(); ++i) {
            QVERIFY(expected[i]);
            QCOMPARE(stack()->widget(i), expected[i]);
            QCOMPARE(expected[i]->parentWidget(), stack());
        }
    }

    void pageButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("hubSignal");
        QTest::newRow("buttons") << "ButtonMain" << 1 << "SigAddMacroButton";
        QTest::newRow("sensor") << "SensorButton" << 2 << "";
        QTest::newRow("macro") << "MacroButton" << 3 << "";
        QTest::newRow("lights") << "LightsButton" << 4 << "";
        QTest::newRow("advanced") << "Advanced" << 5 << "SigtVis";
        QTest::newRow("settings") << "FormSetting" << 6 << "";
        QTest::newRow("summary") << "PreButton" << 0 << "";
    }

    void pageButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        QFETCH(QString, hubSignal);
        PostMsg *hub = PostMsg::GetInstance();
        QSignalSpy macroButtons(hub, &PostMsg::SigAddMacroButton);
        QList<int> pageAtVis; // the page shown when SigtVis arrives
        QMetaObject::Connection c = connect(hub, &PostMsg::SigtVis, this, [&](int index) {
            QCOMPARE(index, 0);
            pageAtVis.append(stack()->currentIndex());
        });
        const int before = stack()->currentIndex();

        QTest::mouseClick(button(name.toLatin1()), Qt::LeftButton);
        disconnect(c);

        QCOMPARE(stack()->currentIndex(), page);
        QVERIFY(button(name.toLatin1())->isChecked());
        QCOMPARE(macroButtons.count(), hubSignal == "SigAddMacroButton" ? 1 : 0);
        if (hubSignal == "SigtVis")
            QCOMPARE(pageAtVis, QList<int>{before}); // the advanced page lays out first
        else
            QVERIFY(pageAtVis.isEmpty());
        QVERIFY(background().contains(page == 0 ? "/BackGround2.png" : "/BackGround.png"));
        int checked = 0;
        for (const char *b : {"PreButton", "ButtonMain", "SensorButton", "MacroButton",
                              "LightsButton", "Advanced", "FormSetting"})
            checked += button(b)->isChecked() ? 1 : 0;
        QCOMPARE(checked, 1);
    }

    void battery_data()
    {
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("isText");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("chunk");
        QTest::newRow("low") << false << 15 << true << "15%"
                             << "rgb(152, 43, 34)";
        QTest::newRow("ok") << false << 16 << true << "16%"
                            << "rgb(0, 255, 153)";
        QTest::newRow("charging bare") << true << 50 << false << "50"
                                       << "rgb(0, 255, 153)";
        QTest::newRow("negative") << false << -3 << true << "-3%"
                                  << "rgb(152, 43, 34)";
    }

    void battery()
    {
        QFETCH(bool, charging);
        QFETCH(int, number);
        QFETCH(bool, isText);
        QFETCH(QString, text);
        QFETCH(QString, chunk);
        // The device library's thread emits this one; its blocking connection
        // makes it wait until the window has shown the value.
        QThread *thread = QThread::create(
            [&] { emit PostMsg::GetInstance()->SigBattery(charging, number, isText); });
        thread->start();
        QTRY_VERIFY(thread->isFinished());
        delete thread;
        QCOMPARE(window->findChild<QLabel *>("label_2")->text(), text);
        QCOMPARE(window->findChild<QLabel *>("label")->isVisible(), charging);
        auto *gauge = window->findChild<QProgressBar *>("progressBar");
        QVERIFY(gauge->styleSheet().contains("chunk {background-color: " + chunk));
        if (number >= 0)
            QCOMPARE(gauge->value(), number);
    }

    void wiredOnlyMouseHasNoBattery_data()
    {
        QTest::addColumn<int>("driveIndex");
        QTest::addColumn<bool>("wired");
        QTest::addColumn<bool>("shown");
        QTest::newRow("wired-only model") << 1 << true << false;
        QTest::newRow("wireless model on its cable") << 0 << true << true;
        QTest::newRow("wireless model") << 0 << false << true;
    }

    void wiredOnlyMouseHasNoBattery()
    {
        QFETCH(int, driveIndex);
        QFETCH(bool, wired);
        QFETCH(bool, shown);
        DeviceAllInfo info;
        info.DriveIndex = driveIndex;
        info.Wired = wired;
        emit PostMsg::GetInstance()->SigSelectMouseInfo(info);
        // The mouse answers the battery query all the same.
        QThread *thread =
            QThread::create([] { emit PostMsg::GetInstance()->SigBattery(false, 100, true); });
        thread->start();
        QTRY_VERIFY(thread->isFinished());
        delete thread;
        auto *text = window->findChild<QLabel *>("label_2");
        QCOMPARE(text->isVisible(), shown);
        QCOMPARE(window->findChild<QProgressBar *>("progressBar")->isVisible(), shown);
        QCOMPARE(window->findChild<QLabel *>("BatteryButtonC")->isVisible(), shown);
        QVERIFY(!window->findChild<QLabel *>("label")->isVisible());
        if (shown)
            QCOMPARE(text->text(), QString("100%"));
    }

    void linkIcon()
    {
        auto *icon = window->findChild<QLabel *>("label_4");
        emit PostMsg::GetInstance()->SigIsUsb(true, true);
        QVERIFY(icon->styleSheet().contains("/Picture/Dialog/OnLineUsb.png"));
        emit PostMsg::GetInstance()->SigIsUsb(false, false);
        QVERIFY(icon->styleSheet().contains("/Picture/Dialog/OnLineWifi.png"));
    }

    void recordingLock()
    {
        const QList<const char *> pages = {"PreButton",   "ButtonMain",   "SensorButton",
                                           "MacroButton", "LightsButton", "Advanced",
                                           "FormSetting"};
        PostMsg *hub = PostMsg::GetInstance();
        emit hub->SigStartRecord(0);
        for (const char *b : pages)
            QVERIFY2(!button(b)->isEnabled(), b);
        for (const char *b : {"UpArrow", "MinButton", "CloseButton"})
            QVERIFY2(button(b)->isEnabled(), b);
        emit hub->SigStartRecord(2);
        QVERIFY(!button("PreButton")->isEnabled());
        emit hub->SigStartRecord(1);
        for (const char *b : pages)
            QVERIFY2(button(b)->isEnabled(), b);
    }

    void escapeAndF12DoNothing()
    {
        QTest::mouseClick(button("SensorButton"), Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_Escape);
        QTest::keyClick(window, Qt::Key_F12);
        QVERIFY(window->isVisible());
        QCOMPARE(stack()->currentIndex(), 2);
    }

    void minimiseAndClose()
    {
        QSignalSpy size(PostMsg::GetInstance(), &PostMsg::SigChangeSize);
        QTest::mouseClick(button("MinButton"), Qt::LeftButton);
        QTest::mouseClick(button("CloseButton"), Qt::LeftButton);
        QCOMPARE(size.count(), 2);
        QCOMPARE(size.at(0).at(0).toInt(), 0);
        QCOMPARE(size.at(1).at(0).toInt(), 1);
    }

    void leavingTheDevicePage()
    {
        QTest::mouseClick(button("LightsButton"), Qt::LeftButton);
        QStringList order;
        PostMsg *hub = PostMsg::GetInstance();
        auto c1 = connect(hub, &PostMsg::SigChangeMainDialog, this,
                          [&](int i) { order << QString("main%1").arg(i); });
        auto c2 = connect(hub, &PostMsg::SigSetMacroPage, this, [&] { order << "macro"; });
        QTest::mouseClick(button("UpArrow"), Qt::LeftButton);
        disconnect(c1);
        disconnect(c2);
        QCOMPARE(order, (QStringList{"main0", "macro"}));
        QVERIFY(button("PreButton")->isChecked());
        // The main window answers with SigSecondPageChange: back on the summary.
        emit hub->SigSecondPageChange();
        QCOMPARE(stack()->currentIndex(), 0);
        QVERIFY(background().contains("/BackGround2.png"));
    }

    void waitDialogRunsOncePerRead()
    {
        UpDataParam *wait = window->waitDialog();
        int runs = 0;
        bool resetModeSeen = false;
        DialogSeam::ExecHandler previous = DialogSeam::setExecHandler([&](QDialog &dialog) {
            ++runs;
            QCOMPARE(&dialog, static_cast<QDialog *>(wait));
            resetModeSeen = wait->ResetMode;
            // A read reported while the dialog is open only restarts its timer.
            emit PostMsg::GetInstance()->SigUpDataParam(0);
            dialog.hide();
        });
        emit PostMsg::GetInstance()->SigUpDataParam(1);
        DialogSeam::setExecHandler(previous);
        QCOMPARE(runs, 1);
        QVERIFY(resetModeSeen);
        // Centred over the window, 20 pixels up.
        const QPoint g = window->mapToGlobal(QPoint(0, 0));
        QCOMPARE(wait->pos(), QPoint(g.x() + (window->width() - wait->width()) / 2,
                                     g.y() - 20 + (window->height() - wait->height()) / 2));
    }

    void versionsReachTheSummary()
    {
        // The settings page forwards the receiver version of a chosen device
        // and clears both versions when another device is chosen.
        auto *summary = window->summaryPage();
        emit PostMsg::GetInstance()->SigLabelTextB("v1.05", "true");
        QCOMPARE(summary->findChild<QLabel *>("DongleValue")->text(), QString("v1.05"));
        QVERIFY(!summary->findChild<QLabel *>("DongleUp")->isHidden());
        emit PostMsg::GetInstance()->SigLabelTextB("v1.06", "false");
        QVERIFY(summary->findChild<QLabel *>("DongleUp")->isHidden());
        emit PostMsg::GetInstance()->SigLabelText(1, "v2.10");
        QCOMPARE(summary->findChild<QLabel *>("MouseValue")->text(), QString("v2.10"));
        emit PostMsg::GetInstance()->SigSetver(6);
        QCOMPARE(summary->findChild<QLabel *>("MouseValue")->text(), QString());
        QCOMPARE(summary->findChild<QLabel *>("DongleValue")->text(), QString());
    }

    void pagesMarkReadsApplied()
    {
        // The wait dialog waits for the light and sensor pages to report a
        // full read; the pages do so on the worker's blocking signals.
        LightPageUpdated = false;
        SensorPageUpdated = false;
        FlashDataMap block{};
        QThread *thread = QThread::create([&] {
            emit PostMsg::GetInstance()->SigUpDataLightLight(block);
            emit PostMsg::GetInstance()->SigUpDataLightSensor(block);
        });
        thread->start();
        QTRY_VERIFY(thread->isFinished());
        delete thread;
        QVERIFY(LightPageUpdated);
        QVERIFY(SensorPageUpdated);
    }
};

QTEST_MAIN(TstDeviceWindow)
#include "tst_devicewindow.moc"
