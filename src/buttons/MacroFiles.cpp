#include "buttons/MacroFiles.h"

#include "buttons/AssignmentLabels.h"
#include "common/SharedState.h"
#include "platform/UserFolder.h"

#include <QSaveFile>

QString MacroFolderPath()
{
    return UserFolder::filePath(QStringLiteral("usersetting/MacroPage/"));
}

QString MacroFilePath(const QString &name)
{
    if (!AssignmentLabels::IsSafeMacroName(name))
        return QString();
    return MacroFolderPath() + name + QStringLiteral(".ini");
}

bool WriteMacroFile(const QString &name, const QString &text)
{
    const QString path = MacroFilePath(name);
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
