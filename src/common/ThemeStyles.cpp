#include "common/ThemeStyles.h"

#include <QComboBox>
#include <QListView>

namespace ThemeStyles {

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

QString ComboList(const QString &select)
{
    return "QListView::item:selected{background-color: rgb(" + select +
           ");}QListView::item:hover{background-color: rgb(" + select + ");}";
}

void SetComboList(QComboBox *combo, const QString &select)
{
    // The combo box takes ownership of the view.
    auto *view = new QListView();
    view->setStyleSheet(ComboList(select));
    combo->setView(view);
    combo->setMaxVisibleItems(5);
}

QString Slider(const QString &folder, const QString &sliderColour)
{
    return "QSlider::groove:horizontal { border-radius: 2px;  height: "
           "5px;background:#ffffff}QSlider:handle:horizontal{ border-radius: 2px;width:  "
           "6px;height: "
           "18px;  margin-top: -9px;margin-left: -1px; margin-bottom: -9px;margin-right: -1px; "
           "border-image: url(" +
           folder + "Slider.png" +
           ");} QSlider:sub-page:horizontal{border-radius: 2px;background-color: rgb(" +
           sliderColour +
           ";);}QSlider:add-page:horizontal{border-radius: 2px;background-color: rgb(255, 255, "
           "255);}";
}

QString CloseButton(const QString &folder, const QString &picture)
{
    return "QToolButton{border:0px;background-image: url(" + folder + picture +
           ");background-position:center;background-repeat:no-repeat;}QToolButton:hover{"
           "background-image: url(" +
           folder + "CloseHover.png" + ");}QToolButton:pressed{background-image: url(" + folder +
           "CloseClick.png" + ");}";
}

QString ColourBox(const QString &editColour)
{
    return "QSpinBox{background-color: rgb(0,0,0);color: rgb(" + editColour +
           ";);border: 1px  solid gray;}QSpinBox:hover{background-color: transparent;color: rgb(" +
           editColour + ";);border: 1px  solid gray;}";
}

} // namespace ThemeStyles
