#include "common/DialogPlacement.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QWidget>
#include <QWindow>

namespace DialogPlacement {

// Long enough for a window manager to map and place a window, short enough
// that a window it never shows (on a hidden desktop, say) costs little.
const int PlacementWaitMs = 500;

void waitUntilPlaced(const QWidget *window)
{
    if (!window->isVisible() || window->isMinimized())
        return;
    const QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    // The window system tells where the window went no later than it shows
    // it; user input waits meanwhile.
    const QDeadlineTimer deadline(PlacementWaitMs);
    while (!handle->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(1);
    }
}

void centreOver(QWidget *dialog, const QWidget *over, int dx, int dy)
{
    if (!dialog || !over)
        return;
    // Only a shown window's frame is asked for: a hidden one's may be going
    // away with the window manager's decoration.
    const QRect area = !over->isWindow()   ? QRect(over->mapToGlobal(QPoint(0, 0)), over->size())
                       : over->isVisible() ? over->frameGeometry()
                                           : over->geometry();
    dialog->move(area.x() + (area.width() - dialog->width()) / 2 + dx,
                 area.y() + (area.height() - dialog->height()) / 2 + dy);
}

} // namespace DialogPlacement
