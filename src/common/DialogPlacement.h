#pragma once

class QWidget;

// Where the program's dialogs open: centred over a window or one of its pages,
// shifted by (dx, dy). The dialogs that open over a window or a page are
// placed here.
namespace DialogPlacement {

// Moves `dialog` so that its outer frame is centred over `over`: a window
// counts with its frame, a page as it is drawn.
void centreOver(QWidget *dialog, const QWidget *over, int dx = 0, int dy = 0);

// Lets the window system's events through until `window`, just shown, is on
// the screen (a short while at most): the window manager may place it
// elsewhere than the program asked, and a dialog centred on the asked place
// would open beside it. For the start, before its first notices; never from
// within a slot, where the events let through could re-enter it.
void waitUntilPlaced(const QWidget *window);

} // namespace DialogPlacement
