#pragma once

// Style sheets several pages share. `folder` is a picture folder ending in
// "/"; colours are "r,g,b" texts of the theme (ThemeColorText).

#include <QPalette>
#include <QString>

class QComboBox;
class QListView;

namespace ThemeStyles {

// The themed combo box: back, arrow and list pictures from `folder`.
QString Combo(const QString &folder, const QString &text, const QString &back,
              const QString &select);
// The list view's selected and hovered rows in the selection colour.
QString ComboList(const QString &select);
// A new list view for `combo`'s list, made where the combo box keeps its
// list. Made anywhere else, it is styled again and lays out every item again
// when the combo box takes it (setView), one of the larger costs of
// building a page. Give it to the combo box with setView().
QListView *NewComboView(QComboBox *combo);
// Gives `combo` a list view of its own styled with ComboList(); at most five
// items show at once.
void SetComboList(QComboBox *combo, const QString &select);
// The white groove with a "Slider.png" handle and a coloured filled part.
QString Slider(const QString &folder, const QString &sliderColour);
// A picture close button with "CloseHover.png" and "CloseClick.png" states.
QString CloseButton(const QString &folder, const QString &picture);
// A colour value box: black while idle, transparent under the pointer.
QString ColourBox(const QString &editColour);

// The theme as a palette, for what no style sheet of ours reaches: context
// menus (ours and the ones Qt builds for text fields), tool tips, the colour
// and file dialogs. Surfaces in ComboxBackGroundColor, texts in LabelColor
// and ButtonColor, selections in ComboxSelectColor.
QPalette DarkPalette();
// Makes DarkPalette the palette of the application and of its tool tips, and
// outlines the keyboard focus in its highlight colour (KeyboardFocus).
void ApplyApplicationTheme();

} // namespace ThemeStyles
