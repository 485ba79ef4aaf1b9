#pragma once

// The firmware dialog (upgrade and repair) as the tests read it: its status
// line and the colour it is drawn in.

#include "settings/UpDateRepair.h"

#include <QColor>
#include <QLabel>
#include <QPalette>

namespace RepairDialogReader {

inline QLabel *StatusLabel()
{
    return RepairDialog->findChild<QLabel *>(QStringLiteral("ToolText_2"));
}

inline QString Status()
{
    return StatusLabel()->text();
}

// Problems are drawn in red.
inline bool StatusIsRed()
{
    QLabel *label = StatusLabel();
    label->ensurePolished();
    return label->palette().color(label->foregroundRole()) == QColor(255, 0, 0);
}

} // namespace RepairDialogReader
