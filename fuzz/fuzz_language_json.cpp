// en.json as the label catalogue reads it.
#include "FuzzSupport.h"

#include "common/LabelCatalogueLoader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    LabelCatalogueLoader loader;
    loader.ReadLabelData(FuzzSupport::Bytes(data, size), QStringLiteral("en.json"));
    return 0;
}
