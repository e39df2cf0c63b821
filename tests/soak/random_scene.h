#pragma once
// Random but legal renderer states for the soak tests: random meshes with
// tiny to huge coordinates and texture coordinates out to the int32 limits,
// a pool of textures that includes an empty one, random turns, scales and
// positions, focal lengths, client areas, viewports and window rectangles.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "scene/mesh.h"
#include "tests/soak/guarded_frame.h"

constexpr int32_t kRandomMeshCount = 3;
constexpr int32_t kSoakObjectCount = 1 + kRandomMeshCount;  // 0: built-in

struct RandomMesh {
  std::vector<IntVertex> vertices;
  std::vector<Vector3> vectors;
  std::vector<MeshTriangle> triangles;
  std::vector<MeshLine> lines;
  Mesh mesh;
};

struct SoakScene {
  std::vector<std::vector<uint8_t>> texelStore;
  std::vector<Texture> texturePool;  // the last one is empty
  RandomMesh meshes[kRandomMeshCount];
  Texture heldSlots[kTextureSlotCount];  // the images while slots are empty
  int32_t slotsEmptied;
};

// Loads the seven images from `textureFolder`, builds the built-in model
// (once per process), makes the object array (object 0 the built-in model,
// then one object per random mesh) and allocates the render buffers for the
// bound frame's desktop.
void BuildSoakScene(SoakScene* scene, const char* textureFolder);

// Draws one random state into the scene, its objects, the render context
// and `target`'s window geometry.
void RandomiseState(SoakScene* scene, GuardedFrame* target,
                    std::mt19937_64* rng);

// The projection, viewport and window geometry of the current state, for a
// failure report.
std::string DescribeState(const GuardedFrame& target);

// Puts back texture slots that the last state emptied.
void RestoreTextureSlots(SoakScene* scene);
