#include "common/ThemeStyles.h"

#include "common/ConfigIniStore.h"
#include "common/KeyboardFocus.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QListView>
#include <QToolTip>

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

QListView *NewComboView(QComboBox *combo)
{
    // The combo box's list sits in a popup of its own, the parent of its
    // current view; setView() puts the new view there and drops the old one.
    return new QListView(combo->view()->parentWidget());
}

void SetComboList(QComboBox *combo, const QString &select)
{
    QListView *view = NewComboView(combo);
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

namespace {

// A theme colour of Config.ini, or `fallback` when the key does not hold
// three numbers of 0 to 255.
QColor ThemeColour(const char *key, const QColor &fallback)
{
    const QStringList parts = ThemeColorText(QLatin1String(key)).split(QLatin1Char(','));
    if (parts.size() < 3)
        return fallback;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return fallback;
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

} // namespace

QPalette DarkPalette()
{
    const QColor surface = ThemeColour("ComboxBackGroundColor", QColor(44, 49, 58));
    const QColor text = ThemeColour("LabelColor", QColor(220, 224, 230));
    const QColor buttonText = ThemeColour("ButtonColor", QColor(236, 240, 244));
    const QColor accent = ThemeColour("ComboxSelectColor", QColor(38, 198, 218));
    const QColor field = surface.darker(135);
    const QColor muted =
        QColor((text.red() + surface.red()) / 2, (text.green() + surface.green()) / 2,
               (text.blue() + surface.blue()) / 2);

    QPalette palette;
    palette.setColor(QPalette::Window, surface);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, field);
    palette.setColor(QPalette::AlternateBase, surface);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Button, surface.lighter(120));
    palette.setColor(QPalette::ButtonText, buttonText);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, surface.lighter(160));
    palette.setColor(QPalette::Midlight, surface.lighter(135));
    palette.setColor(QPalette::Mid, surface.darker(120));
    palette.setColor(QPalette::Dark, surface.darker(160));
    palette.setColor(QPalette::Shadow, field.darker(160));
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, field);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent.darker(130));
    palette.setColor(QPalette::ToolTipBase, surface.lighter(115));
    palette.setColor(QPalette::ToolTipText, text);
    for (QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText})
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, surface.lighter(140));
    return palette;
}

void ApplyApplicationTheme()
{
    const QPalette palette = DarkPalette();
    QApplication::setPalette(palette);
    QToolTip::setPalette(palette);
    KeyboardFocus::ShowOutline(palette.color(QPalette::Highlight));
}

} // namespace ThemeStyles
