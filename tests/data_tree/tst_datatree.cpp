// Checks the install tree laid beside the test binary: every picture of the
// generator's table with its size, every label and option list the pages look
// up in en.json, Net.xml, the Config.ini keys the program reads and the DPI
// codes driver_sensor.h must hold for the catalogue's sensors.
#include "PicTable.h"
#include "PngWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTest>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QtEndian>
#include <algorithm>

namespace {

// The filter byte of every row of a non-interlaced 8-bit RGB or RGBA PNG, or
// an empty list when the data cannot be read that way.
QList<int> pngRowFilters(const QByteArray &png)
{
    QByteArray idat;
    int width = 0, height = 0, channels = 0;
    for (int pos = 8; pos + 12 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + pos);
        if (length > quint32(png.size() - pos - 12))
            return {};
        const QByteArray type = png.mid(pos + 4, 4);
        const QByteArray data = png.mid(pos + 8, int(length));
        if (type == "IHDR" && data.size() == 13) {
            width = int(qFromBigEndian<quint32>(data.constData()));
            height = int(qFromBigEndian<quint32>(data.constData() + 4));
            channels = data.at(9) == 2 ? 3 : data.at(9) == 6 ? 4 : 0;
            if (data.at(8) != 8 || data.at(12) != 0)
                return {};
        } else if (type == "IDAT") {
            idat += data;
        }
        pos += 12 + int(length);
    }
    const int stride = 1 + width * channels;
    if (channels == 0 || height <= 0)
        return {};
    char expected[4];
    qToBigEndian(quint32(stride * height), expected);
    const QByteArray rows = qUncompress(QByteArray(expected, 4) + idat);
    if (rows.size() != stride * height)
        return {};
    QList<int> filters;
    for (int y = 0; y < height; ++y)
        filters << int(quint8(rows.at(y * stride)));
    return filters;
}

QString treePath(const QString &relative)
{
    return QCoreApplication::applicationDirPath() + "/" + relative;
}

// The lines of required_keys.txt that start with kind, split at blanks.
QVector<QStringList> requiredLines(const QString &kind)
{
    QVector<QStringList> lines;
    QFile file(QStringLiteral(ORVAK_TEST_DATA) + "/data_tree/required_keys.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QStringList fields = in.readLine().split(' ', Qt::SkipEmptyParts);
        if (!fields.isEmpty() && fields.first() == kind)
            lines.append(fields.mid(1));
    }
    return lines;
}

QJsonObject readLanguageFile()
{
    QFile file(treePath("Language/en.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    return error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
}

bool isBase64(const QString &text)
{
    const auto result =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    return result.decodingStatus == QByteArray::Base64DecodingStatus::Ok;
}

bool allInts(const QStringList &items, int low, int high)
{
    for (const QString &item : items) {
        bool ok = false;
        const int v = item.toInt(&ok);
        if (!ok || v < low || v > high)
            return false;
    }
    return true;
}

QStringList driveGroups(QSettings &ini)
{
    QStringList groups;
    const int total = ini.value("Option/DeviceTotal").toInt();
    for (int n = 1; n <= total; ++n)
        groups << QString("Drive%1").arg(n);
    return groups;
}

} // namespace

class TestDataTree : public QObject
{
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void unfilteredPngRoundTrip_data();
    void unfilteredPngRoundTrip();
    void languageLabel_data();
    void languageLabel();
    void languageOption_data();
    void languageOption();
    void netXml();
    void configKey_data();
    void configKey();
    void catalogueIsConsistent();
    void sensorCodesCoverDefaults();
};

void TestDataTree::picture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QVector<PicEntry> entries;
    QString error;
    QVERIFY2(readPicTable(ORVAK_PICTURE_TABLE, &entries, &error), qPrintable(error));
    for (const PicEntry &e : entries)
        QTest::newRow(qPrintable(e.path)) << e.path << QSize(e.width, e.height);
}

void TestDataTree::picture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    // Names are compared case-sensitively, as the pages name them.
    QImageReader reader(treePath("Picture/" + path), "png");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.size(), size);
    // Every picture is decoded at start: rows stored unfiltered decode
    // fastest.
    QFile file(treePath("Picture/" + path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<int> filters = pngRowFilters(file.readAll());
    QCOMPARE(filters.size(), size.height());
    QCOMPARE(filters.count(0), filters.size());
}

void TestDataTree::unfilteredPngRoundTrip_data()
{
    QTest::addColumn<QImage>("image");
    QImage opaque(7, 3, QImage::Format_ARGB32_Premultiplied);
    opaque.fill(QColor(12, 200, 99));
    opaque.setPixel(3, 1, qRgb(255, 0, 7));
    QTest::newRow("opaque (stored as RGB)") << opaque;
    QImage clear(5, 4, QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    clear.setPixel(0, 0, qPremultiply(qRgba(200, 100, 50, 128)));
    clear.setPixel(4, 3, qRgb(1, 2, 3));
    QTest::newRow("transparent and half transparent (RGBA)") << clear;
}

// The pictures decode to exactly the pixels that were drawn, as with Qt's own
// PNG writer.
void TestDataTree::unfilteredPngRoundTrip()
{
    QFETCH(QImage, image);
    const QByteArray png = EncodeUnfilteredPng(image);
    const QImage decoded = QImage::fromData(png, "PNG");
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32),
             image.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(decoded.dotsPerMeterX(), image.dotsPerMeterX());
    QCOMPARE(pngRowFilters(png), QList<int>() << QVector<int>(image.height(), 0).toList());

    QByteArray qtPng;
    QBuffer buffer(&qtPng);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"));
    QCOMPARE(decoded.convertToFormat(QImage::Format_ARGB32),
             QImage::fromData(qtPng, "PNG").convertToFormat(QImage::Format_ARGB32));
}

void TestDataTree::languageLabel_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    const auto lines = requiredLines("label");
    QVERIFY(!lines.isEmpty());
    for (const QStringList &f : lines) {
        QVERIFY(f.size() == 3);
        QTest::newRow(qPrintable(f.join('/'))) << f.at(0) << f.at(1) << f.at(2);
    }
}

void TestDataTree::languageLabel()
{
    QFETCH(QString, part);
    QFETCH(QString, section);
    QFETCH(QString, key);
    const QJsonObject root = readLanguageFile();
    QVERIFY2(!root.isEmpty(), "en.json is missing or not a JSON object");
    const QJsonValue value = root.value(part).toObject().value(section).toObject().value(key);
    QVERIFY2(value.isString() && !value.toString().isEmpty(), "missing or empty text");
}

void TestDataTree::languageOption_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("array");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("count");
    const auto lines = requiredLines("option");
    QVERIFY(!lines.isEmpty());
    for (const QStringList &f : lines) {
        QVERIFY(f.size() == 4 || f.size() == 5);
        QTest::newRow(qPrintable(f.join('/')))
            << f.at(0) << f.at(1) << f.at(2) << f.at(3) << (f.size() == 5 ? f.at(4).toInt() : 1);
    }
}

void TestDataTree::languageOption()
{
    QFETCH(QString, part);
    QFETCH(QString, array);
    QFETCH(QString, member);
    QFETCH(QString, value);
    QFETCH(int, count);
    const QJsonArray items = readLanguageFile().value(part).toObject().value(array).toArray();
    int found = 0;
    for (const QJsonValue &item : items) {
        const QJsonValue m = item.toObject().value(member);
        // Decimal keys are numbers in the file, text keys are strings.
        const QString text = m.isDouble() ? QString::number(m.toInt()) : m.toString();
        const bool hasLabel = !item.toObject().value("option").toString().isEmpty() ||
                              !item.toObject().value("label").toString().isEmpty();
        if ((value == "*" ? !text.isEmpty() : text == value) && hasLabel)
            ++found;
    }
    QVERIFY2(found >= count,
             qPrintable(QString("%1 labelled elements, want %2").arg(found).arg(count)));
}

void TestDataTree::netXml()
{
    QFile file(treePath("Language/Net.xml"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QXmlStreamReader xml(&file);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name().toString(), QString("Profile"));
    QStringList english;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("English")) {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            const QString name = xml.name().toString();
            const QString text = xml.readElementText();
            QVERIFY2(!text.isEmpty(), qPrintable(name));
            english << name;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(english,
             QStringList({"CompanyName", "CompanyNameCn", "CompanyWebcn", "CompanyWeben"}));
}

void TestDataTree::configKey_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("form");
    QSettings ini(treePath("usersetting/Config.ini"), QSettings::IniFormat);
    const QStringList drives = driveGroups(ini);
    QVERIFY2(drives.size() >= 2, "the catalogue needs a wireless and a wired model");
    for (const QStringList &f : requiredLines("config")) {
        QVERIFY(f.size() == 3);
        const QStringList groups = f.at(0) == "Drive" ? drives : QStringList{f.at(0)};
        for (const QString &g : groups)
            QTest::newRow(qPrintable(g + "/" + f.at(1))) << g << f.at(1) << f.at(2);
    }
}

void TestDataTree::configKey()
{
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, form);
    QSettings ini(treePath("usersetting/Config.ini"), QSettings::IniFormat);
    QCOMPARE(ini.status(), QSettings::NoError);
    const QString name = group + "/" + key;
    QVERIFY2(ini.contains(name), "key missing");
    const QVariant v = ini.value(name);
    const QStringList items = v.toStringList();
    if (form == "int") {
        QVERIFY(allInts({v.toString()}, -1, 100000));
    } else if (form == "b64") {
        QVERIFY(isBase64(v.toString()));
    } else if (form == "b64list") {
        QVERIFY(!items.isEmpty());
        for (const QString &item : items)
            QVERIFY2(isBase64(item) && !item.isEmpty(), qPrintable(item));
    } else if (form == "rgb") {
        QCOMPARE(items.size(), 3);
        QVERIFY(allInts(items, 0, 255));
    } else if (form == "list") {
        QVERIFY(!items.isEmpty());
    } else if (form.startsWith("count=")) {
        QCOMPARE(items.size(), form.mid(6).toInt());
        QVERIFY(allInts(items, 0, 100000));
    } else {
        QFAIL(qPrintable("unknown form " + form));
    }
}

void TestDataTree::catalogueIsConsistent()
{
    QSettings ini(treePath("usersetting/Config.ini"), QSettings::IniFormat);
    QStringList mids;
    for (const QString &g : driveGroups(ini)) {
        const QString mid = ini.value(g + "/MID").toString();
        QVERIFY2(!mids.contains(mid), qPrintable(g + ": model id used twice"));
        mids << mid;
        // Range: one to four triples of minimum, maximum and step, then the mode.
        const QStringList range = ini.value(g + "/DPIRange").toStringList();
        const int segments = (range.size() - 1) / 3;
        QVERIFY2(segments >= 1 && segments <= 4 && range.size() == segments * 3 + 1, qPrintable(g));
        QVERIFY(allInts(range.mid(0, segments * 3), 1, 100000));
        const int low = range.first().toInt();
        const int high = range.at(segments * 3 - 2).toInt();
        for (const QString &dpi : ini.value(g + "/DPIGrade").toStringList())
            QVERIFY2(dpi.toInt() >= low && dpi.toInt() <= high, qPrintable(g + ": " + dpi));
        const int levels = ini.value(g + "/DPIMaxGrade").toInt();
        QVERIFY(levels >= 1 && levels <= 8);
        const int keys = ini.value(g + "/KeyNumber").toInt();
        QVERIFY(keys >= 1 && keys <= 12);
        QVERIFY(ini.value(g + "/Adveanced").toStringList().size() >= 2);
        for (int i = 1; i <= 6; ++i)
            QVERIFY(ini.value(g + QString("/KeyParam%1").arg(i)).toStringList().size() >= 3);
    }
}

void TestDataTree::sensorCodesCoverDefaults()
{
    // Entries as the sensor page takes them: "#define", a blank, the name,
    // a tab and the value ending the line.
    QFile file(treePath("driver_sensor.h"));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList names;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.startsWith("#define "))
            continue;
        const QStringList parts = line.mid(8).split('\t', Qt::SkipEmptyParts);
        QVERIFY2(parts.size() == 2 && !parts.at(0).contains(' '), qPrintable(line));
        names << parts.at(0);
    }
    QSettings ini(treePath("usersetting/Config.ini"), QSettings::IniFormat);
    for (const QString &g : driveGroups(ini)) {
        const QString sensor =
            QString::fromUtf8(QByteArray::fromBase64(ini.value(g + "/Sensor").toByteArray()));
        QVERIFY2(!sensor.isEmpty() && !sensor.contains('I'), qPrintable(g + ": " + sensor));
        const QString prefix = "SENSOR_" + sensor + "_DPI_";
        const bool hasTable = std::any_of(names.cbegin(), names.cend(),
                                          [&](const QString &n) { return n.startsWith(prefix); });
        if (!hasTable)
            continue; // codes are computed from the value
        // With a table, a value without an entry is sent as a fallback code.
        for (const QString &dpi : ini.value(g + "/DPIGrade").toStringList())
            QVERIFY2(names.contains(prefix + dpi), qPrintable(g + ": no code for " + dpi));
    }
}

QTEST_GUILESS_MAIN(TestDataTree)
#include "tst_datatree.moc"
