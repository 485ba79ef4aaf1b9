// The README's repair road on sim-devices-repair.json, step by step as it is
// written: the receiver's flash is made to fail, the chooser offers the
// repair, and the repair puts the receiver's and then the mouse's firmware
// on.
#include "SimRoad.h"

using SimTool::LineOf;
using SimTool::Run;

class TstSimRoadRepair : public QObject
{
    Q_OBJECT

    DialogMain *main = nullptr;

private slots:
    void initTestCase()
    {
        main = SimRoad::StartProgram("sim-devices-repair.json");
        QVERIFY(main);
    }
    void cleanupTestCase() { delete main; }

    void repairRoad()
    {
        // One card: the mouse, by its cable only.
        QTRY_COMPARE(SimTool::Cards(main), 1);
        QCOMPARE(SimTool::DeviceOfCard(main, 0), 1);

        // 1.
        QCOMPARE(Run({"fail-next-flash", "0", "40"}).code, 0);

        // 2. The card, "Upgrade": the bar stops at 15 %, "Upgrade failed".
        QVERIFY(SimTool::ClickCardAt(main, 0));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        {
            SimRoad::BarValues bar;
            SimRoad::PressFirstButton();
            QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeFail"],
                                      60000);
            QCOMPARE(bar.shown(), 15);
            QCOMPARE(bar.values().last(), 15);
        }
        QVERIFY(SimRoad::StatusIsRed());
        QVERIFY(LineOf(Run({"list"}).out, 0).contains("boot=yes"));

        // OK: back on the chooser, which offers the repair.
        SimRoad::PressFirstButton();
        QTRY_COMPARE(main->currentPage(), 0);
        QAbstractButton *repair = SimTool::Chooser(main)->findChild<QAbstractButton *>("Repair");
        QTRY_VERIFY(repair->isVisible());

        // 3. The repair: the receiver to 50 %, the mouse to 100 %.
        repair->click();
        QTRY_VERIFY(RepairDialog->isVisible());
        QTRY_COMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        {
            SimRoad::BarValues bar;
            SimRoad::PressFirstButton();
            QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                      60000);
            QVERIFY(bar.values().contains(50));
            QCOMPARE(bar.values().last(), 100);
        }
        const QString list = Run({"list"}).out;
        QVERIFY(LineOf(list, 0).contains("boot=no firmware=v1.04 "));
        QVERIFY(LineOf(list, 0).contains("mouse-firmware=v1.06"));
        QTRY_VERIFY(!repair->isVisible());
        SimRoad::PressFirstButton();
        QTRY_VERIFY(!RepairDialog->isVisible());
    }
};

QTEST_MAIN(TstSimRoadRepair)
#include "tst_simroad_repair.moc"
