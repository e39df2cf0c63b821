#pragma once
// Parts of the demo's animation kept out of the public header: the fin
// scroll on its own, and the step of a scene made by MakeDemoScene, which
// the library's own tests drive.
#include "renderer/demo.h"

namespace renderer {

// Moves the fins' texture by 10 texels: u += 10 on every corner of the
// built-in model's triangles 12 to 19 (fewer when `model` has fewer).
void ScrollFinTexture(Mesh& model);

// The demo's animation step on a scene from MakeDemoScene: object 0 turns,
// mesh 0's fins scroll (each when the scene has one).
void AnimateDemoScene(Scene& scene, bool rotationPaused,
                      bool textureScrollPaused);

}  // namespace renderer
