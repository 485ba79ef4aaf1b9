#pragma once

#include <QWidget>

#include "platform/vidide/FlashDataMap.h"

class QButtonGroup;
class MouseLight;
class OneLed;
class ReceiveLight;
class SensorEffect;
class ThreeLed;

namespace Ui {
class LampLight;
}

// The light page (stack index 4 of the device window). It holds the five
// light editors on the three tabs of a tab widget, keeps them in step with
// the device and the receiver, and puts them to defaults when there is no
// device data. Only the first tab shows, and on it only the DPI light editor.
class LampLight : public QWidget
{
    Q_OBJECT

public:
    explicit LampLight(QWidget *parent = nullptr);
    ~LampLight() override;

    SensorEffect *dpiEffectEditor() const;
    MouseLight *mouseLightEditor() const;
    ReceiveLight *receiverLightEditor() const;
    OneLed *indicatorChoiceEditor() const;
    ThreeLed *indicatorLedEditor() const;

    // Sleep-time choice by item 0..10 (codes 1, 3, 6, 30 .. 240). The page has
    // no control that calls it.
    void on_StopCloseTime_activated(int index);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void SlotUpDataLightUILight(FlashDataMap DataMap);
    void SlotUpDataLightUIA(FlashDataMap DataMap);
    void SlotFormResetLight();
    void SlotUpDataDPILed(FlashDataMap DataMap);
    void SlotAllLanguage(int index);
    void SlotRGBValue(DongleRGB *Rgb);
    void SlotForm();
    void SlotFormB();

private:
    void queryReceiver();
    void showIndicatorLeds();
    void showReceiverBar();
    void showDpiLight(const FlashDataMap &map);
    void showMouseBar(const FlashDataMap &map);
    // The receiver's records and the block's lights into the editors; the
    // caller sets the mouse sliders and finishes the fill.
    void fillEditors(const FlashDataMap &map);
    // Drive<n>/Adveanced item 1 is not "-1" (a list too short counts as "-1").
    bool modelHasIndicatorChoice() const;

    Ui::LampLight *ui;
    QString PictureFolder;
    QButtonGroup *Group;
};
