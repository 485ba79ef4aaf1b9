#pragma once

#include <QString>

// Style sheets shared by the second-look sensor widgets. Each takes the theme
// colour texts ("r,g,b", from ThemeColorText) and the picture folder it
// styles with, so every widget reads its own colours once in its constructor.
namespace UnbuiltLook {

// The program folder + "/Picture/Sensor/".
QString sensorPictureFolder();

// "QLabel{color: rgb(<colour>;);}"
QString labelStyle(const QString &colour);

// Check box drawn with the round LOD.png / LODCheck.png indicator.
QString checkBoxStyle(const QString &colour, const QString &folder);

// The slider of the light and DPI editors: white groove, HuaKuai.png handle,
// the theme colour left of the handle.
QString editorSliderStyle(const QString &sliderColour, const QString &folder);

// The thin slider of the sleep-time and debounce widgets.
QString thinSliderStyle(const QString &sliderColour, const QString &folder);

// Read-only number box with a grey border (sleep time, debounce, DPI values).
QString borderedSpinStyle(const QString &colour);

// Read-only number box without a border (light effect).
QString plainSpinStyle(const QString &colour);

// On/off switch by object name: Close.png while off, Open.png while on.
QString switchStyle(const QString &objectName, const QString &folder);

// The theme combo box and its list view (at most five items shown).
QString comboStyle(const QString &text, const QString &background, const QString &selection,
                   const QString &folder);
QString comboListStyle(const QString &selection);

// The picture of a plain tool button, by object name (e.g. "#AddLevelA").
QString pictureButtonStyle(const QString &objectName, const QString &picture);

} // namespace UnbuiltLook
