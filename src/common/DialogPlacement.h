#pragma once

class QWidget;

// Where the program's dialogs open: centred over a window or one of its pages,
// shifted by (dx, dy). The dialogs that open over a window or a page are
// placed here.
namespace DialogPlacement {

// Moves `dialog` so that its outer frame is centred over `over`: a window
// counts with its frame, a page as it is drawn. A window that was shown but
// not yet put on the screen is waited for (a short while at most): the window
// manager may place it elsewhere than the program asked, and a dialog
// centred on the asked place would open beside it.
void centreOver(QWidget *dialog, const QWidget *over, int dx = 0, int dy = 0);

} // namespace DialogPlacement
