#pragma once

#include "common/NoticeDialog.h"

#include <memory>

namespace Ui {
class FindNewVer;
}

// Tells the user that new firmware was found and asks him to upgrade. Both
// buttons only close it. The "do not show again" box is shown but neither
// read nor stored here: that preference belongs to the chooser's own notice.
class FindNewVer : public NoticeDialog
{
    Q_OBJECT

public:
    explicit FindNewVer(QWidget *parent = nullptr);
    ~FindNewVer() override;

    std::unique_ptr<Ui::FindNewVer> ui;

private slots:
    void on_NewHong_clicked();
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();
};
