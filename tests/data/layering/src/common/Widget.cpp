#include "common/Shared.h"
#include "device/Chooser.h"
#include "app/PostMsg.h"
