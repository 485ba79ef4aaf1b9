#include "light/LightStyles.h"

#include "common/ThemeStyles.h"

#include <QCoreApplication>

namespace LightStyles {

QString LightFolder()
{
    return QCoreApplication::applicationDirPath() + "/Picture/Light/";
}

QString SensorFolder()
{
    return QCoreApplication::applicationDirPath() + "/Picture/Sensor/";
}

QString Combo(const QString &folder, const QString &text, const QString &back,
              const QString &select)
{
    return ThemeStyles::Combo(folder, text, back, select);
}

void SetComboList(QComboBox *combo, const QString &select)
{
    ThemeStyles::SetComboList(combo, select);
}

QString Slider(const QString &folder, const QString &sliderColour)
{
    return "QSlider::groove:horizontal { border-radius: 2px;  height: "
           "5px;background:#ffffff}QSlider:handle:horizontal{ border-radius: 2px;width:  "
           "6px;height: 18px;  margin-top: -9px;margin-left: 0px; margin-bottom: "
           "-9px;margin-right: 0px; border-image: url(" +
           folder + "HuaKuai.png" +
           ");} QSlider:sub-page:horizontal{border-radius: 2px;background-color: rgb(" +
           sliderColour +
           ";);}QSlider:add-page:horizontal{border-radius: 2px;background-color: rgb(255, 255, "
           "255);}";
}

QString Label(const QString &colour)
{
    return "QLabel{color: rgb(" + colour + ";);}";
}

QString ValueBox(const QString &labelColour)
{
    return "QSpinBox{color: rgb(" + labelColour + ";);background-color: transparent;border: 0px;}";
}

QString ColourBox(const QString &editColour)
{
    return ThemeStyles::ColourBox(editColour);
}

QString Title(const QString &name, const QString &folder)
{
    return "#" + name + "{border-image: url(" + folder + "Title.png" + ");}";
}

QString Picture(const QString &name, const QString &folder, const QString &picture)
{
    return "#" + name + "{background-image: url(" + folder + picture +
           ");border:0px;background-position:center;background-repeat:no-repeat;}";
}

QString PresetButton(const QString &name, const QString &folder, const QString &picture)
{
    return "#" + name +
           "{border:0px;background-position:center;background-repeat:no-repeat;background-image: "
           "url(" +
           folder + picture + ");}";
}

} // namespace LightStyles
