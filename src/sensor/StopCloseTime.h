#pragma once

#include "device/DeviceField.h"

#include <QFrame>
#include <QString>

namespace Ui {
class StopCloseTime;
}

// The sleep-time chooser of the advanced page: eight idle times, written as
// SleepTimeCode (units of 10 s); a refused write shows the previous item.
class StopCloseTime : public QFrame
{
    Q_OBJECT

public:
    explicit StopCloseTime(QWidget *parent = nullptr);
    ~StopCloseTime() override;

    // Shows item `index` without writing it.
    void SetIndex(int index);
    void SetItemText(int index, const QString &text);

    // Item of a SleepTimeCode, -1 for a code not offered.
    static int IndexOfCode(int code);
    static int CodeOfIndex(int index);

    Ui::StopCloseTime *ui = nullptr;

private slots:
    void on_StopClose_activated(int index);

private:
    QString PicturePath;
    // Item 2 (one minute) is what a reset shows; before the first SetIndex a
    // refused choice goes back there.
    DeviceField SleepField;
};
