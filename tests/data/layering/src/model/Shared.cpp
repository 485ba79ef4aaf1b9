#include "model/Shared.h"
#include "macro/Editor.h"
