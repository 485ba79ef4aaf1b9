#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class SameMacro;
}

// Tells that a macro of that name exists.
class SameMacro : public NoticeDialog
{
    Q_OBJECT

public:
    explicit SameMacro(QWidget *parent = nullptr);
    ~SameMacro() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::SameMacro> ui;
};
