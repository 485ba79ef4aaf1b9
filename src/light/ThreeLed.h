#pragma once

#include "device/DeviceField.h"

#include <QFrame>

class QComboBox;

namespace Ui {
class ThreeLed;
}

// What each of the receiver's three indicator LEDs shows (function codes
// 0..3 in DongleIndicatorLedBuffer), with a legend of the colours. A change
// is written at once to the receiver and the parameter block follows; one
// the receiver did not take is put back with one notice.
class ThreeLed : public QFrame
{
    Q_OBJECT

public:
    explicit ThreeLed(QWidget *parent = nullptr);
    ~ThreeLed() override;

    // The function the receiver holds: no slot runs, nothing is written.
    void ShowLed1Function(int index);
    void ShowLed2Function(int index);
    void ShowLed3Function(int index);

private slots:
    void SlotAllLanguage(int index);
    void on_LightMod_3_currentIndexChanged(int index);
    void on_LightMod_4_currentIndexChanged(int index);
    void on_LightMod_5_currentIndexChanged(int index);

private:
    void bindLed(int led, QComboBox *combo);

    Ui::ThreeLed *ui;
    QString PictureFolder;
    DeviceField LedFields[3];
};
