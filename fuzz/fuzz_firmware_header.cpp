// A firmware image as the image finder and the device library read it. The
// input buffer is handed over as it is, so a read past its end is seen.
#include "FuzzSupport.h"

#include "platform/vidide/FirmwareImage.h"
#include "platform/vidide/VidIde.h"
#include "settings/FirmwareImages.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const int length = int(size);
    vidide::FirmwareInfo info;
    if (vidide::readFirmwareHeader(data, length, &info)) {
        QString::fromLocal8Bit(info.modelName);
        FirmwareVersionText(info.version);
    }
    vidide::checkFirmwareImage(data, length);
    ImageVersionText(FuzzSupport::Bytes(data, size));
    int count = 0;
    UsbUpgradeC_FindBootDevices(data, &count, length);
    return 0;
}
