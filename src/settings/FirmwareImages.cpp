#include "settings/FirmwareImages.h"

#include <QDebug>

// The image searches come with the firmware upgrade. Until then no image is
// ever offered: every search answers "nothing newer", and says so in the log
// rather than pretending to have looked.

bool LoadUpgradeImage(int kind, QString, QString, int, int)
{
    qDebug() << "firmware image search not available yet (kind" << kind << ")";
    return false;
}

bool LoadRepairImage(int kind, QString, QString, int, int)
{
    qDebug() << "firmware image search not available yet (kind" << kind << ")";
    return false;
}

bool HasNewFirmware(int kind, QString, int)
{
    qDebug() << "firmware image search not available yet (kind" << kind << ")";
    return false;
}
