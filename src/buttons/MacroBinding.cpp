#include "buttons/MacroBinding.h"

#include "model/MacroEventFile.h"
#include "model/MacroFiles.h"

#include "platform/files/SafeFile.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstring>

namespace MacroBinding {

namespace {

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
    QByteArray bytes;
    switch (SafeFile::read(path, MaxBindingFileBytes, &bytes)) {
    case SafeFile::Status::Ok:
        break;
    case SafeFile::Status::Missing:
        return LoadResult::Missing;
    // Refused before it is read: no macro file is anywhere near this size.
    case SafeFile::Status::TooLarge:
        return LoadResult::TooLarge;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::Failed:
        return LoadResult::Unreadable;
    }
    const MacroEventFile::Content content = MacroEventFile::Parse(bytes);

    MacroRecord built;
    std::memset(&built, 0, sizeof(built));
    std::memcpy(built.MacroNameBytes, nameBytes.constData(), size_t(nameBytes.size()));
    built.MacroNameLength = uint8_t(nameBytes.size());
    if (!MacroEventFile::FillStrokes(content.events, &built))
        return LoadResult::TooManyStrokes;
    *record = built;
    return LoadResult::Ok;
}

QString ReadRepeatCode(const QString &name)
{
    const QString path = MacroFilePath(name);
    if (path.isEmpty())
        return QStringLiteral("0");
    QByteArray bytes;
    if (SafeFile::read(path, MaxBindingFileBytes, &bytes) != SafeFile::Status::Ok ||
        bytes.isEmpty())
        return QStringLiteral("0");
    const int lineEnd = bytes.indexOf('\n');
    // Read as text: carriage returns are dropped, so CR LF ends a line too.
    QString line = QString::fromUtf8(lineEnd < 0 ? bytes : bytes.left(lineEnd + 1));
    line.remove(QLatin1Char('\r'));
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

bool RepeatCodeOf(const QString &text, int *code)
{
    const QString digits = text.trimmed();
    bool ok = false;
    const int value = digits.toInt(&ok);
    if (ok) {
        if (value < 0 || value > 255)
            return false;
        *code = value;
        return true;
    }
    // A number too long for an int is still a number, and too large.
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    if (number.match(digits).hasMatch())
        return false;
    *code = 0;
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
        return QStringLiteral("the macro file holds more than 70 key events");
    case LoadResult::TooLarge:
        return QStringLiteral("the macro file is far too large for a macro");
    }
    return QString();
}

QString RefusalKey(LoadResult result)
{
    switch (result) {
    case LoadResult::Ok:
        return QString();
    case LoadResult::BadName:
        return QStringLiteral("MacroNameUnusable");
    case LoadResult::Missing:
        return QStringLiteral("MacroFileMissing");
    case LoadResult::Unreadable:
        return QStringLiteral("MacroFileUnreadable");
    case LoadResult::TooManyStrokes:
        return QStringLiteral("MacroTooManyKeys");
    case LoadResult::TooLarge:
        return QStringLiteral("MacroFileTooLarge");
    }
    return QString();
}

} // namespace MacroBinding
