#pragma once

#include <QFrame>
#include <QString>

class Ui_StraightLineB;

// A caption and an on/off switch for straight-line correction (byte StraightLineOn of the
// parameter block). A click writes at once; the switch keeps the state the
// click gave it even when the mouse refused the write (the setter shows the
// offline notice). The host shows the device's value with ShowState.
class StraightLineB : public QFrame
{
    Q_OBJECT

public:
    explicit StraightLineB(QWidget *parent = nullptr);
    ~StraightLineB() override;

    // No device write: the slot follows clicks only.
    void ShowState(bool on);
    void SetCaption(const QString &text);
    void SetCaptionTip(const QString &text);

    QString PictureFolder;
    Ui_StraightLineB *ui = nullptr;

private slots:
    void on_StraightLine_2_clicked(bool checked);
};
