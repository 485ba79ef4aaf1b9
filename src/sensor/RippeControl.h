#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class RippeControl;
}

// The ripple control switch of the sensor page: a click writes 1 or 0; a refused
// write flips the switch back.
class RippeControl : public QFrame
{
    Q_OBJECT

public:
    explicit RippeControl(QWidget *parent = nullptr);
    ~RippeControl() override;

    // Shows a state without writing it.
    void SetChecked(bool on);
    void SetTitleText(const QString &text);
    void SetTipText(const QString &text);
    void SetTipPosition(int language);

    Ui::RippeControl *ui = nullptr;

private slots:
    void on_RippeControl_2_clicked(bool checked);

private:
    QString PicturePath;
};
