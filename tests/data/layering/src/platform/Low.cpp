#include "platform/Low.h"
#include "common/Shared.h"
