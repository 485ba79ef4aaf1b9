#pragma once

#include <QFrame>
#include <QString>

class QButtonGroup;
class QCheckBox;
class Ui_SensorRateB;

// A second look of the report rate: a caption and seven exclusive check
// boxes, 125 Hz to 8000 Hz. A click writes the rate's code; after an accepted
// write SigHideModel tells whether the rate is above 1000 Hz. A refused write
// leaves the box checked (the setter shows the offline notice).
class SensorRateB : public QFrame
{
    Q_OBJECT

public:
    explicit SensorRateB(QWidget *parent = nullptr);
    ~SensorRateB() override;

    static constexpr int RateCount = 7;
    // ReportRateCode of rate index 0..6.
    static int RateCode(int index);

    // Checks the box of rate index 0..6 without writing.
    void ShowRateChecked(int index);
    // 0: up to 1000 Hz, 1: up to 4000, 2: up to 2000, 3: up to 8000 Hz;
    // other types change nothing.
    void ShowRateClass(int type);
    void SetLabelText(const QString &text);

    QCheckBox *RateBox(int index) const;

    QString PictureDir;
    QButtonGroup *RateGroup = nullptr;
    Ui_SensorRateB *ui = nullptr;

private slots:
    void on_Button125HZ_clicked(bool checked);
    void on_Button250HZ_clicked(bool checked);
    void on_Button500HZ_clicked(bool checked);
    void on_Button1000HZ_clicked(bool checked);
    void on_Button2000HZ_clicked(bool checked);
    void on_Button4000HZ_clicked(bool checked);
    void on_Button8000HZ_clicked(bool checked);

private:
    void WriteRate(int index, bool checked);
};
