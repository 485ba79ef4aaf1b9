#include "device/DeviceField.h"

#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"

#include <QDebug>
#include <QObject>
#include <QSignalBlocker>
#include <QThread>

#include <utility>

DeviceField::DeviceField(QObject *control, Writer write, Action show, Action announce)
    : Control(control), WriteValue(std::move(write)), ShowValue(std::move(show)),
      AnnounceValue(std::move(announce))
{
}

void DeviceField::Fill(int value)
{
    HeldValue = value;
    ShowHeld();
    if (AnnounceValue)
        AnnounceValue(value);
}

bool DeviceField::Change(int value)
{
    if (Filling()) {
        HeldValue = value;
        return false;
    }
    if (WriteValue && WritesOpen() && Write([this, value] { return WriteValue(value); })) {
        HeldValue = value;
        if (AnnounceValue)
            AnnounceValue(value);
        return true;
    }
    ShowHeld();
    return false;
}

void DeviceField::ShowHeld() const
{
    if (ShowValue)
        Silently(Control, [this] { ShowValue(HeldValue); });
}

bool DeviceField::Filling()
{
    return SensorPageFilling || ButtonPageFilling || LightPageFilling;
}

bool DeviceField::WritesOpen()
{
    return DeviceDataReady && !ParamUpdateRunning && !Filling();
}

bool DeviceField::Write(const std::function<bool()> &write)
{
    PostMsg *hub = PostMsg::GetInstance();
    int notices = 0;
    // The setters report an offline mouse themselves; count what they said
    // so a refusal is reported once, not twice and not never. Only this
    // thread's notices are theirs: the worker's own offline notice may come
    // at the same time from its thread.
    QThread *const writer = QThread::currentThread();
    const QMetaObject::Connection counter = QObject::connect(
        hub, &PostMsg::SigMouseOffLineo, hub,
        [&notices, writer](int) {
            if (QThread::currentThread() == writer)
                ++notices;
        },
        Qt::DirectConnection);
    const bool accepted = write();
    QObject::disconnect(counter);
    if (accepted || notices != 0)
        return accepted;
    // The mouse answers. Before its settings are read (or read again after a
    // profile switch) a change cannot be placed in its block: the user is
    // told to wait for the read under way. Otherwise the mouse itself did
    // not take the change.
    if (FlashDataBelongsToCurrentDevice()) {
        qWarning() << "the mouse did not take the change";
        emit hub->SigMouseOffLineo(MouseNoticeRefused);
    } else {
        qWarning() << "change made before the mouse's settings were read; put back";
        emit hub->SigMouseOffLineo(MouseNoticeStillReading);
    }
    return accepted;
}

void DeviceField::Silently(QObject *control, const std::function<void()> &show)
{
    const QSignalBlocker blocker(control);
    show();
}
