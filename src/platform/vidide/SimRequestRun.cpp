// Carrying out the requests of the orvak-sim tool on the simulated devices.

#include "platform/vidide/SimControl.h"
#include "platform/vidide/SimRequest.h"
#include "platform/vidide/SimState.h"

using namespace vidide;

namespace {

QString versionText(int version)
{
    return QStringLiteral("v") + QString::number(version >> 8) + QLatin1Char('.') +
           QStringLiteral("%1").arg(version & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString idText(uint16_t id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0')).toUpper();
}

QByteArray fail(const QString &reason)
{
    return "error: " + reason.toUtf8() + '\n';
}

struct DeviceFacts
{
    bool exists = false;
    bool receiver = false;
    bool hasMouse = false;
    bool reachable = false;
    bool charging = false;
};

DeviceFacts factsOf(int device)
{
    DeviceFacts facts;
    withDevice(device, [&](SimState &state, SimUsb &usb) {
        facts.exists = true;
        facts.receiver = usb.receiver;
        const SimMouse *mouse = state.mouseOf(device);
        facts.hasMouse = mouse != nullptr;
        facts.charging = mouse && mouse->charging;
        facts.reachable = state.mouseReachable(device);
        return true;
    });
    return facts;
}

} // namespace

QStringList SimDeviceListLines()
{
    QStringList lines;
    const int count = SimDeviceCount();
    for (int i = 0; i < count; ++i) {
        withDevice(i, [&](SimState &state, SimUsb &usb) {
            QStringList fields;
            fields << QStringLiteral("device=%1").arg(i)
                   << QStringLiteral("kind=") +
                          (usb.receiver ? QStringLiteral("receiver") : QStringLiteral("wired"))
                   << QStringLiteral("id=") + idText(usb.vid) + QLatin1Char(':') + idText(usb.pid)
                   << QStringLiteral("plugged=") + yesNo(usb.plugged)
                   << QStringLiteral("boot=") + yesNo(usb.bootMode);
            const SimMouse *mouse = state.mouseOf(i);
            if (usb.receiver)
                fields << QStringLiteral("firmware=") + versionText(usb.release);
            if (mouse) {
                fields << QStringLiteral("mouse=") + mouse->key
                       << QStringLiteral("mouse-firmware=") + versionText(mouse->version);
                if (usb.receiver)
                    fields << QStringLiteral("awake=") + yesNo(usb.mouseOnline);
                fields << QStringLiteral("battery=%1").arg(mouse->battery)
                       << QStringLiteral("profile=%1").arg(mouse->currentProfile + 1);
            }
            fields << QStringLiteral("bound=") + yesNo(state.boundUsb == i);
            if (usb.failNextFlashAt >= 0)
                fields << QStringLiteral("fail-next-flash=%1").arg(usb.failNextFlashAt);
            lines << fields.join(QLatin1Char(' '));
            return true;
        });
    }
    return lines;
}

QByteArray RunSimRequest(const SimRequest &request)
{
    if (request.command == SimRequest::Command::List) {
        QByteArray reply;
        for (const QString &line : SimDeviceListLines())
            reply += line.toUtf8() + '\n';
        return reply + "ok\n";
    }
    const DeviceFacts facts = factsOf(request.device);
    if (!facts.exists)
        return fail(QStringLiteral("no device %1: there are %2 devices, numbered from 0")
                        .arg(request.device)
                        .arg(SimDeviceCount()));
    const int n = request.device;
    bool done = false;
    switch (request.command) {
    case SimRequest::Command::List:
        break;
    case SimRequest::Command::Plug:
    case SimRequest::Command::Unplug:
        done = SimPlug(n, request.command == SimRequest::Command::Plug);
        break;
    case SimRequest::Command::Sleep:
    case SimRequest::Command::Wake:
        // A mouse on its cable is powered and answers; only the wireless link
        // of a receiver goes quiet.
        if (!facts.receiver || !facts.hasMouse)
            return fail(QStringLiteral("device %1 is no receiver with a mouse; only a wireless "
                                       "mouse sleeps")
                            .arg(n));
        done = SimSetMouseOnline(n, request.command == SimRequest::Command::Wake);
        break;
    case SimRequest::Command::Profile: {
        int profile = 0;
        if (!facts.hasMouse || !SimMouseProfile(n, &profile))
            return fail(QStringLiteral("device %1 has no mouse").arg(n));
        if (!facts.reachable)
            return fail(QStringLiteral("the mouse of device %1 does not answer (unplugged, "
                                       "asleep or in boot mode)")
                            .arg(n));
        done = SimSwitchProfileOnDevice(n, (profile + 1) % ProfileCount);
        break;
    }
    case SimRequest::Command::Battery:
        if (!facts.hasMouse)
            return fail(QStringLiteral("device %1 has no mouse").arg(n));
        done = SimSetBattery(n, request.percent, facts.charging);
        break;
    case SimRequest::Command::FailNextFlash:
        done = SimFailNextFlash(n, request.percent);
        break;
    }
    return done ? QByteArray("ok\n") : fail(QStringLiteral("device %1 refused it").arg(n));
}
