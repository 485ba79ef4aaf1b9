#pragma once

#include "common/NoticeDialog.h"

#include <QString>

#include <memory>

namespace Ui {
class Progress;
}

// Shows a firmware upgrade's progress as a percentage text and a bar, then
// its result with an OK button. Leaving it after a failure returns to the
// device chooser; after anything else it asks the settings page to go on
// with the next pending upgrade step (SigContinue).
class Progress : public NoticeDialog
{
    Q_OBJECT

public:
    explicit Progress(QWidget *parent = nullptr);
    ~Progress() override;

    // "<upgrading text>: <percent>%"
    QString ProgressText(int percent) const;

    QString UpgradingText;
    QString UpgradeFailText;
    QString UpgradeSuccessText;
    // The failure is on show. Kept apart from the label's text, which a
    // language change or an empty catalogue entry would make ambiguous.
    bool ShowingFailure = false;
    std::unique_ptr<Ui::Progress> ui;

private slots:
    void SlotAllLanguage(int index);
    void SlotCloseProgress();
    // Discrib: 0 progress, 1 failure, 2 success, 3 hide OK, 4 back to 0 %.
    void SlotProgress(int schedue, int Discrib);
    void on_CloseButton_clicked();
    void on_NewHong_clicked();

private:
    void ShowResultButton();
    void ResetToZero();
    void Leave();
};
