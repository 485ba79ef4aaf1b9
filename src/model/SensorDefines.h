#pragma once

#include <QString>
#include <QVector>

// The #define entries of driver_sensor.h that the button page keeps: names
// and values in file order. Malformed lines are skipped.
struct SensorDefines
{
    QVector<QString> names;
    QVector<int> values;

    // Reads the file; false (and nothing kept) when it cannot be opened.
    bool read(const QString &path);
    // Applies the rules to one line as read, with its line end ("\n") if it
    // had one; returns whether an entry was kept.
    bool addLine(const QString &line);
};
