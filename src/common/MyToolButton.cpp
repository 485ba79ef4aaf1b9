#include "common/MyToolButton.h"

#include <QMouseEvent>

MyToolButton::MyToolButton(QWidget *parent) : QToolButton(parent) {}

MyToolButton::~MyToolButton() = default;

// The base handlers are left out on purpose: the click is reported at the
// press, and a release must not report it a second time.
void MyToolButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(false);
}

void MyToolButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(true);
}
