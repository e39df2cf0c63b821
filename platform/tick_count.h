#pragma once
// Milliseconds of a steady clock as an unsigned 32-bit count that wraps
// about every 49.7 days, read through a pointer that tests may replace.
#include <cstdint>

using TickSource = uint32_t (*)();

// The clock that GetTickCount reads; SystemTickCount unless replaced.
extern TickSource tickSource;

uint32_t GetTickCount();

// Milliseconds of the system's monotonic clock, modulo 2^32.
uint32_t SystemTickCount();
