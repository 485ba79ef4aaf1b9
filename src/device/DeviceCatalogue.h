#pragma once

#include "platform/vidide/DeviceAllInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The device catalogue of Config.ini as discovery uses it.
namespace DeviceCatalogue {

struct ScanLists
{
    QStringList Vids; // Option/VID in file order, empty entries included
    QStringList Pids; // the non-empty product ids, wired first, then 1K, 2K, 4K, 8K
    QList<QStringList>
        PidLists; // USB_PID, Wireless_PID, Wireless2_PID, Wireless4_PID, Wireless8_PID
};
ScanLists ReadScanLists();

// Option/DeviceTotal (0 when missing or not a number).
int ModelCount();
// Option/CID read as a decimal number.
int CustomerId();
// 0-based index of the first model whose Option/CID and Drive<n>/MID match, or -1.
int MatchModel(int customerId, int modelId);
// "Drive" + (index + 1).
QString Group(int driveIndex);
// Whether the model has the receiver's single indicator LED: its "Adveanced"
// list names it in item 1, which is "-1" on models without it. A list too
// short to say counts as without, for every page alike.
bool HasIndicatorChoice(int driveIndex);
// Whether the model works only on its cable: it names no receiver (DM, D2M,
// D4M and D8M all empty), so it has no battery either.
bool IsWiredOnly(int driveIndex);

// Asks the identity up to ten times while it answers 0 / 0. `answered` is
// true when one of the ten calls gave a non-zero identity (that answer is
// returned); otherwise the last answer is returned.
DeviceIdentity AskIdentity(const char *path, bool &answered);

// The identity of a path and the model it matched (-1: none).
struct Identification
{
    bool Answered = false;
    DeviceIdentity Identity{0, 0, 0};
    int Model = -1;
};
Identification Identify(const char *path);
// A matched device: Wired, CidMid, ReceiverType and DriveIndex from the
// answer; Online set (never cleared) when the mouse answers.
void MarkMatched(DeviceAllInfo &record, const Identification &id, const char *path);
// A device of no known model: Wired from the last answer, DriveIndex one past
// the last model; CidMid and ReceiverType stay as they were.
void MarkUnknown(DeviceAllInfo &record, const Identification &id, int modelCount);

// Calls `found` for every path `finder` returns for each vid x pid, in that
// order (count preset to 5 before every call).
using Finder = std::function<char **(const char *vid, const char *pid, int *count)>;
using PathFound = std::function<void(const char *path, const QString &vid, const QString &pid)>;
void ForEachPath(const QStringList &vids, const QStringList &pids, const Finder &finder,
                 const PathFound &found);

// A record of a path the finder returned: path, the vid/pid texts that found
// it and the version text of its USB release number.
DeviceAllInfo NewRecord(const char *path, const QString &vid, const QString &pid);

} // namespace DeviceCatalogue
