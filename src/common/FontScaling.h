#pragma once

class QWidget;

// Multiplies the font size of `widget` and of every widget below it by
// `factor` (96 / logical DPI), each widget exactly once: a child whose size
// was inherited from the scaled parent is not scaled a second time. The
// widget named "Receive_2" keeps its size (its children are scaled); the
// scaled font of the widget named "NoApear" becomes the tool-tip font.
// Fonts given in pixels are left alone.
void ScaleWidgetFonts(QWidget *widget, double factor);

// 96 / ScreenMetrics::logicalDpi().
double FontScaleFactor();
