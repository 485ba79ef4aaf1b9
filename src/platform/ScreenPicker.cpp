#include "platform/ScreenPicker.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cmath>

ScreenPixelSource::~ScreenPixelSource() = default;

namespace {

QScreen *primaryScreen()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance())
               ? QGuiApplication::primaryScreen()
               : nullptr;
}

// The primary screen as Qt shows it. Qt works in logical coordinates and
// converts to device pixels itself, so the physical point handed to grab()
// is turned back into a logical one by the same ratio that scaled it.
class QtScreenSource : public ScreenPixelSource
{
public:
    QPoint cursorPos() const override { return QCursor::pos(); }

    double desktopScale() const override
    {
        QScreen *screen = primaryScreen();
        if (!screen)
            return 1.0;
        const int logicalWidth = screen->geometry().width();
        const double physicalWidth = logicalWidth * screen->devicePixelRatio();
        if (logicalWidth <= 0 || physicalWidth <= 0)
            return 1.0;
        return physicalWidth / logicalWidth;
    }

    QImage grab(int x, int y, int width, int height) const override
    {
        QScreen *screen = primaryScreen();
        if (!screen)
            return QImage();
        const double ratio = desktopScale();
        const QPixmap pixmap = screen->grabWindow(0, int(x / ratio), int(y / ratio), width, height);
        if (pixmap.isNull())
            return QImage();
        return pixmap.toImage();
    }
};

QtScreenSource &qtSource()
{
    static QtScreenSource source;
    return source;
}

ScreenPixelSource *g_source = nullptr;

} // namespace

namespace ScreenPicker {

QPoint grabPointFor(const QPoint &cursor, double scale)
{
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1.0;
    // Truncation toward zero, as an int conversion does.
    return QPoint(int(cursor.x() * scale), int(cursor.y() * scale));
}

Pick pickAtCursor()
{
    const ScreenPixelSource &source = g_source ? *g_source : qtSource();
    Pick pick;
    pick.grabPoint = grabPointFor(source.cursorPos(), source.desktopScale());
    // Two by two is the least the screens grab reliably; only one pixel is read.
    const QImage image = source.grab(pick.grabPoint.x(), pick.grabPoint.y(), 2, 2);
    if (image.isNull() || !image.valid(0, 0))
        return pick;
    pick.colour = QColor(image.pixel(0, 0));
    pick.valid = pick.colour.isValid();
    return pick;
}

ScreenPixelSource *setSource(ScreenPixelSource *source)
{
    ScreenPixelSource *previous = g_source;
    g_source = source;
    return previous;
}

} // namespace ScreenPicker
