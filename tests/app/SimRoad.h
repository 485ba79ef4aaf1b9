#pragma once

// The README's walk-throughs, from a fresh start: a new per-user folder, the
// program's main window on a shipped example device set, and the orvak-sim
// tool as the README names its commands.

#include "../support/RepairDialogReader.h"
#include "SimToolSupport.h"

#include "app/DialogMain.h"
#include "app/Startup.h"
#include "common/LabelCatalogue.h"
#include "platform/vidide/SimControlServer.h"
#include "settings/UpDateRepair.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
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

using RepairDialogReader::Status;
using RepairDialogReader::StatusIsRed;

// Every value the dialog's progress bar takes from now on, as it is drawn.
class BarValues
{
public:
    BarValues()
    {
        QProgressBar *bar = RepairDialog->findChild<QProgressBar *>("progressBar_2");
        m_connection = QObject::connect(bar, &QProgressBar::valueChanged,
                                        [this](int value) { m_values << value; });
    }
    ~BarValues() { QObject::disconnect(m_connection); }
    BarValues(const BarValues &) = delete;
    BarValues &operator=(const BarValues &) = delete;

    const QList<int> &values() const { return m_values; }
    int shown() const { return RepairDialog->findChild<QProgressBar *>("progressBar_2")->value(); }

private:
    QList<int> m_values;
    QMetaObject::Connection m_connection;
};

// The dialog's first button: "Upgrade", or "OK" once the run has ended.
inline void PressFirstButton()
{
    RepairDialog->findChild<QAbstractButton *>("NewHong_2")->click();
}

} // namespace SimRoad
