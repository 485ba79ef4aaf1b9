#pragma once

#include <QComboBox>

// A combo box that remembers the index it had when the last mouse press on it
// began (so a refused pick can be put back) and paints its current text
// centred, like a push-button label.
class MyConmboBox : public QComboBox
{
public:
    explicit MyConmboBox(QWidget *parent = nullptr);
    ~MyConmboBox() override;

    int PreviousIndex = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
