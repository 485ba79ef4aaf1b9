#include "device/DeviceField.h"

#include "app/PostMsg.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"

#include <QDebug>
#include <QObject>
#include <QSignalBlocker>

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
    // so a refusal is reported once, not twice and not never.
    const QMetaObject::Connection counter = QObject::connect(
        hub, &PostMsg::SigMouseOffLineo, hub, [&notices](int) { ++notices; }, Qt::DirectConnection);
    const bool accepted = write();
    QObject::disconnect(counter);
    // A mouse whose block is still being read is not refusing: the read
    // under way fills the control.
    if (!accepted && notices == 0 && FlashDataBelongsToCurrentDevice()) {
        qWarning() << "the mouse did not take the change";
        emit hub->SigMouseOffLineo(1);
    }
    return accepted;
}

void DeviceField::Silently(QObject *control, const std::function<void()> &show)
{
    const QSignalBlocker blocker(control);
    show();
}
