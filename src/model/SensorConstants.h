#pragma once

// The sensor constants of driver_sensor.h, the model's DPI range and the
// translation between DPI values and the one-byte sensor codes (plus flag
// byte) that the mouse keeps per DPI level. One module for every page: the
// level decoding with flags 0 is also the DPI code of a button's DPI-lock
// assignment.
//
// GUI thread only (the tables are filled by the sensor page's constructor and
// its refreshes).

#include <QString>
#include <QStringList>
#include <QVector>

// Entries of driver_sensor.h in file order; element i of both belongs together.
extern QVector<QString> SensorDefineNames;
extern QVector<int> SensorDefineValues;
// Drive<n>/Sensor of the device last shown.
extern QString CurrentSensorModel;

// The DPI range table, rebuilt from Drive<n>/DPIRange by every page refresh.
extern int DpiRangeMode;
extern int DpiSegmentCount;
extern QVector<int> DpiSegmentMins;
extern QVector<int> DpiSegmentMaxs;
extern QString DpiSegmentMinText[4];
extern QString DpiSegmentMaxText[4];
extern QString DpiSegmentStepText[4];

// The six feature switches: each lists the sensor models that offer it.
struct SensorSwitches
{
    QString SensorModeSel;
    QString LodCal;
    QString Ripple;
    QString FixLine;
    QString MotionSync;
    QString MousepadCal;
};

// True when the switch text, a comma-separated list of sensor models, names
// `model` exactly; an empty model is listed nowhere.
bool SwitchListsModel(const QString &switchText, const QString &model);

// Applies one line of driver_sensor.h as read (with its "\n" when it had
// one): a switch line sets its switch, an entry line is appended to
// names/values. Returns true when the line set or added something.
bool ReadSensorConstantsLine(const QString &line, QVector<QString> &names, QVector<int> &values,
                             SensorSwitches &switches);
// Reads the whole file; false when it cannot be opened (nothing added).
bool ReadSensorConstantsFile(const QString &path, QVector<QString> &names, QVector<int> &values,
                             SensorSwitches &switches);

// Rebuilds the range table from the DPIRange items; minText/maxText get the
// slider limits (left alone when the item count gives no 1..4 segments).
void ReadDpiRange(const QStringList &items, QString &minText, QString &maxText);

// Sensor code of `dpi` for `model` at the range multiplier `multiplier`: the
// define "SENSOR_<model>_DPI_<dpi / multiplier>" when the model has defines,
// else dpi / (multiplier x 50) - 1. False (code untouched) when the model's
// defines have no entry for the value or the code is beyond what the sensor
// takes (8 bits; 10 for the two sensors that keep bits 8-9 in the flags).
bool SensorDpiCode(const QVector<QString> &names, const QVector<int> &values, const QString &model,
                   int dpi, int multiplier, int &code);
// Sensor code and flag byte of `dpi` for the current sensor and range table;
// false (nothing set) when the sensor has no code for the value.
bool EncodeDpiValue(int dpi, int &code, int &flags);
// DPI value of a level's code and flags (0 when the model's table has no
// entry of that code).
int DecodeDpiLevel(int code, int flags);
// The same with explicit tables and model (the button page's own copy).
int DecodeDpiLevel(const QVector<QString> &names, const QVector<int> &values, const QString &model,
                   int code, int flags);

// Encodes `dpi` for DPI level `level` (0..7) and writes it through
// SetDpiLevelCode; the setter's result. A level outside 0..7 (-1 for none) or
// a value the sensor has no code for writes nothing and gives false.
bool SetDpiLevelValue(int level, int dpi);

// The stepping and snapping of the DPI editor over the range table.
int DpiStepUp(int value);
int DpiStepDown(int value);
// The snapped value; pageStep is set to the segment's step when a segment
// decides, else left as it is.
int DpiSnap(int value, int &pageStep);
