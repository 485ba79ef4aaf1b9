#include "buttons/Page.h"
#include "macro/Editor.h"
#include "unbuilt/Gauge.h"
