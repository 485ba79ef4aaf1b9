#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>

#include "platform/ProductName.h"

// Process-wide values and flags shared by the pages, the device worker, the
// wait dialog and the field setters. They exist before main() runs.
//
// The flags are atomics because the worker thread and the device library's
// callback thread read and write them while the GUI thread does too; they
// read and assign like plain bool/int (`DeviceOnline = true; if (DeviceOnline)`).
// The device records (CurrentFlashDataMap, CurrentDeviceInfo,
// CurrentDevicePathPtr, the receiver records and out-buffers, the found-device
// lists) live with the device link in src/device.

// ProductName comes with this header too, for the pages that use it beside the flags.

// Current language index into every label table (0 = English). Written on the
// GUI thread only: at start-up and by the two language combo boxes.
extern int CurrentLanguage;

// A page is being filled from device data (setters then stay quiet).
extern std::atomic<bool> ButtonPageFilling;
extern std::atomic<bool> LightPageFilling;
extern std::atomic<bool> SensorPageFilling;
// A page has applied new device data (the wait dialog waits for all three).
extern std::atomic<bool> ButtonPageUpdated;
extern std::atomic<bool> LightPageUpdated;
extern std::atomic<bool> SensorPageUpdated;
extern std::atomic<bool> DeviceDataReady;
extern std::atomic<bool> ParamUpdateRunning;
extern std::atomic<bool> DeviceOnline;
extern std::atomic<bool> DeviceWentOffline;
extern std::atomic<bool> ReloadWhenOnline;
extern std::atomic<bool> MacroRecording;
extern std::atomic<bool> WorkerRunRequested;
// The only flag that starts set; cleared while a firmware upgrade runs.
extern std::atomic<bool> OnlinePollEnabled;
extern std::atomic<int> DevicePageActive;

// Written by the repair engine while a repair upgrade runs.
extern std::atomic<bool> RepairRunning;
// New firmware images found by the chooser's click and the device page's
// hot-plug callback; read by the settings page.
extern std::atomic<bool> ReceiverHasNewFirmware;
extern std::atomic<bool> MouseHasNewFirmware;

// GUI-thread values (no lock).
extern QByteArray CurrentDevicePath; // the current device's path kept by the worker
extern QList<int> KeptMacroKeys;
extern QString LoadedCacheName;
extern QString SelectedCacheName;
extern QString WiredModeText; // home label "WiredMode", kept by the settings page
