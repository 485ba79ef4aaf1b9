#pragma once

class QWidget;

// A form builds the pages of a tab widget, a stacked widget or a scroll area
// without a parent and hands each one to its container once the page is
// complete. Qt then styles the whole page again (every widget below it) for
// its new parent, a large part of building the program's pages at start.
//
// While a Scope lives, a page whose form names its container (the dynamic
// property "placedIn", given before the page's children) goes into that
// container at once, while it is still empty. When the form adds it, it is
// already there and nothing is styled twice. A container whose name is not
// unique among the widgets leaves its pages to the form. The main and device
// windows likewise build their pages in their stacks while a Scope lives.
namespace PagePlacement {

class Scope
{
public:
    Scope();
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    bool m_owner = false;
};

// Whether a Scope lives: windows build their pages where they stay.
bool active();

// A page moved into its container once built is styled again there, under
// the container's style sheets, and that styling settles what style sheets
// otherwise settle only when a widget is first styled, long after the start
// has scaled the fonts from what the widgets held. For a window's pages built
// in place, settleFonts() does that part for the widgets below `root` that
// are under a style sheet:
// - the parts Qt builds into a widget (a spin box's editor, a scroll area's
//   viewport and bars: the children named "qt_...") take the widget's font;
//   until then they hold the application's, as a style-sheeted widget passes
//   its font on to no child;
// - the list and scroll buttons in a combo box's popup get the application's
//   font (the font a style-sheeted widget without one of its own falls back
//   to when styled again), and the combo box sets its popup's frame from the
//   sheets.
// Call it once the pages are built, before the fonts are scaled.
void settleFonts(QWidget *root);

} // namespace PagePlacement
