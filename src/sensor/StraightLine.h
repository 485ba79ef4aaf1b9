#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class StraightLine;
}

// The straight-line correction (angle snapping) switch of the sensor page: a click writes 1 or 0; a
// refused write flips the switch back.
class StraightLine : public QFrame
{
    Q_OBJECT

public:
    explicit StraightLine(QWidget *parent = nullptr);
    ~StraightLine() override;

    // Shows a state without writing it.
    void SetChecked(bool on);
    void SetTitleText(const QString &text);
    void SetTipText(const QString &text);
    void SetTipPosition(int language);

    Ui::StraightLine *ui = nullptr;

private slots:
    void on_StraightLine_2_clicked(bool checked);

private:
    QString PicturePath;
};
