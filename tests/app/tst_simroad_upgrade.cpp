// The README's upgrade road on sim-devices-example.json: the wireless mouse
// on its cable takes the receiver's and its own newer firmware, then the
// wired-only mouse takes its own on its cable alone.
#include "SimRoad.h"

using SimTool::LineOf;
using SimTool::Run;

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
        QTRY_COMPARE(SimTool::Cards(main), 2); // the Talon W by its cable only

        // The mouse on its cable: the dialog offers both images.
        QVERIFY(SimTool::ClickCard(main, 1));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        SimRoad::PressFirstButton();
        QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                  60000);
        QTRY_VERIFY(LineOf(Run({"list"}).out, 0).contains("firmware=v1.04 "));
        QVERIFY(LineOf(Run({"list"}).out, 0).contains("mouse-firmware=v1.06"));
        SimRoad::PressFirstButton();
        QTRY_VERIFY(!RepairDialog->isVisible());

        // Back to the chooser, and the wired-only mouse.
        main->findChild<QAbstractButton *>("UpArrow")->click();
        QTRY_COMPARE(main->currentPage(), 0);
        QTRY_COMPARE(SimTool::Cards(main), 2); // the Talon W by its cable only
        QVERIFY(SimTool::ClickCard(main, 2));
        QTRY_COMPARE(main->currentPage(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(RepairDialog->isVisible(), 15000);
        QCOMPARE(SimRoad::Status(), HomeLabels[0]["ReadyUpdate"]);
        SimRoad::PressFirstButton();
        QTRY_COMPARE_WITH_TIMEOUT(SimRoad::Status(), UpdateLabels[0]["DialogUpgradeSuccess"],
                                  60000);
        QTRY_VERIFY(LineOf(Run({"list"}).out, 2).contains("mouse-firmware=v1.06"));
        SimRoad::PressFirstButton();
        QTRY_VERIFY(!RepairDialog->isVisible());
    }
};

QTEST_MAIN(TstSimRoadUpgrade)
#include "tst_simroad_upgrade.moc"
