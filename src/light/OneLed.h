#pragma once

#include <QFrame>

class QButtonGroup;
class QCheckBox;

namespace Ui {
class OneLed;
}

// What the single LED of a 4K receiver shows: three exclusive options, the
// IndicatorMode 1..3 of the receiver record CurrentDongleRGB. A ticked option
// is written straight to the receiver.
class OneLed : public QFrame
{
    Q_OBJECT

public:
    explicit OneLed(QWidget *parent = nullptr);
    ~OneLed() override;

    // Option index 0..2 (other values do nothing). Show ticks it silently;
    // Select ticks it with its signals active, so a change is written.
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
    void restoreOption(int option);

    Ui::OneLed *ui;
    QButtonGroup *Group;
    QString PictureFolder;
    // The option last shown or written, put back when a choice does not reach
    // the receiver (-1: none yet).
    int AcceptedOption = -1;
};
