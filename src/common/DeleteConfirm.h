#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class DeleteConfirm;
}

// Asks to confirm the deletion of a macro (OK is NewHong).
// After exec(), OkChosen tells whether OK was pressed (Cancel, close and Esc: no).
class DeleteConfirm : public NoticeDialog
{
    Q_OBJECT

public:
    bool OkChosen = false;

    explicit DeleteConfirm(QWidget *parent = nullptr);
    ~DeleteConfirm() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::DeleteConfirm> ui;
};
