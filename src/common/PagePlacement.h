#pragma once

// A form builds the pages of a tab widget, a stacked widget or a scroll area
// without a parent and hands each one to its container once the page is
// complete. Qt then styles the whole page again (every widget below it) for
// its new parent, a large part of building the program's pages at start.
//
// While a Scope lives, a page whose form names its container (the dynamic
// property "placedIn", given before the page's children) goes into that
// container at once, while it is still empty. When the form adds it, it is
// already there and nothing is styled twice. A container whose name is not
// unique among the widgets leaves its pages to the form.
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

} // namespace PagePlacement
