#include "common/StorageNotice.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QThread>

#include <atomic>

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "common/UpDateWarning.h"

namespace StorageNotice {

namespace {

std::atomic<unsigned> g_shown{0};

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
    case Kind::KindCount:
        break;
    }
    return QString();
}

void show(Kind kind, const QString &path)
{
    // The name only: a whole path does not fit the notice.
    UpDateWarning notice;
    notice.SetText(message(kind) + QStringLiteral("\n") + QFileInfo(path).fileName());
    DialogSeam::exec(notice);
}

} // namespace

bool Report(Kind kind, const QString &path, const QString &reason)
{
    const char *what = kind == Kind::Catalogue ? "Cannot use" : "Cannot write";
    if (reason.isEmpty())
        qWarning().noquote() << what << path;
    else
        qWarning().noquote() << what << path << "-" << reason;
    const unsigned bit = 1u << unsigned(kind);
    if (g_shown.fetch_or(bit) & bit)
        return false;
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

void ResetShown()
{
    g_shown = 0;
}

} // namespace StorageNotice
