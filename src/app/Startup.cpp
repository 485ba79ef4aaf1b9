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
#include "device/FlashDataStore.h"
#include "platform/Logging.h"
#include "platform/Registry.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"
#include "platform/vidide/SimControl.h"

namespace Startup {

namespace {

// No more names than the notice can show.
constexpr int MaxNamesShown = 8;

// A start that could not move the earlier folder went on in the new one and
// wrote some files there by itself: the versions and blocks read from mice
// that kept their factory settings. Such a file holds nothing the user would
// miss, and must not hide the earlier version's (a flash's failure record,
// the devices' memory, the blocks read from them): it gives way. What it
// holds decides, not its name.
bool madeByAStartAlone(const QString &relative, const QString &path)
{
    if (relative == QLatin1String("Registry.ini"))
        return Registry::holdsOnlyDeviceVersions(path);
    if (relative == QLatin1String("DeviceSim/State.json"))
        return SimStateFileIsFactory(path);
    const QString cacheFolder = QStringLiteral("Device_Info/");
    if (relative.startsWith(cacheFolder) && !relative.mid(cacheFolder.size()).contains('/')) {
        FlashDataMap block;
        return ReadFlashDataCache(relative.mid(cacheFolder.size()), block) &&
               SimIsFactoryBlock(block);
    }
    return false;
}

void showStartNotice(QWidget *parent, const QString &text)
{
    UpDateWarning notice(parent);
    notice.SetText(text);
    // Shown right after the window: Qt's own centring would use the place
    // asked for, not the one the window manager chose.
    DialogPlacement::centreOver(&notice, parent);
    DialogSeam::exec(notice);
}

} // namespace

bool prepareUserFolder(QStringList *keptBeside)
{
    const bool adopted = UserFolder::adoptEarlierFolder(madeByAStartAlone, keptBeside);
    UserFolder::makeFolders();
    UserFolder::ensurePreferencesFile();
    return adopted;
}

void showEarlierFolderNotice(QWidget *parent)
{
    showStartNotice(parent,
                    CommonLabels[CurrentLanguage].value(QStringLiteral("EarlierFolderNotMoved")));
}

void showEarlierFilesKeptNotice(QWidget *parent, const QStringList &keptBeside)
{
    if (keptBeside.isEmpty())
        return;
    const LabelMap &labels = CommonLabels[CurrentLanguage];
    QStringList names = keptBeside;
    names.sort();
    QStringList lines = names.mid(0, MaxNamesShown);
    if (names.size() > MaxNamesShown)
        lines << labels.value(QStringLiteral("EarlierFilesMore")).arg(names.size() - MaxNamesShown);
    showStartNotice(parent, labels.value(QStringLiteral("EarlierFilesKeptBeside")) +
                                QStringLiteral("\n") + lines.join(QLatin1Char('\n')));
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
