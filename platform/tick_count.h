#pragma once
// Milliseconds of a steady clock as an unsigned 32-bit count that wraps
// about every 49.7 days, read through the platform record's clock, which
// tests may replace.
#include <cstdint>

#include "platform/platform.h"

namespace platform {

using TickSource = uint32_t (*)();

// The clock that GetTickCount reads from now on; SystemTickCount until
// replaced.
void SetTickSource(Platform& platform, TickSource source);

uint32_t GetTickCount(const Platform& platform);

// Milliseconds of the system's monotonic clock, modulo 2^32.
uint32_t SystemTickCount();

}  // namespace platform
