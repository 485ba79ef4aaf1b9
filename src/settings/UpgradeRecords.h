#pragma once

#include <QString>
#include <QStringList>

// What a firmware run leaves behind: the registry record "UpdateFailInfo"
// (kind, receiver variant, customer id, model id), the installed mouse
// version "MouseVer<CID><MID>" (both under ...\Mouse Drive Test) and the empty
// marker file Exception/UpDateLog.txt of the per-user folder.
//
// Each device whose flash failed keeps a record of its own until its own
// flash succeeds: when a receiver run fails after a recorded mouse failure,
// both parts wait in boot mode and both records stay. The value then holds
// the records joined by ";", the receiver's first, as a repair takes them.
namespace UpgradeRecords {

QString failInfo();
// The fields of the first record: the one a repair starts with.
QStringList failInfoFields();
// Every record's fields, the receiver's first.
QList<QStringList> failRecords();
// True when a well-formed record of this kind, customer and model exists.
bool hasFailInfoOf(int kind, int cid, int mid);
// Records a failed flash of one device; the records of other devices stay.
bool writeFailInfo(int kind, int variant, int cid, int mid);
// Removes every record.
bool removeFailInfo();
// Removes the record of this kind, customer and model only: a run repairs
// only the device it flashed. False when the registry cannot be written.
bool removeFailInfoOf(int kind, int cid, int mid);
// cidText and midText as Config.ini stores them.
bool writeMouseVersion(const QString &cidText, const QString &midText, const QString &version);
QString mouseVersion(const QString &cidText, const QString &midText);
QString markerFilePath();
// Creates or empties the marker file; false (logged) when that fails.
bool touchMarkerFile();

} // namespace UpgradeRecords
