#pragma once

#include <QString>
#include <QStringList>

// What a firmware run leaves behind: the registry record "UpdateFailInfo"
// (kind, receiver variant, customer id, model id), the installed mouse
// version "MouseVer<CID><MID>" (both under ...\Mouse Drive Test) and the empty
// marker file Exception/UpDateLog.txt of the per-user folder.
namespace UpgradeRecords {

QString failInfo();
QStringList failInfoFields();
bool writeFailInfo(int kind, int variant, int cid, int mid);
bool removeFailInfo();
// Removes the record only when it is of this kind, customer and model: a run
// repairs only the device it flashed. False when a matching record stays.
bool removeFailInfoOf(int kind, int cid, int mid);
// cidText and midText as Config.ini stores them.
bool writeMouseVersion(const QString &cidText, const QString &midText, const QString &version);
QString mouseVersion(const QString &cidText, const QString &midText);
QString markerFilePath();
// Creates or empties the marker file; false (logged) when that fails.
bool touchMarkerFile();

} // namespace UpgradeRecords
