#include "device/FailRecords.h"

#include "platform/Registry.h"

#include <QDebug>
#include <QRegularExpression>

namespace FailRecords {

namespace {

const QChar RecordSeparator = QLatin1Char(';');
const QChar FieldSeparator = QLatin1Char(',');

// A field as the program writes it: one to three decimal digits.
bool field(const QString &text, int max, int *value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
    if (!digits.match(text).hasMatch())
        return false;
    *value = text.toInt();
    return *value <= max;
}

} // namespace

bool parse(const QString &text, FailRecord *record)
{
    const QStringList fields = text.split(FieldSeparator);
    if (fields.size() != 4)
        return false;
    FailRecord parsed;
    if (!field(fields.at(0), 255, &parsed.kind) || !field(fields.at(1), 255, &parsed.variant) ||
        !field(fields.at(2), 255, &parsed.cid) || !field(fields.at(3), 255, &parsed.mid))
        return false;
    if (parsed.kind != 210 && parsed.kind != 211)
        return false;
    switch (parsed.variant) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 8:
        break;
    default:
        return false;
    }
    *record = parsed;
    return true;
}

QString format(const FailRecord &record)
{
    return QStringList{QString::number(record.kind), QString::number(record.variant),
                       QString::number(record.cid), QString::number(record.mid)}
        .join(FieldSeparator);
}

QList<FailRecord> parseAll(const QString &text, QStringList *damaged)
{
    QList<FailRecord> records;
    if (text.isEmpty())
        return records;
    for (const QString &part : text.split(RecordSeparator)) {
        FailRecord record;
        if (parse(part, &record))
            records << record;
        else if (damaged)
            *damaged << part;
    }
    return records;
}

QString formatAll(const QList<FailRecord> &records)
{
    QStringList parts;
    for (const FailRecord &record : records)
        parts << format(record);
    return parts.join(RecordSeparator);
}

QString valueName()
{
    return QStringLiteral("UpdateFailInfo");
}

QString damagedValueName()
{
    return QStringLiteral("UpdateFailInfo.bad");
}

QList<FailRecord> read()
{
    Registry *registry = Registry::instance();
    const QString key = Registry::mouseDriveTestKey();
    const QString text = registry->value(key, valueName()).toString();
    QStringList damaged;
    const QList<FailRecord> records = parseAll(text, &damaged);
    if (damaged.isEmpty())
        return records;
    // A damaged record names no flash that could be finished: offering a
    // repair for it would offer one that can never run. Kept aside for a
    // look, never read again.
    const QString kept = damaged.join(RecordSeparator);
    const bool keptAside = registry->setValue(key, damagedValueName(), kept);
    const bool cleaned = records.isEmpty()
                             ? registry->remove(key, valueName())
                             : registry->setValue(key, valueName(), formatAll(records));
    qWarning().noquote() << "firmware: damaged failure record" << QStringLiteral("\"%1\"").arg(kept)
                         << (keptAside ? "kept as " + damagedValueName()
                                       : QStringLiteral("dropped"))
                         << (cleaned ? QString()
                                     : QStringLiteral("(the registry cannot be written)"));
    return records;
}

} // namespace FailRecords
