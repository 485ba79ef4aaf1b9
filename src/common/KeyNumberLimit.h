#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class KeyNumberLimit;
}

// Tells that a macro recording reached its event limit.
class KeyNumberLimit : public NoticeDialog
{
    Q_OBJECT

public:
    explicit KeyNumberLimit(QWidget *parent = nullptr);
    ~KeyNumberLimit() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::KeyNumberLimit> ui;
};
