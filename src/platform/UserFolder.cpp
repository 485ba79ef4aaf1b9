#include "platform/UserFolder.h"

#include "platform/files/SafeFile.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

#include "platform/FolderMove.h"
#include "platform/Logging.h"

namespace UserFolder {

QStringList subfolders()
{
    return {QStringLiteral("Log"),
            QStringLiteral("Device_Info"),
            QStringLiteral("Exception"),
            QStringLiteral("usersetting"),
            QStringLiteral("usersetting/MainPage"),
            QStringLiteral("usersetting/MacroPage"),
            QStringLiteral("usersetting/SensorPage")};
}

bool makeFolders()
{
    bool allMade = true;
    for (const QString &sub : subfolders()) {
        const QString folder = filePath(sub);
        if (QDir(folder).exists())
            continue;
        if (!QDir().mkpath(folder)) {
            qWarning().noquote() << "Cannot make the folder" << folder;
            allMade = false;
        }
    }
    return allMade;
}

QString earlierPath()
{
    return QDir::homePath() + QStringLiteral("/AppData/Local/") + ProductName;
}

bool adoptEarlierFolder(const FolderMove::Replaceable &replaceable, QStringList *keptBeside)
{
    const QString earlier = earlierPath();
    const QString now = path();
    struct stat info;
    if (earlier == now || ::lstat(QFile::encodeName(earlier).constData(), &info) != 0)
        return true;
    if (S_ISLNK(info.st_mode)) {
        qWarning().noquote() << "The earlier per-user folder" << earlier
                             << "is a link; it is not followed";
        return true;
    }
    if (!S_ISDIR(info.st_mode))
        return true;
    QString error;
    if (FolderMove::move(earlier, now, &error, replaceable, keptBeside)) {
        qCInfo(lcApp).noquote() << "Moved the earlier per-user folder" << earlier << "to" << now;
        return true;
    }
    qWarning().noquote() << "Cannot move the per-user folder" << earlier << "to" << now << "-"
                         << error << "- it stays, and the next start tries again";
    return false;
}

bool ensurePreferencesFile()
{
    // A link, FIFO or device in its place is damaged: write() sets it aside
    // as Macro.ini.bad, never writing through it, and the start still leaves
    // a Macro.ini behind.
    const QString path = filePath(QStringLiteral("Macro.ini"));
    const SafeFile::Status status = SafeFile::probe(path);
    if (status != SafeFile::Status::Missing && status != SafeFile::Status::NotRegular)
        return true;
    QString error;
    if (!SafeFile::write(path, QByteArray(), &error)) {
        qWarning().noquote() << "Cannot create" << path << "-" << error;
        return false;
    }
    return true;
}

QString documentsPath()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

} // namespace UserFolder

int PurgeOldFiles(const QString &folder, qint64 nowSecs)
{
    if (nowSecs < 0)
        nowSecs = QDateTime::currentSecsSinceEpoch();

    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList();
    for (const QFileInfo &entry : entries) {
        if (!entry.isFile())
            continue;
        const qint64 ageSecs = nowSecs - entry.lastModified().toSecsSinceEpoch();
        if (ageSecs <= 0)
            continue;
        if (ageSecs / 86400 > 7) {
            if (QFile::remove(entry.filePath()))
                ++removed;
            else
                qWarning().noquote() << "Cannot delete the old file" << entry.filePath();
        }
    }
    return removed;
}
