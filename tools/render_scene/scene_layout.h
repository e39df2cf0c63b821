#pragma once
// The frame's geometry: command-line sizes that replace the scene's, and the
// checks that keep the client area and viewport inside the frame buffer.
#include <cstdint>

#include "tools/render_scene/json_fields.h"
#include "tools/render_scene/scene_description.h"

// Sizes given on the command line (--client, --desktop); they win over the
// scene file's.
struct SceneOverrides {
  int32_t hasClient;
  int32_t clientWidth;
  int32_t clientHeight;
  int32_t hasDesktop;
  int32_t desktopWidth;
  int32_t desktopHeight;
};

// Puts the overrides in place, settles the viewport and camera centre, and
// checks the result with CheckSceneLayout.
int32_t ApplySceneOverrides(const SceneOverrides& overrides,
                            SceneDescription* scene, SceneError* error);

// The client area must fit in the frame buffer, and the viewport (whose
// right and bottom bounds are inclusive) must lie between 0 and the frame
// buffer's width and height. Refusals name the scene key, or the option when
// the size came from the command line.
int32_t CheckSceneLayout(const SceneDescription& scene,
                         const SceneOverrides& overrides, SceneError* error);
