#include "PicTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>

namespace {

// Generous bounds: the largest picture is a full window background.
const int MaxSide = 4096;

bool parseLine(const QString &text, int lineNo, PicEntry *entry, QString *error)
{
    const QStringList fields = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    if (fields.size() < 4) {
        *error = QString("line %1: expected <folder>/<name> <width> <height> <kind>").arg(lineNo);
        return false;
    }
    const QString path = fields.at(0);
    static const QRegularExpression pathRule("^[A-Za-z0-9_]+/[A-Za-z0-9_+\\-]+\\.png$");
    if (!pathRule.match(path).hasMatch()) {
        *error = QString("line %1: bad picture path \"%2\"").arg(lineNo).arg(path);
        return false;
    }
    bool okW = false;
    bool okH = false;
    const int w = fields.at(1).toInt(&okW);
    const int h = fields.at(2).toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > MaxSide || h > MaxSide) {
        *error = QString("line %1: bad size %2 x %3").arg(lineNo).arg(fields.at(1), fields.at(2));
        return false;
    }
    entry->path = path;
    entry->width = w;
    entry->height = h;
    entry->kind = fields.at(3);
    entry->args = fields.mid(4);
    entry->line = lineNo;
    return true;
}

} // namespace

bool readPicTable(const QString &fileName, QVector<PicEntry> *entries, QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QString("cannot open %1: %2").arg(fileName, file.errorString());
        return false;
    }
    QTextStream in(&file);
    QSet<QString> seen;
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine().trimmed();
        ++lineNo;
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        PicEntry entry;
        if (!parseLine(text, lineNo, &entry, error))
            return false;
        if (seen.contains(entry.path)) {
            *error = QString("line %1: %2 is listed twice").arg(lineNo).arg(entry.path);
            return false;
        }
        seen.insert(entry.path);
        entries->append(entry);
    }
    if (entries->isEmpty()) {
        *error = QString("%1 lists no picture").arg(fileName);
        return false;
    }
    return true;
}
