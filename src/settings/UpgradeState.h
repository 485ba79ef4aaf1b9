#pragma once

#include <QString>

#include <atomic>

// Process-wide values of the firmware upgrade of the settings page and of the
// repair. The upgrade callbacks run on the device library's thread, so every
// value they share with the GUI thread is atomic.

// Run states of the receiver and the mouse run.
enum UpgradeRunState
{
    RunIdle = 0,
    RunRunning = 1,
    RunSucceeded = 2,
    RunFailed = 3,
    RunNoImage = 4
};

extern std::atomic<bool> UpgradeRunning;
extern std::atomic<int> ReceiverUpgradeState;
extern std::atomic<int> MouseUpgradeState;
extern std::atomic<int> UpgradeKind;
extern std::atomic<int> UpgradeCid;
extern std::atomic<int> UpgradeMid;
extern std::atomic<int> UpgradeReceiverVariant;
extern std::atomic<int> UpgradeStageCount;
// A newer image exists (the same flags the chooser and the device page set).
extern std::atomic<bool> &MouseUpdateAvailable;
extern std::atomic<bool> &ReceiverUpdateAvailable;

// Repair side.
extern std::atomic<bool> RepairProgressSeen;
extern std::atomic<int> RepairStage;
extern std::atomic<int> RepairLastStage;
extern std::atomic<int> RepairStageCount;
extern std::atomic<int> RepairReceiverVariant;
extern std::atomic<int> RepairCid;
extern std::atomic<int> RepairMid;

// The receiver variant (1, 2, 4, 8) of a connection type; 0 for none.
int ReceiverVariantOfType(int receiverType);
// The Config.ini key of a variant's receiver model name; empty for none.
QString ReceiverNameKey(int variant);
