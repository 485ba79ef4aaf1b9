#include "app/Startup.h"

#include <QCoreApplication>
#include <QDebug>

#include "common/DialogSeam.h"
#include "common/ExeIsRun.h"
#include "common/LabelCatalogue.h"
#include "common/UpDateWarning.h"
#include "platform/Logging.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "platform/UserFolder.h"

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
    DialogSeam::exec(notice);
}

void setScreenScaling(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, false);
    const QByteArray factor =
        ScreenMetrics::scaleFactorFor(ScreenMetrics::desktopWidth(argc, argv));
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
