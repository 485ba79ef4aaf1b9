// The main window: shows, hides into the tray and comes back, follows the
// language, handles its keys, drags, shows the offline notice, and writes the
// preferences before the tray's exit ends the process.
#include "app/Dialog.h"
#include "app/DialogMain.h"
#include "common/DialogSeam.h"
#include "common/FontScaling.h"
#include "common/LabelCatalogue.h"
#include "common/MacroIniStore.h"
#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "hub/PostMsg.h"
#include "light/LampLight.h"
#include "light/SensorEffect.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSettings>
#include <QSlider>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

namespace {
int exitCode = -1;
QString languageOnDiskAtExit;
void fakeExit(int code)
{
    exitCode = code;
    // What a process ended right here would leave on the disk.
    QSettings onDisk(MacroIniStore::GetInstance()->filePath(), QSettings::IniFormat);
    languageOnDiskAtExit = onDisk.value("Language/Language").toString();
}
} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private:
    DialogMain *main = nullptr;

    // A press and a move with the left button held, delivered as the window
    // system does: to the widget under the cursor, which may pass it on.
    void pressAndMove(QWidget *under, QPoint at, QPoint by)
    {
        const QPoint global = under->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(under, &press);
        QMouseEvent move(QEvent::MouseMove, at + by, global + by, Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(under, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, at + by, global + by, Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(under, &release);
    }

    void sendMouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
    {
        const QPoint local = main->mapFromGlobal(global);
        QMouseEvent event(type, local, global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(main, &event);
    }

private slots:
    void initTestCase()
    {
        DialogMain::ExitProcess = fakeExit;
        DialogMain::TrayAvailable = [] { return true; };
        main = new DialogMain(nullptr);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
    }
    void cleanupTestCase() { delete main; }

    void framelessOnTheChooser()
    {
        QVERIFY(main->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(main->size(), QSize(1020, 700));
        // Start-up scales the program by this size before the window exists.
        QCOMPARE(main->size(), QSize(DialogMain::FixedWidth, DialogMain::FixedHeight));
        QCOMPARE(main->currentPage(), 0);
        QVERIFY(main->chooserPage());
        QVERIFY(!main->trayIcon()->isVisible());
        QCOMPARE(main->trayIcon()->toolTip(), QString("ORVAK"));
    }

    void switchesPages()
    {
        PostMsg *hub = PostMsg::GetInstance();
        QSignalSpy second(hub, &PostMsg::SigSecondPageChange);
        QSignalSpy mainPage(hub, &PostMsg::SigMainPageChange);
        emit hub->SigChangeMainDialog(1);
        QCOMPARE(main->currentPage(), 1);
        QVERIFY(main->onDeviceWindow());
        QCOMPARE(second.count(), 0);
        emit hub->SigChangeMainDialog(0);
        QCOMPARE(main->currentPage(), 0);
        QCOMPARE(second.count(), 1);
        QCOMPARE(mainPage.count(), 1);
        QCOMPARE(int(DevicePageActive), 0);
        emit hub->SigChangeMainDialog(5);
        QCOMPARE(main->currentPage(), 0);
    }

    void hidesIntoTheTrayAndComesBack_data()
    {
        QTest::addColumn<int>("sizeIndex");
        QTest::addColumn<int>("reason");
        QTest::newRow("device window, click") << 0 << int(QSystemTrayIcon::Trigger);
        QTest::newRow("chooser, double click") << 2 << int(QSystemTrayIcon::DoubleClick);
        QTest::newRow("menu open") << 2 << -1;
    }

    void hidesIntoTheTrayAndComesBack()
    {
        QFETCH(int, sizeIndex);
        QFETCH(int, reason);
        PostMsg *hub = PostMsg::GetInstance();
        const int page = main->currentPage();
        // Several trips to the tray leave one menu with one open and one exit.
        emit hub->SigChangeSize(sizeIndex);
        main->show();
        emit hub->SigChangeSize(sizeIndex);
        QVERIFY(!main->isVisible());
        QVERIFY(main->trayIcon()->isVisible());
        QCOMPARE(main->trayIcon()->contextMenu(), main->trayMenu());
        QCOMPARE(main->trayMenu()->actions().size(), 3); // open, separator, exit

        if (reason < 0)
            main->trayMenu()->actions().first()->trigger();
        else
            emit main->trayIcon()->activated(QSystemTrayIcon::ActivationReason(reason));
        QVERIFY(main->isVisible());
        QVERIFY(!main->trayIcon()->isVisible());
        QCOMPARE(main->currentPage(), page);
        // A second signal from the tray changes nothing more.
        emit main->trayIcon()->activated(QSystemTrayIcon::Unknown);
        QVERIFY(main->isVisible());
    }

    void withoutTrayTheWindowStaysReachable()
    {
        DialogMain::TrayAvailable = [] { return false; };
        emit PostMsg::GetInstance()->SigChangeSize(2);
        DialogMain::TrayAvailable = [] { return true; };
        QVERIFY(main->isVisible());
        QVERIFY(main->isMinimized());
        QVERIFY(!main->trayIcon()->isVisible());
        main->showNormal();
        QVERIFY(!main->isMinimized());
    }

    void menuTextsFollowLanguage()
    {
        HomeLabels[0]["OpenMain"] = "Open ORVAK";
        HomeLabels[0]["Exit"] = "Exit";
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        QCOMPARE(main->openText(), QString("Open ORVAK"));
        emit PostMsg::GetInstance()->SigChangeSize(2);
        QCOMPARE(main->trayMenu()->actions().first()->text(), QString("Open ORVAK"));
        QCOMPARE(main->trayMenu()->actions().last()->text(), QString("Exit"));

        // New texts reach the menu the next time the window goes to the tray.
        HomeLabels[0]["OpenMain"] = "Show";
        HomeLabels[0].remove("Exit");
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        QCOMPARE(main->trayMenu()->actions().first()->text(), QString("Open ORVAK"));
        main->show();
        emit PostMsg::GetInstance()->SigChangeSize(2);
        QCOMPARE(main->trayMenu()->actions().first()->text(), QString("Show"));
        QCOMPARE(main->trayMenu()->actions().last()->text(), QString());
        emit main->trayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(main->isVisible());
    }

    void trayExitWritesPreferencesFirst()
    {
        MacroIniStore::GetInstance()->SetValue("Language", "Language", "0");
        emit PostMsg::GetInstance()->SigChangeSize(2);
        exitCode = -1;
        main->trayMenu()->actions().last()->trigger();
        QCOMPARE(exitCode, 0);
        QCOMPARE(languageOnDiskAtExit, QString("0"));
        main->show();
        main->trayIcon()->hide();
    }

    void keys()
    {
        QSignalSpy enter(PostMsg::GetInstance(), &PostMsg::SigEnterKey);
        QTest::keyClick(main, Qt::Key_Escape);
        QTest::keyClick(main, Qt::Key_F12);
        QVERIFY(main->isVisible());
        QTest::keyClick(main, Qt::Key_Return);
        QTest::keyClick(main, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(enter.count(), 2);
        MacroRecording = true;
        QTest::keyClick(main, Qt::Key_Return);
        QTest::keyClick(main, Qt::Key_Escape);
        MacroRecording = false;
        QCOMPARE(enter.count(), 2);
        QVERIFY(main->isVisible());
        // Space on the chooser without exactly one receiver device: nothing.
        DialogSeam::ScopedAnswer answer("CloseButton");
        QTest::keyClick(main, Qt::Key_Space);
        QVERIFY(answer.dialogs().isEmpty());
    }

    void drag()
    {
        main->move(100, 100);
        const QPoint start = main->pos() + QPoint(30, 40);
        sendMouse(QEvent::MouseButtonPress, start, Qt::LeftButton);
        sendMouse(QEvent::MouseMove, start + QPoint(50, 20), Qt::LeftButton);
        QCOMPARE(main->pos(), QPoint(150, 120));
        // Left and right held together: no drag.
        sendMouse(QEvent::MouseMove, start + QPoint(90, 90), Qt::LeftButton | Qt::RightButton);
        QCOMPARE(main->pos(), QPoint(150, 120));
        sendMouse(QEvent::MouseButtonRelease, start + QPoint(50, 20), Qt::NoButton);
        sendMouse(QEvent::MouseMove, start + QPoint(70, 70), Qt::LeftButton);
        QCOMPARE(main->pos(), QPoint(150, 120));
        // A press on the window's top-left pixel gives no drag offset.
        sendMouse(QEvent::MouseButtonPress, main->pos(), Qt::LeftButton);
        sendMouse(QEvent::MouseMove, main->pos() + QPoint(30, 30), Qt::LeftButton);
        QCOMPARE(main->pos(), QPoint(150, 120));
        sendMouse(QEvent::MouseButtonRelease, main->pos(), Qt::NoButton);
    }

    // A greyed-out slider ignores the press; that must not drag the window,
    // while a press beside it, on the page's free area, still does.
    void disabledControlDoesNotDrag()
    {
        emit PostMsg::GetInstance()->SigChangeMainDialog(1);
        main->deviceWindow()->findChild<QToolButton *>("LightsButton")->click();
        SensorEffect *effect = main->deviceWindow()->lightPage()->dpiEffectEditor();
        QSlider *slider = effect->findChild<QSlider *>("SpeedH");
        QVERIFY(slider);
        effect->ShowEffectMode(2); // breathing: the speed slider shows
        effect->EnableSliders(false);
        QVERIFY(slider->isVisible());
        QVERIFY(!slider->isEnabled());
        main->move(100, 100);
        const QPoint middle = slider->rect().center();
        QCOMPARE(main->childAt(slider->mapTo(main, middle)), slider);

        pressAndMove(slider, middle, QPoint(40, 30));
        QCOMPARE(main->pos(), QPoint(100, 100));

        const QPoint free = slider->mapTo(effect, QPoint(0, 0)) - QPoint(0, 8);
        QWidget *under = main->childAt(effect->mapTo(main, free));
        QVERIFY(under);
        QVERIFY(!qobject_cast<QAbstractSlider *>(under) && !qobject_cast<QAbstractButton *>(under));
        pressAndMove(under, under->mapFrom(effect, free), QPoint(40, 30));
        QCOMPARE(main->pos(), QPoint(140, 130));

        effect->EnableSliders(true);
        emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    }

    void offlineNotice_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("offline") << 0;
        QTest::newRow("time-out") << 1;
    }

    void offlineNotice()
    {
        QFETCH(int, kind);
        DeviceWentOffline = false;
        ReloadWhenOnline = false;
        DialogSeam::ScopedAnswer answer("NewHong");
        QPoint shownAt;
        emit PostMsg::GetInstance()->SigMouseOffLineo(kind);
        // The flags are set at once (a later poll that finds the mouse may
        // clear them again while the notice waits).
        QVERIFY(DeviceWentOffline);
        QVERIFY(ReloadWhenOnline);
        // Shown from the event loop, once the emitter is done; the same news
        // again before it shows adds no second notice.
        QVERIFY(answer.dialogs().isEmpty());
        emit PostMsg::GetInstance()->SigMouseOffLineo(kind);
        QTRY_COMPARE(answer.dialogs().size(), 1);
        QTest::qWait(20);
        QCOMPARE(answer.dialogs().size(), 1);
        QCOMPARE(answer.dialogs().first().className, QString("MouseOffLine"));
        QCOMPARE(OfflineNoticeKind, kind);
    }

    void mouseBackBeforeTheNoticeShows_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("shown");
        QTest::newRow("offline") << int(MouseNoticeOffline) << 0;
        QTest::newRow("time-out") << int(MouseNoticeTimeOut) << 0;
        // The mouse answering again does not take a refused change after all.
        QTest::newRow("refused") << int(MouseNoticeRefused) << 1;
        QTest::newRow("still reading") << int(MouseNoticeStillReading) << 1;
    }

    void mouseBackBeforeTheNoticeShows()
    {
        QFETCH(int, kind);
        QFETCH(int, shown);
        DialogSeam::ScopedAnswer answer("NewHong");
        emit PostMsg::GetInstance()->SigMouseOffLineo(kind);
        emit PostMsg::GetInstance()->SigCloseOffOnline();
        QTest::qWait(20);
        QCOMPARE(answer.dialogs().size(), shown);
        DeviceWentOffline = false;
        ReloadWhenOnline = false;
    }

    void quitClosesTheWindow()
    {
        QSignalSpy size(PostMsg::GetInstance(), &PostMsg::SigChangeSize);
        auto *close = main->deviceWindow()->findChild<QToolButton *>("CloseButton");
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(size.count(), 1);
        QCOMPARE(size.first().first().toInt(), 1);
        QVERIFY(!main->isVisible());
        QVERIFY(!main->trayIcon()->isVisible());
    }

    void fontsScaledOnce()
    {
        // At 120 DPI every font shrinks to 0.8 once, nested widgets included.
        DialogMain other(nullptr);
        auto *value = other.findChild<QLabel *>("DpiValue"); // own font, 12 pt
        auto *link = other.findChild<QLabel *>("label_4");   // inherits its font
        const qreal own = value->font().pointSizeF();
        const qreal inherited = link->font().pointSizeF();
        ScaleWidgetFonts(&other, 0.8);
        QCOMPARE(value->font().pointSizeF(), own * 0.8);
        QCOMPARE(link->font().pointSizeF(), inherited * 0.8);
        QCOMPARE(other.font().pointSizeF(), inherited * 0.8);
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
