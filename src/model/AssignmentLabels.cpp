#include "model/AssignmentLabels.h"

#include "model/KeyNames.h"
#include "model/MacroFiles.h"
#include "model/SensorConstants.h"

#include <QChar>
#include <QCryptographicHash>
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
    QTextCodec *codec = QTextCodec::codecForLocale();
    QTextCodec::ConverterState state;
    QString name = codec->toUnicode(raw.constData(), raw.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return ListedMacroName(name);
    // Bytes that are no text in the local encoding all decode to the same
    // replacement character, so different names would share one file. The
    // readable part is kept and a short tag of the bytes themselves makes the
    // name distinct, stable and still no longer than the record's field.
    const QByteArray tag =
        QByteArray("~") + QCryptographicHash::hash(raw, QCryptographicHash::Sha1).toHex().left(8);
    name.replace(QChar(QChar::ReplacementCharacter), QLatin1Char('_'));
    while (!name.isEmpty() && codec->fromUnicode(name).size() + tag.size() > size)
        name.chop(1);
    if (!name.isEmpty() && name.at(name.size() - 1).isHighSurrogate())
        name.chop(1);
    return ListedMacroName(name + QString::fromLatin1(tag));
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
