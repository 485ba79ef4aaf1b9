#include "app/Startup.h"

#include <QCoreApplication>
#include <QDebug>

#include "app/DialogMain.h"
#include "common/DialogSeam.h"
#include "common/ExeIsRun.h"
#include "platform/Logging.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"

namespace Startup {

void prepareUserFolder()
{
    UserFolder::adoptEarlierFolder();
    UserFolder::makeFolders();
    UserFolder::ensurePreferencesFile();
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

} // namespace Startup
