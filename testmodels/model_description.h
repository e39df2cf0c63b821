#pragma once
// A model as the generator describes it, close to glTF: images, materials,
// meshes of primitives, and a node tree. Written out by model_writers.h.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace models {

// Four bytes a texel (red, green, blue, alpha), top row first.
struct GenImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
  bool alpha = false;  // written with an alpha channel (PNG only)
};

struct GenMaterial {
  std::string name;
  double colour[4] = {1, 1, 1, 1};  // linear base colour factor
  int image = -1;                   // base-colour texture
  std::string alphaMode = "OPAQUE";
  double alphaCutoff = 0.5;
};

// glTF primitive modes.
enum GenMode { kPoints = 0, kLines = 1, kLineLoop = 2, kLineStrip = 3,
               kTriangles = 4, kTriangleStrip = 5, kTriangleFan = 6 };

struct GenPrimitive {
  int mode = kTriangles;
  std::vector<float> positions;  // x, y, z per vertex
  std::vector<float> uvs;        // u, v per vertex (glTF: v from the top)
  std::vector<float> colours;    // r, g, b, a per vertex (linear), or none
  std::vector<uint32_t> indices; // or none: vertices in order
  int material = -1;
};

struct GenNode {
  std::string name;
  int mesh = -1;
  std::vector<int> children;
  double translation[3] = {0, 0, 0};
  double rotation[4] = {0, 0, 0, 1};  // quaternion x, y, z, w
  double scale[3] = {1, 1, 1};
};

struct GenModel {
  std::vector<GenImage> images;
  std::vector<GenMaterial> materials;
  std::vector<std::vector<GenPrimitive>> meshes;
  std::vector<GenNode> nodes;
  std::vector<int> roots;
};

// File name -> contents: a model and the files it refers to.
using FileSet = std::map<std::string, std::vector<uint8_t>>;

}  // namespace models
