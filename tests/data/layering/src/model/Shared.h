#pragma once
#include "device/Chooser.h"
