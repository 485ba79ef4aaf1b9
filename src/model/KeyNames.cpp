#include "model/KeyNames.h"

#include "platform/vidide/FlashDataMap.h"

#include <QChar>
#include <QVector>

#include <cstddef>
#include <cstring>

QString MouseLeftName;
QString MouseRightName;
QString MouseMiddleName;
QString MouseBackName;
QString MouseForwardName;

namespace {

struct KeyRow
{
    QString name;
    int kind;  // 0 modifier bit, 1 keyboard usage
    int usage; // HID code
    int virtualKey;
};

void addRange(QVector<KeyRow> &rows, const QString &prefix, char first, int count, int usage,
              int virtualKey)
{
    for (int i = 0; i < count; ++i)
        rows.append({prefix + QChar(first + i), 1, usage + i, virtualKey + i});
}

// Fixed rows in look-up order: every fixed name but F1..F12 first, F1..F12
// last, so that a mouse-button name equal to a fixed name (a translation that
// happens to be "Home") is checked between the two groups.
const QVector<KeyRow> &fixedRows()
{
    static const QVector<KeyRow> rows = [] {
        QVector<KeyRow> r;
        addRange(r, QString(), 'A', 26, 0x04, 0x41);
        addRange(r, QString(), '1', 9, 0x1E, 0x31);
        r.append({QStringLiteral("0"), 1, 0x27, 0x30});
        r.append({QStringLiteral("Enter"), 1, 0x28, 0x0D});
        r.append({QStringLiteral("Esc"), 1, 0x29, 0x1B});
        r.append({QStringLiteral("BackSpace"), 1, 0x2A, 0x08});
        r.append({QStringLiteral("Tab"), 1, 0x2B, 0x09});
        r.append({QStringLiteral("Space"), 1, 0x2C, 0x20});
        r.append({QStringLiteral("-"), 1, 0x2D, 0xBD});
        r.append({QStringLiteral("="), 1, 0x2E, 0xBB});
        r.append({QStringLiteral("["), 1, 0x2F, 0xDB});
        r.append({QStringLiteral("]"), 1, 0x30, 0xDD});
        r.append({QString(QChar(0x5C)), 1, 0x31, 0xDC});
        r.append({QStringLiteral(";"), 1, 0x33, 0xBA});
        r.append({QStringLiteral("'"), 1, 0x34, 0xDE});
        r.append({QString(QChar(0x60)), 1, 0x35, 0xC0});
        r.append({QStringLiteral(","), 1, 0x36, 0xBC});
        r.append({QStringLiteral("."), 1, 0x37, 0xBE});
        r.append({QStringLiteral("/"), 1, 0x38, 0xBF});
        r.append({QStringLiteral("CapsLock"), 1, 0x39, 0x14});
        r.append({QStringLiteral("Screen"), 1, 0x46, 0x2C});
        r.append({QStringLiteral("Scroll"), 1, 0x47, 0x91});
        r.append({QStringLiteral("Pause"), 1, 0x48, 0x13});
        r.append({QStringLiteral("Insert"), 1, 0x49, 0x2D});
        r.append({QStringLiteral("Home"), 1, 0x4A, 0x24});
        r.append({QStringLiteral("PgUp"), 1, 0x4B, 0x21});
        r.append({QStringLiteral("Del"), 1, 0x4C, 0x2E});
        r.append({QStringLiteral("End"), 1, 0x4D, 0x23});
        r.append({QStringLiteral("PgDn"), 1, 0x4E, 0x22});
        r.append({QString(QChar(0x2192)), 1, 0x4F, 0x27});
        r.append({QString(QChar(0x2190)), 1, 0x50, 0x25});
        r.append({QString(QChar(0x2193)), 1, 0x51, 0x28});
        r.append({QString(QChar(0x2191)), 1, 0x52, 0x26});
        r.append({QStringLiteral("NumLock"), 1, 0x53, 0x90});
        r.append({QStringLiteral("Num/"), 1, 0x54, 0x6F});
        r.append({QStringLiteral("Num*"), 1, 0x55, 0x6A});
        r.append({QStringLiteral("Num-"), 1, 0x56, 0x6D});
        r.append({QStringLiteral("Num+"), 1, 0x57, 0x6B});
        addRange(r, QStringLiteral("Num"), '1', 9, 0x59, 0x61);
        r.append({QStringLiteral("Num0"), 1, 0x62, 0x60});
        r.append({QStringLiteral("Num."), 1, 0x63, 0x6E});
        r.append({QStringLiteral("APPs"), 1, 0x65, 0x5D});
        r.append({QString(), 1, 0x00, 0x0C});
        r.append({QStringLiteral("LCtrl"), 0, 0x01, 0xA2});
        r.append({QStringLiteral("LShift"), 0, 0x02, 0xA0});
        r.append({QStringLiteral("LAlt"), 0, 0x04, 0xA4});
        r.append({QStringLiteral("LWin"), 0, 0x08, 0x5B});
        r.append({QStringLiteral("RCtrl"), 0, 0x10, 0xA3});
        r.append({QStringLiteral("RShift"), 0, 0x20, 0xA1});
        r.append({QStringLiteral("RAlt"), 0, 0x40, 0xA5});
        r.append({QStringLiteral("RWin"), 0, 0x80, 0x5C});
        for (int i = 0; i < 12; ++i)
            r.append({QStringLiteral("F%1").arg(i + 1), 1, 0x3A + i, 0x70 + i});
        return r;
    }();
    return rows;
}

constexpr int FunctionKeyRows = 12;

const QString &mouseName(int index)
{
    switch (index) {
    case 0:
        return MouseLeftName;
    case 1:
        return MouseRightName;
    case 2:
        return MouseMiddleName;
    case 3:
        return MouseBackName;
    default:
        return MouseForwardName;
    }
}

QString usageText(int usage)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(usage, 2, 16, QChar('0')).toUpper();
}

// The look-up every name-to-code conversion shares. Returns false when no row
// has the name; kind 4 with bit = code for a mouse row.
bool findName(const QString &name, int *kind, int *code)
{
    const QVector<KeyRow> &rows = fixedRows();
    const int beforeF = rows.size() - FunctionKeyRows;
    for (int i = 0; i < beforeF; ++i) {
        if (rows[i].name == name) {
            *kind = rows[i].kind;
            *code = rows[i].usage;
            return true;
        }
    }
    for (int m = 0; m < 5; ++m) {
        if (mouseName(m) == name) {
            *kind = 4;
            *code = 1 << m;
            return true;
        }
    }
    for (int i = beforeF; i < rows.size(); ++i) {
        if (rows[i].name == name) {
            *kind = rows[i].kind;
            *code = rows[i].usage;
            return true;
        }
    }
    return false;
}

} // namespace

QString HidCodeToKeyName(const QString &usage, int kind)
{
    if (kind == 4) {
        for (int m = 0; m < 5; ++m) {
            if (usageText(1 << m) == usage)
                return mouseName(m);
        }
        return QString();
    }
    for (const KeyRow &row : fixedRows()) {
        if (row.kind == kind && usageText(row.usage) == usage)
            return row.name;
    }
    return QString();
}

QStringList KeyNameToHidCode(const QString &name)
{
    int kind = 0;
    int code = 0;
    if (!findName(name, &kind, &code))
        return {};
    return {usageText(code), QString::number(kind)};
}

void KeyNameToStroke(const QString &name, int i, unsigned char *record, int recordSize)
{
    if (!record || recordSize < int(sizeof(MacroRecord)) || i < 0 || i >= 70)
        return;
    unsigned char *stroke = record + offsetof(MacroRecord, Strokes) + size_t(i) * sizeof(KeyStroke);
    int kind = 1;
    int code = 0;
    if (findName(name, &kind, &code)) {
        const uint16_t value = uint16_t(code);
        std::memcpy(stroke + offsetof(KeyStroke, Code), &value, sizeof value);
    } else {
        kind = 1;
    }
    stroke[offsetof(KeyStroke, Kind)] = uint8_t(kind);
}

QString DeviceCodeToKeyName(int code, int kind)
{
    switch (code) {
    case 0x04:
        return kind == 1 ? QStringLiteral("A") : kind == 0 ? QStringLiteral("LAlt") : QString();
    case 0x08:
        return kind == 1 ? QStringLiteral("E") : kind == 0 ? QStringLiteral("LWin") : QString();
    case 0x10:
        return kind == 1 ? QStringLiteral("M") : kind == 0 ? QStringLiteral("RCtrl") : QString();
    case 0x20:
        return kind == 1 ? QStringLiteral("3") : kind == 0 ? QStringLiteral("RShift") : QString();
    case 0x40:
        return kind == 0 ? QStringLiteral("RAlt") : QStringLiteral("F7");
    case 0x01:
        return QStringLiteral("LCtrl");
    case 0x02:
        return QStringLiteral("LShift");
    case 0x80:
        return QStringLiteral("RWin");
    case 0x58:
        return QStringLiteral("Enter");
    default:
        break;
    }
    for (const KeyRow &row : fixedRows()) {
        if (row.kind == 1 && row.usage == code)
            return row.name;
    }
    return QString();
}

QString MouseBitToKeyName(int bit)
{
    for (int m = 0; m < 5; ++m) {
        if (bit == (1 << m))
            return mouseName(m);
    }
    return QString();
}

bool VirtualKeyToKeyName(int virtualKey, QString *name)
{
    for (const KeyRow &row : fixedRows()) {
        if (row.virtualKey == virtualKey) {
            if (name)
                *name = row.name;
            return true;
        }
    }
    return false;
}

int KeyNameToVirtualKey(const QString &name)
{
    for (const KeyRow &row : fixedRows()) {
        if (row.name == name)
            return row.virtualKey;
    }
    return -1;
}

bool CombinationNameToCode(const QString &name, int *kind, int *code)
{
    static const QStringList modifiers = {QStringLiteral("Ctrl"), QStringLiteral("Shift"),
                                          QStringLiteral("Alt"), QStringLiteral("Win")};
    const int modifier = modifiers.indexOf(name);
    if (modifier >= 0) {
        *kind = 0;
        *code = 1 << modifier;
        return true;
    }
    for (const KeyRow &row : fixedRows()) {
        if (row.kind == 1 && row.name == name) {
            *kind = 1;
            *code = row.usage;
            return true;
        }
    }
    return false;
}

QString CombinationCodeToName(int code, int kind)
{
    code &= 0xFF;
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
    case 0x00:
        return QString();
    default:
        return DeviceCodeToKeyName(code, 1);
    }
}
