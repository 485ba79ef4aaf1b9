#pragma once

#include <QString>

// The product name: per-user folder, single-instance lock, registry paths,
// autostart entry, tray tool tip. It lives at the bottom so the platform
// services that are named after the product need nothing from above.
inline const QString ProductName = QStringLiteral("ORVAK");
