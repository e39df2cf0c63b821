#pragma once
// A scene file's contents, read and checked, in plain values: what
// the library builds its textures, meshes and objects from.
#include <cstdint>
#include <string>
#include <vector>

#include "renderer/geometry.h"
#include "renderer/mesh.h"
#include "renderer/texture.h"

namespace renderer {

constexpr int32_t kDefaultFrameWidth = 1920;
constexpr int32_t kDefaultFrameHeight = 1080;
constexpr int32_t kDefaultClientWidth = 800;
constexpr int32_t kDefaultClientHeight = 600;
constexpr int32_t kMaxFrameSide = 16384;
constexpr int32_t kNoMeshEntry = -1;
constexpr int32_t kViewportLeft = 1;
constexpr int32_t kViewportTop = 2;
constexpr int32_t kViewportRight = 4;
constexpr int32_t kViewportBottom = 8;

struct TextureEntry {
  int32_t hasFile;
  std::string file;  // as written in the scene file
  std::string path;  // resolved against the scene file's folder
  int32_t opaqueWhite;
};

struct TriangleEntry {
  int32_t vertex[3];
  int32_t colour[3];
  int32_t texture;  // index into the scene's textures, or kNoTexture
  double uv[3][2];
};

struct LineEntry {
  int32_t from;
  int32_t to;
  int32_t fromColour;  // 0x00RRGGBB
  int32_t toColour;
};

struct MeshEntry {
  int32_t builtin;  // 1: the built-in model; the lists below stay empty
  int32_t fromFile;  // 1: a model file, read into `model` when the scene is
  std::string file;  // read (`file` as written, `model` its mesh and
  Mesh model;  // `modelTextures` the textures it indexes)
  std::vector<Texture> modelTextures;
  std::vector<std::string> modelWarnings;  // missing files it is drawn without
  std::vector<IntVertex> vertices;
  int32_t hasVertexVectors;
  std::vector<Vector3> vertexVectors;
  std::vector<TriangleEntry> triangles;
  std::vector<LineEntry> lines;
};

enum class TransformKind { kRotateX, kRotateY, kRotateZ, kScale, kReset };

struct TransformEntry {
  TransformKind kind;
  double amount;  // degrees or factor; unused by kReset
};

struct ObjectEntry {
  int32_t mesh;  // index into the meshes, or kNoMeshEntry: draws nothing
  double orientation[3][3];
  int32_t position[3];
  std::vector<TransformEntry> transforms;
};

struct SceneDescription {
  int32_t frameWidth;
  int32_t frameHeight;
  int32_t clientWidth;
  int32_t clientHeight;
  int32_t viewportSidesGiven;  // kViewport* bits of the sides the file sets
  int32_t viewportLeft;
  int32_t viewportTop;
  int32_t viewportRight;
  int32_t viewportBottom;
  int32_t focalLength;
  int32_t nearZ;
  int32_t hasCentreX;
  double centreX;
  int32_t hasCentreY;
  double centreY;
  std::vector<TextureEntry> textures;
  int32_t hasBuiltinTextures;
  std::string builtinTextures;  // resolved against the scene file's folder
  std::vector<MeshEntry> meshes;
  std::vector<ObjectEntry> objects;
  int32_t animationSteps;
  int32_t animatedObject;  // the object animation steps turn
};

// The values a scene file without any key stands for: the built-in model,
// one object as the demo's start-up makes it, the default sizes and camera.
SceneDescription DefaultSceneDescription();

// An object with every default: mesh 0, identity, at (0, 0, 3200).
ObjectEntry DefaultObjectEntry();

// 1 when some mesh of the scene is the built-in model.
int32_t UsesBuiltinModel(const SceneDescription& scene);

// The viewport and camera centre the scene draws with, once the client size
// is final: the sides and centre the file sets, else (0, 0, w, h) and
// (w >> 1, h >> 1).
void ResolveViewportAndCentre(SceneDescription* scene);

}  // namespace renderer
