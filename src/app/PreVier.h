#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace Ui {
class PreVier;
}

// The summary panel, page 0 of the device window: a picture of the mouse and
// the current DPI, report rate, lift-off distance, debounce time, profile and
// firmware versions. It has no controls; every value arrives through the hub.
class PreVier : public QWidget
{
    Q_OBJECT

public:
    explicit PreVier(QWidget *parent = nullptr);
    ~PreVier() override;

private slots:
    void SlotAllLanguage(int index);
    void SlotAddSensor(int Value);
    void SlotAddReport(int Value);
    void SlotAddLOD(QString Value);
    void SlotAddConfig(QString Value);
    void SlotAddMotion(int Value);
    void SlotAddMouseVer(QString Value);
    void SlotAddDongleVer(QString Value);
    void SlotAddBatteryVis(bool In);
    void SlotDebnunce(QString Vlue);
    void SlotAddVer(int type, QString Ver);
    void SlotAddUpdate(int type, bool Ver);
    void SlotMouseIndex(int index);

private:
    // A value of the mouse; none while its values are unknown (not read yet).
    void ShowValue(QLabel *label, const QString &text);
    // Leaves the device page like the device window's button, without its
    // waits. The panel has no button named UpArrow, so nothing calls it; it
    // is no slot, so the form's by-name connection does not look for one.
    void on_UpArrow_clicked();

    Ui::PreVier *ui = nullptr;
    QString PictureFolder;
};
