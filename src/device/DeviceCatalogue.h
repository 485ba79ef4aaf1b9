#pragma once

#include "device/DeviceAllInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

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

// Asks the identity up to ten times while it answers 0 / 0. `answered` is
// true when one of the ten calls gave a non-zero identity (that answer is
// returned); otherwise the last answer is returned.
DeviceIdentity AskIdentity(const char *path, bool &answered);

// A record of a path the finder returned: path, the vid/pid texts that found
// it and the version text of its USB release number.
DeviceAllInfo NewRecord(const char *path, const QString &vid, const QString &pid);

} // namespace DeviceCatalogue
