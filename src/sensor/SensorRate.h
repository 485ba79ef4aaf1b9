#pragma once

#include "device/DeviceField.h"

#include <QFrame>
#include <QString>

class QButtonGroup;
class QToolButton;

namespace Ui {
class SensorRate;
}

// The report-rate row: seven exclusive rate buttons from 125 to 8000 Hz. A
// click writes the rate's code; a refused or unsent click shows the rate the
// mouse holds again.
class SensorRate : public QFrame
{
    Q_OBJECT

public:
    explicit SensorRate(QWidget *parent = nullptr);
    ~SensorRate() override;

    // Shows the rate of `index` (0..6; another index checks no button) as the
    // one the mouse holds, and announces it.
    void ShowRateIndex(int index);
    // 0: up to 1000 Hz, 1: 2000 and 4000 Hz, 2: 2000 Hz, 3: up to 8000 Hz.
    void ShowHighRates(int mode);
    void SetTitleText(const QString &text);

    int CurrentRateIndex() const { return RateField.Held(); }
    QToolButton *RateButton(int index) const;

    // Code of ReportRateCode and rate in Hz of each index.
    static int CodeOfIndex(int index);
    static int RateOfIndex(int index);
    // Index of a ReportRateCode, -1 when it is none of the seven.
    static int IndexOfCode(int code);

    Ui::SensorRate *ui = nullptr;

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    void RateClicked(int index, bool checked);
    void CheckRateButton(int index);

    QString PicturePath;
    QButtonGroup *RateGroup = nullptr;
    DeviceField RateField;
};
