#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One line of the picture table: where the picture goes, its size and how
// it is drawn.
struct PicEntry
{
    QString path; // "<folder>/<name>" below the Picture folder
    int width = 0;
    int height = 0;
    QString kind;
    QStringList args;
    int line = 0;
};

// Reads the picture table (see pictures.txt). Blank lines and lines starting
// with '#' are skipped. Returns false with a message naming the line when a
// line is malformed, a size is out of range or a path repeats.
bool readPicTable(const QString &fileName, QVector<PicEntry> *entries, QString *error);
