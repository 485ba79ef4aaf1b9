// A device cache file as the offline display reads it.
#include "FuzzSupport.h"

#include "device/FlashDataStore.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FlashDataMap block;
    ParseFlashDataCache(FuzzSupport::Bytes(data, size), block);
    return 0;
}
