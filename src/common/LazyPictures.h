#pragma once

#include <QString>

class QWidget;

// Qt decodes the pictures a style sheet names as soon as it works out the
// sheet's look for a widget, which it does while the widget is built, long
// before it is shown. The program builds every page and dialog at start, so
// the large pictures of the pages and dialogs not shown yet (window
// backgrounds, the mouse) would all be decoded there.
//
// SetStyleSheet() gives such a picture sheet to a widget when the widget is
// first shown instead; until then the widget has no sheet of its own. The
// program turns this on at start; without it (tests building one page) a
// sheet is set at once.
namespace LazyPictures {

void SetDeferring(bool on);
bool Deferring();

// Sets `sheet` now when `widget` is visible or deferring is off, otherwise
// at the widget's first show. A later call replaces a sheet still waiting.
void SetStyleSheet(QWidget *widget, const QString &sheet);
// The sheet `widget` has, or the one waiting for its first show.
QString StyleSheet(const QWidget *widget);

} // namespace LazyPictures
