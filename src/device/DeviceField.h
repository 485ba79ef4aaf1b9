#pragma once

#include <functional>

class QObject;
class QWidget;

// One control of a page bound to one setting of the mouse, so that the page
// shows what the mouse holds:
// - Fill shows a value read from or reported by the device with the
//   control's signals blocked: filling never writes to the device;
// - Change sends a user's change through the setter; accepted, it becomes
//   the held value and only then do others (the summary panel, other pages)
//   learn it; refused, or while writes are closed, the control shows the held
//   value again, and the user has had exactly one notice of a refusal (the
//   notice shows from the event loop, after the control went back);
// - a change signalled while a page fills itself is that fill's own value:
//   it is held, not written;
// - until the current mouse has been read (or the values kept from its last
//   read are shown), the pages know none of its values: a fill then holds and
//   shows nothing (-1) and tells no one, and the bound areas and watchers show
//   the values as unknown.
// GUI thread only, except SetValuesUnknown and ValuesUnknown.
class DeviceField
{
public:
    using Writer = std::function<bool(int)>;
    using Action = std::function<void(int)>;

    // `show` puts a value on `control` (it runs with the control's signals
    // blocked and must cope with -1, nothing held yet); `announce` tells the
    // others an accepted or device value, and may be empty.
    DeviceField() = default;
    DeviceField(QObject *control, Writer write, Action show, Action announce = {});

    void Fill(int value);
    bool Change(int value);
    // Shows the held value again (a change that was not the user's to make).
    void ShowHeld() const;
    int Held() const { return HeldValue; }

    // True while a page is being filled from device data.
    static bool Filling();
    // True while a user change may reach the mouse: device data is shown, no
    // page is being filled from it and no read of it is under way.
    static bool WritesOpen();
    // Runs one write to the mouse (a setter or a direct device call). When
    // it fails and told the user nothing itself, the user is told why: the
    // mouse did not take the change, or its settings are still being read;
    // so every refusal gives one notice.
    static bool Write(const std::function<bool()> &write);
    // Runs `show` with the signals of `control` blocked.
    static void Silently(QObject *control, const std::function<void()> &show);

    // True while the pages hold no value of the current mouse (chosen, but
    // neither read nor shown from its kept values yet). Any thread; the areas
    // and watchers follow on the GUI thread.
    static bool ValuesUnknown();
    static void SetValuesUnknown(bool unknown);
    // `area` is disabled while the values are unknown; its children keep their
    // own enabled state for when the values are known again.
    static void BindValueArea(QWidget *area);
    // `watcher` runs with the new state whenever it changes, as long as
    // `owner` lives (at once when the values are unknown already).
    static void WatchValuesUnknown(QObject *owner, std::function<void(bool)> watcher);

private:
    QObject *Control = nullptr;
    Writer WriteValue;
    Action ShowValue;
    Action AnnounceValue;
    int HeldValue = -1;
};
