#include "common/StorageNotice.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
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
    case Kind::KindCount:
        break;
    }
    return QString();
}

void show(Kind kind, const QString &path)
{
    UpDateWarning notice;
    notice.SetText(message(kind) + QStringLiteral("\n") + QDir::toNativeSeparators(path));
    DialogSeam::exec(notice);
}

} // namespace

bool Report(Kind kind, const QString &path, const QString &reason)
{
    if (reason.isEmpty())
        qWarning().noquote() << "Cannot write" << path;
    else
        qWarning().noquote() << "Cannot write" << path << "-" << reason;
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
