// The simulated devices' state file as a restart of the device set reads it.
#include "FuzzSupport.h"

#include "platform/vidide/SimControl.h"
#include "platform/vidide/VidIde.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (FuzzSupport::WriteInput(data, size, QDir::home().relativeFilePath(SimStateFile()))
            .isEmpty())
        return 0;
    SimReset();
    for (int i = 0; i < SimDeviceCount(); ++i) {
        FlashDataMap block;
        SimMouseBlock(i, &block);
        UsbFinderC_GetVersion(SimDevicePath(i));
    }
    return 0;
}
