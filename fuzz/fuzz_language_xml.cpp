// Net.xml as the label catalogue reads it.
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
    loader.ReadNetData(FuzzSupport::Bytes(data, size), QStringLiteral("Net.xml"));
    return 0;
}
