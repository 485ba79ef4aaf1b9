// A macro export file as the macro page imports it.
#include "FuzzSupport.h"

#include "macro/MacroExportFile.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv, true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MacroExportFile::Content content;
    QString error;
    MacroExportFile::Read(FuzzSupport::Bytes(data, size), &content, &error);
    return 0;
}
