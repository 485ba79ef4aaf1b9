#include "common/SharedState.h"

int CurrentLanguage = 0;

std::atomic<bool> ButtonPageFilling{false};
std::atomic<bool> LightPageFilling{false};
std::atomic<bool> SensorPageFilling{false};
std::atomic<bool> ButtonPageUpdated{false};
std::atomic<bool> LightPageUpdated{false};
std::atomic<bool> SensorPageUpdated{false};
std::atomic<bool> DeviceDataReady{false};
std::atomic<bool> ParamUpdateRunning{false};
std::atomic<bool> DeviceOnline{false};
std::atomic<bool> DeviceWentOffline{false};
std::atomic<bool> ReloadWhenOnline{false};
std::atomic<bool> MacroRecording{false};
std::atomic<bool> WorkerRunRequested{false};
std::atomic<bool> OnlinePollEnabled{true};
std::atomic<int> DevicePageActive{0};

std::atomic<bool> RepairRunning{false};
std::atomic<bool> ReceiverHasNewFirmware{false};
std::atomic<bool> MouseHasNewFirmware{false};

QByteArray CurrentDevicePath;
QList<int> KeptMacroKeys;
QString LoadedCacheName;
QString SelectedCacheName;
QString WiredModeText;
