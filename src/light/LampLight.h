#pragma once

#include <QWidget>

#include "device/FlashDataMap.h"

class QLabel;
struct DongleRGB;

// The light page (stack index 4 of the device window). This first version
// holds the page's place: it takes part in every read (it marks the light
// data as applied so the wait dialog can close) and shows a titled, themed
// frame; its editors come with the lighting work.
class LampLight : public QWidget
{
    Q_OBJECT

public:
    explicit LampLight(QWidget *parent = nullptr);
    ~LampLight() override;

private slots:
    void SlotUpDataLightUILight(FlashDataMap DataMap);
    void SlotUpDataLightUIA(FlashDataMap DataMap);
    void SlotUpDataDPILed(FlashDataMap DataMap);
    void SlotRGBValue(DongleRGB *Rgb);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetLight();
    void SlotAllLanguage(int index);

private:
    QLabel *Title = nullptr;
};
