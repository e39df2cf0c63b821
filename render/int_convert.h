#pragma once
// The renderer's int32 conversions, which callers use too: they are public,
// in <renderer/int32.h>.
#include "renderer/int32.h"
