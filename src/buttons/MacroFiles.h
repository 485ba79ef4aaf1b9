#pragma once

#include <QString>

// The per-user macro folder, usersetting/MacroPage/ of UserFolder::path().
QString MacroFolderPath();

// Path of the file of macro name, or an empty text when name would leave the
// macro folder or is empty (see AssignmentLabels::IsSafeMacroName).
QString MacroFilePath(const QString &name);

// Creates or replaces the file of macro name with text + "\n" (UTF-8).
// Refuses unsafe names; false when refused or not written.
bool WriteMacroFile(const QString &name, const QString &text);
