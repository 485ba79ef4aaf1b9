#pragma once

#include <QWidget>

#include "device/FlashDataMap.h"

class QLabel;

// The sensor page (stack index 2 of the device window). This first version
// holds the page's place in the window: it takes part in every read (it marks
// the sensor data as applied so the wait dialog can close) and shows a titled,
// themed frame; its controls come with the sensor work.
class Sensor : public QWidget
{
    Q_OBJECT

public:
    explicit Sensor(QWidget *parent = nullptr);
    ~Sensor() override;

private slots:
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotFormReset();
    void SlotUpDataReportRate(int index);
    void SlotUpDataDPI(int index);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void SlotAllLanguage(int index);
    void SlotHideModel(int index);

private:
    QLabel *Title = nullptr;
};
