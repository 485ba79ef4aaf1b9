#pragma once

#include "platform/vidide/DeviceAllInfo.h"

#include <QString>
#include <QWidget>

class QButtonGroup;
class QKeyEvent;
class QEvent;
class PreVier;
class Advanced;
class Buttoninterface;
class LampLight;
class Macro;
class Sensor;
class FormSetting;
class UpDataParam;

namespace Ui {
class Dialog;
}

// The device window, page 1 of the main window: a header strip with the seven
// page buttons, the battery gauge and the link icon, a left strip with the
// button that leaves the device page, and the stack of the seven device pages.
class Dialog : public QWidget
{
    Q_OBJECT

public:
    explicit Dialog(QWidget *parent = nullptr);
    ~Dialog() override;

    // The pages in stack order 0..6 (tests and the main window reach them).
    PreVier *summaryPage() const { return PagePreVier; }
    QWidget *buttonPage() const;
    Sensor *sensorPage() const { return PageSensor; }
    Macro *macroPage() const { return PageMacro; }
    LampLight *lightPage() const { return PageLampLight; }
    Advanced *advancedPage() const { return PageAdvanced; }
    FormSetting *settingsPage() const { return PageFormSetting; }
    UpDataParam *waitDialog() const { return WaitDialog; }

    // Styles the pages, whose polishing waited since the start, before the
    // window is first shown.
    void setVisible(bool visible) override;

public slots:
    void WindowClosed();
    void WindowMin();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void on_ButtonMain_clicked();
    void on_SensorButton_clicked();
    void on_MacroButton_clicked();
    void on_LightsButton_clicked();
    void on_UpArrow_clicked();
    void on_SetButton_clicked();
    void SlotSecondDialog();
    void SlotIsUsb(bool Usb, bool IsVs);
    void SlotUpDataParam(int index);
    void SlotStartRecord(int index);
    void SlotBattery(bool IsCharg, int Number, bool IsText);
    void SlotSelectMouseInfo(DeviceAllInfo SelectInfo);
    void SlotMouseIndex(int index);
    void on_CloseButton_clicked();
    void on_FormSetting_clicked();
    void on_PreButton_clicked();
    void on_stackedWidgetDialog_currentChanged(int index);
    void on_Advanced_clicked();

private:
    // No object of these names exists; kept out of the slots so that the
    // form's by-name connection does not look for them.
    void on_MouseB_clicked();
    void on_MouseC_clicked();
    void ApplyStyleSheets();
    void SetBackground(const QString &picture);
    void WriteCache();
    void ShowBatteryGauge(bool shown);
    // No level shown: the mouse has not told it yet.
    void ShowBatteryUnknown();

    Ui::Dialog *ui = nullptr;
    QButtonGroup *PageButtons = nullptr;
    PreVier *PagePreVier = nullptr;
    Advanced *PageAdvanced = nullptr;
    QWidget *PageButtoninterface = nullptr;
    LampLight *PageLampLight = nullptr;
    Macro *PageMacro = nullptr;
    Sensor *PageSensor = nullptr;
    FormSetting *PageFormSetting = nullptr;
    UpDataParam *WaitDialog = nullptr;
    QString PictureFolder;
    // False for a mouse that only works on its cable: it has no battery.
    bool HasBattery = true;
};
