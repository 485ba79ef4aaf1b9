// The failure record "UpdateFailInfo" as the chooser and the repair read it:
// every part is either a record or set aside as damaged, and what is kept
// reads back the same once written out again.
#include "FuzzSupport.h"

#include "device/FailRecords.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(FuzzSupport::Bytes(data, size));
    QStringList damaged;
    const QList<FailRecord> records = FailRecords::parseAll(text, &damaged);
    const int parts = text.isEmpty() ? 0 : text.count(QLatin1Char(';')) + 1;
    if (records.size() + damaged.size() != parts)
        __builtin_trap();
    for (const FailRecord &record : records) {
        if ((record.kind != 210 && record.kind != 211) || record.cid < 0 || record.cid > 255 ||
            record.mid < 0 || record.mid > 255)
            __builtin_trap();
    }
    QStringList again;
    if (FailRecords::parseAll(FailRecords::formatAll(records), &again) != records ||
        !again.isEmpty())
        __builtin_trap();
    return 0;
}
