// Draws every picture of the install tree from the picture table:
//   orvak_picgen <table> <output folder>
// Exit code 0 when all pictures were written, 1 otherwise.
#include "PicStyle.h"
#include "PicTable.h"
#include "PngWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool writePicture(const PicEntry &entry, const QString &outDir, QString *error)
{
    const Painter painter = painterForKind(entry.kind);
    if (!painter) {
        *error = QString("unknown kind \"%1\"").arg(entry.kind);
        return false;
    }
    QImage image(entry.width, entry.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        if (!painter(p, image.size(), entry.args, error))
            return false;
    }
    const QString path = outDir + "/" + entry.path;
    if (!QDir().mkpath(QFileInfo(path).path())) {
        *error = QString("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    const QByteArray png = EncodeUnfilteredPng(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
        *error = QString("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs fonts but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: orvak_picgen <picture table> <output folder>\n";
        return 1;
    }
    QVector<PicEntry> entries;
    QString error;
    if (!readPicTable(args.at(1), &entries, &error)) {
        err << "orvak_picgen: " << error << "\n";
        return 1;
    }
    int failures = 0;
    for (const PicEntry &entry : entries) {
        if (!writePicture(entry, args.at(2), &error)) {
            err << args.at(1) << ":" << entry.line << ": " << entry.path << ": " << error << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
