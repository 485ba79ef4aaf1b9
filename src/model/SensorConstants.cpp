#include "model/SensorConstants.h"

#include "device/FlashDataStore.h"
#include "model/SensorDefines.h"

#include <QDebug>
#include <QFile>

QVector<QString> SensorDefineNames;
QVector<int> SensorDefineValues;
QString CurrentSensorModel;
int DpiRangeMode = 0;
int DpiSegmentCount = 0;
QVector<int> DpiSegmentMins;
QVector<int> DpiSegmentMaxs;
QString DpiSegmentMinText[4];
QString DpiSegmentMaxText[4];
QString DpiSegmentStepText[4];

namespace {

int Decimal(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

int Hexadecimal(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 16);
    return ok ? value : 0;
}

// The segments that really exist: the count read from DPIRange, bounded by
// what the lists hold (a count outside 1..4 leaves them empty).
int UsableSegments()
{
    if (DpiSegmentCount < 1 || DpiSegmentCount > 4)
        return 0;
    return qMin(DpiSegmentCount, qMin(DpiSegmentMins.size(), DpiSegmentMaxs.size()));
}

struct Segment
{
    int min;
    int max;
    int step;
};

Segment SegmentAt(int k)
{
    return {Decimal(DpiSegmentMinText[k]), Decimal(DpiSegmentMaxText[k]),
            Decimal(DpiSegmentStepText[k])};
}

// The stepping and snapping read the texts; a count outside 1..4 decides nothing.
int TextSegments()
{
    return (DpiSegmentCount >= 1 && DpiSegmentCount <= 4) ? DpiSegmentCount : 0;
}

bool ModelHasTable(const QVector<QString> &names, const QString &prefix)
{
    for (const QString &name : names) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

bool UsesHighCodeBits(const QString &model)
{
    return model == QLatin1String("3395") || model == QLatin1String("3950");
}

} // namespace

bool SwitchListsModel(const QString &switchText, const QString &model)
{
    // Whole names only: "3395" must not offer a feature listed for "33950",
    // and a device without a sensor name is offered nothing.
    if (model.isEmpty())
        return false;
    const QStringList models = switchText.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &listed : models) {
        if (listed.trimmed() == model)
            return true;
    }
    return false;
}

bool ReadSensorConstantsLine(const QString &line, QVector<QString> &names, QVector<int> &values,
                             SensorSwitches &switches)
{
    const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() == 2) {
        struct
        {
            const char *name;
            QString *target;
        } const table[] = {{"SUPPORT_SENSOR_MODE_SEL", &switches.SensorModeSel},
                           {"SUPPORT_LOD_CAL", &switches.LodCal},
                           {"SUPPORT_RIPPLE", &switches.Ripple},
                           {"SUPPORT_FIXLINE", &switches.FixLine},
                           {"SUPPORT_MOTION_SYNC", &switches.MotionSync},
                           {"SUPPORT_MOUSEPAD_CAL", &switches.MousepadCal}};
        for (const auto &entry : table) {
            if (!fields.at(1).contains(QLatin1String(entry.name)))
                continue;
            const QStringList parts = fields.at(1).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
            // A switch without its model list (no tab) sets nothing.
            if (parts.size() < 2)
                return false;
            QString models = parts.at(1);
            models.remove(QLatin1Char('\n'));
            *entry.target = models;
            return true;
        }
    }
    // Entry lines follow the one reader of the button page.
    SensorDefines defines;
    if (!defines.addLine(line) || defines.names.isEmpty() || defines.values.isEmpty())
        return false;
    names.append(defines.names.constFirst());
    values.append(defines.values.constFirst());
    return true;
}

bool ReadSensorConstantsFile(const QString &path, QVector<QString> &names, QVector<int> &values,
                             SensorSwitches &switches)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd())
        ReadSensorConstantsLine(QString::fromUtf8(file.readLine()), names, values, switches);
    return true;
}

void ReadDpiRange(const QStringList &items, QString &minText, QString &maxText)
{
    const int m = items.size();
    DpiRangeMode = m > 0 ? Hexadecimal(items.at(m - 1)) : 0;
    DpiSegmentMins.clear();
    DpiSegmentMaxs.clear();
    DpiSegmentCount = (m - 1) / 3;
    if (DpiSegmentCount < 1 || DpiSegmentCount > 4)
        return;
    for (int k = 0; k < DpiSegmentCount; ++k) {
        DpiSegmentMinText[k] = items.at(3 * k);
        DpiSegmentMaxText[k] = items.at(3 * k + 1);
        DpiSegmentStepText[k] = items.at(3 * k + 2);
        DpiSegmentMins.append(Decimal(items.at(3 * k)));
        DpiSegmentMaxs.append(Decimal(items.at(3 * k + 1)));
    }
    minText = items.at(0);
    maxText = items.at(3 * DpiSegmentCount - 2);
}

bool SensorDpiCode(const QVector<QString> &names, const QVector<int> &values, const QString &model,
                   int dpi, int multiplier, int &code)
{
    if (multiplier < 1)
        return false;
    const QString prefix = QStringLiteral("SENSOR_") + model + QStringLiteral("_DPI");
    if (ModelHasTable(names, prefix)) {
        const QString wanted = prefix + QLatin1Char('_') + QString::number(dpi / multiplier);
        const int count = qMin(names.size(), values.size());
        for (int i = 0; i < count; ++i) {
            if (names.at(i) != wanted)
                continue;
            // A table code has no place for bits above the code byte.
            if (values.at(i) < 0 || values.at(i) > 0xFF)
                return false;
            code = values.at(i);
            return true;
        }
        // The sensor has no code for this value: any stand-in would set
        // another DPI (or one the level decoding reads as 0).
        return false;
    }
    // Below 50 x M there is no code; the lowest code stands in rather than a
    // negative one that would wrap to the highest DPI.
    const int computed = qMax(0, dpi / (multiplier * 50) - 1);
    // The code byte holds 8 bits; two sensors keep bits 8 and 9 in the flags.
    const int highest = UsesHighCodeBits(model) ? 0x3FF : 0xFF;
    if (computed > highest)
        return false;
    code = computed;
    return true;
}

bool EncodeDpiValue(int dpi, int &code, int &flags)
{
    int range = 0;
    int multiplier = 1;
    const int segments = UsableSegments();
    if (DpiRangeMode == 0x33) {
        int found = -1;
        for (int k = segments - 1; k >= 0; --k) {
            if (DpiSegmentMins.at(k) <= dpi) {
                found = k;
                break;
            }
        }
        static const int Flags[] = {0, 0x22, 0x11, 0x33};
        static const int Multipliers[] = {1, 2, 2, 4};
        if (found > 0) {
            range = Flags[found];
            multiplier = Multipliers[found];
        }
    } else if ((DpiRangeMode == 0x22 || DpiRangeMode == 0x11) && segments > 0) {
        if (dpi > DpiSegmentMaxs.at(0)) {
            range = DpiRangeMode;
            multiplier = 2;
        }
    }

    int found = 0;
    if (!SensorDpiCode(SensorDefineNames, SensorDefineValues, CurrentSensorModel, dpi, multiplier,
                       found))
        return false;
    code = found;
    flags = range;
    const QString prefix = QStringLiteral("SENSOR_") + CurrentSensorModel + QStringLiteral("_DPI");
    if (!ModelHasTable(SensorDefineNames, prefix) && UsesHighCodeBits(CurrentSensorModel)) {
        const int high = (code >> 8) & 0x3;
        flags = range | ((high | (high << 4)) << 2);
    }
    return true;
}

int DecodeDpiLevel(const QVector<QString> &names, const QVector<int> &values, const QString &model,
                   int code, int flags)
{
    const QString prefix = QStringLiteral("SENSOR_") + model + QStringLiteral("_DPI");
    int value = 0;
    if (ModelHasTable(names, prefix)) {
        const int count = qMin(names.size(), values.size());
        // Only the names the encoder looks up, SENSOR_<model>_DPI_<value>:
        // the value follows the model's own prefix, whatever letters the
        // model's name holds.
        const QString entry = prefix + QLatin1Char('_');
        for (int i = 0; i < count; ++i) {
            const QString &name = names.at(i);
            if (!name.startsWith(entry) || values.at(i) != code)
                continue;
            value = Decimal(name.mid(entry.size()));
            if (flags & 0x22)
                value *= 2;
            break;
        }
    } else {
        int c = code;
        if (UsesHighCodeBits(model))
            c = c | ((flags & 0xC0) * 4);
        value = (flags & 0x22) ? (c + 1) * 100 : (c + 1) * 50;
    }
    if (flags & 0x11)
        value *= 2;
    return value;
}

int DecodeDpiLevel(int code, int flags)
{
    return DecodeDpiLevel(SensorDefineNames, SensorDefineValues, CurrentSensorModel, code, flags);
}

bool SetDpiLevelValue(int level, int dpi)
{
    if (level < 0 || level > 7)
        return false;
    int code = 0;
    int flags = 0;
    if (!EncodeDpiValue(dpi, code, flags)) {
        qWarning() << "sensor" << CurrentSensorModel << "has no code for" << dpi
                   << "DPI; level not changed";
        return false;
    }
    return SetDpiLevelCode(level, code, code, flags);
}

int DpiStepUp(int a)
{
    const int n = TextSegments();
    if (n == 1) {
        const Segment s = SegmentAt(0);
        return (s.min <= a && a <= s.max) ? a + s.step : a;
    }
    for (int k = 0; k + 1 < n; ++k) {
        const Segment s = SegmentAt(k);
        if (s.min <= a && a < s.max)
            return a + s.step;
        const Segment next = SegmentAt(k + 1);
        if (s.max <= a && a < next.min)
            return next.min;
    }
    if (n >= 2) {
        const Segment last = SegmentAt(n - 1);
        if (last.min <= a && a <= last.max)
            return a + last.step;
    }
    return a;
}

int DpiStepDown(int a)
{
    const int n = TextSegments();
    for (int k = 0; k < n; ++k) {
        const Segment s = SegmentAt(k);
        if (s.min <= a && a <= s.max)
            return a - s.step;
        if (k < n - 1) {
            const Segment next = SegmentAt(k + 1);
            if (s.max < a && a < next.min)
                return next.min;
        }
    }
    return a;
}

int DpiSnap(int a, int &pageStep)
{
    const int n = TextSegments();
    for (int k = 0; k < n; ++k) {
        const Segment s = SegmentAt(k);
        if (s.min <= a && a <= s.max) {
            // A step that is no positive number cannot round: the value stays.
            if (s.step <= 0)
                return a;
            pageStep = s.step;
            // The values of a segment are its minimum plus whole steps.
            return a - ((a - s.min) % s.step);
        }
        if (k < n - 1) {
            const Segment next = SegmentAt(k + 1);
            if (s.max < a && a < next.min) {
                if (next.step > 0)
                    pageStep = next.step;
                return next.min;
            }
        }
    }
    return a;
}
