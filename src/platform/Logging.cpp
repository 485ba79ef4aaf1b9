#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcDevice, "orvak.device", QtWarningMsg)
Q_LOGGING_CATEGORY(lcApp, "orvak.app", QtWarningMsg)
