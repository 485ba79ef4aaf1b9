#include "common/LazyPictures.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {

const char WaitingProperty[] = "orvakSheetWaitingForShow";
bool DeferringOn = false;

// Sets the waiting sheet at the widget's first show, before it is painted.
class SheetOnShow : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *widget = static_cast<QWidget *>(watched);
            const QVariant sheet = widget->property(WaitingProperty);
            widget->removeEventFilter(this);
            widget->setProperty(WaitingProperty, QVariant());
            if (sheet.isValid())
                widget->setStyleSheet(sheet.toString());
        }
        return false;
    }
};

SheetOnShow *sheetOnShow()
{
    // One per application, gone with it.
    static QPointer<SheetOnShow> instance;
    if (!instance)
        instance = new SheetOnShow(qApp);
    return instance;
}

} // namespace

namespace LazyPictures {

void SetDeferring(bool on)
{
    DeferringOn = on;
}

bool Deferring()
{
    return DeferringOn;
}

void SetStyleSheet(QWidget *widget, const QString &sheet)
{
    if (!DeferringOn || widget->isVisible()) {
        if (widget->property(WaitingProperty).isValid()) {
            widget->removeEventFilter(sheetOnShow());
            widget->setProperty(WaitingProperty, QVariant());
        }
        widget->setStyleSheet(sheet);
        return;
    }
    widget->setProperty(WaitingProperty, sheet);
    widget->installEventFilter(sheetOnShow());
}

QString StyleSheet(const QWidget *widget)
{
    const QVariant waiting = widget->property(WaitingProperty);
    return waiting.isValid() ? waiting.toString() : widget->styleSheet();
}

} // namespace LazyPictures
