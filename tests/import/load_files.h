#pragma once
// Loads a generated model from memory, as LoadModel would from its folder.
#include <string>
#include <vector>

#include "renderer/geometry.h"
#include "scene/import/model_import.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_description.h"
#include "testmodels/model_writers.h"

struct Loaded {
  bool ok = false;
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
  std::string error;
  std::vector<std::string> warnings;
};

// Reads `main` out of `files` (by its ending) with the others beside it.
inline Loaded LoadFiles(const models::FileSet& files, const std::string& main) {
  Loaded out;
  renderer::ModelFiles source;
  source.memory = &files;
  const auto found = files.find(main);
  const std::vector<uint8_t> bytes =
      found == files.end() ? std::vector<uint8_t>() : found->second;
  const std::string ending = main.substr(main.rfind('.'));
  if (ending == ".obj") {
    out.ok = renderer::LoadObjModel(bytes, main, source, &out.mesh, &out.textures,
                                    &out.warnings, &out.error);
  } else {
    out.ok = renderer::LoadGltfModel(bytes, ending == ".glb", main, source, &out.mesh,
                                     &out.textures, &out.warnings, &out.error);
  }
  return out;
}

// The fill's plane normal of triangle `t`: E2 x E1 with E1, E2 the edges
// from corner 0.
inline renderer::Vector3 FillNormal(const renderer::Mesh& mesh, size_t t) {
  const auto& v = mesh.vertices;
  const auto& tri = mesh.triangles[t];
  const renderer::IntVertex a = v[size_t(tri.vertex[0])], b = v[size_t(tri.vertex[1])],
                            c = v[size_t(tri.vertex[2])];
  const double e1[3] = {double(b.x - a.x), double(b.y - a.y), double(b.z - a.z)};
  const double e2[3] = {double(c.x - a.x), double(c.y - a.y), double(c.z - a.z)};
  return {e2[1] * e1[2] - e1[1] * e2[2], e1[0] * e2[2] - e2[0] * e1[2],
          e1[1] * e2[0] - e2[1] * e1[0]};
}

// A textured triangle as m.gltf with m.bin and m-0.png beside it, its
// material's colour factor (red, green, blue).
inline models::FileSet TexturedTriangleGltf(double red, double green, double blue) {
  models::GenPrimitive p;
  p.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  p.uvs = {0, 0, 1, 0, 0, 1};
  p.indices = {0, 1, 2};
  p.material = 0;
  models::GenModel model;
  model.meshes = {{p}};
  model.images = {models::SolidImage(2, 2, 0x102030)};
  model.materials = {models::ColourMaterial("m", red, green, blue)};
  model.materials[0].image = 0;
  models::GenNode node;
  node.mesh = 0;
  model.nodes = {node};
  model.roots = {0};
  return models::WriteGltf(model, "m", models::GltfLayout::kExternal,
                           models::ImageKind::kPng);
}
