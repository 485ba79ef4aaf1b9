#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class LessThree;
}

// Tells that a short debounce time was chosen.
class LessThree : public NoticeDialog
{
    Q_OBJECT

public:
    explicit LessThree(QWidget *parent = nullptr);
    ~LessThree() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::LessThree> ui;
};
