#pragma once
// render-scene from parsed options to written files.
#include "tools/render_scene/tool_options.h"

// Returns the exit status: 0 when every output was written, 2 for an
// invalid scene (one line on stderr), 1 when an output could not be written.
int RunRenderScene(const ToolOptions& options);
