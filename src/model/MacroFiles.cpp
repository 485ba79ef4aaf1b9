#include "model/MacroFiles.h"

#include "common/SharedState.h"
#include "common/StorageNotice.h"
#include "model/AssignmentLabels.h"
#include "model/MacroEventFile.h"
#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/FlashDataMap.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

namespace {

constexpr int NameBytes = int(sizeof(MacroRecord::MacroNameBytes));

bool WriteMacroBytes(const QString &name, const QByteArray &bytes)
{
    const QString path = MacroFilePath(name);
    if (path.isEmpty())
        return false;
    QString error;
    if (SafeFile::write(path, bytes, &error))
        return true;
    qWarning().noquote() << "Macro file not written:" << path << "-" << error;
    return false;
}

} // namespace

QString MacroFolderPath()
{
    return UserFolder::filePath(QStringLiteral("usersetting/MacroPage/"));
}

QString MacroFolderLink()
{
    for (const char *relative : {"usersetting", "usersetting/MacroPage"}) {
        const QString folder = UserFolder::filePath(QString::fromLatin1(relative));
        if (QFileInfo(folder).isSymLink())
            return folder;
    }
    return QString();
}

QStringList MacroFolderFiles()
{
    const QString link = MacroFolderLink();
    if (!link.isEmpty()) {
        // Listed, its macros would open empty and could not be saved.
        StorageNotice::ReportLater(StorageNotice::Kind::MacroFolder, link,
                                   QStringLiteral("a link; macros are not listed"));
        return QStringList();
    }
    const QString folder = MacroFolderPath();
    // Links and special files are listed too (System), each by what it is
    // itself: the type comes with the folder entry, nothing is opened.
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList files;
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name.endsWith(QLatin1String(".bad")))
            continue;
        if (!entry.isSymLink() && entry.isFile()) {
            files << name;
            continue;
        }
        // Only what stands where a macro's file would: another folder or a
        // link the user keeps here under another name is left alone.
        const QString path = folder + name;
        if (name.endsWith(QLatin1String(".ini")) &&
            SafeFile::probe(path) == SafeFile::Status::NotRegular)
            SafeFile::setAside(path);
    }
    return files;
}

QString MacroFilePath(const QString &name)
{
    if (!AssignmentLabels::IsSafeMacroName(name))
        return QString();
    return MacroFolderPath() + name + QStringLiteral(".ini");
}

bool IsListedMacroName(const QString &name)
{
    return AssignmentLabels::IsSafeMacroName(name) && !name.contains(QLatin1String("xml")) &&
           !name.startsWith(QLatin1Char('.')) && name.toLocal8Bit().size() <= NameBytes;
}

QString ListedMacroName(const QString &name)
{
    if (IsListedMacroName(name))
        return name;
    if (name.trimmed().isEmpty())
        return QString();
    QString listed;
    for (const QChar c : name) {
        const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\');
        listed += (separator || c.unicode() < 0x20 || c.unicode() == 0x7F) ? QLatin1Char('_') : c;
    }
    // One pass is enough: "x_ml" holds no "xml" and forms none with its
    // neighbours.
    listed.replace(QLatin1String("xml"), QLatin1String("x_ml"));
    for (int i = 0; i < listed.size() && listed.at(i) == QLatin1Char('.'); ++i)
        listed[i] = QLatin1Char('_');
    // The tag is hexadecimal: it adds no "xml" and keeps names apart.
    const QString tag =
        QLatin1Char('~') +
        QString::fromLatin1(
            QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    while (!listed.isEmpty() && (listed + tag).toLocal8Bit().size() > NameBytes)
        listed.chop(1);
    if (!listed.isEmpty() && listed.at(listed.size() - 1).isHighSurrogate())
        listed.chop(1);
    return listed + tag;
}

bool WriteMacroFile(const QString &name, const QString &text)
{
    return WriteMacroBytes(name, (text + QLatin1Char('\n')).toUtf8());
}

bool WriteDeviceMacroFile(const QString &name, int repeatCode, const MacroRecord &record)
{
    return WriteMacroBytes(name,
                           QByteArray::number(repeatCode) + '\n' +
                               MacroEventFile::EventLines(MacroEventFile::EventsOfRecord(record)));
}
