#pragma once

class QColor;

// Keeps the keyboard focus visible in the dark theme. The controls' style
// sheets (pictures, borderless buttons) draw no focus of their own, so once
// the user moves the focus with the keyboard in a window (Tab, as Qt's own
// styles do), the focused button, check box, combo box or slider gets an
// outline in `colour` that follows it. The mouse alone shows no outline.
namespace KeyboardFocus {

// For the whole application; a later call only changes the colour.
void ShowOutline(const QColor &colour);

} // namespace KeyboardFocus
