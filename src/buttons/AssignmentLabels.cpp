#include "buttons/AssignmentLabels.h"

#include "macro/KeyNames.h"
#include "sensor/SensorConstants.h"

#include <QChar>
#include <QTextCodec>

namespace AssignmentLabels {

QString KeyCodeName(int code, int kind)
{
    return CombinationCodeToName(code & 0xFF, kind);
}

int DpiValueToCode(const QVector<QString> &names, const QVector<int> &values,
                   const QString &sensorModel, int dpi)
{
    // The sensor module's encoding; a key's DPI lock has no range flags.
    int code = -1;
    return SensorDpiCode(names, values, sensorModel, dpi, 1, code) ? code : -1;
}

int DpiCodeToValue(const QVector<QString> &names, const QVector<int> &values,
                   const QString &sensorModel, int code)
{
    // The sensor module's level decoding; an assignment's code has no flags.
    return DecodeDpiLevel(names, values, sensorModel, code, 0);
}

int BoundedStrokeCount(quint32 strokeCount)
{
    return qMin(int(strokeCount & 0xFF), 6);
}

QString MacroNameFromBytes(const unsigned char *bytes, int size)
{
    int length = 0;
    while (length < size && bytes[length] != 0)
        ++length;
    const QByteArray raw(reinterpret_cast<const char *>(bytes), length);
    return QString::fromLocal8Bit(raw);
}

bool IsSafeMacroName(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 ||
            c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace AssignmentLabels
