#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class QuestiondialogB;
}

// Tells that two identical devices are connected.
class QuestiondialogB : public NoticeDialog
{
    Q_OBJECT

public:
    explicit QuestiondialogB(QWidget *parent = nullptr);
    ~QuestiondialogB() override;

public slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::QuestiondialogB> ui;
};
