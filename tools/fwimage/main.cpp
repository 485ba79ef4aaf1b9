// Writes firmware image files: one given on the command line, or one per
// firmware model of a device catalogue.

#include "platform/vidide/FirmwareImage.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTextStream>

using vidide::FirmwareInfo;

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool parseNumber(const QString &text, int max, int *value)
{
    bool ok = false;
    const QString t = text.trimmed();
    const int v = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16)
                                                                         : t.toInt(&ok, 10);
    if (!ok || v < 0 || v > max)
        return false;
    *value = v;
    return true;
}

// A body that differs per model and version, and is the same on every build.
QByteArray makeBody(const FirmwareInfo &info, int size)
{
    QByteArray body(size, '\0');
    quint32 seed = 2166136261u ^ info.version ^ (quint32(info.kind) << 24);
    for (char c : info.modelName)
        seed = (seed ^ quint8(c)) * 16777619u;
    for (int i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        body[i] = char(seed >> 16);
    }
    return body;
}

QString versionText(quint32 version)
{
    return QStringLiteral("v") + QString::number(version >> 8) + QLatin1Char('.') +
           QStringLiteral("%1").arg(version & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

bool writeImage(const QString &path, const FirmwareInfo &info, int bodySize)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(vidide::buildFirmwareImage(info, makeBody(info, bodySize))) < 0 ||
        !file.commit()) {
        err() << "fwimage: cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

QByteArray decoded(const QSettings &ini, const QString &key)
{
    return QByteArray::fromBase64(ini.value(key).toString().trimmed().toLatin1());
}

// One mouse image and one image per receiver variant of every model.
int writeCatalogue(const QString &catalogue, const QString &outDir, int mouseVersion,
                   int receiverVersion, int bodySize)
{
    if (!QFile::exists(catalogue)) {
        err() << "fwimage: no catalogue " << catalogue << '\n';
        return 1;
    }
    QSettings ini(catalogue, QSettings::IniFormat);
    int cid = 0;
    int total = 0;
    if (!parseNumber(QString::fromLatin1(decoded(ini, QStringLiteral("Option/CID"))), 255, &cid) ||
        !parseNumber(ini.value(QStringLiteral("Option/DeviceTotal")).toString(), 1000, &total)) {
        err() << "fwimage: catalogue without a valid CID or DeviceTotal\n";
        return 1;
    }
    int written = 0;
    for (int n = 1; n <= total; ++n) {
        const QString group = QStringLiteral("Drive%1/").arg(n);
        int mid = 0;
        if (!parseNumber(ini.value(group + QStringLiteral("MID")).toString(), 255, &mid)) {
            err() << "fwimage: " << group << "MID is not a number, model skipped\n";
            continue;
        }
        const struct
        {
            const char *key;
            quint8 kind;
            int version;
        } parts[] = {{"MM", vidide::FirmwareKindMouse, mouseVersion},
                     {"DM", vidide::FirmwareKindReceiver, receiverVersion},
                     {"D2M", vidide::FirmwareKindReceiver, receiverVersion},
                     {"D4M", vidide::FirmwareKindReceiver, receiverVersion},
                     {"D8M", vidide::FirmwareKindReceiver, receiverVersion}};
        for (const auto &part : parts) {
            FirmwareInfo info;
            info.modelName = decoded(ini, group + QLatin1String(part.key));
            if (info.modelName.isEmpty())
                continue;
            info.version = quint32(part.version);
            info.kind = part.kind;
            info.cid = quint8(cid);
            info.mid = quint8(mid);
            const QString name = QString::fromLatin1(info.modelName) + QLatin1Char('_') +
                                 versionText(info.version) + QStringLiteral(".bin");
            if (!writeImage(QDir(outDir).filePath(name), info, bodySize))
                return 1;
            ++written;
        }
    }
    return written > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes firmware image files."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("catalogue"),
         QStringLiteral("Write images for the models of a Config.ini."), QStringLiteral("file")},
        {QStringLiteral("out"), QStringLiteral("Output folder (catalogue) or file (single image)."),
         QStringLiteral("path")},
        {QStringLiteral("mouse-version"), QStringLiteral("Version of catalogue mouse images."),
         QStringLiteral("n"), QStringLiteral("0x0106")},
        {QStringLiteral("receiver-version"),
         QStringLiteral("Version of catalogue receiver images."), QStringLiteral("n"),
         QStringLiteral("0x0104")},
        {QStringLiteral("kind"), QStringLiteral("210 mouse or 211 receiver."), QStringLiteral("n")},
        {QStringLiteral("version"), QStringLiteral("(major << 8) + minor."), QStringLiteral("n")},
        {QStringLiteral("cid"), QStringLiteral("Customer id."), QStringLiteral("n")},
        {QStringLiteral("mid"), QStringLiteral("Model id."), QStringLiteral("n")},
        {QStringLiteral("model"), QStringLiteral("Model name (at most 64 bytes)."),
         QStringLiteral("name")},
        {QStringLiteral("body-size"), QStringLiteral("Body length in bytes."), QStringLiteral("n"),
         QStringLiteral("4096")},
    });
    parser.process(app);

    int bodySize = 0;
    if (!parseNumber(parser.value(QStringLiteral("body-size")), 16 * 1024 * 1024, &bodySize) ||
        bodySize < 1) {
        err() << "fwimage: bad --body-size\n";
        return 2;
    }
    const QString out = parser.value(QStringLiteral("out"));
    if (out.isEmpty()) {
        err() << "fwimage: --out is required\n";
        return 2;
    }
    if (parser.isSet(QStringLiteral("catalogue"))) {
        int mouseVersion = 0;
        int receiverVersion = 0;
        if (!parseNumber(parser.value(QStringLiteral("mouse-version")), 0xFFFF, &mouseVersion) ||
            !parseNumber(parser.value(QStringLiteral("receiver-version")), 0xFFFF,
                         &receiverVersion)) {
            err() << "fwimage: bad version\n";
            return 2;
        }
        return writeCatalogue(parser.value(QStringLiteral("catalogue")), out, mouseVersion,
                              receiverVersion, bodySize);
    }
    int kind = 0;
    int version = 0;
    int cid = 0;
    int mid = 0;
    const QByteArray model = parser.value(QStringLiteral("model")).toLocal8Bit();
    if (!parseNumber(parser.value(QStringLiteral("kind")), 255, &kind) ||
        !parseNumber(parser.value(QStringLiteral("version")), 0x7FFFFFFF, &version) ||
        !parseNumber(parser.value(QStringLiteral("cid")), 255, &cid) ||
        !parseNumber(parser.value(QStringLiteral("mid")), 255, &mid) || model.isEmpty() ||
        model.size() > vidide::FirmwareModelNameLength) {
        err() << "fwimage: a single image needs --kind, --version, --cid, --mid and --model\n";
        return 2;
    }
    FirmwareInfo info;
    info.kind = quint8(kind);
    info.version = quint32(version);
    info.cid = quint8(cid);
    info.mid = quint8(mid);
    info.modelName = model;
    return writeImage(out, info, bodySize) ? 0 : 1;
}
