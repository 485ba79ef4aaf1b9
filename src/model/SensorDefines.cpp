#include "model/SensorDefines.h"

#include <QFile>
#include <QStringList>

namespace {

const char *const FeatureSwitches[] = {"SUPPORT_SENSOR_MODE_SEL", "SUPPORT_LOD_CAL",
                                       "SUPPORT_RIPPLE",          "SUPPORT_FIXLINE",
                                       "SUPPORT_MOTION_SYNC",     "SUPPORT_MOUSEPAD_CAL"};

// Decimal, or hexadecimal when the text holds "0x"; a "//" comment after the
// number is not part of it; no number gives 0.
int ValueOf(QString text)
{
    text.remove(QLatin1Char('\n'));
    const int comment = text.indexOf(QLatin1String("//"));
    if (comment >= 0)
        text.truncate(comment);
    text = text.trimmed();
    // Base 16 takes the "0x" prefix; text that is no number reads as 0.
    bool ok = false;
    const int value = text.toInt(&ok, text.contains(QLatin1String("0x")) ? 16 : 10);
    return ok ? value : 0;
}

} // namespace

bool SensorDefines::addLine(const QString &line)
{
    const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 2) {
        // "#define NAME<tab>VALUE": the feature switches list sensor models,
        // not values, and are not kept.
        for (const char *feature : FeatureSwitches) {
            if (parts.at(1).contains(QLatin1String(feature)))
                return false;
        }
        if (parts.at(0) != QLatin1String("#define"))
            return false;
        const QStringList fields = parts.at(1).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        // A name without a value is a broken line: skip it.
        if (fields.size() < 2 || !fields.at(1).contains(QLatin1Char('\n')) ||
            fields.at(1).trimmed().isEmpty())
            return false;
        names.append(fields.at(0));
        values.append(ValueOf(fields.at(1)));
        return true;
    }
    if (parts.size() == 3) {
        // "#define NAME VALUE" or "#define NAME<tab>VALUE // comment".
        const QString &tail = parts.at(2);
        if (!tail.contains(QLatin1String("//")) && !tail.contains(QLatin1Char('\n')))
            return false;
        const QStringList fields = parts.at(1).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() == 2) {
            names.append(fields.at(0));
            values.append(ValueOf(fields.at(1)));
            return true;
        }
        if (fields.size() == 1) {
            names.append(fields.at(0));
            values.append(ValueOf(tail));
            return true;
        }
        return false;
    }
    return false;
}

bool SensorDefines::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        addLine(line);
    }
    return true;
}
