#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class RePair;
}

// Asks whether to pair mouse and receiver again.
// After exec(), OkChosen tells whether OK was pressed (Cancel, close and Esc: no).
class RePair : public NoticeDialog
{
    Q_OBJECT

public:
    bool OkChosen = false;

    explicit RePair(QWidget *parent = nullptr);
    ~RePair() override;

public slots:
    void SlotAllLanguage(int index);
    void on_OK_clicked();
    void on_Cancel_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::RePair> ui;
};
