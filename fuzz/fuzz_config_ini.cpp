// Config.ini as the catalogue store reads it (the INI text of every settings
// file). The store reads only files: every input gets a file name of its own.
#include "FuzzSupport.h"

#include "common/ConfigIniStore.h"
#include "model/SensorConstants.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const char *const optionKeys[] = {"DeviceTotal", "CID",         "VID",
                                             "LabelColor",  "ButtonColor", "ComboxTextColor"};
    static const char *const driveKeys[] = {
        "MID",           "MM",       "DM",          "D2M",          "D4M",
        "D8M",           "Sensor",   "USB_PID",     "Wireless_PID", "Wireless4_PID",
        "Wireless8_PID", "DPIRange", "DPIMaxGrade", "KeyParam1",    "Adveanced"};
    static int run = 0;
    const QString path =
        FuzzSupport::WriteInput(data, size, QStringLiteral("Config%1.ini").arg(run++));
    if (path.isEmpty())
        return 0;
    {
        const ConfigIniStore store(path);
        const QString option = QStringLiteral("Option");
        for (const char *key : optionKeys) {
            store.GetValue(option, QLatin1String(key));
            store.GetColorText(option, QLatin1String(key));
        }
        const int models = store.GetValue(option, QStringLiteral("DeviceTotal")).toInt();
        for (int n = 1; n <= qBound(1, models, 4); ++n) {
            const QString group = QStringLiteral("Drive") + QString::number(n);
            for (const char *key : driveKeys)
                store.GetValueList(group, QLatin1String(key));
            QString minText;
            QString maxText;
            ReadDpiRange(store.GetValueList(group, QStringLiteral("DPIRange")), minText, maxText);
        }
    }
    QFile::remove(path);
    return 0;
}
