#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class AddDelayTime;
}

// Asks for a delay of 10..65535 ms. After exec(), OkPressed tells whether OK
// ended it; only then DelayValue holds the entered value.
class AddDelayTime : public NoticeDialog
{
    Q_OBJECT

public:
    bool OkPressed = false;
    int DelayValue = 0;

    explicit AddDelayTime(QWidget *parent = nullptr);
    ~AddDelayTime() override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void SlotAllLanguage(int index);

private:
    std::unique_ptr<Ui::AddDelayTime> ui;
};
