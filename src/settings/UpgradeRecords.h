#pragma once

#include "device/FailRecords.h"

#include <QList>
#include <QString>

// What a firmware run leaves behind: the registry record "UpdateFailInfo"
// (device/FailRecords.h), the installed mouse version "MouseVer<CID><MID>"
// (both under ...\Mouse Drive Test) and the empty marker file
// Exception/UpDateLog.txt of the per-user folder.
//
// Each device whose flash began keeps a record of its own until its own
// flash succeeds: when a receiver run fails after a recorded mouse failure,
// both parts wait in boot mode and both records stay, the receiver's first,
// as a repair takes them.
namespace UpgradeRecords {

// The value as it stands.
QString failInfo();
// The well-formed records, the receiver's first; damaged ones are set aside.
QList<FailRecord> failRecords();
// The record a repair starts with; false when there is none.
bool firstFailRecord(FailRecord *record);
// True when a record of this kind, customer and model exists.
bool hasFailInfoOf(int kind, int cid, int mid);
// Records a flash of one device, before it starts and again when it fails;
// the records of other devices stay. True only once the record is on the
// disk (written, synced and checked): no flash may start before that.
bool writeFailInfo(int kind, int variant, int cid, int mid);
// Removes every record.
bool removeFailInfo();
// Removes the record of this kind, customer and model only: a run repairs
// only the device it flashed. False when the registry cannot be written.
bool removeFailInfoOf(int kind, int cid, int mid);
// cidText and midText as Config.ini stores them.
bool writeMouseVersion(const QString &cidText, const QString &midText, const QString &version);
// A flash gave the mouse of Config.ini group `driveGroup` ("Drive<n>") the
// firmware of version text `version`: its "MouseVer" value is named by
// "Option"/"CID" and the group's "MID". Every road that flashes a mouse, the
// upgrade and the repair, records it here.
bool writeFlashedMouseVersion(const QString &driveGroup, const QString &version);
QString mouseVersion(const QString &cidText, const QString &midText);
QString markerFilePath();
// Creates or empties the marker file; false (logged) when that fails.
bool touchMarkerFile();

// Writes the record of a flash about to start and remembers whether one of
// the same device was there before; take back() when the flash did not
// start after all, so that a device nothing happened to keeps no record.
class PendingFlash
{
public:
    PendingFlash() = default;
    // False when the record could not be written: the flash must not start.
    bool record(int kind, int variant, int cid, int mid);
    void takeBack();

private:
    int m_kind = 0;
    int m_cid = 0;
    int m_mid = 0;
    bool m_hadRecord = true;
};

} // namespace UpgradeRecords
