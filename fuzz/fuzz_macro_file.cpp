// A per-user macro file as the button page reads it to bind the macro.
#include "FuzzSupport.h"

#include "buttons/MacroBinding.h"
#include "model/MacroEventFile.h"
#include "model/MacroFiles.h"

#include <QDir>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MacroEventFile::Parse(FuzzSupport::Bytes(data, size));
    const QString name = QStringLiteral("fuzz");
    if (!MacroFilePath(name).startsWith(QDir::homePath()) ||
        FuzzSupport::WriteInput(data, size, QDir::home().relativeFilePath(MacroFilePath(name)))
            .isEmpty())
        return 0;
    MacroRecord record;
    MacroBinding::LoadRecord(name, &record);
    int mode = 0;
    MacroBinding::RepeatCodeOf(MacroBinding::ReadRepeatCode(name), &mode);
    return 0;
}
