#include "sensor/SensorStyles.h"

#include "common/ConfigIniStore.h"
#include "common/ThemeStyles.h"

#include <QComboBox>

void ApplyThemedCombo(QComboBox *combo, const QString &p, int visible)
{
    const QString text = ThemeColorText("ComboxTextColor");
    const QString select = ThemeColorText("ComboxSelectColor");
    const QString back = ThemeColorText("ComboxBackGroundColor");
    combo->setStyleSheet(
        "QComboBox{border: 1px solid gray; color: rgb(" + text + "); border-image: url(" + p +
        "ComboboxBack.png);}QComboBox:disabled{color: rgb(0,0,0);}"
        "QComboBox::drop-down:button{border-radius:5px; background:rgb(" +
        back + ");} QComboBox::down-arrow{image: url(" + p +
        "Menu.png); right: 8px; }QComboBox::down-arrow:on{ image: url(" + p +
        "MenuClicked.png);}QComboBox QAbstractItemView::item{height:25px;}QComboBox "
        "QAbstractItemView {outline: 0px solid gray; border: 1px  solid gray;color: rgb(" +
        text + "); border-image: url(" + p +
        "ComboboxTextBack.png);selection-background-color: rgb(" + select + "); }");
    ThemeStyles::SetComboList(combo, select);
    combo->setMaxVisibleItems(visible);
}
