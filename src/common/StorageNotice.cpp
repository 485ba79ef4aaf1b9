#include "common/StorageNotice.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QSet>
#include <QThread>

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/UpDateWarning.h"

namespace StorageNotice {

namespace {

QMutex &toldMutex()
{
    static QMutex mutex;
    return mutex;
}

// The failures told in this run, each as its kind and the file's path.
QSet<QString> &told()
{
    static QSet<QString> failures;
    return failures;
}

QString failureKey(Kind kind, const QString &path)
{
    return QString::number(int(kind)) + QLatin1Char('\n') + QDir::cleanPath(path);
}

QString message(Kind kind)
{
    LabelMap &labels = CommonLabels[CurrentLanguage];
    switch (kind) {
    case Kind::Preferences:
        return labels.value(QStringLiteral("SavePreferencesFailed"));
    case Kind::Registry:
        return labels.value(QStringLiteral("SaveRecordsFailed"));
    case Kind::DeviceCache:
        return labels.value(QStringLiteral("SaveCacheFailed"));
    case Kind::Autostart:
        return labels.value(QStringLiteral("SaveAutostartFailed"));
    case Kind::Macros:
        return labels.value(QStringLiteral("SaveMacrosFailed"));
    case Kind::DeviceMemory:
        return labels.value(QStringLiteral("SaveDeviceMemoryFailed"));
    case Kind::Catalogue:
        return labels.value(QStringLiteral("ConfigDamaged"));
    case Kind::MacroSyncRebuilt:
        return labels.value(QStringLiteral("MacroSyncRebuiltFailed"));
    case Kind::MacroSyncBound:
        return labels.value(QStringLiteral("MacroSyncBoundFailed"));
    case Kind::MacroSyncRenamed:
        return labels.value(QStringLiteral("MacroSyncRenamedFailed"));
    case Kind::MacroSyncSent:
        return labels.value(QStringLiteral("MacroSyncSentFailed"));
    case Kind::MacroSyncPending:
        return labels.value(QStringLiteral("MacroSyncPendingFailed"));
    case Kind::MacroFolder:
        return labels.value(QStringLiteral("MacroFolderLinked"));
    case Kind::KindCount:
        break;
    }
    return QString();
}

void show(Kind kind, const QString &path)
{
    UpDateWarning notice;
    notice.SetText(Text(kind, path));
    DialogSeam::exec(notice);
}

} // namespace

QString Text(Kind kind, const QString &path)
{
    // The name only: a whole path does not fit the notice.
    return message(kind) + QStringLiteral("\n") + QFileInfo(QDir::cleanPath(path)).fileName();
}

bool Report(Kind kind, const QString &path, const QString &reason)
{
    const bool unusable = kind == Kind::Catalogue || kind == Kind::MacroFolder;
    const char *what = unusable ? "Cannot use" : "Cannot write";
    if (reason.isEmpty())
        qWarning().noquote() << what << path;
    else
        qWarning().noquote() << what << path << "-" << reason;
    {
        QMutexLocker locker(&toldMutex());
        const QString key = failureKey(kind, path);
        if (told().contains(key))
            return false;
        told().insert(key);
    }
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return false;
    if (QThread::currentThread() == app->thread())
        show(kind, path);
    else
        QMetaObject::invokeMethod(
            app, [kind, path] { show(kind, path); }, Qt::QueuedConnection);
    return true;
}

void ReportLater(Kind kind, const QString &path, const QString &reason)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        Report(kind, path, reason);
        return;
    }
    QMetaObject::invokeMethod(
        app, [kind, path, reason] { Report(kind, path, reason); }, Qt::QueuedConnection);
}

void ResetShown()
{
    QMutexLocker locker(&toldMutex());
    told().clear();
}

} // namespace StorageNotice
