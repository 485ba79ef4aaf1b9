#include "common/MyConmboBox.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

MyConmboBox::MyConmboBox(QWidget *parent) : QComboBox(parent) {}

MyConmboBox::~MyConmboBox() = default;

void MyConmboBox::mousePressEvent(QMouseEvent *event)
{
    // Taken before the popup opens, so the selection handlers that run while
    // it is open can still see where the box came from.
    PreviousIndex = currentIndex();
    QComboBox::mousePressEvent(event);
}

void MyConmboBox::paintEvent(QPaintEvent *)
{
    QStyleOptionComboBox option;
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        initStyleOption(&option);
        style()->drawComplexControl(QStyle::CC_ComboBox, &option, &painter, this);
        if (isEditable()) {
            style()->drawControl(QStyle::CE_ComboBoxLabel, &option, &painter, this);
            return;
        }
    }

    // Drawn like a push-button label, which centres the text in the field.
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    button.text = option.currentText;
    button.icon = option.currentIcon;
    button.iconSize = option.iconSize;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &button, &painter, this);
}
