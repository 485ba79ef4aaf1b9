#pragma once

#include <QString>

// Tells the user that a file they would miss could not be written (or, for
// the device list and the macro folder, could not be used), and what that
// means for the change they made: its text says whether the change itself
// was made and only the file below failed, or not. Each failure is told once
// in the whole run: one of the same kind on the same file adds nothing (a
// folder that cannot be written fails every change alike), while a failure
// of another kind or another file is told, whatever was told before. Every
// failure is logged with the file's whole path; the notice names only the
// file. The caller refuses the change itself when it was not made (its
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
    Macros,       // usersetting/MacroPage files rebuilt from the mouse: not rebuilt
    DeviceMemory, // DeviceSim/State.json, the simulated devices' memory
    Catalogue,    // Config.ini beside the program, damaged or missing: read only
    // usersetting/MainPage/MacroSync.ini, the record of which macro copy the
    // mouse holds, after a macro change that was made all the same:
    MacroSyncRebuilt, // a macro read from the mouse was written to its file
    MacroSyncBound,   // a macro was given to a button
    MacroSyncRenamed, // a macro and its buttons were renamed
    MacroSyncSent,    // a saved macro reached its buttons on the mouse
    MacroSyncPending, // a saved macro the mouse did not take is sent later
    MacroFolder,      // usersetting or its MacroPage is a link: macros unused
    KindCount
};

// Logs the failure and shows the notice of `kind` for the file at `path`
// unless that failure was told already in this run. Any thread: off the GUI
// thread the notice waits for the GUI thread's event loop. Without a widget
// application it only logs. Returns true when this call shows (or queued)
// the notice.
bool Report(Kind kind, const QString &path, const QString &reason = QString());

// The same from the event loop: for failures met while a window is being
// built, whose notice must not run inside its constructor.
void ReportLater(Kind kind, const QString &path, const QString &reason = QString());

// The notice's text for `kind` and the file at `path`, for a caller that
// answers a user's action with it itself.
QString Text(Kind kind, const QString &path);

// Forgets which notices were shown (tests).
void ResetShown();

} // namespace StorageNotice
