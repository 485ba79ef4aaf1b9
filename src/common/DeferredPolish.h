#pragma once

class QWidget;

// Qt styles a widget (works out its style sheets, decodes their pictures,
// sets fonts and palettes) when it polishes it, and it polishes every widget
// of a window when the window first shows, hidden pages included. The device
// window and all its pages are built at start but stay hidden behind the
// chooser until a device is opened.
//
// defer() keeps the polishing of the widgets below a root (the root
// included; a window of its own below it is left alone, as it may show
// first) and complete() delivers it, in the order Qt asked for it, before the
// root is first shown. Everything looks as it would have; the work moves from
// the start to the first opening of the device window.
namespace DeferredPolish {

// Whether windows built from now on defer their hidden parts (the program
// turns it on at start; tests building one page leave it off).
void setEnabled(bool on);
bool enabled();

void defer(QWidget *root);
// Polishes what was kept for `root` now; later polishing goes through at
// once. Nothing happens for a root that was not deferred.
void complete(QWidget *root);
// Whether polishing below `root` is still kept.
bool deferred(const QWidget *root);

} // namespace DeferredPolish
