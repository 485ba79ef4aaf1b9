#pragma once

#include "device/DeviceField.h"

#include <QFrame>
#include <QString>

namespace Ui {
class LongMode;
}

// The long-range radio switch of the advanced page. It talks to the device
// library directly (the mode is not part of the parameter block); a click the
// mouse does not take puts the box back.
class LongMode : public QFrame
{
    Q_OBJECT

public:
    explicit LongMode(QWidget *parent = nullptr);
    ~LongMode() override;

    // The state the mouse reported: shown, never sent back.
    void SetChecked(bool on);

    Ui::LongMode *ui = nullptr;

private slots:
    void SlotAllLanguage(int index);
    void on_checkBox_toggled(bool checked);

private:
    DeviceField LongRangeField;
    QString PicturePath;
    QString LabelColorText;
};
