#include "platform/vidide/SimState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstring>
#include <deque>

namespace vidide {

SimState &SimState::instance()
{
    // Never destroyed: library threads may still run when the process ends.
    static SimState *state = [] {
        auto *created = new SimState;
        created->reload();
        return created;
    }();
    return *state;
}

const char *internPath(const QByteArray &path)
{
    static std::mutex mutex;
    static std::deque<QByteArray> *paths = new std::deque<QByteArray>;
    std::lock_guard<std::mutex> lock(mutex);
    for (const QByteArray &known : *paths) {
        if (known == path)
            return known.constData();
    }
    paths->push_back(path);
    return paths->back().constData();
}

QByteArray hexPathPart(uint16_t value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

bool parseHexId(const char *text, uint16_t *value, bool *any)
{
    QByteArray id = QByteArray(text ? text : "").trimmed().toLower();
    *any = id.isEmpty();
    if (*any)
        return true;
    if (id.startsWith("0x"))
        id = id.mid(2);
    bool ok = false;
    const uint v = id.toUInt(&ok, 16);
    if (!ok || v > 0xFFFF)
        return false;
    *value = static_cast<uint16_t>(v);
    return true;
}

int SimState::usbByPath(const char *path) const
{
    if (!path || !*path)
        return -1;
    for (int i = 0; i < usb.size(); ++i) {
        if (usb[i].plugged && !usb[i].bootMode && usb[i].path == path)
            return i;
    }
    return -1;
}

int SimState::usbByAnyPath(const char *path) const
{
    if (!path || !*path)
        return -1;
    for (int i = 0; i < usb.size(); ++i) {
        if (usb[i].plugged && (usb[i].path == path || usb[i].bootPath == path))
            return i;
    }
    return -1;
}

SimMouse *SimState::mouseOf(int usbIndex)
{
    if (usbIndex < 0 || usbIndex >= usb.size())
        return nullptr;
    const int m = usb[usbIndex].mouse;
    return m >= 0 && m < mice.size() ? &mice[m] : nullptr;
}

bool SimState::mouseReachable(int usbIndex) const
{
    if (usbIndex < 0 || usbIndex >= usb.size())
        return false;
    const SimUsb &device = usb[usbIndex];
    if (!device.plugged || device.bootMode || device.mouse < 0 || device.mouse >= mice.size())
        return false;
    if (mice[device.mouse].bootMode)
        return false;
    return !device.receiver || device.mouseOnline;
}

bool SimState::takeRefusal(const char *function)
{
    auto it = refuseNext.find(QByteArray(function));
    if (it == refuseNext.end() || it.value() <= 0)
        return false;
    auto pass = passBeforeRefusal.find(QByteArray(function));
    if (pass != passBeforeRefusal.end()) {
        if (pass.value()-- > 0)
            return false;
        passBeforeRefusal.erase(pass);
    }
    if (--it.value() == 0)
        refuseNext.erase(it);
    return true;
}

bool SimState::takeDrop(const char *function)
{
    auto it = dropNext.find(QByteArray(function));
    if (it == dropNext.end() || it.value() <= 0)
        return false;
    if (--it.value() == 0)
        dropNext.erase(it);
    return true;
}

bool SimState::takeLoss(const char *function)
{
    auto it = loseNext.find(QByteArray(function));
    if (it == loseNext.end() || it.value() <= 0)
        return false;
    if (--it.value() == 0)
        loseNext.erase(it);
    return true;
}

namespace {

int jsonInt(const QJsonValue &value, int fallback)
{
    if (value.isDouble())
        return value.toInt(fallback);
    if (value.isString()) {
        QString text = value.toString().trimmed().toLower();
        bool ok = false;
        const int v =
            text.startsWith(QLatin1String("0x")) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok, 10);
        return ok ? v : fallback;
    }
    return fallback;
}

bool readMouse(const QJsonObject &object, int index, SimMouse *mouse, QString *error)
{
    mouse->key = object.value(QLatin1String("key")).toString(QStringLiteral("mouse%1").arg(index));
    const int cid = jsonInt(object.value(QLatin1String("cid")), -1);
    const int mid = jsonInt(object.value(QLatin1String("mid")), -1);
    if (cid < 0 || cid > 255 || mid < 0 || mid > 255) {
        *error = QStringLiteral("device %1: mouse cid and mid must be 0..255").arg(index);
        return false;
    }
    mouse->cid = static_cast<uint8_t>(cid);
    mouse->mid = static_cast<uint8_t>(mid);
    mouse->modelName = object.value(QLatin1String("model")).toString().toLatin1();
    mouse->version = static_cast<uint16_t>(jsonInt(object.value(QLatin1String("version")), 0x0100));
    mouse->battery = qBound(0, jsonInt(object.value(QLatin1String("battery")), 100), 100);
    mouse->charging = object.value(QLatin1String("charging")).toBool(false);
    mouse->longRange = object.value(QLatin1String("longRange")).toBool(false);
    return true;
}

} // namespace

// A device set: {"devices": [ ... ]}, one object per USB device, in order:
//   "kind": "receiver" or "wired"; "vid", "pid": numbers or "0x..." texts;
//   "connectionType": 0, 1, 4, 5 for receivers, any other value for wired;
//   "release": receiver firmware; "address": three receiver address bytes;
//   "plugged", "online" (the receiver's mouse link): booleans, default true;
//   "cid", "mid", "receiverModel", "indicatorMode": the receiver's own identity
//   (cid and mid default to its mouse's);
//   "mouse": {"key", "cid", "mid", "model", "version", "battery", "charging",
//   "longRange"}, or "mouseOf": the index of an earlier device whose mouse this
//   is (the same mouse on its cable).
bool SimState::loadJsonSet(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        *error = QStringLiteral("not a JSON object: %1").arg(parseError.errorString());
        return false;
    }
    const QJsonArray devices = document.object().value(QLatin1String("devices")).toArray();
    if (devices.isEmpty()) {
        *error = QStringLiteral("no \"devices\" array");
        return false;
    }
    if (devices.size() > MaxSimDevices) {
        *error = QStringLiteral("%1 devices, more than the %2 a USB bus holds")
                     .arg(devices.size())
                     .arg(MaxSimDevices);
        return false;
    }
    QVector<SimMouse> newMice;
    QVector<SimUsb> newUsb;
    for (int i = 0; i < devices.size(); ++i) {
        const QJsonObject object = devices.at(i).toObject();
        SimUsb device;
        const QString kind = object.value(QLatin1String("kind")).toString();
        if (kind != QLatin1String("receiver") && kind != QLatin1String("wired")) {
            *error = QStringLiteral("device %1: kind must be \"receiver\" or \"wired\"").arg(i);
            return false;
        }
        device.receiver = kind == QLatin1String("receiver");
        device.vid = static_cast<uint16_t>(jsonInt(object.value(QLatin1String("vid")), 0));
        device.pid = static_cast<uint16_t>(jsonInt(object.value(QLatin1String("pid")), 0));
        const int type =
            jsonInt(object.value(QLatin1String("connectionType")), device.receiver ? 0 : 2);
        const bool receiverType = (type & 0xFA) == 0;
        if (type < 0 || type > 255 || receiverType != device.receiver) {
            *error = QStringLiteral("device %1: connection type %2 does not fit its kind")
                         .arg(i)
                         .arg(type);
            return false;
        }
        device.connectionType = static_cast<uint8_t>(type);
        device.release =
            static_cast<uint16_t>(jsonInt(object.value(QLatin1String("release")), 0x0100));
        device.plugged = object.value(QLatin1String("plugged")).toBool(true);
        device.mouseOnline = object.value(QLatin1String("online")).toBool(true);
        const QJsonArray address = object.value(QLatin1String("address")).toArray();
        for (int b = 0; b < 3 && b < address.size(); ++b)
            device.address[b] = static_cast<uint8_t>(jsonInt(address.at(b), 0));
        if (object.contains(QLatin1String("mouseOf"))) {
            const int other = jsonInt(object.value(QLatin1String("mouseOf")), -1);
            if (other < 0 || other >= newUsb.size() || newUsb[other].mouse < 0) {
                *error = QStringLiteral("device %1: mouseOf names no earlier device").arg(i);
                return false;
            }
            device.mouse = newUsb[other].mouse;
        } else if (object.contains(QLatin1String("mouse"))) {
            SimMouse mouse;
            if (!readMouse(object.value(QLatin1String("mouse")).toObject(), i, &mouse, error))
                return false;
            if (device.receiver)
                std::memcpy(mouse.pairedAddress, device.address, 3);
            for (int p = 0; p < ProfileCount; ++p)
                resetMouseProfile(mouse, p);
            device.mouse = newMice.size();
            newMice.append(mouse);
        } else if (!device.receiver) {
            *error = QStringLiteral("device %1: a wired device needs a mouse").arg(i);
            return false;
        }
        const SimMouse *mouse = device.mouse >= 0 ? &newMice[device.mouse] : nullptr;
        device.cid = static_cast<uint8_t>(
            jsonInt(object.value(QLatin1String("cid")), mouse ? mouse->cid : 0));
        device.mid = static_cast<uint8_t>(
            jsonInt(object.value(QLatin1String("mid")), mouse ? mouse->mid : 0));
        device.modelName = object.value(QLatin1String("receiverModel")).toString().toLatin1();
        device.rgb.IndicatorMode =
            static_cast<uint8_t>(jsonInt(object.value(QLatin1String("indicatorMode")), 1));
        newUsb.append(device);
    }
    mice = newMice;
    usb = newUsb;
    stateKeyPrefix = QStringLiteral("custom");
    return true;
}

} // namespace vidide
