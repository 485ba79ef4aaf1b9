#pragma once

#include "device/DeviceField.h"
#include "light/LightBindings.h"

#include <QFrame>

namespace Ui {
class ReceiveLight;
}

// Editor of the USB receiver's light bar: mode, brightness, speed and colour.
// Every change is written at once as the receiver's seven-byte record
// (DongleBarModeBuffer) and, when the receiver took it, the parameter block
// follows; a change it did not take is put back with one notice. The light
// page fills it from the receiver.
class ReceiveLight : public QFrame
{
    Q_OBJECT

public:
    explicit ReceiveLight(QWidget *parent = nullptr);
    ~ReceiveLight() override;

    // State operations of the light page; none writes to the receiver.
    void BlockEditorSignals(bool block);
    // Shows the mode with its controls.
    void ShowLightMode(int index);
    void ShowBrightness(int value);
    void ShowBrightnessValue(int value);
    void ShowSpeed(int value);
    void ShowSpeedValue(int value);
    void ShowColor(int r, int g, int b);
    void EnableSliders(bool enabled);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void on_LightMod_2_currentIndexChanged(int index);
    void SlotAllLanguage(int index);
    void on_horizontalLight_2_sliderMoved(int position);
    void on_horizontalLight_2_valueChanged(int value);
    void on_horizontalSpeed_2_sliderMoved(int position);
    void on_horizontalSpeed_2_valueChanged(int value);
    void on_AddR_2_clicked();
    void on_AddG_2_clicked();
    void on_AddB_2_clicked();
    void on_ReduceR_2_clicked();
    void on_ReduceG_2_clicked();
    void on_ReduceB_2_clicked();
    void on_RSpinBox_2_valueChanged(int value);
    void on_GSpinBox_2_valueChanged(int value);
    void on_BSpinBox_2_valueChanged(int value);
    void on_toolButtonColorA_2_clicked();
    void on_toolButtonColorB_2_clicked();
    void on_toolButtonColorC_2_clicked();
    void on_toolButtonColorD_2_clicked();
    void on_toolButtonColorE_2_clicked();
    void on_toolButtonColorF_2_clicked();
    void on_toolButtonColorG_2_clicked();
    void on_toolButtonColorH_2_clicked();
    void on_toolButtonColorI_2_clicked();
    void on_toolButtonColorJ_2_clicked();
    void on_toolButtonColorK_2_clicked();
    void on_toolButtonColorL_2_clicked();
    void on_toolButtonColorM_2_clicked();
    void on_toolButtonColorN_2_clicked();

private:
    void applyTheme();
    void applyVisibility(int mode);
    void bindControls();
    void stepBox(int box, int delta);
    void applyPreset(int preset);

    Ui::ReceiveLight *ui;
    QString PictureFolder;
    DeviceField ModeField;
    DeviceField BrightnessField;
    DeviceField SpeedField;
    LightBindings::ColourBoxes Colour;
};
