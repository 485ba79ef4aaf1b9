#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// The colour under the mouse cursor, for the colour boards of the light
// editors. The screen is reached through a ScreenPixelSource, which tests
// replace with one of their own.
class ScreenPixelSource
{
public:
    virtual ~ScreenPixelSource();
    // Cursor position in logical desktop coordinates.
    virtual QPoint cursorPos() const = 0;
    // The desktop's physical width over its logical width (1 when unscaled).
    virtual double desktopScale() const = 0;
    // `width` x `height` pixels of the primary screen's desktop at the
    // physical point (x, y); a null image when nothing could be grabbed.
    virtual QImage grab(int x, int y, int width, int height) const = 0;
};

namespace ScreenPicker {

struct Pick
{
    bool valid = false; // false: no usable pixel (null grab, pixel off the image)
    QPoint grabPoint;   // physical point that was grabbed
    QColor colour;
};

// The cursor position scaled to physical pixels, truncated toward zero. Both
// axes use the horizontal scale; a scale that is not a positive finite number
// counts as 1.
QPoint grabPointFor(const QPoint &cursor, double scale);

// Grabs the 2 x 2 area at the cursor's physical position and reads its pixel (0, 0).
Pick pickAtCursor();

// Replaces the screen (nullptr = the real primary screen); returns the source
// installed before. The caller keeps ownership.
ScreenPixelSource *setSource(ScreenPixelSource *source);

// Installs a source for the lifetime of a scope (tests).
class ScopedSource
{
public:
    explicit ScopedSource(ScreenPixelSource *source) : m_previous(setSource(source)) {}
    ~ScopedSource() { setSource(m_previous); }
    ScopedSource(const ScopedSource &) = delete;
    ScopedSource &operator=(const ScopedSource &) = delete;

private:
    ScreenPixelSource *m_previous;
};

} // namespace ScreenPicker
