#pragma once

#include "device/DeviceField.h"

#include <QFrame>

namespace Ui {
class SensorEffect;
}

// Editor of the mouse's DPI indicator light: effect (off, steady, breathing),
// breathing speed 1..5 and brightness level 1..10. Every change goes to the
// mouse at once through the parameter block's setters; a change the mouse
// did not take is put back to what the mouse holds, with one notice. The
// light page fills it and sets its texts.
class SensorEffect : public QFrame
{
    Q_OBJECT

public:
    explicit SensorEffect(QWidget *parent = nullptr);
    ~SensorEffect() override;

    // State operations of the light page; none writes to the device.
    void ShowEffectMode(int mode);
    void ShowSpeed(int speed);
    void ShowBrightness(int level);
    void EnableSliders(bool enabled);
    void ReleaseSliders();
    void EnableModeChoice(bool enabled);
    void SetModeItemText(int index, const QString &text);
    void SetTitleText(const QString &text);
    void SetSpeedLabelText(const QString &text);
    void SetBrightnessLabelText(const QString &text);

    // The effect mode the mouse holds (the mode combo goes back to it).
    int currentEffectMode() const { return ModeField.Held(); }

private slots:
    void on_Model_currentIndexChanged(int index);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int position);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int position);

private:
    void applyVisibility(int mode);

    Ui::SensorEffect *ui;
    QString PictureFolder;
    DeviceField ModeField;
    DeviceField SpeedField;
    DeviceField BrightnessField;
};
