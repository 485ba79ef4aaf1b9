#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The registry value "UpdateFailInfo" under ...\Mouse Drive Test: which
// flash is or was under way and has not ended well. One record per device,
// four decimal numbers joined by ",": kind (211 receiver image, 210 mouse
// image), receiver variant (0, 1, 2, 4 or 8), customer id and model id (0 to
// 255 each). Several records are joined by ";", the receiver's first.
//
// A record is written before a flash starts and goes only when that flash
// succeeded, so a flash cut short by anything, the program's own end
// included, leaves its record behind for the repair.
struct FailRecord
{
    int kind = 0;
    int variant = 0;
    int cid = 0;
    int mid = 0;

    bool operator==(const FailRecord &other) const
    {
        return kind == other.kind && variant == other.variant && cid == other.cid &&
               mid == other.mid;
    }
};

namespace FailRecords {

// One record's text; false for anything the program never writes.
bool parse(const QString &text, FailRecord *record);
QString format(const FailRecord &record);
// Every well-formed record of the value, in order; the parts that are not
// records go to `damaged` (when given).
QList<FailRecord> parseAll(const QString &text, QStringList *damaged = nullptr);
QString formatAll(const QList<FailRecord> &records);

// The value's name, and the name a damaged value is kept under.
QString valueName();
QString damagedValueName();

// The records in the registry. Damaged parts are no records: they are set
// aside under damagedValueName() (logged) and the value keeps the good ones.
QList<FailRecord> read();

} // namespace FailRecords
