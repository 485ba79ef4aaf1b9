#pragma once

#include <QToolButton>

// A device button of the chooser's grid, named "btn" + N (N = its index in
// the found-device list). Hovering it refreshes that device's state.
class mytoolButtonEnter : public QToolButton
{
    Q_OBJECT

public:
    explicit mytoolButtonEnter(QWidget *parent = nullptr);
    ~mytoolButtonEnter() override;

    // N of the object name "btn" + N: every "btn" removed, read as a decimal
    // number; 0 when the rest is not a number.
    int deviceIndex() const;

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
