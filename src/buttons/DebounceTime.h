#pragma once

#include "device/DeviceField.h"

#include <QFrame>
#include <QString>

class Ui_DebounceTime;

// The debounce-time widget of the button page: a drop-down of 0 to 15 ms.
// A user's pick is written to the device through SetDebounceTime (put back
// with one notice when the mouse does not take it); the value the mouse
// holds goes to the summary panel through SigDebunce.
class DebounceTime : public QFrame
{
    Q_OBJECT

public:
    explicit DebounceTime(QWidget *parent = nullptr);
    ~DebounceTime() override;

    // Shows ms (from device data or the defaults) and emits SigDebunce with
    // the shown text. A value without an item (above 15) shows nothing
    // selected and is not written back.
    void SetCurrentDebounce(int ms);

    // Item index gets the text "<index><suffix>" (e.g. "8ms").
    void SetItemText(int index, const QString &suffix);

    // The index shown, -1 when none.
    int CurrentIndex() const;

    // The value the mouse holds; -1 until the first value came from the
    // page or the device, or when it has no item.
    int HeldDebounceMs() const { return DebounceField.Held(); }
    QString PictureFolder;

    Ui_DebounceTime *ui = nullptr;

private slots:
    void on_Debunce_currentIndexChanged(int index);

private:
    DeviceField DebounceField;
};
