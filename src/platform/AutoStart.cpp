#include "platform/AutoStart.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/ProductName.h"
#include "platform/files/SafeFile.h"

namespace {

// Exec of a desktop entry: the path is quoted, and inside the quotes \, ", `
// and $ are escaped - twice for the backslash, as the value itself is an
// escaped string; a literal % is written %%.
QString quotedExec(const QString &program)
{
    QString escaped = program;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\\\""));
    escaped.replace(QLatin1Char('`'), QStringLiteral("\\\\`"));
    escaped.replace(QLatin1Char('$'), QStringLiteral("\\\\$"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

namespace AutoStart {

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + ProductName + QStringLiteral(".desktop");
}

bool isEnabled()
{
    return QFileInfo(entryPath()).isFile();
}

bool setEnabled(bool enabled, const QString &program)
{
    const QString path = entryPath();
    if (!enabled) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        qWarning().noquote() << "Autostart: cannot remove" << path;
        return false;
    }

    const QString exec = program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=") +
                          ProductName + QStringLiteral("\nExec=") + quotedExec(exec) +
                          QStringLiteral("\nX-GNOME-Autostart-enabled=true\n");
    QString error;
    if (!SafeFile::write(path, entry.toUtf8(), &error)) {
        qWarning().noquote() << "Autostart: cannot write" << path << "-" << error;
        return false;
    }
    return true;
}

} // namespace AutoStart
