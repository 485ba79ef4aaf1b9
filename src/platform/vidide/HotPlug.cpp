// The hot-plug watch: one callback, called on the GUI thread.

#include "platform/vidide/SimState.h"

#include <QCoreApplication>
#include <QThread>

using namespace vidide;

namespace {

std::mutex &hotPlugMutex()
{
    static std::mutex *mutex = new std::mutex;
    return *mutex;
}

UsbChangedCallback hotPlugCallback = nullptr;
bool notificationPending = false;

void deliver()
{
    UsbChangedCallback callback;
    {
        std::lock_guard<std::mutex> lock(hotPlugMutex());
        notificationPending = false;
        callback = hotPlugCallback;
    }
    if (callback)
        callback();
}

bool onGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

} // namespace

namespace vidide {

// Changes that come close together are told once; the callback then rescans.
void notifyHotPlug()
{
    QCoreApplication *app = QCoreApplication::instance();
    {
        std::lock_guard<std::mutex> lock(hotPlugMutex());
        if (!hotPlugCallback || notificationPending)
            return;
        notificationPending = app != nullptr;
    }
    if (app)
        QMetaObject::invokeMethod(app, &deliver, Qt::QueuedConnection);
    else
        deliver();
}

} // namespace vidide

bool StartUsbChanged(UsbChangedCallback callback, int interval)
{
    logCall("StartUsbChanged", QString::number(interval));
    if (interval < 0)
        return false;
    {
        std::lock_guard<std::mutex> lock(hotPlugMutex());
        hotPlugCallback = callback;
    }
    if (!callback)
        return true;
    // The first scan comes before the caller goes on, so a binding made right
    // after arming sees the path that scan chose.
    if (onGuiThread())
        callback();
    else
        notifyHotPlug();
    return true;
}

void StopUsbChanged()
{
    logCall("StopUsbChanged", QString());
    std::lock_guard<std::mutex> lock(hotPlugMutex());
    hotPlugCallback = nullptr;
}
