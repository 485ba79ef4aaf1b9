#pragma once

#include <QString>

#include <functional>

class QWidget;

// The firmware image finders and the repair dialog belong to the settings
// page. The chooser and the device page's hot-plug callback reach them only
// through these hooks, which the settings page installs when it is built.
// Without them no image is found and no repair dialog is ever visible.
namespace FirmwareHooks {

// kind 210 mouse, 211 receiver; true when an image with another version exists.
using ImageSearch =
    std::function<bool(int kind, const QString &version, const QString &name, int cid, int mid)>;
using NewFirmwareCheck = std::function<bool(int kind, const QString &version, int variant)>;

extern ImageSearch LoadUpgradeImage;
extern ImageSearch LoadRepairImage;
extern NewFirmwareCheck HasNewFirmware;
// The repair dialog is shown; a firmware upgrade of the settings page runs.
extern std::function<bool()> RepairDialogVisible;
extern std::function<bool()> SettingsUpgradeRunning;
// Centres, resets and shows the repair dialog over `chooser` (modal, not exec).
extern std::function<void(QWidget *chooser)> ShowRepairDialog;
// Gives every device found in boot mode without a failure record the record
// of the flash that left it there.
extern std::function<void()> RecordBootModeDevices;

bool loadUpgradeImage(int kind, const QString &version, const QString &name, int cid, int mid);
bool loadRepairImage(int kind, const QString &version, const QString &name, int cid, int mid);
bool hasNewFirmware(int kind, const QString &version, int variant);
bool repairDialogVisible();
bool settingsUpgradeRunning();
void recordBootModeDevices();

} // namespace FirmwareHooks
