#pragma once

#include <QStringList>

class ConfigIniStore;
class QWidget;
class SingleInstance;

// The steps main() runs before the event loop, apart so tests can drive them.
namespace Startup {

// Moves an earlier version's per-user folder to its place, then makes the
// per-user folders and an empty Macro.ini when there is none. False when the
// earlier folder could not be moved (it stays; the next start tries again):
// the user is told once the main window is up (showEarlierFolderNotice).
// A file that a start made by itself meanwhile gives way to the earlier
// version's; `keptBeside` gets the earlier files kept beside a file that
// holds more (showEarlierFilesKeptNotice).
bool prepareUserFolder(QStringList *keptBeside = nullptr);

// Tells the user that the files of an earlier version stay at their old
// place for this run. One notice, over `parent`.
void showEarlierFolderNotice(QWidget *parent);

// Tells the user which files of an earlier version were kept beside the
// ones of the same name this version made (paths relative to the per-user
// folder). One notice, over `parent`; nothing when there are none.
void showEarlierFilesKeptNotice(QWidget *parent, const QStringList &keptBeside);

// Switches Qt's own high-DPI scaling off and, on a primary screen wider than
// 1920 pixels, sets QT_SCALE_FACTOR to width / 1920, or lower where the main
// window would not fit the screen. A scaling the user set is left alone.
// Before the application object.
void setScreenScaling(int argc, char **argv);

// Windows are drawn by the CPU (raster), so on X the start loads no OpenGL
// driver: Qt's GL integration is switched off unless the user chose one
// (QT_XCB_GL_INTEGRATION). No window of the program uses OpenGL. Before
// the application object.
void useRasterWindows();

// Deletes the old files of <user>/Log and <user>/Exception.
void purgeOldFiles();

// True when this process is the one instance. Otherwise shows the
// already-running notice and returns false: main() then ends with 0.
bool claimSingleInstance(SingleInstance &guard);

// The simulated devices' memory is saved by the device library; when it
// cannot be written the user is told (a storage notice, once per run).
// After the application object.
void showDeviceMemoryFailures();

// Tells the user once, when the event loop runs, that the device list
// (Config.ini beside the program, or `store`) is damaged; it was logged when
// read.
void showDamagedCatalogue(const ConfigIniStore *store = nullptr);

} // namespace Startup
