#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class AngleMove;
}

// The sensor angle last accepted by the device or read from it (-30..30).
extern int ConfirmedAngle;

// The sensor-angle control of the advanced page: a slider from -30 to +30
// degrees with a turning mouse picture. A settled value is written with
// SetAngle; a refused or unsent value puts everything back to ConfirmedAngle.
class AngleMove : public QFrame
{
    Q_OBJECT

public:
    explicit AngleMove(QWidget *parent = nullptr);
    ~AngleMove() override;

    // The angle the mouse holds: slider, text and picture, and ConfirmedAngle.
    void ShowAngle(int angle);
    // Without running the slider's slots.
    void SetSliderValue(int angle);
    void SetSliderEnabled(bool enabled);
    void MoveTips(int x, int y);
    void SetAngleText(const QString &text);
    void SetPictureAngle(int angle);

    Ui::AngleMove *ui = nullptr;

private slots:
    void SlotAllLanguage(int index);
    void on_AngleSet_sliderMoved(int position);
    void on_AngleSet_valueChanged(int value);

private:
    QString PicturePath;
    QString LabelColorText;
};
