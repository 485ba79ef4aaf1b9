#pragma once

#include <QToolButton>

#include <functional>

// A device button of the chooser's grid, named "btn" + N (N = its index in
// the found-device list). Hovering it runs the owner's hover action with N;
// the owner (the chooser) refreshes that device's state there, so this widget
// knows nothing of the device list.
class mytoolButtonEnter : public QToolButton
{
    Q_OBJECT

public:
    explicit mytoolButtonEnter(QWidget *parent = nullptr);
    ~mytoolButtonEnter() override;

    // N of the object name "btn" + N: every "btn" removed, read as a decimal
    // number; 0 when the rest is not a number.
    int deviceIndex() const;

    // Run with deviceIndex() on every hover; none by default.
    void setHoverAction(std::function<void(int)> action);

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    std::function<void(int)> m_hoverAction;
};
