#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace FuzzSupport {

namespace {

void dropMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::abort();
    }
}

} // namespace

void Start(int *argc, char ***argv, bool gui)
{
    static QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "fuzz: no temporary folder for HOME\n");
        std::abort();
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    // The per-user folder lies below it too (the inputs are written there).
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORVAK_FUZZ_VERBOSE"))
        qInstallMessageHandler(dropMessage);
    // The application keeps a reference to the count: it must outlive it.
    static int count = *argc;
    static const std::unique_ptr<QCoreApplication> application(
        gui ? new QGuiApplication(count, *argv) : new QCoreApplication(count, *argv));
}

QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

QString WriteInput(const uint8_t *data, size_t size, const QString &relativePath)
{
    const QString path = QDir::home().filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        return QString();
    return path;
}

} // namespace FuzzSupport
