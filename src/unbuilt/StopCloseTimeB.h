#pragma once

#include <QFrame>
#include <QString>

class Ui_StopCloseTimeB;

// A second look of the sleep time: a slider of eleven steps from 10 seconds
// to 40 minutes and a read-only number box with the unit. Releasing the
// handle writes the time (units of 10 s); dragging only updates the display.
class StopCloseTimeB : public QFrame
{
    Q_OBJECT

public:
    explicit StopCloseTimeB(QWidget *parent = nullptr);
    ~StopCloseTimeB() override;

    // The number shown for slider position 1..11 (10, 30, 1, 5, ... 40);
    // 0 for a position outside the slider.
    static int ShownNumber(int position);
    // The device code (units of 10 s) of position 1..11; 0 outside.
    static int SleepCode(int position);
    // Shows choice 0..10 without writing.
    void ShowSleepTimeIndex(int index);
    // Index 0: the seconds unit is `text` without "10"; index 5: the minutes
    // unit is `text` without "15"; other indexes change nothing.
    void SetUnitText(int index, const QString &text);

    QString PictureFolder;
    QString SecondsUnit;
    QString MinutesUnit;
    Ui_StopCloseTimeB *ui = nullptr;

private slots:
    void on_StopClose_sliderMoved(int position);
    void on_StopClose_valueChanged(int value);

private:
    void ShowPosition(int position);
};
