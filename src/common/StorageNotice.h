#pragma once

#include <QString>

// Tells the user that a file they would miss could not be written (or, for
// the device list, could not be used). A folder that cannot be written fails
// every change alike, so the notice comes once per kind of file for the
// whole run; every failure is logged with the file's whole path, the notice
// names only the file. The caller still refuses the change itself (its
// control goes back to the stored value); this only explains why.
//
//   if (!store->SetValue(...)) { put the control back; }   // the store reported
//   if (!writeMyFile(path)) StorageNotice::Report(StorageNotice::Kind::Macros, path, error);
namespace StorageNotice {

enum class Kind
{
    Preferences,  // Macro.ini
    Registry,     // Registry.ini and the upgrade records
    DeviceCache,  // Device_Info/*.bin
    Autostart,    // the desktop's autostart entry
    Macros,       // usersetting/MacroPage files rebuilt from the mouse, MacroSync.ini
    DeviceMemory, // DeviceSim/State.json, the simulated devices' memory
    Catalogue,    // Config.ini beside the program, damaged or missing: read only
    KindCount
};

// Logs the failure and shows the notice of `kind` unless it was shown
// already in this run. Any thread: off the GUI thread the notice waits for
// the GUI thread's event loop. Without a widget application it only logs.
// Returns true when this call shows (or queued) the notice.
bool Report(Kind kind, const QString &path, const QString &reason = QString());

// Forgets which notices were shown (tests).
void ResetShown();

} // namespace StorageNotice
