#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class MouseOffLine;
}

// Tells that the mouse is offline (OfflineNoticeKind 0) or that a read timed out (1).
// Closes itself on the hub's SigCloseOffOnline().
class MouseOffLine : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MouseOffLine(QWidget *parent = nullptr);
    ~MouseOffLine() override;

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui::MouseOffLine> ui;
};
