#pragma once
// Start-up cost of the big buffers: the frame buffer and the depth buffer
// are some 8 MB each, and touching them the first time page by page is a
// large part of start-up. Asking for huge pages over them makes that first
// touch a handful of faults instead of thousands.
#include <cstddef>

namespace renderer {

// Advises the kernel to back the whole 2 MB pages inside [start, start +
// bytes) with huge pages. Only advice: contents and behaviour are
// unchanged, and nothing happens where the system does not offer it.
void AdviseHugePages(void* start, size_t bytes);

}  // namespace renderer
