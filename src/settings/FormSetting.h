#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class LedInfo;
class InputPicA;
class InputPicB;
class LightModeSet;
class QTimer;
class UpDateWarning;
struct DongleRGB;

namespace Ui {
class FormSetting;
}

// The settings page (stack index 6 of the device window): language, the
// firmware versions with the upgrade, pairing, restore defaults, autostart,
// the desktop's mouse settings and the maker's link. It owns the settings-page
// upgrade engine (two one-second step timers), creates the one repair dialog
// RepairDialog and builds four member dialogs that nothing shows.
class FormSetting : public QWidget
{
    Q_OBJECT

public:
    explicit FormSetting(QWidget *parent = nullptr);
    ~FormSetting() override;

    // Problem codes of the receiver and mouse indicators (1 none found, 2
    // several found, 0 none).
    int receiverProblem() const { return ToolButton2State; }
    int mouseProblem() const { return ToolButton3State; }

public slots:
    void SetVer(int index);
    void SetVerText();
    void on_Start();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void on_pushButton_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_2_clicked();
    void on_comboBox_activated(int index);
    void SlotAllLanguage(int index);
    void SlotLanguageSameB(int index);
    void SlotRGBValue(DongleRGB *Rgb);
    void SlotLightToFrom(int index);
    void SlotLongRangeMode(bool Select);
    void onDongleCheckTimer();
    void onMouseCheckTimer();
    void SlotLabelText(int index, QString Text);
    void SlotLabelTextB(QString TextA, QString Text);
    void SlotScroolChange(int index);
    void SlotForm();
    void SlotFormB();
    void SlotFormResetForm();
    void SlotContinue(int index);
    void SlotUpdateFrame(bool IsVis);
    void on_checkBox_clicked(bool checked);
    void on_Receive_2_clicked();
    bool ChechIsUpDate();
    void SlotCheckUpdate();
    void on_Reset_clicked();

private:
    // Named like slots of the form, but the form has no such objects: plain
    // functions, so that building the form looks for no signals of theirs.
    // The two starters are called directly by the upgrade steps.
    void on_Receive_clicked();
    void on_Mouse_clicked();
    void on_toolButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_checkBox_2_toggled(bool checked);
    void on_checkBox_2_clicked(bool checked);

    void BuildStyles();
    void InstallFirmwareHooks();
    void PlaceOnPage(QWidget *dialog, int dx, int dy) const;
    void VersionTexts(QString &receiver, QString &mouse) const;
    int CurrentReceiverVariant() const;
    void SetWaitingLook(bool waiting);
    void OpenRepairDialog();
    bool DialogShowsRun() const;
    void StartReceiverRun();
    void UpgradeStep(int step, int kind, const QString &version);
    void NoImage(int kind);
    void FinishReceiverUpgrade();
    void FinishMouseUpgrade();
    void StopTimers();
    // Gives the dialog the outcome of the runs started from it when none of
    // them did: an upgrade never leaves it running with no way out.
    void ShowRunOutcome();
    bool Fail(const QString &text);
    bool NothingNewer();

    std::unique_ptr<Ui::FormSetting> ui;
    QString PictureFolder;
    QString ButtonColorText;
    QPoint ScrollOrigin;
    int FontScaled = 0;

    QString UpgradeText;
    QString NoDeviceText;
    QString SameDeviceText;
    QString NewTipsText;
    QString NoReceiverText;
    QString NoUsbText;
    QString ErrorText;
    QString MultiMouseText;
    QString MultiDongleText;

    UpDateWarning *Warning = nullptr;
    QTimer *ReceiverCheckTimer = nullptr;
    QTimer *MouseCheckTimer = nullptr;

    // Upgrade bookkeeping.
    bool ReceiverImageMissing = false;
    bool MouseImageMissing = false;
    bool MouseUpgradeActive = false;
    bool ReceiverUpgradeActive = false;
    int Step = 0;
    bool ContinueFlag = false;
    int ToolButton2State = 0;
    int ToolButton3State = 0;
    int BootDeviceCounts[4] = {0, 0, 0, 0}; // 1K, 2K, 4K, 8K receiver images
    QStringList ReceiverPaths;
    QString DriveGroupName;
    QString ReceiverModelName;
    QString RecordedReceiverModelName;
    int MousePending = 0;
    // A wired-only model: its mouse stage runs alone, there being no receiver.
    bool MouseOnlyRun = false;
    // What the runs started from the dialog came to, for ShowRunOutcome.
    QString RunEndText;
    bool RunSucceededSinceStart = false;

    LedInfo *LedInfoDialog = nullptr;
    InputPicA *InputPicADialog = nullptr;
    InputPicB *InputPicBDialog = nullptr;
    LightModeSet *LightModeSetDialog = nullptr;
};

// Upgrade callbacks of the settings page (device library thread).
void OnReceiverUpgradeEvent(const unsigned char *packet);
void OnMouseUpgradeEvent(const unsigned char *packet);
