#include "buttons/MacroBinding.h"

#include "buttons/MacroFiles.h"
#include "macro/KeyNames.h"

#include <QFile>
#include <QStringList>

#include <cstring>

namespace MacroBinding {

namespace {

constexpr int MaxStrokes = int(sizeof(MacroRecord::Strokes) / sizeof(KeyStroke));
constexpr int MaxNameBytes = int(sizeof(MacroRecord::MacroNameBytes));

QStringList Fields(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

LoadResult LoadRecord(const QString &name, MacroRecord *record)
{
    std::memset(record, 0, sizeof(MacroRecord));
    QString bare = name;
    bare.remove(QChar(0));
    const QString path = MacroFilePath(bare);
    const QByteArray nameBytes = bare.toLocal8Bit();
    if (path.isEmpty() || nameBytes.size() > MaxNameBytes)
        return LoadResult::BadName;
    QFile file(path);
    if (!file.exists())
        return LoadResult::Missing;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LoadResult::Unreadable;

    MacroRecord built;
    std::memset(&built, 0, sizeof(built));
    std::memcpy(built.MacroNameBytes, nameBytes.constData(), size_t(nameBytes.size()));
    built.MacroNameLength = uint8_t(nameBytes.size());

    file.readLine(); // the repeat code
    int i = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        const QStringList parts = Fields(line);
        if (parts.size() == 3) {
            const QString flag = parts.at(2).trimmed();
            if (flag != QLatin1String("0") && flag != QLatin1String("1"))
                continue;
            if (i >= MaxStrokes)
                return LoadResult::TooManyStrokes;
            const QString keyName = HidCodeToKeyName(parts.at(0), parts.at(1).toInt());
            KeyNameToStroke(keyName, i, reinterpret_cast<unsigned char *>(&built),
                            int(sizeof(built)));
            built.Strokes[i].Action = flag == QLatin1String("0") ? 0 : 1;
            built.Strokes[i].DelayMs = 0;
        } else if (parts.size() == 1) {
            if (i >= MaxStrokes)
                return LoadResult::TooManyStrokes;
            QString delay = parts.at(0);
            delay.remove(QStringLiteral("ms"));
            built.Strokes[i].DelayMs = delay.trimmed().toUInt();
            ++i;
        }
    }
    // The stroke after the last delay counts too (all zero when the list
    // ends on a delay), as in the editor's own download; it must still fit.
    built.StrokeCount = uint8_t(qMin(i + 1, MaxStrokes));
    *record = built;
    return LoadResult::Ok;
}

QString ReadRepeatCode(const QString &name)
{
    const QString path = MacroFilePath(name);
    if (path.isEmpty())
        return QStringLiteral("0");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() == 0)
        return QStringLiteral("0");
    const QString line = QString::fromUtf8(file.readLine());
    // A line of blanks has no first field; an empty line gives the empty text.
    if (line.trimmed().isEmpty() && line != QLatin1String("\n"))
        return QStringLiteral("0");
    const QStringList parts = Fields(line);
    if (parts.isEmpty())
        return QStringLiteral("0");
    QString first = parts.first();
    first.remove(QLatin1Char('\n'));
    return first;
}

bool RepeatModeOf(const QString &code, int *mode)
{
    bool ok = false;
    const int value = code.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > 255 || value == 251 || value == 252)
        return false;
    *mode = value;
    return true;
}

QString Describe(LoadResult result)
{
    switch (result) {
    case LoadResult::Ok:
        return QStringLiteral("ok");
    case LoadResult::BadName:
        return QStringLiteral("the name cannot be a macro file name of at most 30 bytes");
    case LoadResult::Missing:
        return QStringLiteral("the macro file does not exist");
    case LoadResult::Unreadable:
        return QStringLiteral("the macro file cannot be read");
    case LoadResult::TooManyStrokes:
        return QStringLiteral("the macro file holds more than 70 events");
    }
    return QString();
}

} // namespace MacroBinding
