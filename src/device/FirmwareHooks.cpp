#include "device/FirmwareHooks.h"

namespace FirmwareHooks {

ImageSearch LoadUpgradeImage;
ImageSearch LoadRepairImage;
NewFirmwareCheck HasNewFirmware;
std::function<bool()> RepairDialogVisible;
std::function<bool()> SettingsUpgradeRunning;
std::function<void(QWidget *chooser)> ShowRepairDialog;
std::function<void()> RecordBootModeDevices;

bool loadUpgradeImage(int kind, const QString &version, const QString &name, int cid, int mid)
{
    return LoadUpgradeImage ? LoadUpgradeImage(kind, version, name, cid, mid) : false;
}

bool loadRepairImage(int kind, const QString &version, const QString &name, int cid, int mid)
{
    return LoadRepairImage ? LoadRepairImage(kind, version, name, cid, mid) : false;
}

bool hasNewFirmware(int kind, const QString &version, int variant)
{
    return HasNewFirmware ? HasNewFirmware(kind, version, variant) : false;
}

bool repairDialogVisible()
{
    return RepairDialogVisible ? RepairDialogVisible() : false;
}

bool settingsUpgradeRunning()
{
    return SettingsUpgradeRunning ? SettingsUpgradeRunning() : false;
}

void recordBootModeDevices()
{
    if (RecordBootModeDevices)
        RecordBootModeDevices();
}

} // namespace FirmwareHooks
