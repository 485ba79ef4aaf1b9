#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <functional>

class QTimer;

class QKeyEvent;

// Key capture for macro recording and the key-entry dialogs.
//
// While installed, every key press and release that reaches one of this
// program's windows (so only while the program is in front) is reported to
// the callback as a Windows virtual-key code, before any widget sees it. The
// hook never consumes a key: the focused widget still gets it.
//
// Each hook keeps its own state, like a low-level keyboard hook of its own:
// the last code seen, whether the last event was a key-down and whether it
// repeated the code before it (a key held down).
//
// A held key reaches a window as release/press pairs that carry one time
// stamp, and on X11 Qt does not always mark them as auto-repeat. A release
// is therefore held back until the next key event or a short while: when a
// press of the same key with the same time stamp follows at once, the pair
// is the key's repeat and only the press is reported (as a repeated
// key-down); otherwise the release is reported first.
class KeyboardHook : public QObject
{
    Q_OBJECT

public:
    // (virtual-key code, key-down, same code as the event before)
    using Callback = std::function<void(int virtualKey, bool down, bool repeat)>;

    explicit KeyboardHook(QObject *parent = nullptr);
    ~KeyboardHook() override;

    // Starts capturing; false when there is no application object to watch.
    // Installing twice keeps one capture.
    bool Install();
    // Stops capturing; calling it again does nothing. A release still held
    // back is dropped (the owner may be going away).
    void Uninstall();
    // Reports a release held back now, before the owner ends its capture.
    void DeliverHeldBack();
    bool IsInstalled() const { return m_installed; }

    void SetCallback(Callback callback) { m_callback = std::move(callback); }

    // One key event as the system reports it: `system` marks the Alt-held
    // messages (a system key-up keeps the repeat state). Ignored while the
    // hook is not installed.
    void Deliver(int virtualKey, bool down, bool system = false);

    // Feeds one key event to every installed hook, as if the user typed it
    // while the program is in front (tests, and the synthetic key paths).
    static void InjectKey(int virtualKey, bool down, bool system = false);

    // Windows virtual-key code of a Qt key event; 0xFF for keys that have
    // none. Left and right modifiers are told apart where the platform says
    // which one it was; otherwise the left one is taken.
    static int VirtualKeyOf(const QKeyEvent &event);
    static int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers,
                            quint32 nativeVirtualKey = 0);

    int LastVirtualKey() const { return m_lastVk; }
    bool LastWasDown() const { return m_keyDown; }
    // Started when the key event being reported reached the program (valid
    // inside the callback): a release held back is reported late, and pauses
    // are measured between these clocks, not between the calls.
    const QElapsedTimer &EventClock() const { return m_eventClock; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void DeliverAt(int virtualKey, bool down, bool system, const QElapsedTimer &clock);

    Callback m_callback;
    QTimer *m_releaseTimer = nullptr;
    QElapsedTimer m_eventClock;
    // The release held back: its code, Alt state, time stamp and clock.
    bool m_releasePending = false;
    int m_pendingVk = 0;
    bool m_pendingSystem = false;
    ulong m_pendingTimestamp = 0;
    QElapsedTimer m_pendingClock;
    bool m_installed = false;
    int m_lastVk = 0;
    bool m_keyDown = false;
    bool m_repeat = false;
};
