#include "settings/ReceiverIdRebinding.h"

#include "device/DeviceState.h"
#include "platform/vidide/VidIde.h"
#include "settings/UpgradeState.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

struct Side
{
    bool found = false;
    ReceiverId last{};
};

QMutex sideMutex;
Side repairSide;
Side upgradeSide;

bool rebind(const QList<DeviceAllInfo> &devices, int variant, Side &side)
{
    bool found = false;
    for (const DeviceAllInfo &receiver : devices) {
        if (receiver.Wired)
            continue;
        unsigned char answer[VidUsbAddressBufferLength] = {};
        const QByteArray path = receiver.Path.toUtf8();
        found = UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), answer);
        if (!found)
            continue;
        const ReceiverId id = MakeReceiverId(answer, variant);
        {
            QMutexLocker lock(&sideMutex);
            side.last = id;
        }
        for (const DeviceAllInfo &mouse : devices) {
            if (mouse.Wired) {
                const QByteArray mousePath = mouse.Path.toUtf8();
                UsbFinderC_SetDongleIDToMouse(mousePath.constData(), &id);
            }
        }
    }
    QMutexLocker lock(&sideMutex);
    side.found = found;
    return found;
}

void repeat(const QList<DeviceAllInfo> &devices, const Side &side)
{
    ReceiverId id;
    {
        QMutexLocker lock(&sideMutex);
        if (!side.found)
            return;
        id = side.last;
    }
    for (const DeviceAllInfo &mouse : devices) {
        if (mouse.Wired) {
            const QByteArray path = mouse.Path.toUtf8();
            UsbFinderC_SetDongleIDToMouse(path.constData(), &id);
        }
    }
}

} // namespace

ReceiverId MakeReceiverId(const unsigned char *addressAnswer, int variant)
{
    ReceiverId id{};
    id.Address[0] = addressAnswer[9];
    id.Address[1] = addressAnswer[8];
    id.Address[2] = addressAnswer[7];
    id.Zero = 0;
    id.ClassCode = variant == 2 || variant == 4 ? 1 : variant == 8 ? 4 : 0;
    return id;
}

bool RebindReceiverIdOfFoundDevices()
{
    return rebind(FoundDevicesCopy, RepairReceiverVariant, repairSide);
}

void RepeatReceiverIdOfFoundDevices()
{
    repeat(FoundDevicesCopy, repairSide);
}

bool RebindReceiverIdOfModelDevices()
{
    return rebind(ModelDevices, UpgradeReceiverVariant, upgradeSide);
}

void RepeatReceiverIdOfModelDevices()
{
    repeat(ModelDevices, upgradeSide);
}
