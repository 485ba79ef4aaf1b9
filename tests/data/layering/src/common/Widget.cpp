#include "common/Shared.h"
#include "device/Chooser.h"
#include "hub/PostMsg.h"
