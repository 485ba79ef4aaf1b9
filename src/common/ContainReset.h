#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class ContainReset;
}

// Asks whether to restore the default settings (or a caller's question).
// Return presses OK.
// After exec(), OkChosen tells whether OK was pressed (Cancel, close and Esc: no).
class ContainReset : public NoticeDialog
{
    Q_OBJECT

public:
    bool OkChosen = false;

    explicit ContainReset(QWidget *parent = nullptr);
    ~ContainReset() override;
    void SetText(const QString &text);

public slots:
    void SlotAllLanguage(int index);
    void on_OK_clicked();
    void on_Cancel_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::ContainReset> ui;
};
