#include "common/MyLineEdit.h"

#include <QKeyEvent>

MyLineEdit::MyLineEdit(QWidget *parent) : QLineEdit(parent) {}

MyLineEdit::~MyLineEdit() = default;

// The key-combination dialog fills the text from its own key capture; typing
// into the edit must neither change it nor reach the parent.
void MyLineEdit::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}

void MyLineEdit::keyReleaseEvent(QKeyEvent *event)
{
    event->accept();
}
