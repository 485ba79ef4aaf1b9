#include "app/Startup.h"

#include <QCoreApplication>
#include <QDebug>

#include "app/DialogMain.h"
#include "common/ConfigIniStore.h"
#include "common/DialogPlacement.h"
#include "common/DialogSeam.h"
#include "common/ExeIsRun.h"
#include "common/LabelCatalogue.h"
#include "common/StorageNotice.h"
#include "common/UpDateWarning.h"
#include "platform/Logging.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"

namespace Startup {

bool prepareUserFolder()
{
    const bool adopted = UserFolder::adoptEarlierFolder();
    UserFolder::makeFolders();
    UserFolder::ensurePreferencesFile();
    return adopted;
}

void showEarlierFolderNotice(QWidget *parent)
{
    UpDateWarning notice(parent);
    notice.SetText(CommonLabels[CurrentLanguage].value(QStringLiteral("EarlierFolderNotMoved")));
    // Shown right after the window: Qt's own centring would use the place
    // asked for, not the one the window manager chose.
    DialogPlacement::centreOver(&notice, parent);
    DialogSeam::exec(notice);
}

void setScreenScaling(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, false);
    const QByteArray factor = ScreenMetrics::scaleFactorFor(
        ScreenMetrics::desktop(argc, argv), QSize(DialogMain::FixedWidth, DialogMain::FixedHeight));
    if (!factor.isEmpty())
        qputenv("QT_SCALE_FACTOR", factor);
}

void useRasterWindows()
{
    // Loading Mesa's GLX and its software renderer takes longer than the
    // rest of Qt's start and keeps tens of MiB resident, for nothing.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
}

void purgeOldFiles()
{
    PurgeOldFiles(UserFolder::filePath(QStringLiteral("Log")));
    PurgeOldFiles(UserFolder::filePath(QStringLiteral("Exception")));
}

bool claimSingleInstance(SingleInstance &guard)
{
    if (guard.acquire() != SingleInstance::Result::AlreadyRunning)
        return true;
    qCInfo(lcApp) << "Another instance runs already";
    ExeIsRun notice(nullptr);
    DialogSeam::exec(notice);
    return false;
}

void showDeviceMemoryFailures()
{
    // Saved on the library's threads, often inside a device call: the notice
    // waits for the event loop.
    SimSetStateSaveFailureHandler([](const QString &path, const QString &reason) {
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return; // the program is ending; the library logged it
        QMetaObject::invokeMethod(
            app,
            [path, reason] {
                StorageNotice::Report(StorageNotice::Kind::DeviceMemory, path, reason);
            },
            Qt::QueuedConnection);
    });
}

void showDamagedCatalogue(const ConfigIniStore *store)
{
    if (!store)
        store = ConfigIniStore::GetInstance();
    const QStringList problems = store->CatalogueProblems();
    if (problems.isEmpty())
        return;
    const QString path = store->filePath();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [path, problems] {
            StorageNotice::Report(StorageNotice::Kind::Catalogue, path,
                                  problems.join(QStringLiteral("; ")));
        },
        Qt::QueuedConnection);
}

} // namespace Startup
