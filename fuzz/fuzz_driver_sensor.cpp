// driver_sensor.h as the sensor page and the button page read it.
#include "FuzzSupport.h"

#include "model/SensorConstants.h"
#include "model/SensorDefines.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::WriteInput(data, size, QStringLiteral("driver_sensor.h"));
    if (path.isEmpty())
        return 0;
    QVector<QString> names;
    QVector<int> values;
    SensorSwitches switches;
    ReadSensorConstantsFile(path, names, values, switches);
    SensorDefines defines;
    defines.read(path);
    return 0;
}
