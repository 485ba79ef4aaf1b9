#include "platform/KeyboardHook.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QList>
#include <QTimer>
#include <QWindow>

namespace {

QList<KeyboardHook *> &installedHooks()
{
    static QList<KeyboardHook *> hooks;
    return hooks;
}

constexpr int NoVirtualKey = 0xFF;

// How long a release waits for the press of a repeat pair. Both events of a
// pair are sent together; the wait only covers their way through the event
// queues.
constexpr int RepeatPairWaitMs = 20;

// Keys whose code does not depend on the keyboard layout or the keypad.
const QHash<int, int> &fixedKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Escape, 0x1B},
        {Qt::Key_Tab, 0x09},
        {Qt::Key_Backtab, 0x09},
        {Qt::Key_Backspace, 0x08},
        {Qt::Key_Return, 0x0D},
        {Qt::Key_Enter, 0x0D},
        {Qt::Key_Insert, 0x2D},
        {Qt::Key_Delete, 0x2E},
        {Qt::Key_Pause, 0x13},
        {Qt::Key_Print, 0x2C},
        {Qt::Key_SysReq, 0x2C},
        {Qt::Key_Clear, 0x0C},
        {Qt::Key_Home, 0x24},
        {Qt::Key_End, 0x23},
        {Qt::Key_Left, 0x25},
        {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},
        {Qt::Key_Down, 0x28},
        {Qt::Key_PageUp, 0x21},
        {Qt::Key_PageDown, 0x22},
        {Qt::Key_CapsLock, 0x14},
        {Qt::Key_NumLock, 0x90},
        {Qt::Key_ScrollLock, 0x91},
        {Qt::Key_Menu, 0x5D},
        {Qt::Key_Space, 0x20},
        {Qt::Key_Super_L, 0x5B},
        {Qt::Key_Super_R, 0x5C},
        {Qt::Key_AltGr, 0xA5},
        {Qt::Key_VolumeMute, 0xAD},
        {Qt::Key_VolumeDown, 0xAE},
        {Qt::Key_VolumeUp, 0xAF},
        {Qt::Key_MediaNext, 0xB0},
        {Qt::Key_MediaPrevious, 0xB1},
        {Qt::Key_MediaStop, 0xB2},
        {Qt::Key_MediaPlay, 0xB3},
        {Qt::Key_MediaTogglePlayPause, 0xB3},
        // Main-block punctuation, with the shifted characters of a US layout
        // mapped back to the key that types them.
        {Qt::Key_Minus, 0xBD},
        {Qt::Key_Underscore, 0xBD},
        {Qt::Key_Equal, 0xBB},
        {Qt::Key_Plus, 0xBB},
        {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Backslash, 0xDC},
        {Qt::Key_Bar, 0xDC},
        {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Colon, 0xBA},
        {Qt::Key_Apostrophe, 0xDE},
        {Qt::Key_QuoteDbl, 0xDE},
        {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0},
        {Qt::Key_Comma, 0xBC},
        {Qt::Key_Less, 0xBC},
        {Qt::Key_Period, 0xBE},
        {Qt::Key_Greater, 0xBE},
        {Qt::Key_Slash, 0xBF},
        {Qt::Key_Question, 0xBF},
        {Qt::Key_Exclam, 0x31},
        {Qt::Key_At, 0x32},
        {Qt::Key_NumberSign, 0x33},
        {Qt::Key_Dollar, 0x34},
        {Qt::Key_Percent, 0x35},
        {Qt::Key_AsciiCircum, 0x36},
        {Qt::Key_Ampersand, 0x37},
        {Qt::Key_Asterisk, 0x38},
        {Qt::Key_ParenLeft, 0x39},
        {Qt::Key_ParenRight, 0x30},
    };
    return keys;
}

// X11 key symbols of the right-hand modifiers.
constexpr quint32 XkShiftR = 0xFFE2;
constexpr quint32 XkControlR = 0xFFE4;
constexpr quint32 XkMetaR = 0xFFE8;
constexpr quint32 XkAltR = 0xFFEA;
constexpr quint32 XkSuperR = 0xFFEC;

// Windows codes of the same modifiers (a native code that is itself a
// Windows code, as on Windows, is taken as it is).
constexpr quint32 VkRShift = 0xA1;
constexpr quint32 VkRControl = 0xA3;
constexpr quint32 VkRMenu = 0xA5;
constexpr quint32 VkRWin = 0x5C;

} // namespace

KeyboardHook::KeyboardHook(QObject *parent) : QObject(parent), m_releaseTimer(new QTimer(this))
{
    m_releaseTimer->setSingleShot(true);
    m_releaseTimer->setInterval(RepeatPairWaitMs);
    connect(m_releaseTimer, &QTimer::timeout, this, &KeyboardHook::DeliverHeldBack);
}

KeyboardHook::~KeyboardHook()
{
    Uninstall();
}

bool KeyboardHook::Install()
{
    if (m_installed)
        return true;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    app->installEventFilter(this);
    installedHooks().append(this);
    m_installed = true;
    return true;
}

void KeyboardHook::Uninstall()
{
    m_releasePending = false;
    m_releaseTimer->stop();
    if (!m_installed)
        return;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    installedHooks().removeAll(this);
    m_installed = false;
}

void KeyboardHook::DeliverHeldBack()
{
    m_releaseTimer->stop();
    if (!m_releasePending)
        return;
    m_releasePending = false;
    DeliverAt(m_pendingVk, false, m_pendingSystem, m_pendingClock);
}

void KeyboardHook::Deliver(int virtualKey, bool down, bool system)
{
    QElapsedTimer now;
    now.start();
    DeliverAt(virtualKey, down, system, now);
}

void KeyboardHook::DeliverAt(int virtualKey, bool down, bool system, const QElapsedTimer &clock)
{
    if (!m_installed)
        return;
    m_eventClock = clock;
    m_repeat = (virtualKey == m_lastVk);
    if (!m_repeat)
        m_lastVk = virtualKey;
    m_keyDown = down;
    if (!down && !system) {
        m_lastVk = 0;
        m_repeat = false;
    }
    if (m_callback) {
        // The callback may uninstall this hook or delete other ones.
        const Callback callback = m_callback;
        callback(virtualKey, m_keyDown, m_repeat);
    }
}

void KeyboardHook::InjectKey(int virtualKey, bool down, bool system)
{
    const QList<KeyboardHook *> hooks = installedHooks();
    for (KeyboardHook *hook : hooks) {
        if (installedHooks().contains(hook))
            hook->Deliver(virtualKey, down, system);
    }
}

bool KeyboardHook::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // A key from the system reaches the window first and then travels on to
    // widgets; taking it at the window sees every key exactly once.
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Qt reports a held key as release/press pairs; the system only as
        // repeated key-downs.
        if (type == QEvent::KeyRelease && key->isAutoRepeat())
            return false;
        const int vk = VirtualKeyOf(*key);
        const bool altHeld = key->modifiers() & Qt::AltModifier;
        const bool system = altHeld && vk != 0xA4 && vk != 0xA5;
        QElapsedTimer now;
        now.start();
        if (m_releasePending) {
            m_releasePending = false;
            m_releaseTimer->stop();
            const bool repeatPair = type == QEvent::KeyPress && vk == m_pendingVk &&
                                    key->timestamp() == m_pendingTimestamp;
            // The key never went up: its press is a repeated key-down.
            if (!repeatPair)
                DeliverAt(m_pendingVk, false, m_pendingSystem, m_pendingClock);
            if (!m_installed)
                return false;
        }
        if (type == QEvent::KeyRelease) {
            m_releasePending = true;
            m_pendingVk = vk;
            m_pendingSystem = system;
            m_pendingTimestamp = key->timestamp();
            m_pendingClock = now;
            m_releaseTimer->start();
        } else {
            DeliverAt(vk, true, system, now);
        }
    }
    return false;
}

int KeyboardHook::VirtualKeyOf(const QKeyEvent &event)
{
    return VirtualKeyOf(event.key(), event.modifiers(), event.nativeVirtualKey());
}

int KeyboardHook::VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeVirtualKey)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 0x60 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_Plus:
            return 0x6B;
        case Qt::Key_Minus:
            return 0x6D;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 0x6E;
        case Qt::Key_Slash:
            return 0x6F;
        default:
            break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return 0x41 + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 0x30 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Shift:
        return (nativeVirtualKey == XkShiftR || nativeVirtualKey == VkRShift) ? 0xA1 : 0xA0;
    case Qt::Key_Control:
        return (nativeVirtualKey == XkControlR || nativeVirtualKey == VkRControl) ? 0xA3 : 0xA2;
    case Qt::Key_Alt:
        return (nativeVirtualKey == XkAltR || nativeVirtualKey == VkRMenu) ? 0xA5 : 0xA4;
    case Qt::Key_Meta:
        return (nativeVirtualKey == XkMetaR || nativeVirtualKey == XkSuperR ||
                nativeVirtualKey == VkRWin)
                   ? 0x5C
                   : 0x5B;
    default:
        break;
    }
    return fixedKeys().value(qtKey, NoVirtualKey);
}
