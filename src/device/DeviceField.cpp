#include "device/DeviceField.h"

#include "common/NoticeChoice.h"
#include "common/SharedState.h"
#include "device/FlashDataStore.h"
#include "hub/PostMsg.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGraphicsOpacityEffect>
#include <QObject>
#include <QPointer>
#include <QSignalBlocker>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <utility>
#include <vector>

namespace {

std::atomic<bool> Unknown{false};

struct UnknownWatcher
{
    QPointer<QObject> Owner;
    std::function<void(bool)> Watch;
};

// GUI thread only.
std::vector<UnknownWatcher> &unknownWatchers()
{
    static std::vector<UnknownWatcher> watchers;
    return watchers;
}

// GUI thread: every watcher sees the state as it is now, so changes that
// arrive from several threads end in the last one.
void applyUnknown()
{
    std::vector<UnknownWatcher> &watchers = unknownWatchers();
    watchers.erase(std::remove_if(watchers.begin(), watchers.end(),
                                  [](const UnknownWatcher &w) { return w.Owner.isNull(); }),
                   watchers.end());
    const std::vector<UnknownWatcher> current = watchers;
    const bool unknown = Unknown;
    for (const UnknownWatcher &w : current) {
        if (w.Owner)
            w.Watch(unknown);
    }
}

} // namespace

DeviceField::DeviceField(QObject *control, Writer write, Action show, Action announce)
    : Control(control), WriteValue(std::move(write)), ShowValue(std::move(show)),
      AnnounceValue(std::move(announce))
{
}

void DeviceField::Fill(int value)
{
    // Defaults shown before the mouse was read are not its values: nothing is
    // shown as held, and no one is told.
    const bool unknown = ValuesUnknown();
    HeldValue = unknown ? -1 : value;
    ShowHeld();
    if (AnnounceValue && !unknown)
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

bool DeviceField::ValuesUnknown()
{
    return Unknown;
}

void DeviceField::SetValuesUnknown(bool unknown)
{
    if (Unknown.exchange(unknown) == unknown)
        return;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    // Posted from another thread ahead of the fill that follows, so the
    // areas change before the pages show the values.
    if (QThread::currentThread() == app->thread())
        applyUnknown();
    else
        QMetaObject::invokeMethod(app, applyUnknown, Qt::QueuedConnection);
}

void DeviceField::BindValueArea(QWidget *area)
{
    WatchValuesUnknown(area, [area](bool unknown) {
        area->setEnabled(!unknown);
        // The style sheets draw a disabled control as an enabled one: the
        // area is dimmed, so the user sees that nothing on it is the mouse's.
        static const QString DimName = QStringLiteral("UnknownValuesDim");
        QGraphicsEffect *effect = area->graphicsEffect();
        const bool dimmed = effect && effect->objectName() == DimName;
        if (unknown && !effect) {
            auto *dim = new QGraphicsOpacityEffect(area);
            dim->setObjectName(DimName);
            dim->setOpacity(0.35);
            area->setGraphicsEffect(dim);
        } else if (!unknown && dimmed) {
            area->setGraphicsEffect(nullptr);
        }
    });
}

void DeviceField::WatchValuesUnknown(QObject *owner, std::function<void(bool)> watcher)
{
    if (!owner || !watcher)
        return;
    unknownWatchers().push_back({owner, watcher});
    if (ValuesUnknown())
        watcher(true);
}
