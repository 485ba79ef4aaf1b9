#pragma once
#include "buttons/Page.h"
#include "macro/Editor.h"
