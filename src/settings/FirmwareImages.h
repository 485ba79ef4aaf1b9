#pragma once

#include <QByteArray>
#include <QString>

// Firmware image files *.bin in <appdir>/bin. Each starts with a 728-byte
// header: version (offset 16, (major << 8) + minor), kind (20: 210 mouse,
// 211 receiver), customer id (21), model id (22) and model name (87, 64 bytes,
// ends at the first NUL). The library's own integrity record (tag, body
// length, body CRC) sits in the first 16 bytes; an image whose record does not
// fit its file is never offered, since flashing it could leave the device in
// boot mode.
//
// The scans may run on the GUI thread and, for the second image of a repair,
// on the device library's upgrade thread; the kept images are guarded.

constexpr int FirmwareKindMouse = 210;
constexpr int FirmwareKindReceiver = 211;

// "v" + major in decimal + "." + minor as two upper-case hex digits.
QString FirmwareVersionText(quint32 version);

// Keep the highest matching image newer than `version` (any version when
// `version` is empty) in UpgradeImageList; true when there is one. A scan
// that cannot read one of the files keeps nothing and gives false; a file
// shorter than the header or longer than any image is skipped (logged).
bool LoadUpgradeImage(int kind, QString version, QString name, int cid, int mid);
// The same for the repair (RepairImageList); any version other than
// `version` is taken, the highest of them.
bool LoadRepairImage(int kind, QString version, QString name, int cid, int mid);
// Only whether a newer image exists; an empty `version` gives false.
bool FindNewerImage(int kind, QString version, QString name, int cid, int mid);
// True when the Config.ini group `group` names a receiver model of any variant.
bool ModelHasReceiver(const QString &group);
// For the current device: kind 210 matches the model's "MM"; kind 211 the
// receiver name of `variant` (1 "DM", 2 "D2M", 4 "D4M", 8 "D8M"; any other
// variant gives false without a scan). The mouse of a model without
// receivers is offered its images as well: its mouse stage runs alone.
bool HasNewFirmware(int kind, QString version, int variant);

// The images the last keeping scans chose (empty when none). Copies share the
// buffer, so an upgrade holding one keeps it valid whatever later scans do.
QByteArray UpgradeImage();
QByteArray RepairImage();

// Version text of an image's header; empty for a buffer shorter than it.
QString ImageVersionText(const QByteArray &image);

// The folder scanned: <appdir>/bin unless a test chose another one (empty
// text restores the default).
QString FirmwareFolder();
void SetFirmwareFolder(const QString &folder);

// Library calls with an image buffer; they keep the buffer alive until a later
// run replaces it (the library reads it while flashing).
bool FindBootDevicesFor(const QByteArray &image, int *count);
bool StartUpgradeWith(const QByteArray &image, void (*callback)(const unsigned char *));
