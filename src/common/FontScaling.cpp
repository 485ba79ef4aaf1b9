#include "common/FontScaling.h"

#include <QToolTip>
#include <QVector>
#include <QWidget>

#include "platform/ScreenMetrics.h"

namespace {

struct FontSize
{
    QWidget *widget;
    qreal pointSize;
};

// Parent before children, children in their order.
void collect(QWidget *widget, QVector<FontSize> &sizes)
{
    sizes.append({widget, widget->font().pointSizeF()});
    const QObjectList &children = widget->children();
    for (int i = 0; i < children.size(); ++i) {
        if (children.at(i)->isWidgetType())
            collect(static_cast<QWidget *>(children.at(i)), sizes);
    }
}

} // namespace

void ScaleWidgetFonts(QWidget *widget, double factor)
{
    if (!widget || !(factor > 0))
        return;

    // Every size is taken before any font changes. Scaling parent first and
    // then re-reading a child's font would scale an inherited size twice.
    QVector<FontSize> sizes;
    collect(widget, sizes);

    for (const FontSize &entry : sizes) {
        if (entry.pointSize <= 0) // a font given in pixels
            continue;
        const bool keep = entry.widget->objectName() == QLatin1String("Receive_2");
        QFont font = entry.widget->font();
        font.setPointSizeF(keep ? entry.pointSize : entry.pointSize * factor);
        // Receive_2 gets its own size back explicitly, or it would inherit
        // its parent's scaled size.
        entry.widget->setFont(font);
        if (entry.widget->objectName() == QLatin1String("NoApear"))
            QToolTip::setFont(font);
    }
}

double FontScaleFactor()
{
    const double dpi = ScreenMetrics::logicalDpi();
    return dpi > 0 ? 96.0 / dpi : 1.0;
}
