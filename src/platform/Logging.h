#pragma once

#include <QLoggingCategory>

// The program's own traces. Both categories pass warnings and worse; their
// debug and info messages stay quiet unless asked for, e.g. with
//   QT_LOGGING_RULES="orvak.*.debug=true"

// "orvak.device": the device link, pairing and the firmware upgrade thread.
Q_DECLARE_LOGGING_CATEGORY(lcDevice)
// "orvak.app": start-up and the main window.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
