#include "light/LightStyles.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListView>

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
    return "QComboBox{border: 1px solid gray; color: rgb(" + text + "); border-image: url(" +
           folder + "ComboboxBack.png" +
           ");}QComboBox::drop-down:button{border-radius:5px; background:rgb(" + back +
           ");} QComboBox::down-arrow{image: url(" + folder + "Menu.png" +
           "); right: 8px; }QComboBox::down-arrow:on{ image: url(" + folder + "MenuClicked.png" +
           ");}QComboBox QAbstractItemView::item{height:25px;}QComboBox QAbstractItemView "
           "{outline: 0px solid gray; border: 1px  solid gray;color: rgb(" +
           text + "); border-image: url(" + folder + "ComboboxTextBack.png" +
           ");selection-background-color: rgb(" + select + "); }";
}

void SetComboList(QComboBox *combo, const QString &select)
{
    // The combo box takes ownership of the view.
    auto *view = new QListView();
    view->setStyleSheet("QListView::item:selected{background-color: rgb(" + select +
                        ");}QListView::item:hover{background-color: rgb(" + select + ");}");
    combo->setView(view);
    combo->setMaxVisibleItems(5);
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
    return "QSpinBox{background-color: rgb(0,0,0);color: rgb(" + editColour +
           ";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(" +
           editColour + ";);border: 1px  solid gray;}";
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
