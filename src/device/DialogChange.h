#pragma once

#include "platform/vidide/DeviceAllInfo.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QEvent;
class QLabel;
class mytoolButtonEnter;

namespace Ui {
class DialogChange;
}

// The device chooser: page 0 of the main window. Shows every supported device
// discovery found, three per grid page, with link icons and report-rate
// badges, and hands the chosen one to the worker.
class DialogChange : public QWidget
{
    Q_OBJECT

public:
    explicit DialogChange(QWidget *parent = nullptr);
    ~DialogChange() override;

    // Chooser discovery (Option/VID x the product-id lists): appends to
    // FoundDevices and FoundDevicesCopy; the caller empties both first.
    void ScanDevices(QStringList vids, QStringList pids);
    // Fills the identity fields of a record whose Path is set. False only when
    // the device answered and the catalogue is empty.
    bool IdentifyDevice(DeviceAllInfo &record);
    // Re-reads online state and receiver address of FoundDevices[index] and
    // writes the record back into both lists (matched by path).
    bool RefreshDeviceLink(int index);
    // Rebuilds the grid from FoundDevices. While a click on a device button
    // runs a modal dialog the rebuild waits until the click has ended.
    void BuildDeviceGrid();
    // The icons of entry N after its record was refreshed.
    void UpdateDeviceIcons(int index);

    // Read-only views for the main window and tests.
    const QList<mytoolButtonEnter *> &deviceButtons() const { return DeviceButtons; }
    const QList<QLabel *> &offlineIcons() const { return OfflineIcons; }
    const QList<QLabel *> &linkIcons() const { return LinkIcons; }
    const QList<QLabel *> &rateBadges() const { return RateBadges; }
    bool gridRebuildPending() const { return GridRebuildPending; }

    // Texts kept for the main window's key handler.
    static QString PleaseConnectText;
    static QString RepairText;
    static QString OfflineTipText;
    static QString PairTipText;
    static QString NewVersionText;

    // Pause between choosing a device and starting the worker (ms).
    static int SelectPauseMs;

public slots:
    void WindowClosedA();
    void WindowMinA();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_MinButton_clicked();
    void on_CloseButton_clicked();
    void on_RightButton_clicked();
    void on_LeftButton_clicked();
    void on_Repair_clicked();
    void on_comboBox_activated(int index);
    void SlotSameLanguageA(int index);
    void SlotUpDateButton(bool IsHide);
    void SlotEnterKey();
    void slotButtonClicked();
    void SlotAllLanguage(int index);
    void on_CloseButton_2_clicked();
    void on_NewHong_clicked();
    void on_NoApear_clicked(bool checked);

private:
    // Handlers of buttons and a label the form does not hold. They are plain
    // functions, not slots: as slots the form's connect-by-name step would
    // warn about each of them at every construction.
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_pushButton_6_clicked();
    void on_pushButton_7_clicked();
    void on_pushButton_8_clicked();
    void on_pushButton_9_clicked();
    void on_pushButton_10_clicked();
    void on_pushButton_3_clicked();
    void on_pushButton_4_clicked();
    void on_pushButton_5_clicked();
    void on_label_linkHovered(QString link);

    friend void OnChooserUsbChanged();
    void ApplyStyles();
    void ClearGrid();
    // Runs a hot-plug rescan that waited for a click (or a notice) to end.
    void RunPendingRebuild();
    void UpdateRepairState();
    // Pairing or firmware offer for a clicked entry; true when the click ends.
    bool RunOffer(const DeviceAllInfo &entry);
    void RunPairing(const DeviceAllInfo &entry);
    void CentreDialog(QWidget *dialog, int shiftX = 0) const;
    QString Style(const QString &tmpl, const QString &picture) const;

    std::unique_ptr<Ui::DialogChange> ui;
    QString PictureFolder;
    QString WarningFolder;
    QList<mytoolButtonEnter *> DeviceButtons;
    QList<QLabel *> OfflineIcons;
    QList<QLabel *> LinkIcons;
    QList<QLabel *> RateBadges;
    int ClickDepth = 0; // > 0 while a click handler runs (it may run modal dialogs)
    bool GridRebuildPending = false;
};

// The one chooser page, set by its constructor.
extern DialogChange *ChooserPage;

// Hot-plug callback of the chooser (GUI thread): rescans and rebuilds the grid.
void OnChooserUsbChanged();
// Re-reads identity, online state and receiver address of FoundDevices[index]
// and updates its icons; an index outside the list does nothing. True.
bool RefreshFoundDevice(int index);
