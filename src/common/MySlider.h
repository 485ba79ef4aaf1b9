#pragma once

#include <QSlider>

// A slider that jumps to the clicked position instead of paging towards it.
// After every press it sends an event of type QEvent::User + 1 (1001) to its
// parent widget.
class MySlider : public QSlider
{
public:
    static constexpr int PressedEventType = 1001;

    explicit MySlider(QWidget *parent = nullptr);
    ~MySlider() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
