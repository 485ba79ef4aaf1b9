#pragma once

#include <QWidget>

#include "device/FlashDataMap.h"

class QLabel;

// The advanced page (stack index 5 of the device window). This first version
// holds the page's place and its hub slots; its controls (sleep time, 20K FPS,
// long range, sensor angle, curves) come with the sensor work.
class Advanced : public QWidget
{
    Q_OBJECT

public:
    explicit Advanced(QWidget *parent = nullptr);
    ~Advanced() override;

public slots:
    // Receiver of SigtVis: lays out the page's frames before it is shown.
    void SetPos(int index);

private slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotLongRangeMode(bool Select);
    void SlotForm();
    void SlotFormB();
    void SlotFormReset();
    void Slot20KOpen(bool Open);
    void SlotAllLanguage(int index);

private:
    QLabel *Title = nullptr;
};
