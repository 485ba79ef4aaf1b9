#pragma once

#include <QString>
#include <QVector>

// Pure parts of the assignment label decoder, kept apart from the page so
// that they can be checked on their own.
namespace AssignmentLabels {

// Name of one key-combination event (low byte of the usage or modifier bit,
// kind 0 modifier, 1 keyboard usage); empty for codes without a name.
QString KeyCodeName(int code, int kind);

// Sensor DPI code of a DPI value: the value of the define
// "SENSOR_<model>_DPI_<dpi>", or dpi / 50 - 1 when the model has no defines;
// -1 when the sensor has no code for the value.
int DpiValueToCode(const QVector<QString> &names, const QVector<int> &values,
                   const QString &sensorModel, int dpi);

// DPI value of a sensor DPI code: the first define named
// "SENSOR_<model>_DPI..." whose value is code gives the number after
// "DPI_"; 0 when the model has defines but none with that value;
// (code + 1) * 50 when the model has none.
int DpiCodeToValue(const QVector<QString> &names, const QVector<int> &values,
                   const QString &sensorModel, int code);

// Number of strokes of a key event block that the label uses: the low byte
// of the stroke count, bounded to the six strokes a block holds.
int BoundedStrokeCount(quint32 strokeCount);

// Macro name from the 30 name bytes of a macro record: up to the first NUL,
// decoded from the local 8-bit code page. Bytes that are not valid there give
// the readable part ("_" for each bad sequence), "~" and 8 hex digits taken
// from the bytes: distinct names stay distinct, within the field's 30 bytes.
// The result is the name the macro is listed under (ListedMacroName of
// MacroFiles.h), so the button's label, the macro lists and the rebuilt file
// all name the same macro.
QString MacroNameFromBytes(const unsigned char *bytes, int size);

// True when name can be a file name inside the macro folder: not empty, no
// path separator, not "." or "..", no NUL or other control character.
bool IsSafeMacroName(const QString &name);

} // namespace AssignmentLabels
