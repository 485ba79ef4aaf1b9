#pragma once

#include <QLineEdit>

// A line edit whose text is set only by code: every typed key is swallowed
// (and does not travel on to the parent).
class MyLineEdit : public QLineEdit
{
public:
    explicit MyLineEdit(QWidget *parent = nullptr);
    ~MyLineEdit() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
