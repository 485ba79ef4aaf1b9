#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class MotionSync;
}

// The motion sync switch of the sensor page: a click writes 1 or 0; a refused
// write flips the switch back.
class MotionSync : public QFrame
{
    Q_OBJECT

public:
    explicit MotionSync(QWidget *parent = nullptr);
    ~MotionSync() override;

    // Shows a state without writing it.
    void SetChecked(bool on);
    void SetTitleText(const QString &text);
    void SetTipText(const QString &text);
    void SetTipPosition(int language);

    Ui::MotionSync *ui = nullptr;

private slots:
    void on_MotionSync_2_clicked(bool checked);

private:
    QString PicturePath;
};
