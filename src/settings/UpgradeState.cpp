#include "settings/UpgradeState.h"

#include "common/SharedState.h"
#include "device/DeviceState.h"

std::atomic<bool> UpgradeRunning{false};
std::atomic<int> ReceiverUpgradeState{RunIdle};
std::atomic<int> MouseUpgradeState{RunIdle};
std::atomic<int> UpgradeKind{0};
std::atomic<int> UpgradeCid{0};
std::atomic<int> UpgradeMid{0};
std::atomic<int> UpgradeReceiverVariant{0};
std::atomic<int> UpgradeStageCount{1};
std::atomic<bool> &MouseUpdateAvailable = MouseHasNewFirmware;
std::atomic<bool> &ReceiverUpdateAvailable = ReceiverHasNewFirmware;

std::atomic<bool> RepairProgressSeen{false};
std::atomic<int> RepairStage{0};
std::atomic<int> RepairLastStage{0};
std::atomic<int> RepairStageCount{1};
std::atomic<int> RepairReceiverVariant{0};
std::atomic<int> RepairCid{0};
std::atomic<int> RepairMid{0};

int ReceiverVariantOfType(int receiverType)
{
    // The variant is the receiver's polling class.
    return ReportRateClass(receiverType);
}

QString ReceiverNameKey(int variant)
{
    switch (variant) {
    case 1:
        return QStringLiteral("DM");
    case 2:
        return QStringLiteral("D2M");
    case 4:
        return QStringLiteral("D4M");
    case 8:
        return QStringLiteral("D8M");
    default:
        return QString();
    }
}
