#pragma once

#include "device/DeviceField.h"
#include "light/LightBindings.h"

#include <QFrame>

class QButtonGroup;

namespace Ui {
class MouseLight;
}

// Editor of the mouse's light bar: mode, brightness, speed, a custom colour
// (boxes, plus and minus buttons, 14 presets, a colour picked off the screen)
// and the light-off-while-moving switch. Every change goes to the mouse at
// once through the parameter block's setters; one the mouse did not take is
// put back to what it holds, with one notice. The light page fills it.
class MouseLight : public QFrame
{
    Q_OBJECT

public:
    explicit MouseLight(QWidget *parent = nullptr);
    ~MouseLight() override;

    // State operations of the light page; none writes to the device.
    void BlockEditorSignals(bool block);
    void EnableSliders(bool enabled);
    // Shows the mode with its controls.
    void ShowLightMode(int index);
    void ShowBrightness(int value);
    void ShowBrightnessValue(int value);
    void ShowSpeed(int value);
    void ShowSpeedValue(int value);
    void ShowColor(int r, int g, int b);
    void ShowLightOffWhileMoving(bool on);
    void GroupPresetButtons();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void on_LightMod_currentIndexChanged(int index);
    void on_horizontalLight_sliderMoved(int position);
    void on_horizontalLight_valueChanged(int value);
    void on_horizontalSpeed_sliderMoved(int position);
    void on_horizontalSpeed_valueChanged(int value);
    void on_RSpinBox_valueChanged(int value);
    void on_GSpinBox_valueChanged(int value);
    void on_BSpinBox_valueChanged(int value);
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_toolButtonColorA_clicked();
    void on_toolButtonColorB_clicked();
    void on_toolButtonColorC_clicked();
    void on_toolButtonColorD_clicked();
    void on_toolButtonColorE_clicked();
    void on_toolButtonColorF_clicked();
    void on_toolButtonColorG_clicked();
    void on_toolButtonColorH_clicked();
    void on_toolButtonColorI_clicked();
    void on_toolButtonColorJ_clicked();
    void on_toolButtonColorK_clicked();
    void on_toolButtonColorL_clicked();
    void on_toolButtonColorM_clicked();
    void on_toolButtonColorN_clicked();
    void on_RippeControl_clicked(bool checked);
    void SlotAllLanguage(int index);

private:
    void applyTheme();
    void applyVisibility(int mode);
    void bindControls();
    void stepBox(int box, int delta);
    void applyPreset(int preset);

    Ui::MouseLight *ui;
    QButtonGroup *PresetGroup;
    QString PictureFolder;
    DeviceField ModeField;
    DeviceField BrightnessField;
    DeviceField SpeedField;
    DeviceField OffWhileMovingField;
    LightBindings::ColourBoxes Colour;
};
