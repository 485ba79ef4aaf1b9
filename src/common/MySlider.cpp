#include "common/MySlider.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

MySlider::MySlider(QWidget *parent) : QSlider(parent) {}

MySlider::~MySlider() = default;

void MySlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);

    // The forms create these sliders horizontal; the value follows x alone.
    if (width() > 0) {
        const double span = double(maximum()) - double(minimum());
        const double value = minimum() + double(event->pos().x()) / width() * span;
        // Bounded before the conversion: setValue would clamp anyway, and a
        // press dragged far outside must not overflow the int.
        setValue(int(qBound(double(minimum()), value, double(maximum()))));
    }

    if (QWidget *parent = parentWidget()) {
        QEvent pressed{QEvent::Type(PressedEventType)};
        QCoreApplication::sendEvent(parent, &pressed);
    }
}
