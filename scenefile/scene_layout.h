#pragma once
// The frame's geometry: given sizes that replace the scene's, and the
// checks that keep the client area and viewport inside the frame buffer.
#include <cstdint>

#include "renderer/scene_file.h"
#include "scenefile/json_fields.h"
#include "scenefile/scene_description.h"

namespace renderer {

// Puts the overrides in place, settles the viewport and camera centre, and
// checks the result with CheckSceneLayout.
int32_t ApplySceneOverrides(const SceneOverrides& overrides,
                            SceneDescription* scene, SceneError* error);

// The client area must fit in the frame buffer, and the viewport (whose
// right and bottom bounds are inclusive) must lie between 0 and the frame
// buffer's width and height. Refusals name the scene key, or the option when
// the size was given (--client, as render-scene names it).
int32_t CheckSceneLayout(const SceneDescription& scene,
                         const SceneOverrides& overrides, SceneError* error);

}  // namespace renderer
