#include "settings/BootModeRecords.h"

#include "common/ConfigIniStore.h"
#include "common/SharedState.h"
#include "settings/FirmwareImages.h"
#include "settings/UpgradeRecords.h"
#include "settings/UpgradeState.h"

#include <QDebug>

bool RecordBootModeDevices()
{
    if (UpgradeRunning || RepairRunning || !UpgradeRecords::failRecords().isEmpty())
        return false;
    struct Part
    {
        int kind;
        int variant;
        const char *nameKey;
    };
    static const Part parts[] = {{FirmwareKindReceiver, 1, "DM"},
                                 {FirmwareKindReceiver, 2, "D2M"},
                                 {FirmwareKindReceiver, 4, "D4M"},
                                 {FirmwareKindReceiver, 8, "D8M"},
                                 {FirmwareKindMouse, 0, "MM"}};
    ConfigIniStore *config = ConfigIniStore::GetInstance();
    const int cid = config->GetValue("Option", "CID").toInt();
    const int models = config->GetValue("Option", "DeviceTotal").toInt();
    bool recorded = false;
    for (int i = 1; i <= models; ++i) {
        const QString group = QStringLiteral("Drive") + QString::number(i);
        const int mid = config->GetValue(group, "MID").toInt();
        for (const Part &part : parts) {
            const QString name = config->GetValue(group, part.nameKey);
            if (name.isEmpty() || !LoadRepairImage(part.kind, QString(), name, cid, mid))
                continue;
            int count = 0;
            if (!FindBootDevicesFor(RepairImage(), &count) || count < 1)
                continue;
            qWarning().noquote() << "firmware: a device in boot mode takes the image" << name
                                 << "but has no failure record; recorded for the repair";
            recorded = UpgradeRecords::writeFailInfo(part.kind, part.variant, cid, mid) || recorded;
        }
    }
    return recorded;
}
