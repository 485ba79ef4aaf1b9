// A device-set file (ORVAK_SIM_DEVICES) as the simulated devices load it,
// then the devices it made as discovery asks for them.
#include "FuzzSupport.h"

#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    if (!SimLoadDevices(FuzzSupport::Bytes(data, size), &error))
        return 0;
    for (int i = 0; i < SimDeviceCount(); ++i) {
        const char *path = SimDevicePath(i);
        UsbFinderC_GetDeviceInfo(path, 0);
        UsbFinderC_GetDeviceOnLine(path);
        UsbFinderC_GetVersion(path);
    }
    return 0;
}
