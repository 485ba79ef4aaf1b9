#pragma once

#include "device/DeviceField.h"

#include <QFrame>

class QButtonGroup;
class QCheckBox;

namespace Ui {
class OneLed;
}

// What the single LED of a 4K receiver shows: three exclusive options, the
// IndicatorMode 1..3 of the receiver record CurrentDongleRGB. A ticked option
// is written straight to the receiver; one it did not take is put back to
// the option it holds, with one notice.
class OneLed : public QFrame
{
    Q_OBJECT

public:
    explicit OneLed(QWidget *parent = nullptr);
    ~OneLed() override;

    // Option index 0..2 (other values do nothing): the option the receiver
    // holds, ticked without a write. Show is the light page's own choice,
    // Select the receiver's report.
    void ShowIndicatorMode(int option);
    void SelectIndicatorMode(int option);

    // The ticked option, -1 when none.
    int checkedOption() const;

private slots:
    void SlotAllLanguage(int index);
    void on_ReUntil_toggled(bool checked);
    void on_ReUntil_2_toggled(bool checked);
    void on_ReUntil_3_toggled(bool checked);

private:
    QCheckBox *option(int index) const;
    void choose(int option, bool checked);
    void tickOption(int option);

    Ui::OneLed *ui;
    QButtonGroup *Group;
    QString PictureFolder;
    DeviceField OptionField;
};
