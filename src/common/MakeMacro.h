#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class MakeMacro;
}

// Tells the user to create a macro first.
class MakeMacro : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MakeMacro(QWidget *parent = nullptr);
    ~MakeMacro() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::MakeMacro> ui;
};
