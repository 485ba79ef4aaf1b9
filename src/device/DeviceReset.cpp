#include "device/DeviceReset.h"

#include "common/ContainReset.h"
#include "common/SharedState.h"
#include "device/DeviceState.h"
#include "device/FlashDataStore.h"
#include "device/UpDataParam.h"
#include "device/Worker.h"
#include "platform/vidide/VidIde.h"

#include <QDebug>
#include <QTimer>

bool ConfirmAndResetDevice(const std::function<void(QWidget *)> &place)
{
    ContainReset confirm;
    place(&confirm);
    confirm.exec();
    if (!confirm.OkChosen)
        return false;
    // The wait dialog of the reset is this one; the worker must not open its
    // own, and the poll must not start reads while the device resets.
    ParamUpdateRunning = true;
    if (OnlineCheckTimer)
        OnlineCheckTimer->stop();
    UsbServer_SetBatteryOptimizeEnable(false);
    SendFlashData();
    UsbServer_SetClearSetting();
    UpDataParam wait;
    wait.StartTimer();
    wait.ResetMode = true;
    if (WorkerThread)
        WorkerThread->RequestRun();
    place(&wait);
    wait.exec();
    // The reset-done event turns battery optimisation back on; a reset that
    // ended by time-out or an unplug must not leave it off either.
    if (!UsbServer_SetBatteryOptimizeEnable(true))
        qWarning() << "battery optimisation could not be turned back on after the reset";
    ParamUpdateRunning = false;
    if (OnlineCheckTimer)
        OnlineCheckTimer->start();
    return true;
}
