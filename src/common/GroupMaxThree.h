#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class GroupMaxThree;
}

// Tells that a key combination holds at most three keys.
class GroupMaxThree : public NoticeDialog
{
    Q_OBJECT

public:
    explicit GroupMaxThree(QWidget *parent = nullptr);
    ~GroupMaxThree() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::GroupMaxThree> ui;
};
