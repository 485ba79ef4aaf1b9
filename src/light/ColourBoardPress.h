#pragma once

// The mouse-press handling of an editor with a colour board: a press outside
// the number boxes takes the keyboard focus from them, and a press on the
// board picks the screen colour under the cursor into the three colour boxes.

#include <QList>

#include <functional>

class QLabel;
class QMouseEvent;
class QSpinBox;
class QWidget;

struct ColourBoardWidgets
{
    QWidget *editor = nullptr; // receives the press and takes the focus
    QWidget *board = nullptr;  // the colour board picture
    QSpinBox *red = nullptr;   // colour boxes, set in this order
    QSpinBox *green = nullptr;
    QSpinBox *blue = nullptr;
    QList<QSpinBox *> valueBoxes; // further boxes that lose the focus one by one
    QLabel *preview = nullptr;
    bool offlineGuard = false; // a pick first checks that the mouse answers
    // Takes a picked colour as one change of the editor; without it the
    // colour goes into the boxes and the preview as they are.
    std::function<void(int r, int g, int b)> apply;
};

// Acts on mouse-button presses only (a double click's second press does
// nothing). Returns true when a colour was put into the boxes. A grab that
// gives no usable pixel leaves boxes and preview as they are.
bool HandleColourBoardPress(const ColourBoardWidgets &widgets, QMouseEvent *event);
