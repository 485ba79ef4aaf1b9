#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class UpDateRepair;
}

// The dialog every firmware upgrade is shown in, and in which an upgrade that
// failed half-way is finished ("repair"). The settings page drives it for its
// own upgrade (SigUpdateStart, SigProgress); opened from the chooser it checks
// the record "UpdateFailInfo" against the attached devices and flashes the
// repair images itself, the receiver's first.
class UpDateRepair : public QDialog
{
    Q_OBJECT

public:
    explicit UpDateRepair(QWidget *parent = nullptr);
    ~UpDateRepair() override;

    // Views: ready to start, a message (status set before), running.
    void ResetView();
    void ShowReadyView();
    void ShowMessageView();
    void ShowProgressView();
    // What a status text says: a problem (a failure, or why nothing can be
    // started) shows in red, anything else in the theme's label colour.
    enum class Meaning
    {
        Neutral,
        Problem
    };
    void SetStatusText(const QString &text, Meaning meaning);
    // True while the running view waits for an outcome: no button to leave by.
    bool AwaitingOutcome() const;
    // The running view or a run's outcome is shown: it stays until the user
    // leaves it, whatever the checks behind it find meanwhile.
    bool ShowsRun() const;
    // Hides the cancel button and the progress bar.
    void HideCancelAndProgress();

    // Marks the dialog as started automatically and starts the repair with
    // the image the last check kept. True when a run was started.
    bool StartAutoRepair(int variant);

    // True when the ready view may be shown; otherwise a message is shown (or
    // nothing, for a missing or malformed record).
    bool CheckInterruptedUpgrade();
    // Starts flashing the repair images (receiver first). True when started.
    bool RunRepairUpgrade();

    bool startedAutomatically() const { return AutoRepair; }
    bool repairReady() const { return RepairReady; }
    QString statusText() const;

public slots:
    void SlotRepairCheckUpdate();

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAutoRepair(int index);
    void SlotAutoRepairProgress(int index);
    void SlotAllLanguage(int index);
    void SlotProgress(int schedue, int Discrib);
    void on_NewHong_2_clicked();

private:
    void SetShortcuts();
    void SetOkButton(bool ok);
    // Status, both buttons and the close button usable, no progress bar; the
    // first button is OK (ok) or start.
    void ShowButtonsView(bool ok);
    bool ShowMessage(const QString &text);
    // No record: nothing can be repaired.
    bool NothingToRepair();
    void CloseAfterRun();

    std::unique_ptr<Ui::UpDateRepair> ui;
    bool AutoRepair = false;
    bool RepairReady = false;
    bool ButtonIsOk = false;
    int FailKind = 0;
    QString DriveGroupName;
    QString ReceiverModelName;
    QString PictureFolder;
    QString LabelColorText;

    QString WarnUpdateText;
    QString ReadyUpdateText;
    QString NotDeviceText;
    QString SameDeviceText;
    QString NoReceiveText;
    QString NoUsbText;
    QString MultiDongleText;
    QString MultiMouseText;
    QString ErrorFileText;
    QString UpgradeFailText;
    QString RecordNotSavedText;
    QString UpgradeSuccessText;
    QString UpgradeStartText;
    QString CancelText;
    QString OkText;
};

// SigProgress's code for a flash that was not started because its record
// could not be saved: sent after the failure's own code, the status then
// names the file that could not be written instead of sending the user to
// the device.
constexpr int ProgressRecordNotSaved = 7;

// The one repair dialog, created without parent by the settings page's
// constructor and kept for the whole run; null before that.
extern UpDateRepair *RepairDialog;

// Upgrade callback of the repair (device library thread).
void OnRepairUpgradeEvent(const unsigned char *packet);
