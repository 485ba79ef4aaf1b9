#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class FireKey;
}

// The rapid-fire dialog: interval (10..255) and number of shots (0..3, 0 =
// fire while the button is held) of a button's fire key. The caller presets
// both, runs it and reads Accepted, Interval and Times afterwards.
class FireKey : public NoticeDialog
{
    Q_OBJECT

public:
    explicit FireKey(QWidget *parent = nullptr);
    ~FireKey() override;

    // Preset the spin boxes (kept in their ranges); the results change only
    // through OK.
    void SetTimes(int value);
    void SetInterval(int value);

    bool Accepted = false;
    int Interval = 10;
    int Times = 3;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int index);

private:
    // The two captions above the boxes show their texts in full.
    void FitCaptions();

    std::unique_ptr<Ui::FireKey> ui;
};
