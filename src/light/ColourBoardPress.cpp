#include "light/ColourBoardPress.h"

#include "light/LightState.h"
#include "platform/ScreenPicker.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>

namespace {

// Where `child` lies in the coordinates of `editor`.
QRect rectIn(QWidget *editor, QWidget *child)
{
    return QRect(child->mapTo(editor, QPoint(0, 0)), child->size());
}

} // namespace

bool HandleColourBoardPress(const ColourBoardWidgets &w, QMouseEvent *event)
{
    if (!event || event->type() != QEvent::MouseButtonPress)
        return false;
    const QPoint p = event->pos();

    if (!rectIn(w.editor, w.red).contains(p) && !rectIn(w.editor, w.green).contains(p) &&
        !rectIn(w.editor, w.blue).contains(p)) {
        w.red->clearFocus();
        w.green->clearFocus();
        w.blue->clearFocus();
        w.editor->setFocus(Qt::OtherFocusReason);
    }
    // A value box hands the focus to the editor only when it holds it, so a
    // press on a colour box does not take that box's focus away.
    for (QSpinBox *box : w.valueBoxes) {
        if (box->hasFocus() && !rectIn(w.editor, box).contains(p)) {
            box->clearFocus();
            w.editor->setFocus(Qt::OtherFocusReason);
        }
    }

    if (!rectIn(w.editor, w.board).contains(p))
        return false;
    if (w.offlineGuard && !LightValues::ColourActionAllowed())
        return false;
    const ScreenPicker::Pick pick = ScreenPicker::pickAtCursor();
    if (!pick.valid)
        return false;
    const int r = pick.colour.red();
    const int g = pick.colour.green();
    const int b = pick.colour.blue();
    if (w.apply) {
        w.apply(r, g, b);
        return true;
    }
    w.red->setValue(r);
    w.green->setValue(g);
    w.blue->setValue(b);
    w.preview->setStyleSheet(LightValues::PreviewStyle(r, g, b));
    return true;
}
