#pragma once

#include <QString>
#include <QWidget>

#include "device/DeviceField.h"
#include "model/SensorConstants.h"
#include "platform/vidide/FlashDataMap.h"

class QListView;

namespace Ui {
class Sensor;
}

// The sensor page (stack index 2 of the device window): DPI levels, report
// rate, lift-off distance, sensor mode, performance mode and time, and the
// ripple, angle-snapping and motion-sync switches. It never reads the device:
// the hub's block and notification signals fill it, and it reports the read
// as applied (SensorPageUpdated) for the wait dialog. Reads driver_sensor.h
// once, while it is constructed.
class Sensor : public QWidget
{
    Q_OBJECT

public:
    explicit Sensor(QWidget *parent = nullptr);
    ~Sensor() override;

    Ui::Sensor *ui = nullptr;
    // The feature switches of driver_sensor.h.
    SensorSwitches Switches;
    QString DpiMinText;
    QString DpiMaxText;

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_Performance_toggled(bool checked);
    void SlotUpDataSenSorUISensor(FlashDataMap DataMap);
    void SlotFormReset();
    void SlotUpDataReportRate(int index);
    void SlotUpDataDPI(int index);
    void SlotUpDataSenSorUIB(FlashDataMap DataMap);
    void on_ModelChoose_currentIndexChanged(int index);
    void on_Performance_clicked(bool checked);
    void on_PerformanceOpen_currentIndexChanged(int index);
    void SlotAllLanguage(int index);
    void SlotHideModel(int index);

private:
    void FillFromBlock(const FlashDataMap &block);
    QString DriveGroup() const;
    bool ListsModel(const QString &switchText) const;
    // ModelChoose shows `index` without writing it.
    void ShowMode(int index, bool enabled, bool hideCorded);

    bool FormBuilt = false;
    QString PicturePath;
    QListView *ModelView = nullptr;
    // The sensor mode (item 2, the cable's mode, is shown, never written),
    // the performance switch and the performance time item.
    DeviceField ModelField;
    DeviceField PerformanceField;
    DeviceField PerformanceTimeField;
};
