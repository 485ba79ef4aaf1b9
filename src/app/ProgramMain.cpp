#include "app/ProgramMain.h"

#include <QApplication>

#include "app/DialogMain.h"
#include "app/ProgramIcon.h"
#include "app/Startup.h"
#include "common/DeferredPolish.h"
#include "common/DialogPlacement.h"
#include "common/FontScaling.h"
#include "common/LazyPictures.h"
#include "common/PagePlacement.h"
#include "common/ThemeStyles.h"
#include "platform/LocalTimeZone.h"
#include "platform/SingleInstance.h"
#include "platform/vidide/SimControlServer.h"

namespace {

// Never deleted: pages, the worker and the device library's callbacks may
// still reach it while the process ends. Kept in a global so that it stays
// reachable to the end.
DialogMain *MainWindow = nullptr;

} // namespace

int RunProgram(int argc, char *argv[], const std::function<int(QWidget *)> &whenShown)
{
    // Before anything converts a time (the purge below, the pictures).
    LocalTimeZone::PinProcessZone();
    QStringList earlierFilesKept;
    const bool earlierFolderAdopted = Startup::prepareUserFolder(&earlierFilesKept);
    SingleInstance::publishRuntimeFolder();
    Startup::setScreenScaling(argc, argv);
    Startup::useRasterWindows();
    Startup::purgeOldFiles();

    QApplication app(argc, argv);
    // Every window and dialog, the already-running notice included, shows it.
    QApplication::setWindowIcon(ProgramIcon::find(QCoreApplication::applicationDirPath()));
    const double fontFactor = FontScaleFactor();

    // Held until the process ends; the kernel drops it even after a crash.
    static SingleInstance instance;
    if (!Startup::claimSingleInstance(instance))
        return 0;

    // The simulated devices are this platform's hardware: the orvak-sim tool
    // plugs, unplugs and breaks them through this server while the program
    // runs. Without it the program works all the same.
    StartSimControlServer(&app);
    Startup::showDeviceMemoryFailures();

    ThemeStyles::ApplyApplicationTheme();
    // Everything is built now, but the large pictures of what is not shown
    // yet are decoded when it first shows.
    LazyPictures::SetDeferring(true);
    // The device window's pages are styled when it first shows.
    DeferredPolish::setEnabled(true);
    {
        // The forms' pages go into their containers before they are filled.
        PagePlacement::Scope placement;
        MainWindow = new DialogMain(nullptr);
    }
    ScaleWidgetFonts(MainWindow, fontFactor);
    MainWindow->placeOnScreen();
    MainWindow->show();
    // The start's notices open over the window where it really stands.
    DialogPlacement::waitUntilPlaced(MainWindow);
    Startup::showDamagedCatalogue();
    if (!earlierFolderAdopted)
        Startup::showEarlierFolderNotice(MainWindow);
    Startup::showEarlierFilesKeptNotice(MainWindow, earlierFilesKept);
    if (whenShown)
        return whenShown(MainWindow);
    return app.exec();
}
