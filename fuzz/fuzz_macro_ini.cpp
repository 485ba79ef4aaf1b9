// Macro.ini, the preferences file, as its store reads it and writes it back
// after a change. Every input gets a file name of its own.
#include "FuzzSupport.h"

#include "common/MacroIniStore.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int run = 0;
    const QString path =
        FuzzSupport::WriteInput(data, size, QStringLiteral("Macro%1.ini").arg(run++));
    if (path.isEmpty())
        return 0;
    {
        MacroIniStore store(path);
        store.GetValue(QStringLiteral("Language"), QStringLiteral("Language")).toInt();
        store.GetValue(QStringLiteral("AutoStart"), QStringLiteral("Enable"));
        store.GetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"));
        // A change rewrites the whole file from what was read: it must stay.
        if (store.SetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow"),
                           QStringLiteral("1")) &&
            store.GetValue(QStringLiteral("FindNew"), QStringLiteral("IsShow")) !=
                QLatin1String("1"))
            __builtin_trap();
    }
    QFile::remove(path);
    return 0;
}
