// The renderer's short-cuts into the shell's window record; unbound (all
// null) until the desktop program or the headless target binds them.
#include "render/frame_target.h"

FrameShortcuts frame = {};
