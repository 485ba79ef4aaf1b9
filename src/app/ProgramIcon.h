#pragma once

#include <QIcon>
#include <QString>

// The program's own icon, for its windows and dialogs (the window list and
// the task bar show it).
namespace ProgramIcon {

// The icon in every size found for a program in `programFolder`: beside it in
// the build's install tree (icons/<size>/orvak.png), or, installed into
// <prefix>/lib/orvak, in the prefix's icon theme
// (share/icons/hicolor/<size>/apps/orvak.png). A null icon when there is none.
QIcon find(const QString &programFolder);

} // namespace ProgramIcon
