// The README's repair road on sim-devices-repair.json: the receiver's flash
// is made to fail, the chooser offers the repair, and the repair puts the
// receiver's and then the mouse's firmware on.
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
        QTRY_COMPARE(SimTool::Cards(main), 1); // the mouse, by its cable only
        QCOMPARE(Run({"fail-next-flash", "0", "40"}).code, 0);

        QVERIFY(SimTool::ClickCard(main, 1));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        SimRoad::PressFirstButton();
        QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeFail"], 60000);
        QVERIFY(LineOf(Run({"list"}).out, 0).contains("boot=yes"));

        // OK: back on the chooser, which offers the repair.
        SimRoad::PressFirstButton();
        QTRY_COMPARE(main->currentPage(), 0);
        QAbstractButton *repair = SimTool::Chooser(main)->findChild<QAbstractButton *>("Repair");
        QTRY_VERIFY(repair->isVisible());
        repair->click();
        QTRY_VERIFY(RepairDialog->isVisible());
        QTRY_COMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        SimRoad::PressFirstButton();
        QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                  60000);
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
