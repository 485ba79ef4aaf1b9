// The README's upgrade road on sim-devices-example.json, step by step as it
// is written: the left card (the wireless mouse on its cable) takes the
// receiver's and its own newer firmware, then the right card (the wired-only
// mouse) takes its own on its cable alone.
#include "SimRoad.h"

#include "device/UpDataParam.h"
#include "hub/PostMsg.h"

#include <memory>

using SimTool::LineOf;
using SimTool::Run;

// Counts the read's wait boxes ("Please wait") that show while the upgrade
// dialog shows a run or its outcome, which they would cover.
class WaitOverRun : public QObject
{
public:
    WaitOverRun() { qApp->installEventFilter(this); }
    ~WaitOverRun() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<UpDataParam *>(watched) &&
            RepairDialog->isVisible() && RepairDialog->ShowsRun())
            ++count;
        return false;
    }
};

// Whether the devices were read again after the flash succeeded. Listens
// from before "Upgrade" is pressed: the re-read can be over by the time the
// test sees the outcome. Both signals are taken through the event queue, in
// the order they were sent, so a version read that was under way before the
// outcome does not count.
class ReadAfterSuccess : public QObject
{
public:
    ReadAfterSuccess()
    {
        PostMsg *hub = PostMsg::GetInstance();
        connect(
            hub, &PostMsg::SigProgress, this,
            [this](int, int outcome) {
                if (outcome == 2)
                    succeeded = true;
            },
            Qt::QueuedConnection);
        connect(
            hub, &PostMsg::SigSetver, this,
            [this](int index) {
                if (index == 0 && succeeded)
                    readAgain = true;
            },
            Qt::QueuedConnection);
    }
    bool succeeded = false;
    bool readAgain = false;
};

class TstSimRoadUpgrade : public QObject
{
    Q_OBJECT

    DialogMain *main = nullptr;

private slots:
    void initTestCase()
    {
        main = SimRoad::StartProgram("sim-devices-example.json");
        QVERIFY(main);
    }
    void cleanupTestCase() { delete main; }

    void upgradeRoad()
    {
        const QString list = Run({"list"}).out;
        QVERIFY(LineOf(list, 0).contains("firmware=v1.03"));
        QVERIFY(LineOf(list, 0).contains("mouse-firmware=v1.05"));
        QVERIFY(LineOf(list, 2).contains("mouse-firmware=v1.02"));
        // Two cards: the Talon W by its cable only (left), the Talon C (right).
        QTRY_COMPARE(SimTool::Cards(main), 2);
        QCOMPARE(SimTool::DeviceOfCard(main, 0), 1);
        QCOMPARE(SimTool::DeviceOfCard(main, 1), 2);

        // 1. The left card: the dialog offers both images.
        QVERIFY(SimTool::ClickCardAt(main, 0));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        QVERIFY(!SimRoad::StatusIsRed());
        WaitOverRun waitOverRun;
        auto reread = std::make_unique<ReadAfterSuccess>();
        {
            SimRoad::BarValues bar;
            SimRoad::PressFirstButton();
            QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                      60000);
            QVERIFY(!SimRoad::StatusIsRed());
            // The receiver to 50 %, the mouse on to 100 %.
            QVERIFY(bar.values().contains(50));
            QCOMPARE(bar.values().last(), 100);
        }
        // The devices are read again behind the outcome, which stays on top,
        // with no wait box over it.
        QTRY_VERIFY_WITH_TIMEOUT(reread->readAgain, 15000);
        QTest::qWait(500);
        QVERIFY(RepairDialog->isVisible());
        QCOMPARE(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
        QCOMPARE(waitOverRun.count, 0);
        SimRoad::PressFirstButton(); // "OK"
        QTRY_VERIFY(!RepairDialog->isVisible());
        QTRY_VERIFY(LineOf(Run({"list"}).out, 0).contains("firmware=v1.04 "));
        QVERIFY(LineOf(Run({"list"}).out, 0).contains("mouse-firmware=v1.06"));

        // 2. Back to the chooser, and the right card: the wired-only mouse.
        main->findChild<QAbstractButton *>("UpArrow")->click();
        QTRY_COMPARE(main->currentPage(), 0);
        QTRY_COMPARE(SimTool::Cards(main), 2);
        QCOMPARE(SimTool::DeviceOfCard(main, 1), 2);
        QVERIFY(SimTool::ClickCardAt(main, 1));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        reread = std::make_unique<ReadAfterSuccess>();
        {
            SimRoad::BarValues bar;
            SimRoad::PressFirstButton();
            QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                      60000);
            // The mouse alone, from 0 to 100 %.
            QVERIFY(!bar.values().isEmpty());
            QVERIFY2(bar.values().first() <= 10, qPrintable(QString::number(bar.values().first())));
            QCOMPARE(bar.values().last(), 100);
        }
        QTRY_VERIFY(LineOf(Run({"list"}).out, 2).contains("mouse-firmware=v1.06"));
        QTRY_VERIFY_WITH_TIMEOUT(reread->readAgain, 15000);
        QTest::qWait(500);
        QCOMPARE(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"]);
        QCOMPARE(waitOverRun.count, 0);
        SimRoad::PressFirstButton();
        QTRY_VERIFY(!RepairDialog->isVisible());
        // No receiver: its row in the summary has no update mark.
        QTest::qWait(500);
        QVERIFY(!main->findChild<QWidget *>("DongleUp")->isVisible());
    }
};

QTEST_MAIN(TstSimRoadUpgrade)
#include "tst_simroad_upgrade.moc"
