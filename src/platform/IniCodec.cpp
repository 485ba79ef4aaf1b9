#include "platform/IniCodec.h"

#include <QStringList>

namespace IniCodec {
namespace {

const char HexDigits[] = "0123456789ABCDEF";

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line from pos: comments and empty lines are skipped, a quoted
// text or a "\" at the line end carries it over the line break. equalsAt is
// the first "=" outside quotes, or -1.
bool readLine(const QByteArray &data, int &pos, int &lineStart, int &lineLength, int &equalsAt)
{
    const int size = data.size();
    bool inQuotes = false;
    equalsAt = -1;
    lineStart = pos;
    while (lineStart < size && isSpace(data.at(lineStart)))
        ++lineStart;
    int i = lineStart;
    while (i < size) {
        char c = data.at(i);
        while (!isSpecial(c)) {
            if (++i == size)
                goto done;
            c = data.at(i);
        }
        ++i;
        if (c == '=') {
            if (!inQuotes && equalsAt == -1)
                equalsAt = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else { // ';'
            if (i == lineStart + 1) {
                while (i < size && data.at(i) != '\n' && data.at(i) != '\r')
                    ++i;
                while (i < size && isSpace(data.at(i)))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        }
    }
done:
    pos = i;
    lineLength = i - lineStart;
    return lineLength > 0;
}

// Keys are ASCII in the file: "%XX" and "%UXXXX" stand for other
// characters, "\" for "/".
void unescapeKey(const QByteArray &data, int from, int to, QString &result)
{
    int i = from;
    while (i < to) {
        const int c = uchar(data.at(i));
        if (c == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (c != '%' || i == to - 1) {
            result += QLatin1Char(char(c));
            ++i;
            continue;
        }
        int digits = 2;
        int first = i + 1;
        if (data.at(i + 1) == 'U') {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const int code = first + digits > to ? 0 : data.mid(first, digits).toInt(&ok, 16);
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
}

void escapeKey(const QString &key, QByteArray &result)
{
    for (const QChar qc : key) {
        uint c = qc.unicode();
        if (c == '/') {
            result += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            result += char(c);
        } else if (c <= 0xFF) {
            result += '%';
            result += HexDigits[c / 16];
            result += HexDigits[c % 16];
        } else {
            result += "%U";
            QByteArray code;
            for (int n = 0; n < 4; ++n) {
                code.prepend(HexDigits[c % 16]);
                c >>= 4;
            }
            result += code;
        }
    }
}

void chopTrailingSpaces(QString &text, int limit)
{
    int n = text.size() - 1;
    while (n >= limit && (text.at(n) == QLatin1Char(' ') || text.at(n) == QLatin1Char('\t')))
        text.truncate(n--);
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int hexValue(char c)
{
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

// A value: quotes, "\" escapes, and unquoted commas that make it a list.
// Returns true for a list (in list), false for one text (in text).
bool unescapeValue(const QByteArray &data, int from, int to, QString &text, QStringList &list)
{
    static const char escapes[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                      {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                      {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    int i = from;
    auto skipSpaces = [&] {
        while (i < to && (data.at(i) == ' ' || data.at(i) == '\t'))
            ++i;
    };
    skipSpaces();
    int chopLimit = 0;
    while (i < to) {
        const char c = data.at(i);
        if (c == '\\') {
            if (++i >= to)
                break;
            const char e = data.at(i++);
            bool known = false;
            for (const auto &escape : escapes) {
                if (e == escape[0]) {
                    text += QLatin1Char(escape[1]);
                    known = true;
                    break;
                }
            }
            // What an escape gave is never chopped as a trailing blank.
            if (known) {
                chopLimit = text.size();
                continue;
            }
            if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                uint value = hex ? 0 : uint(e - '0');
                if (hex && (i >= to || !isHexDigit(data.at(i)))) {
                    chopLimit = text.size();
                    continue;
                }
                while (i < to &&
                       (hex ? isHexDigit(data.at(i)) : (data.at(i) >= '0' && data.at(i) <= '7'))) {
                    value = hex ? (value << 4) + uint(hexValue(data.at(i)))
                                : (value << 3) + uint(data.at(i) - '0');
                    ++i;
                }
                text += QChar(ushort(value));
                chopLimit = text.size();
                continue;
            }
            if ((e == '\n' || e == '\r') && i < to) {
                const char next = data.at(i);
                if ((next == '\n' || next == '\r') && next != e)
                    ++i;
            }
            chopLimit = text.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                chopLimit = text.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(text, chopLimit);
            isList = true;
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipSpaces();
            chopLimit = 0;
        } else {
            int j = i + 1;
            while (j < to && data.at(j) != '\\' && data.at(j) != '"' && data.at(j) != ',')
                ++j;
            text += QString::fromUtf8(data.constData() + i, j - i);
            i = j;
        }
    }
    if (!quoted)
        chopTrailingSpaces(text, chopLimit);
    if (isList)
        list.append(text);
    return isList;
}

QVariant textToValue(const QString &text)
{
    if (text.startsWith(QLatin1Char('@')) && text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return QVariant(text.midRef(11, text.size() - 12).toLatin1());
        if (text.startsWith(QLatin1String("@String(")))
            return QVariant(text.mid(8, text.size() - 9));
        if (text == QLatin1String("@Invalid()"))
            return QVariant();
    }
    if (text.startsWith(QLatin1String("@@")))
        return QVariant(text.mid(1));
    return QVariant(text);
}

QVariant listToValue(const QStringList &list)
{
    QStringList texts = list;
    for (QString &text : texts) {
        if (!text.startsWith(QLatin1Char('@')))
            continue;
        if (text.startsWith(QLatin1String("@@"))) {
            text.remove(0, 1);
            continue;
        }
        QVariantList values;
        for (const QString &item : list)
            values.append(textToValue(item));
        return values;
    }
    return texts;
}

QString valueToText(const QVariant &value)
{
    if (!value.isValid())
        return QStringLiteral("@Invalid()");
    if (value.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        return QStringLiteral("@ByteArray(") + QLatin1String(bytes.constData(), bytes.size()) +
               QLatin1Char(')');
    }
    QString text = value.toString();
    if (text.contains(QChar::Null))
        return QStringLiteral("@String(") + text + QLatin1Char(')');
    if (text.startsWith(QLatin1Char('@')))
        text.prepend(QLatin1Char('@'));
    return text;
}

void escapeText(const QString &text, QByteArray &result)
{
    // Byte arrays are written as Latin-1 escapes, texts in UTF-8.
    const bool utf8 = !text.startsWith(QLatin1String("@ByteArray(")) &&
                      !text.startsWith(QLatin1String("@Variant("));
    const int start = result.size();
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (int i = 0; i < text.size(); ++i) {
        const uint c = text.at(i).unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && c < 0x80 && isHexDigit(char(c))) {
            result += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(c);
            break;
        default:
            if (c <= 0x1F || (c >= 0x7F && !utf8)) {
                result += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else if (c >= 0x80) {
                // A surrogate pair is one character: encoded together.
                const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                                  text.at(i + 1).isLowSurrogate();
                result += text.mid(i, pair ? 2 : 1).toUtf8();
                if (pair)
                    ++i;
            } else {
                result += char(c);
            }
        }
    }
    if (needsQuotes || (start < result.size() &&
                        (result.at(start) == ' ' || result.at(result.size() - 1) == ' '))) {
        result.insert(start, '"');
        result += '"';
    }
}

void escapeValue(const QVariant &value, QByteArray &result)
{
    const bool list = value.userType() == QMetaType::QStringList ||
                      (value.userType() == QMetaType::QVariantList && value.toList().size() != 1);
    if (!list) {
        escapeText(valueToText(value), result);
        return;
    }
    const QVariantList items = value.toList();
    // An empty list reads back as no value, as with QSettings.
    if (items.isEmpty()) {
        result += "@Invalid()";
        return;
    }
    for (int i = 0; i < items.size(); ++i) {
        if (i != 0)
            result += ", ";
        escapeText(valueToText(items.at(i)), result);
    }
}

} // namespace

QString normalizedKey(const QString &key)
{
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

bool parse(const QByteArray &text, Map *map)
{
    bool ok = true;
    QString section;
    int pos = 0;
    if (text.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    int lineStart = 0;
    int lineLength = 0;
    int equalsAt = -1;
    while (readLine(text, pos, lineStart, lineLength, equalsAt)) {
        const char first = text.at(lineStart);
        if (first == '[') {
            QByteArray name;
            const int close = text.indexOf(']', lineStart);
            if (close == -1 || close >= lineStart + lineLength) {
                ok = false;
                name = text.mid(lineStart + 1, lineLength - 1);
            } else {
                name = text.mid(lineStart + 1, close - lineStart - 1);
            }
            name = name.trimmed();
            section.clear();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                continue;
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.constData() + 1);
            else
                unescapeKey(name, 0, name.size(), section);
            section += QLatin1Char('/');
            continue;
        }
        if (equalsAt == -1) {
            if (first != ';')
                ok = false;
            continue;
        }
        int keyEnd = equalsAt;
        while (keyEnd > lineStart && (text.at(keyEnd - 1) == ' ' || text.at(keyEnd - 1) == '\t'))
            --keyEnd;
        QString key = section;
        unescapeKey(text, lineStart, keyEnd, key);
        QString value;
        QStringList list;
        if (unescapeValue(text, equalsAt + 1, lineStart + lineLength, value, list))
            map->insert(key, listToValue(list));
        else
            map->insert(key, textToValue(value));
    }
    return ok;
}

QByteArray serialize(const Map &map)
{
    QMap<QString, Map> sections;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        sections[section].insert(it.key().mid(slash + 1), it.value());
    }
    QByteArray text;
    for (auto it = sections.constBegin(); it != sections.constEnd(); ++it) {
        if (!text.isEmpty())
            text += '\n';
        QByteArray header;
        escapeKey(it.key(), header);
        if (header.isEmpty())
            header = "General";
        else if (header.compare("general", Qt::CaseInsensitive) == 0)
            header = "%General";
        text += '[' + header + "]\n";
        for (auto entry = it.value().constBegin(); entry != it.value().constEnd(); ++entry) {
            escapeKey(entry.key(), text);
            text += '=';
            escapeValue(entry.value(), text);
            text += '\n';
        }
    }
    return text;
}

} // namespace IniCodec
