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

// Keep the newest-looking match in UpgradeImageList: true when a matching
// image's version differs from `version` (or `version` is empty).
bool LoadUpgradeImage(int kind, QString version, QString name, int cid, int mid);
// The same for the repair (RepairImageList); any other version is taken.
bool LoadRepairImage(int kind, QString version, QString name, int cid, int mid);
// Only whether another version exists; an empty `version` gives false.
bool FindNewerImage(int kind, QString version, QString name, int cid, int mid);
// For the current device: kind 210 matches the model's "MM"; kind 211 the
// receiver name of `variant` (1 "DM", 2 "D2M", 4 "D4M", 8 "D8M"; any other
// variant gives false without a scan).
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
