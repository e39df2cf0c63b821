#pragma once
// Random but legal renderer states for the soak tests: random meshes with
// tiny to huge coordinates and texture coordinates out to the int32 limits,
// a pool of textures that includes an empty one, random turns, scales and
// positions, focal lengths, client areas, viewports and window rectangles.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "tests/soak/guarded_frame.h"

constexpr int32_t kRandomMeshCount = 3;
constexpr int32_t kSoakObjectCount = 1 + kRandomMeshCount;  // 0: built-in

// The scene: mesh 0 the built-in model on object 0 with the demo's seven
// images, then one random mesh per further object; textures first a pool
// of random images (the last one empty), then the seven images. The depth
// buffer is sized for the desktop, and the workspace grown to the scene.
struct SoakScene {
  renderer::Scene scene;
  renderer::View view;
  std::vector<float> depth;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
  int32_t poolSize = 0;      // the random images come first
  renderer::Texture heldImages[renderer::kTextureSlotCount];
  bool imagesEmptied = false;  // the seven images are held aside
};

// Builds the scene for `target`'s desktop with the images from
// `textureFolder`, and draws one frame so the workspace has grown.
void BuildSoakScene(SoakScene* scene, GuardedFrame* target,
                    const char* textureFolder);

// Draws one random state into the scene, its objects, the view and
// `target`'s window geometry.
void RandomiseState(SoakScene* scene, GuardedFrame* target,
                    std::mt19937_64* rng);

// The projection, viewport and window geometry of the current state, for a
// failure report.
std::string DescribeState(const SoakScene& scene, const GuardedFrame& target);

// Puts back the images that the last state held aside.
void RestoreImages(SoakScene* scene);
