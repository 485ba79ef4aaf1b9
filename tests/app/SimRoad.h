#pragma once

// The README's walk-throughs, from a fresh start: a new per-user folder, the
// program's main window on a shipped example device set, and the orvak-sim
// tool as the README names its commands.

#include "SimToolSupport.h"

#include "app/DialogMain.h"
#include "app/Startup.h"
#include "common/LabelCatalogue.h"
#include "platform/vidide/SimControlServer.h"
#include "settings/UpDateRepair.h"

#include <QAbstractButton>
#include <QLabel>
#include <QtTest>

namespace SimRoad {

inline void NoExit(int) {}

// Starts as `ORVAK_SIM_DEVICES=build/bin/<set> build/bin/ORVAK` does.
inline DialogMain *StartProgram(const QString &deviceSet)
{
    Startup::prepareUserFolder();
    if (!SimTool::UsePrivateRuntimeFolder(QDir::homePath() + "/run"))
        return nullptr;
    qputenv("ORVAK_SIM_DEVICES",
            QFile::encodeName(QCoreApplication::applicationDirPath() + "/" + deviceSet));
    SimReset(true);
    DialogMain::ExitProcess = NoExit;
    DialogMain::TrayAvailable = [] { return true; };
    if (!StartSimControlServer(qApp))
        return nullptr;
    auto *main = new DialogMain(nullptr);
    main->show();
    return main;
}

inline QString Status()
{
    return RepairDialog->findChild<QLabel *>("ToolText_2")->text();
}

// The dialog's first button: "Upgrade", or "OK" once the run has ended.
inline void PressFirstButton()
{
    RepairDialog->findChild<QAbstractButton *>("NewHong_2")->click();
}

} // namespace SimRoad
