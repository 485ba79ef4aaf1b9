#pragma once

#include <QString>

// Start with the desktop session: the autostart entry
// <XDG config>/autostart/ORVAK.desktop (usually ~/.config/autostart/).
namespace AutoStart {

QString entryPath();
bool isEnabled();
// Writes the entry for `program` (the running executable when empty), or
// removes it. False (logged) when the file could not be written or removed.
bool setEnabled(bool enabled, const QString &program = QString());

} // namespace AutoStart
