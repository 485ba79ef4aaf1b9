#pragma once

#include <QFrame>
#include <QString>

class Ui_DebounceTime;

// The debounce-time widget of the button page: a drop-down of 0 to 15 ms.
// A user's pick is written to the device through SetDebounceTime; the shown
// text goes to the summary panel through SigDebunce.
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

    // -1 until the first value came from the page or the device.
    int LastDebounceMs = -1;
    QString PictureFolder;

    Ui_DebounceTime *ui = nullptr;

private slots:
    void on_Debunce_currentIndexChanged(int index);
};
