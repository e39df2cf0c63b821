#pragma once
// PNG writing tuned for sequences: fast zlib settings, rows taken straight
// from the frame's 0x00RRGGBB memory, and a stop check between rows.
#include <cstdint>

#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/stop_signal.h"

// Writes `image` as an 8-bit RGB PNG. Returns 1 when the whole file was
// written; 0 when it could not be, or when `stop` (may be null) turned
// non-zero between two rows, leaving the file unfinished.
int32_t WritePngFile(const char* fileName, const PixelRect& image,
                     const StopFlag* stop);
