#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class LeftButtonOnly;
}

// Tells that the left button must keep its function.
class LeftButtonOnly : public NoticeDialog
{
    Q_OBJECT

public:
    explicit LeftButtonOnly(QWidget *parent = nullptr);
    ~LeftButtonOnly() override;

public slots:
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::LeftButtonOnly> ui;
};
