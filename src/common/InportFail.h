#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class InportFail;
}

// Tells that a profile import failed; ImportResult picks the text.
class InportFail : public NoticeDialog
{
    Q_OBJECT

public:
    explicit InportFail(QWidget *parent = nullptr);
    ~InportFail() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::InportFail> ui;
};
