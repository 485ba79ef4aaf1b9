#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QToolButton;

// The firmware upgrade and repair dialog. This first version is the dialog's
// frame with its message, progress bar and close button; the upgrade engine
// comes with the settings work, so StartAutoRepair reports that no repair can
// run yet instead of pretending one did.
class UpDateRepair : public QDialog
{
    Q_OBJECT

public:
    explicit UpDateRepair(QWidget *parent = nullptr);
    ~UpDateRepair() override;

    // Back to the ready state: empty message, buttons shown, progress 0 and
    // hidden.
    void ResetView();
    // Starts the repair with the image LoadRepairImage kept (variant 0 from
    // the main window). Returns false when no repair could be started.
    bool StartAutoRepair(int variant);

    bool startedAutomatically() const { return AutoStarted; }

public slots:
    void SlotRepairCheckUpdate();

private slots:
    void SlotProgress(int index, int value);
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);
    void SlotAllLanguage(int index);
    void on_CloseButton_clicked();

private:
    QLabel *Message = nullptr;
    QProgressBar *Progress = nullptr;
    QToolButton *CloseButton = nullptr;
    bool AutoStarted = false;
    int ReceiverVariant = 0;
};

// The one repair dialog, created without parent by the settings page's
// constructor and kept for the whole run; null before that.
extern UpDateRepair *RepairDialog;
