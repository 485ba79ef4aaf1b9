#include "unbuilt/UnbuiltLook.h"

#include <QCoreApplication>

namespace UnbuiltLook {

QString sensorPictureFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Picture/Sensor/");
}

QString labelStyle(const QString &colour)
{
    return QStringLiteral("QLabel{color: rgb(") + colour + QStringLiteral(";);}");
}

QString checkBoxStyle(const QString &colour, const QString &folder)
{
    return QStringLiteral("QCheckBox{color: rgb(") + colour +
           QStringLiteral(";);}QCheckBox:indicator::checked {image: url(") + folder +
           QStringLiteral("LODCheck.png);}QCheckBox::indicator::unchecked {image: url(") + folder +
           QStringLiteral("LOD.png);}");
}

QString editorSliderStyle(const QString &sliderColour, const QString &folder)
{
    return QStringLiteral("QSlider::groove:horizontal { border-radius: 2px;  height: "
                          "5px;background:#ffffff}QSlider:handle:horizontal{ border-radius: "
                          "2px;width:  6px;height: 18px;  margin-top: -9px;margin-left: 0px; "
                          "margin-bottom: -9px;margin-right: 0px; border-image: url(") +
           folder +
           QStringLiteral("HuaKuai.png);} QSlider:sub-page:horizontal{border-radius: "
                          "2px;background-color: rgb(") +
           sliderColour +
           QStringLiteral(";);}QSlider:add-page:horizontal{border-radius: 2px;background-color: "
                          "rgb(255, 255, 255);}");
}

QString thinSliderStyle(const QString &sliderColour, const QString &folder)
{
    return QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: "
                          "0px;border:0px;border-radius:6px;background:rgba(0,0,0,50);}QSlider:"
                          "handle:horizontal{ width:  5px;height: 50px;  margin-top: "
                          "-20px;margin-left: 0px; margin-bottom: -20px;margin-right: 0px; "
                          "border-image: url(") +
           folder +
           QStringLiteral("HuaKuai.png);} QSlider:sub-page:horizontal{background-color: rgb(") +
           sliderColour +
           QStringLiteral(";);}QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}");
}

QString borderedSpinStyle(const QString &colour)
{
    return QStringLiteral("QSpinBox{background-color: transparent;color: rgb(") + colour +
           QStringLiteral(";);border: 1px  solid gray;}QSpinBox:hover{background-color: "
                          "transparent;color: rgb(") +
           colour + QStringLiteral(";);border: 1px  solid gray;}");
}

QString plainSpinStyle(const QString &colour)
{
    return QStringLiteral("QSpinBox{color: rgb(") + colour +
           QStringLiteral(";);background-color: transparent;border: 0px;}");
}

QString switchStyle(const QString &objectName, const QString &folder)
{
    return QStringLiteral("#") + objectName +
           QStringLiteral("{color: rgb(255, 255, 255);border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: url(") +
           folder + QStringLiteral("Close.png);}#") + objectName +
           QStringLiteral(":checked {background-image: url(") + folder +
           QStringLiteral("Open.png);}");
}

QString comboStyle(const QString &text, const QString &background, const QString &selection,
                   const QString &folder)
{
    return QStringLiteral("QComboBox{border: 1px solid gray; color: rgb(") + text +
           QStringLiteral("); border-image: url(") + folder +
           QStringLiteral("ComboboxBack.png);}QComboBox::drop-down:button{border-radius:5px; "
                          "background:rgb(") +
           background + QStringLiteral(");} QComboBox::down-arrow{image: url(") + folder +
           QStringLiteral("Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(") +
           folder +
           QStringLiteral("MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}"
                          "QComboBox QAbstractItemView {outline: 0px solid gray; border: 1px  "
                          "solid gray;color: rgb(") +
           text + QStringLiteral("); border-image: url(") + folder +
           QStringLiteral("ComboboxTextBack.png);selection-background-color: rgb(") + selection +
           QStringLiteral("); }");
}

QString comboListStyle(const QString &selection)
{
    return QStringLiteral("QListView::item:selected{background-color: rgb(") + selection +
           QStringLiteral(");}QListView::item:hover{background-color: rgb(") + selection +
           QStringLiteral(");}");
}

QString pictureButtonStyle(const QString &objectName, const QString &picture)
{
    return QStringLiteral("#") + objectName + QStringLiteral("{background-image: url(") + picture +
           QStringLiteral(");border:0px;background-position:center;background-repeat:no-repeat;}");
}

} // namespace UnbuiltLook
