// The program itself, started by tst_interruptedflash on the simulated
// devices, driven as a user would and reporting on its standard output what
// the screen shows, one line each:
//   InterruptedFlashChild upgrade <card>  chooses the card at that position of
//       the chooser (0 the first) and starts the upgrade the dialog offers;
//       prints "bar <percent>" as the progress bar moves, and is meant to be
//       killed before the end.
//   InterruptedFlashChild repair  tells whether the chooser offers the repair
//       ("offered"), runs it and prints its end and the devices' state.
#include "../support/RepairDialogReader.h"
#include "app/DialogMain.h"
#include "app/ProgramMain.h"
#include "common/LabelCatalogue.h"
#include "common/mytoolButtonEnter.h"
#include "device/DialogChange.h"
#include "platform/vidide/SimControl.h"
#include "settings/UpDateRepair.h"
#include "settings/UpgradeRecords.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

void Say(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Waits, the event loop running, until `done` holds; false after `ms`.
bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

using RepairDialogReader::Status;

void PressFirstButton()
{
    RepairDialog->findChild<QAbstractButton *>(QStringLiteral("NewHong_2"))->click();
}

// Waits for the dialog to offer its run, then starts it; false (said) when
// it never did.
bool StartWhenReady(int ms)
{
    if (!WaitFor(
            [] { return RepairDialog->isVisible() && Status() == HomeLabels[0]["ReadyUpdate"]; },
            ms)) {
        Say(QStringLiteral("not ready: ") + Status());
        return false;
    }
    Say(QStringLiteral("ready"));
    PressFirstButton();
    return true;
}

bool RunEnded()
{
    return Status() == UpdateLabels[0]["DialogUpgradeSuccess"] ||
           Status() == UpdateLabels[0]["DialogUpgradeFail"];
}

void SayEnd(bool ended)
{
    Say(QStringLiteral("end ") + (ended ? Status() : QStringLiteral("never")));
}

void SayDevices()
{
    for (int i = 0; i < SimDeviceCount(); ++i)
        Say(QStringLiteral("device %1 boot=%2 firmware=%3 mouse=%4")
                .arg(i)
                .arg(SimIsBootMode(i) ? 1 : 0)
                .arg(SimFirmwareVersion(i), 0, 16)
                .arg(SimMouseVersion(i), 0, 16));
}

int Upgrade(DialogMain *main, int card)
{
    auto *chooser = qobject_cast<DialogChange *>(main->chooserPage());
    if (!WaitFor([&] { return chooser->deviceButtons().size() > card; }, 20000)) {
        Say(QStringLiteral("no card %1").arg(card));
        return 2;
    }
    chooser->deviceButtons().at(card)->click();
    if (!StartWhenReady(30000))
        return 3;
    auto *bar = RepairDialog->findChild<QProgressBar *>(QStringLiteral("progressBar_2"));
    int shown = -1;
    const bool ended = WaitFor(
        [&] {
            if (bar->isVisible() && bar->value() != shown) {
                shown = bar->value();
                Say(QStringLiteral("bar %1").arg(shown));
            }
            return RunEnded();
        },
        120000);
    SayEnd(ended);
    return 4;
}

int Repair(DialogMain *main)
{
    auto *chooser = main->chooserPage();
    auto *repair = chooser->findChild<QAbstractButton *>(QStringLiteral("Repair"));
    SayDevices();
    Say(QStringLiteral("record ") + UpgradeRecords::failInfo());
    if (!WaitFor([&] { return repair->isVisible(); }, 10000)) {
        Say(QStringLiteral("not offered"));
        return 2;
    }
    Say(QStringLiteral("offered"));
    repair->click();
    if (!StartWhenReady(20000))
        return 3;
    SayEnd(WaitFor(RunEnded, 120000));
    // What the chooser shows once the repair has ended.
    WaitFor([&] { return !repair->isVisible(); }, 5000);
    Say(QStringLiteral("repair button ") + (repair->isVisible() ? "shown" : "gone"));
    SayDevices();
    Say(QStringLiteral("record ") + UpgradeRecords::failInfo());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int card = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    if (mode != QLatin1String("upgrade") && mode != QLatin1String("repair")) {
        std::fprintf(stderr, "usage: %s upgrade <card> | repair\n", argv[0]);
        return 1;
    }
    return RunProgram(argc, argv, [&](QWidget *window) {
        auto *main = static_cast<DialogMain *>(window);
        return mode == QLatin1String("upgrade") ? Upgrade(main, card) : Repair(main);
    });
}
