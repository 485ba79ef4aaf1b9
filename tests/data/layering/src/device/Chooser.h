#pragma once
#include "common/Shared.h"
