#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class UpDateWarning;
}

// A caller's warning on the firmware paths. Return presses OK.
class UpDateWarning : public NoticeDialog
{
    Q_OBJECT

public:
    explicit UpDateWarning(QWidget *parent = nullptr);
    ~UpDateWarning() override;
    void SetText(const QString &text);

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::UpDateWarning> ui;
};
