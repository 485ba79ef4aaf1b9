#pragma once

#include <QString>

class QLabel;
class QWidget;

// The look of a device page whose controls are not built yet: a title in the
// theme's label colour over a framed, empty content area, sized like the other
// pages (883 x 605). Returns the title label.
QLabel *BuildPagePlaceholder(QWidget *page, const QString &title);
