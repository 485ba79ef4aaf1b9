#pragma once

#include <QToolButton>

// A tool button that checks itself and reports the click at the press:
// a left press emits clicked(false), a left double click clicked(true).
// It never shows a pressed state and never emits pressed() or released().
class MyToolButton : public QToolButton
{
    Q_OBJECT

public:
    explicit MyToolButton(QWidget *parent = nullptr);
    ~MyToolButton() override;

signals:
    // Declared for the forms that name it; nothing emits it.
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
