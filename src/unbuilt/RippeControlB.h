#pragma once

#include <QFrame>
#include <QString>

class Ui_RippeControlB;

// A caption and an on/off switch for ripple control (byte RippleControlOn of the
// parameter block). A click writes at once; the switch keeps the state the
// click gave it even when the mouse refused the write (the setter shows the
// offline notice). The host shows the device's value with ShowState.
class RippeControlB : public QFrame
{
    Q_OBJECT

public:
    explicit RippeControlB(QWidget *parent = nullptr);
    ~RippeControlB() override;

    // No device write: the slot follows clicks only.
    void ShowState(bool on);
    void SetCaption(const QString &text);
    void SetCaptionTip(const QString &text);

    QString PictureFolder;
    Ui_RippeControlB *ui = nullptr;

private slots:
    void on_RippeControl_2_clicked(bool checked);
};
