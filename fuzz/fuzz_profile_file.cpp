// A profile file as the import reads it.
#include "FuzzSupport.h"

#include "device/UpDataParam.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FlashDataMap block;
    UpDataParam::ReadProfileBytes(FuzzSupport::Bytes(data, size), block);
    return 0;
}
