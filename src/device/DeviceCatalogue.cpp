#include "device/DeviceCatalogue.h"

#include "common/ConfigIniStore.h"
#include "device/DeviceState.h"
#include "platform/vidide/VidIde.h"

namespace DeviceCatalogue {

namespace {
ConfigIniStore *store()
{
    return ConfigIniStore::GetInstance();
}
} // namespace

ScanLists ReadScanLists()
{
    ScanLists lists;
    lists.Vids = store()->GetValueList(QStringLiteral("Option"), QStringLiteral("VID"));
    const QStringList keys = {QStringLiteral("USB_PID"), QStringLiteral("Wireless_PID"),
                              QStringLiteral("Wireless2_PID"), QStringLiteral("Wireless4_PID"),
                              QStringLiteral("Wireless8_PID")};
    for (const QString &key : keys) {
        const QStringList list = store()->GetValueList(QStringLiteral("Option"), key);
        lists.PidLists.append(list);
        for (const QString &pid : list) {
            if (!pid.isEmpty())
                lists.Pids.append(pid);
        }
    }
    // Read and not used by the searches.
    store()->GetValue(QStringLiteral("Option"), QStringLiteral("InterfaceId"));
    store()->GetValue(QStringLiteral("Option"), QStringLiteral("DeviceId"));
    return lists;
}

int ModelCount()
{
    return store()->GetValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal")).toInt();
}

int CustomerId()
{
    return store()->GetValue(QStringLiteral("Option"), QStringLiteral("CID")).toInt();
}

QString Group(int driveIndex)
{
    return QStringLiteral("Drive") + QString::number(driveIndex + 1);
}

bool HasIndicatorChoice(int driveIndex)
{
    const QStringList items = store()->GetValueList(Group(driveIndex), QStringLiteral("Adveanced"));
    return items.size() > 1 && items.at(1).trimmed() != QLatin1String("-1");
}

bool IsWiredOnly(int driveIndex)
{
    for (const char *key : {"DM", "D2M", "D4M", "D8M"}) {
        if (!store()->GetValue(Group(driveIndex), QLatin1String(key)).trimmed().isEmpty())
            return false;
    }
    return true;
}

int MatchModel(int customerId, int modelId)
{
    if (customerId != CustomerId())
        return -1;
    const int total = ModelCount();
    for (int i = 0; i < total; ++i) {
        if (store()->GetValue(Group(i), QStringLiteral("MID")).toInt() == modelId)
            return i;
    }
    return -1;
}

DeviceIdentity AskIdentity(const char *path, bool &answered)
{
    DeviceIdentity identity{0, 0, 0};
    answered = false;
    for (int calls = 0; calls < 10; ++calls) {
        identity = UsbFinderC_GetDeviceInfo(path, 0);
        if (identity.CustomerId != 0 || identity.ModelId != 0) {
            answered = true;
            break;
        }
    }
    return identity;
}

Identification Identify(const char *path)
{
    Identification id;
    id.Identity = AskIdentity(path, id.Answered);
    if (id.Answered)
        id.Model = MatchModel(id.Identity.CustomerId, id.Identity.ModelId);
    return id;
}

void MarkMatched(DeviceAllInfo &record, const Identification &id, const char *path)
{
    record.Wired = IsWiredConnection(id.Identity.ConnectionType);
    record.CidMid = static_cast<uint16_t>(id.Identity.CustomerId | (id.Identity.ModelId << 8));
    record.ReceiverType = id.Identity.ConnectionType;
    record.DriveIndex = id.Model;
    if (UsbFinderC_GetDeviceOnLine(path))
        record.Online = true;
}

void MarkUnknown(DeviceAllInfo &record, const Identification &id, int modelCount)
{
    record.Wired = IsWiredConnection(id.Identity.ConnectionType);
    record.DriveIndex = modelCount;
}

void ForEachPath(const QStringList &vids, const QStringList &pids, const Finder &finder,
                 const PathFound &found)
{
    for (const QString &vid : vids) {
        for (const QString &pid : pids) {
            int count = 5;
            const QByteArray vidBytes = vid.toLatin1();
            const QByteArray pidBytes = pid.toLatin1();
            char **paths = finder(vidBytes.constData(), pidBytes.constData(), &count);
            for (int i = 0; paths && i < count; ++i) {
                if (paths[i])
                    found(paths[i], vid, pid);
            }
        }
    }
}

DeviceAllInfo NewRecord(const char *path, const QString &vid, const QString &pid)
{
    DeviceAllInfo record;
    record.Path = QString::fromUtf8(path);
    record.VidText = vid;
    record.PidText = pid;
    UsbDeviceAttribute attr{};
    UsbFinderC_GetUsbDeviceAttribute(path, &attr);
    record.DongleVersionText = VersionText(attr.ReleaseNumber);
    record.Online = false;
    return record;
}

} // namespace DeviceCatalogue
