#pragma once
// Counts every heap allocation of this process (malloc, calloc, realloc,
// the aligned forms, and operator new, which goes through them) while
// counting is on. Under AddressSanitizer it listens to the sanitizer's own
// allocation hook instead of replacing malloc.
#include <cstdint>

void StartCountingAllocations();

// Stops counting; returns the allocations seen since the start.
int64_t StopCountingAllocations();
