#pragma once

#include <QString>

// Firmware image searches in <appdir>/bin. kind 210 = mouse image, 211 =
// receiver image. True when a matching image carries another version than
// `version` (or `version` is empty); the match is kept for the upgrade
// (LoadUpgradeImage) or the repair (LoadRepairImage).
bool LoadUpgradeImage(int kind, QString version, QString name, int cid, int mid);
bool LoadRepairImage(int kind, QString version, QString name, int cid, int mid);
// For the current device: whether an image with another version exists
// (kind 211 with variant 1, 2, 4 or 8 picks the receiver's model name).
bool HasNewFirmware(int kind, QString version, int variant);
