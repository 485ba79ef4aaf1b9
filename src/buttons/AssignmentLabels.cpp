#include "buttons/AssignmentLabels.h"

#include <QChar>
#include <QTextCodec>

namespace AssignmentLabels {

namespace {

// Keyboard usages whose name does not depend on the kind of the event.
QString KeyboardUsageName(int code)
{
    if (code >= 0x05 && code <= 0x1D && code != 0x08 && code != 0x10)
        return QString(QChar('A' + (code - 0x04)));
    if (code >= 0x1E && code <= 0x26 && code != 0x20)
        return QString::number(code - 0x1D);
    if (code >= 0x3A && code <= 0x3F)
        return QStringLiteral("F%1").arg(code - 0x39);
    if (code >= 0x41 && code <= 0x45)
        return QStringLiteral("F%1").arg(code - 0x39);
    if (code >= 0x59 && code <= 0x61)
        return QStringLiteral("Num%1").arg(code - 0x58);
    switch (code) {
    case 0x27:
        return QStringLiteral("0");
    case 0x28:
        return QStringLiteral("Enter");
    case 0x29:
        return QStringLiteral("Esc");
    case 0x2A:
        return QStringLiteral("BackSpace");
    case 0x2B:
        return QStringLiteral("Tab");
    case 0x2C:
        return QStringLiteral("Space");
    case 0x2D:
        return QStringLiteral("-");
    case 0x2E:
        return QStringLiteral("=");
    case 0x2F:
        return QStringLiteral("[");
    case 0x30:
        return QStringLiteral("]");
    case 0x31:
        return QStringLiteral("\\");
    case 0x33:
        return QStringLiteral(";");
    case 0x34:
        return QStringLiteral("'");
    case 0x35:
        return QString(QChar(0x60));
    case 0x36:
        return QStringLiteral(",");
    case 0x37:
        return QStringLiteral(".");
    case 0x38:
        return QStringLiteral("/");
    case 0x39:
        return QStringLiteral("CapsLock");
    case 0x46:
        return QStringLiteral("Screen");
    case 0x47:
        return QStringLiteral("Scroll");
    case 0x48:
        return QStringLiteral("Pause");
    case 0x49:
        return QStringLiteral("Insert");
    case 0x4A:
        return QStringLiteral("Home");
    case 0x4B:
        return QStringLiteral("PgUp");
    case 0x4C:
        return QStringLiteral("Del");
    case 0x4D:
        return QStringLiteral("End");
    case 0x4E:
        return QStringLiteral("PgDn");
    case 0x4F:
        return QString(QChar(0x2192));
    case 0x50:
        return QString(QChar(0x2190));
    case 0x51:
        return QString(QChar(0x2193));
    case 0x52:
        return QString(QChar(0x2191));
    case 0x53:
        return QStringLiteral("NumLock");
    case 0x54:
        return QStringLiteral("Num/");
    case 0x55:
        return QStringLiteral("Num*");
    case 0x56:
        return QStringLiteral("Num-");
    case 0x57:
        return QStringLiteral("Num+");
    case 0x58:
        return QStringLiteral("Enter");
    case 0x62:
        return QStringLiteral("Num0");
    case 0x63:
        return QStringLiteral("Num.");
    case 0x65:
        return QStringLiteral("APPs");
    default:
        return QString();
    }
}

} // namespace

QString KeyCodeName(int code, int kind)
{
    // Four codes are both a modifier bit and a keyboard usage.
    switch (code) {
    case 0x04:
        return kind == 1 ? QStringLiteral("A") : kind == 0 ? QStringLiteral("Alt") : QString();
    case 0x08:
        return kind == 1 ? QStringLiteral("E") : kind == 0 ? QStringLiteral("Win") : QString();
    case 0x20:
        return kind == 1 ? QStringLiteral("3") : kind == 0 ? QStringLiteral("Shift") : QString();
    case 0x40:
        return kind == 1 ? QStringLiteral("F7") : kind == 0 ? QStringLiteral("Alt") : QString();
    case 0x10:
        return kind == 0 ? QStringLiteral("Ctrl") : QStringLiteral("M");
    case 0x01:
        return QStringLiteral("Ctrl");
    case 0x02:
        return QStringLiteral("Shift");
    case 0x80:
        return QStringLiteral("Win");
    default:
        return KeyboardUsageName(code);
    }
}

int DpiCodeToValue(const QVector<QString> &names, const QVector<int> &values,
                   const QString &sensorModel, int code)
{
    const QString prefix = QStringLiteral("SENSOR_") + sensorModel + QStringLiteral("_DPI");
    bool modelHasEntries = false;
    const int count = qMin(names.size(), values.size());
    for (int i = 0; i < count; ++i) {
        const QString &name = names.at(i);
        if (!name.contains(prefix))
            continue;
        modelHasEntries = true;
        if (values.at(i) != code)
            continue;
        // SENSOR_<model>_DPI_800: the number starts two characters after the
        // first "I" (the one of "DPI").
        const int i0 = name.indexOf(QLatin1Char('I'));
        bool ok = false;
        const int dpi = i0 < 0 ? 0 : name.mid(i0 + 2).toInt(&ok);
        return ok ? dpi : 0;
    }
    return modelHasEntries ? 0 : (code + 1) * 50;
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
