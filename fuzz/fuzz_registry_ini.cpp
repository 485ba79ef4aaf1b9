// Registry.ini, the program's records, as the registry store reads it and
// writes it back after a change. Every input gets a file name of its own.
#include "FuzzSupport.h"

#include "platform/Registry.h"

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
        FuzzSupport::WriteInput(data, size, QStringLiteral("Registry%1.ini").arg(run++));
    if (path.isEmpty())
        return 0;
    {
        Registry registry(path);
        const QString product = Registry::productKey();
        const QString records = Registry::mouseDriveTestKey();
        registry.value(product, QStringLiteral("LanguageIndex")).toInt();
        registry.contains(product, QStringLiteral("LanguageIndex"));
        registry.value(records, QStringLiteral("UpdateFailInfo")).toString();
        registry.value(records, QStringLiteral("MouseVer2612")).toString();
        // A change rewrites the whole file from what was read: it must stay,
        // and a removal must take the value away.
        const QString name = QStringLiteral("MouseVer2612");
        if (registry.setValue(records, name, QStringLiteral("0107")) &&
            registry.value(records, name).toString() != QLatin1String("0107"))
            __builtin_trap();
        if (registry.remove(product, QStringLiteral("LanguageIndex")) &&
            registry.contains(product, QStringLiteral("LanguageIndex")))
            __builtin_trap();
    }
    QFile::remove(path);
    return 0;
}
