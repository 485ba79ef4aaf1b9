#pragma once

// Style sheets the light editors share. `folder` is a picture folder ending
// in "/"; colours are "r,g,b" texts of the theme (ThemeColorText).

#include <QString>

class QComboBox;

namespace LightStyles {

// The program folder's "/Picture/Light/" and "/Picture/Sensor/".
QString LightFolder();
QString SensorFolder();

QString Combo(const QString &folder, const QString &text, const QString &back,
              const QString &select);
// Gives `combo` a list view of its own with the selection colour; at most
// five items show at once.
void SetComboList(QComboBox *combo, const QString &select);
QString Slider(const QString &folder, const QString &sliderColour);
QString Label(const QString &colour);
QString ValueBox(const QString &labelColour);
QString ColourBox(const QString &editColour);
// "#<name>{border-image: url(<folder>Title.png);}"
QString Title(const QString &name, const QString &folder);
// "#<name>{background-image: url(<folder><picture>);border:0px;background-position:center;...}"
QString Picture(const QString &name, const QString &folder, const QString &picture);
// The preset button layout: border first, then the picture.
QString PresetButton(const QString &name, const QString &folder, const QString &picture);

} // namespace LightStyles
