#pragma once
#include "model/Shared.h"
