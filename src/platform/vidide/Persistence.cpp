// What the mice and receivers keep across runs, as real devices keep their
// settings: one state file in the per-user folder, written whole or not at all.

#include "platform/vidide/SimState.h"

#include "platform/UserFolder.h"
#include "platform/files/SafeFile.h"
#include "platform/vidide/SimControl.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtDebug>

#include <cstring>
#include <functional>

namespace vidide {
namespace {

std::mutex &saveMutex()
{
    static std::mutex *mutex = new std::mutex;
    return *mutex;
}

QByteArray bytes(const void *data, int length)
{
    return QByteArray(reinterpret_cast<const char *>(data), length).toBase64();
}

// Copies a Base64 field into out when it decodes to exactly length bytes.
void restore(const QJsonValue &value, void *out, int length)
{
    const QByteArray data = QByteArray::fromBase64(value.toString().toLatin1());
    if (data.size() == length)
        std::memcpy(out, data.constData(), size_t(length));
}

QJsonObject mouseObject(const SimMouse &mouse)
{
    QJsonObject object;
    object.insert(QStringLiteral("mid"), mouse.mid);
    object.insert(QStringLiteral("version"), mouse.version);
    object.insert(QStringLiteral("boot"), mouse.bootMode);
    object.insert(QStringLiteral("profile"), mouse.currentProfile);
    object.insert(QStringLiteral("longRange"), mouse.longRange);
    object.insert(QStringLiteral("batteryOptimize"), mouse.batteryOptimize);
    object.insert(QStringLiteral("address"), QString::fromLatin1(bytes(mouse.pairedAddress, 3)));
    object.insert(QStringLiteral("receiverId"),
                  QString::fromLatin1(bytes(&mouse.receiverId, sizeof(ReceiverId))));
    QJsonArray profiles;
    for (const QByteArray &profile : mouse.profiles)
        profiles.append(QString::fromLatin1(profile.toBase64()));
    object.insert(QStringLiteral("profiles"), profiles);
    return object;
}

void restoreMouse(const QJsonObject &object, SimMouse *mouse)
{
    // A stored mouse of another model is a different device under the same name.
    if (object.value(QStringLiteral("mid")).toInt(-1) != mouse->mid)
        return;
    mouse->version =
        static_cast<uint16_t>(object.value(QStringLiteral("version")).toInt(mouse->version));
    mouse->bootMode = object.value(QStringLiteral("boot")).toBool(false);
    const int profile = object.value(QStringLiteral("profile")).toInt(0);
    mouse->currentProfile = profile >= 0 && profile < ProfileCount ? profile : 0;
    mouse->longRange = object.value(QStringLiteral("longRange")).toBool(mouse->longRange);
    mouse->batteryOptimize = object.value(QStringLiteral("batteryOptimize")).toBool(true);
    restore(object.value(QStringLiteral("address")), mouse->pairedAddress, 3);
    restore(object.value(QStringLiteral("receiverId")), &mouse->receiverId, sizeof(ReceiverId));
    const QJsonArray profiles = object.value(QStringLiteral("profiles")).toArray();
    for (int p = 0; p < ProfileCount && p < profiles.size(); ++p) {
        const QByteArray image = QByteArray::fromBase64(profiles.at(p).toString().toLatin1());
        FlashDataMap check;
        // A damaged image is dropped; the mouse keeps its factory settings.
        if (decodeMemory(reinterpret_cast<const unsigned char *>(image.constData()), image.size(),
                         &check))
            mouse->profiles[p] = image;
    }
}

QJsonObject receiverObject(const SimUsb &usb)
{
    QJsonObject object;
    object.insert(QStringLiteral("pid"), usb.pid);
    object.insert(QStringLiteral("release"), usb.release);
    object.insert(QStringLiteral("boot"), usb.bootMode);
    object.insert(QStringLiteral("rgb"), QString::fromLatin1(bytes(&usb.rgb, sizeof(DongleRGB))));
    object.insert(QStringLiteral("bar"), QString::fromLatin1(bytes(&usb.bar, sizeof(LedBarBlock))));
    object.insert(QStringLiteral("leds"),
                  QString::fromLatin1(bytes(&usb.leds, sizeof(DongleIndicatorLed))));
    return object;
}

void restoreReceiver(const QJsonObject &object, SimUsb *usb)
{
    if (object.value(QStringLiteral("pid")).toInt(-1) != usb->pid)
        return;
    usb->release =
        static_cast<uint16_t>(object.value(QStringLiteral("release")).toInt(usb->release));
    usb->bootMode = object.value(QStringLiteral("boot")).toBool(false);
    restore(object.value(QStringLiteral("rgb")), &usb->rgb, sizeof(DongleRGB));
    restore(object.value(QStringLiteral("bar")), &usb->bar, sizeof(LedBarBlock));
    restore(object.value(QStringLiteral("leds")), &usb->leds, sizeof(DongleIndicatorLed));
}

// What the state file keeps of one device set.
QJsonObject setObject(const SimState &state)
{
    QJsonObject mice;
    for (const SimMouse &mouse : state.mice)
        mice.insert(mouse.key, mouseObject(mouse));
    QJsonObject receivers;
    for (int i = 0; i < state.usb.size(); ++i) {
        if (state.usb[i].receiver)
            receivers.insert(QString::number(i), receiverObject(state.usb[i]));
    }
    QJsonObject set;
    set.insert(QStringLiteral("mice"), mice);
    set.insert(QStringLiteral("receivers"), receivers);
    return set;
}

// The stored state (empty when there is none). False only when the file is
// damaged and could not be kept aside: it must not be written over then.
bool readStateFile(QJsonObject *state)
{
    *state = QJsonObject();
    const QString path = stateFilePath();
    QByteArray content;
    QString problem;
    switch (SafeFile::read(path, MaxStateFileBytes, &content, &problem)) {
    case SafeFile::Status::Missing:
        return true;
    case SafeFile::Status::NotRegular:
        // Already set aside; the next save makes a regular file.
        qWarning().noquote() << "vidide: state file" << path << "refused (" << problem
                             << "); devices start from factory settings";
        return true;
    case SafeFile::Status::Ok: {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(content, &error);
        if (document.isObject()) {
            *state = document.object();
            return true;
        }
        problem = error.errorString();
        break;
    }
    case SafeFile::Status::TooLarge:
    case SafeFile::Status::Failed:
        break;
    }
    // The next save replaces the file with factory state: keep what was there
    // beside it, so that nothing is lost unseen.
    const QString kept = path + QStringLiteral(".bad");
    if (SafeFile::setAside(path)) {
        qWarning().noquote() << "vidide: state file" << path << "refused (" << problem
                             << "), kept as" << kept << "; devices start from factory settings";
        return true;
    }
    qWarning().noquote()
        << "vidide: state file" << path << "refused (" << problem << ") and cannot be kept as"
        << kept << "; devices start from factory settings and their changes are not stored";
    return false;
}

std::mutex &handlerMutex()
{
    static std::mutex *mutex = new std::mutex;
    return *mutex;
}

std::function<void(const QString &, const QString &)> &saveFailureHandler()
{
    static auto *handler = new std::function<void(const QString &, const QString &)>;
    return *handler;
}

void reportSaveFailure(const QString &path, const QString &reason)
{
    qWarning().noquote() << "vidide: cannot write the device state" << path << "-" << reason;
    std::function<void(const QString &, const QString &)> handler;
    {
        std::lock_guard<std::mutex> lock(handlerMutex());
        handler = saveFailureHandler();
    }
    if (handler)
        handler(path, reason);
}

} // namespace

QString stateFilePath()
{
    return UserFolder::filePath(QStringLiteral("DeviceSim/State.json"));
}

void loadPersistedState(SimState &state)
{
    QJsonObject stored;
    readStateFile(&stored);
    const QJsonObject set = stored.value(state.stateKeyPrefix).toObject();
    const QJsonObject mice = set.value(QStringLiteral("mice")).toObject();
    for (SimMouse &mouse : state.mice)
        restoreMouse(mice.value(mouse.key).toObject(), &mouse);
    const QJsonObject receivers = set.value(QStringLiteral("receivers")).toObject();
    for (int i = 0; i < state.usb.size(); ++i) {
        SimUsb &usb = state.usb[i];
        if (usb.receiver)
            restoreReceiver(receivers.value(QString::number(i)).toObject(), &usb);
        // A mouse in boot mode enumerates only on its cable as a boot device.
        const SimMouse *mouse = usb.mouse >= 0 ? &state.mice[usb.mouse] : nullptr;
        if (!usb.receiver && mouse && mouse->bootMode)
            usb.bootMode = true;
    }
}

void savePersistedState()
{
    QString failedPath;
    QString reason;
    {
        std::lock_guard<std::mutex> saveLock(saveMutex());
        SimState &state = SimState::instance();
        QJsonObject set;
        QString key;
        {
            std::lock_guard<std::mutex> lock(state.mutex());
            key = state.stateKeyPrefix;
            set = setObject(state);
        }
        QJsonObject all;
        if (!readStateFile(&all))
            return;
        all.insert(key, set);
        const QString path = stateFilePath();
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            failedPath = path;
            reason = QStringLiteral("cannot create the folder ") + QFileInfo(path).absolutePath();
        } else if (!SafeFile::write(path, QJsonDocument(all).toJson(QJsonDocument::Compact),
                                    &reason)) {
            failedPath = path;
        }
    }
    // Outside the lock: the handler may show the failure.
    if (!failedPath.isEmpty())
        reportSaveFailure(failedPath, reason);
}

bool SimState::isFactoryState(const QJsonObject &stored)
{
    // Built apart from the running devices: their memory is not this one's.
    SimState fresh;
    fresh.loadSet();
    return stored.size() == 1 && stored.value(fresh.stateKeyPrefix).isObject() &&
           stored.value(fresh.stateKeyPrefix).toObject() == setObject(fresh);
}

} // namespace vidide

bool SimStateFileIsFactory(const QString &path)
{
    QByteArray content;
    if (SafeFile::read(path, vidide::MaxStateFileBytes, &content) != SafeFile::Status::Ok)
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(content);
    return document.isObject() && vidide::SimState::isFactoryState(document.object());
}

void SimSetStateSaveFailureHandler(std::function<void(const QString &, const QString &)> handler)
{
    std::lock_guard<std::mutex> lock(vidide::handlerMutex());
    vidide::saveFailureHandler() = std::move(handler);
}
