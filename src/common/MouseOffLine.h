#pragma once

#include "common/NoticeChoice.h"
#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class MouseOffLine;
}

// Tells the user why a change or a read did not reach the mouse; the kind is
// OfflineNoticeKind at construction (MouseNoticeKind). The offline and
// time-out notices close themselves on the hub's SigCloseOffOnline() (the
// mouse answers again); a refusal or a read still under way stays until the
// user closes it.
class MouseOffLine : public NoticeDialog
{
    Q_OBJECT

public:
    explicit MouseOffLine(QWidget *parent = nullptr);
    ~MouseOffLine() override;

    int kind() const { return Kind; }

public slots:
    void SlotAllLanguage(int index);
    void on_NewHong_clicked();
    void on_CloseButton_clicked();

private slots:
    void SlotMouseBack();

private:
    std::unique_ptr<Ui::MouseOffLine> ui;
    int Kind = MouseNoticeOffline;
};
