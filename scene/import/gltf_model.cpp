// glTF scenes into one model mesh: nodes, primitives, materials, images.
#include <algorithm>
#include <cmath>

#include "scene/import/gltf_load.h"
#include "scene/import/gltf_nodes.h"
#include "scene/import/image_decode.h"
#include "scene/import/model_colour.h"
#include "scene/import/model_import.h"
#include "scene/import/model_mesh.h"
#include "scene/import/model_normals.h"

namespace renderer {

namespace {

// How a material draws: a texture (and which TEXCOORD set) or a colour.
struct MaterialLook {
  bool resolved = false;
  int32_t texture = kNoTexture;
  int texCoord = 0;
  LinearColour colour;
};

struct GltfBuild {
  const tinygltf::Model& model;
  GltfSideFiles& side;
  const std::string& name;
  std::vector<std::string>& warnings;
  std::vector<char> warnedImages;  // by image index
  ModelMesh mesh;
  std::vector<Texture> textures;
  std::vector<MaterialLook> looks;  // by material index
};

bool Fail(GltfError* error, std::string place, std::string problem) {
  error->place = std::move(place);
  error->problem = std::move(problem);
  return false;
}

std::string Indexed(const std::string& list, size_t index) {
  return list + "[" + std::to_string(index) + "]";
}

std::string OutOfRange(const char* what, int index, size_t count, const char* list) {
  return std::string(what) + " " + std::to_string(index) + " out of range (" +
         std::to_string(count) + " " + list + ")";
}

// The encoded bytes of images[index]: from its checked bufferView, or as
// the parser kept them from its URI.
bool ImageBytes(const GltfBuild& build, int index, const uint8_t** bytes,
                size_t* length, GltfError* error) {
  const tinygltf::Image& image = build.model.images[size_t(index)];
  const std::string here = Indexed("images", size_t(index));
  if (image.bufferView >= 0) {
    return ViewBufferView(build.model, image.bufferView, here + ".bufferView",
                          bytes, length, error);
  }
  if (build.side.imageRead[size_t(index)] == 0) {
    for (const auto& [path, problem] : build.side.refused) {
      if (path == image.uri) return Fail(error, here + ".uri " + Quoted(path), problem);
    }
    return Fail(error, here, "its data could not be read");
  }
  *bytes = build.side.imageBytes[size_t(index)].data();
  *length = build.side.imageBytes[size_t(index)].size();
  return true;
}

// True when images[index] is a file that does not exist (ModelFileMissing):
// its materials are drawn without it, with one warning for the file.
bool ImageMissing(GltfBuild& build, int index) {
  const tinygltf::Image& image = build.model.images[size_t(index)];
  if (image.bufferView >= 0 || build.side.imageRead[size_t(index)] != 0) return false;
  const auto& missing = build.side.missing;
  if (std::find(missing.begin(), missing.end(), image.uri) == missing.end()) return false;
  build.warnedImages.resize(build.model.images.size(), 0);
  if (build.warnedImages[size_t(index)] == 0) {
    build.warnedImages[size_t(index)] = 1;
    build.warnings.push_back(MissingFileWarning(
        build.name, Indexed("images", size_t(index)) + ".uri " + Quoted(image.uri),
        "its texture"));
  }
  return true;
}

// Decodes the material's base-colour image and adds the texture it draws.
bool AddMaterialTexture(GltfBuild& build, const tinygltf::Material& material,
                        const std::string& here, MaterialLook* look,
                        GltfError* error) {
  const tinygltf::Model& model = build.model;
  const tinygltf::TextureInfo& info = material.pbrMetallicRoughness.baseColorTexture;
  const std::string place = here + ".pbrMetallicRoughness.baseColorTexture";
  if (size_t(info.index) >= model.textures.size()) {
    return Fail(error, place + ".index",
                OutOfRange("texture", info.index, model.textures.size(), "textures"));
  }
  const int source = model.textures[size_t(info.index)].source;
  if (source < 0 || size_t(source) >= model.images.size()) {
    return Fail(error, Indexed("textures", size_t(info.index)) + ".source",
                OutOfRange("image", source, model.images.size(), "images"));
  }
  if (info.texCoord < 0) return Fail(error, place + ".texCoord", "is negative");
  if (ImageMissing(build, source)) return true;  // drawn in the material's colour
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  if (!ImageBytes(build, source, &bytes, &length, error)) return false;
  DecodedImage image;
  std::string problem;
  if (!DecodeImage(bytes, length, &image, &problem)) {
    return Fail(error, Indexed("images", size_t(source)), problem);
  }
  double cutOff = -1;
  if (material.alphaMode == "MASK") cutOff = material.alphaCutoff;
  if (material.alphaMode == "BLEND") cutOff = 0.5;
  if (!std::isfinite(cutOff)) return Fail(error, here + ".alphaCutoff", "is not finite");
  build.textures.push_back(MaterialTexture(image, look->colour, cutOff));
  look->texture = int32_t(build.textures.size() - 1);
  look->texCoord = info.texCoord;
  return true;
}

bool ResolveMaterial(GltfBuild& build, int index, const std::string& place,
                     MaterialLook** look, GltfError* error) {
  if (index < 0 || size_t(index) >= build.model.materials.size()) {
    return Fail(error, place, OutOfRange("material", index,
                                         build.model.materials.size(), "materials"));
  }
  *look = &build.looks[size_t(index)];
  if ((*look)->resolved) return true;
  const tinygltf::Material& material = build.model.materials[size_t(index)];
  const std::string here = Indexed("materials", size_t(index));
  const std::vector<double>& f = material.pbrMetallicRoughness.baseColorFactor;
  if (f.size() != 4 || !std::isfinite(f[0] + f[1] + f[2] + f[3])) {
    return Fail(error, here + ".pbrMetallicRoughness.baseColorFactor",
                "needs 4 finite numbers");
  }
  (*look)->colour = {f[0], f[1], f[2], f[3]};
  if (material.pbrMetallicRoughness.baseColorTexture.index >= 0 &&
      !AddMaterialTexture(build, material, here, *look, error)) {
    return false;
  }
  (*look)->resolved = true;
  return true;
}

// The checked accessors of one primitive.
struct PrimitiveData {
  AccessorView positions, colours, uvs, indices, normals;
  bool hasColours = false, hasUvs = false, hasIndices = false;
  bool hasNormals = false;
  const double* matrix = nullptr;  // the node's, for the normals
  size_t vertexCount = 0;
  size_t base = 0;  // index of its first position in the model mesh
};

bool ViewAttribute(const tinygltf::Model& model, const tinygltf::Primitive& p,
                   const std::string& name, const std::string& place,
                   uint32_t counts, size_t vertexCount, AccessorView* view,
                   GltfError* error) {
  const std::string here = place + ".attributes." + name;
  if (!ViewAccessor(model, p.attributes.at(name), here, counts, view, error)) {
    return false;
  }
  if (vertexCount != SIZE_MAX && view->count != vertexCount) {
    return Fail(error, here, std::to_string(view->count) + " elements, POSITION has " +
                                 std::to_string(vertexCount));
  }
  // Positions are checked once moved by their node (AddPositions).
  const size_t bad = name == "POSITION" ? view->count : FirstNonFinite(*view);
  if (bad < view->count) {
    return Fail(error, here, "element " + std::to_string(bad) + " is not a finite number");
  }
  return true;
}

bool ViewPrimitive(const tinygltf::Model& model, const tinygltf::Primitive& p,
                   const std::string& place, const MaterialLook* look,
                   bool textured, PrimitiveData* data, GltfError* error) {
  if (p.attributes.count("POSITION") == 0) {
    return Fail(error, place + ".attributes", "has no POSITION");
  }
  if (!ViewAttribute(model, p, "POSITION", place, kVec3, SIZE_MAX, &data->positions, error)) {
    return false;
  }
  data->vertexCount = data->positions.count;
  data->hasColours = look != nullptr && p.attributes.count("COLOR_0") != 0;
  if (data->hasColours && !ViewAttribute(model, p, "COLOR_0", place, kVec3 | kVec4,
                                         data->vertexCount, &data->colours, error)) {
    return false;
  }
  if (textured) {
    const std::string name = "TEXCOORD_" + std::to_string(look->texCoord);
    if (p.attributes.count(name) == 0) {
      return Fail(error, place + ".attributes", "has no " + name +
                                                    " for its material's texture");
    }
    data->hasUvs = true;
    if (!ViewAttribute(model, p, name, place, kVec2, data->vertexCount, &data->uvs, error)) {
      return false;
    }
  }
  data->hasNormals = p.attributes.count("NORMAL") != 0;
  if (data->hasNormals && !ViewAttribute(model, p, "NORMAL", place, kVec3,
                                         data->vertexCount, &data->normals, error)) {
    return false;
  }
  data->hasIndices = p.indices >= 0;
  if (!data->hasIndices) return true;
  if (!ViewAccessor(model, p.indices, place + ".indices", kScalar, &data->indices, error)) {
    return false;
  }
  const int type = data->indices.componentType;
  if (type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
      type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
      type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
    return Fail(error, Indexed("accessors", size_t(p.indices)),
                "indices must be unsigned bytes, shorts or ints");
  }
  return true;
}

// Appends the primitive's positions, moved by the node's matrix.
bool AddPositions(GltfBuild& build, const NodeInstance& node,
                  PrimitiveData* data, const std::string& place, GltfError* error) {
  if (!RoomFor(build.mesh.positions.size(), data->vertexCount)) {
    return Fail(error, place, "the model has more than 2^31 - 1 vertices");
  }
  data->base = build.mesh.positions.size();
  data->matrix = node.matrix;
  std::vector<Vector3>& positions = build.mesh.positions;
  if (positions.capacity() < data->base + data->vertexCount) {
    positions.reserve(std::max(data->base + data->vertexCount, data->base * 2));
  }
  for (size_t i = 0; i < data->vertexCount; ++i) {
    const Vector3 p{ReadNumber(data->positions, i, 0), ReadNumber(data->positions, i, 1),
                    ReadNumber(data->positions, i, 2)};
    const Vector3 moved = TransformPoint(node.matrix, p);
    if (!std::isfinite(moved.x + moved.y + moved.z)) {
      return Fail(error, place + ".attributes.POSITION",
                  "element " + std::to_string(i) + " is not a finite position" +
                      " (after the node transforms)");
    }
    build.mesh.positions.push_back(moved);
  }
  return true;
}

// The vertex order of the primitive: its indices, or 0, 1, 2, ...; read
// from the document where it lies rather than copied (a large model's
// indices would otherwise be held twice while its triangles are built).
struct VertexOrder {
  const PrimitiveData* data;
  size_t size() const {
    return data->hasIndices ? data->indices.count : data->vertexCount;
  }
  uint32_t operator[](size_t i) const {
    return data->hasIndices ? ReadIndex(data->indices, i) : uint32_t(i);
  }
};

// True when every index names a vertex of the primitive.
bool CheckVertexOrder(const VertexOrder& order, const std::string& place,
                      GltfError* error) {
  const size_t vertices = order.data->vertexCount;
  for (size_t i = 0; i < order.size(); ++i) {
    const uint32_t v = order[i];
    if (v >= vertices) {
      return Fail(error, place + ".indices",
                  "index " + std::to_string(v) + " at element " + std::to_string(i) +
                      " out of range (" + std::to_string(vertices) + " vertices)");
    }
  }
  return true;
}

uint32_t CornerColour(const PrimitiveData& data, const MaterialLook* look, uint32_t v) {
  if (look == nullptr) return kNoMaterialColour;
  LinearColour vertex;
  if (data.hasColours) {
    vertex = {ReadNumber(data.colours, v, 0), ReadNumber(data.colours, v, 1),
              ReadNumber(data.colours, v, 2), 1};
  }
  return EncodeColour(look->colour, vertex);
}

// The corners' NORMAL values, turned by the node, for the last triangle.
void AddNormals(GltfBuild& build, const PrimitiveData& data,
                const uint32_t corners[3]) {
  Vector3 normals[3];
  for (int k = 0; k < 3; ++k) {
    const Vector3 n{ReadNumber(data.normals, corners[k], 0),
                    ReadNumber(data.normals, corners[k], 1),
                    ReadNumber(data.normals, corners[k], 2)};
    normals[k] = data.matrix != nullptr ? TurnModelNormal(data.matrix, n) : n;
  }
  SetTriangleNormals(&build.mesh, build.mesh.triangles.size() - 1, normals);
}

void AddTriangle(GltfBuild& build, const PrimitiveData& data,
                 const MaterialLook* look, uint32_t a, uint32_t b, uint32_t c) {
  MeshTriangle t;
  const uint32_t corners[3] = {a, b, c};
  for (int k = 0; k < 3; ++k) t.vertex[k] = int32_t(data.base + corners[k]);
  if (data.hasUvs) {
    const Texture& texture = build.textures[size_t(look->texture)];
    t.texture = look->texture;
    double uv[3][2];
    for (int k = 0; k < 3; ++k) {
      uv[k][0] = ReadNumber(data.uvs, corners[k], 0) * texture.width;
      uv[k][1] = ReadNumber(data.uvs, corners[k], 1) * texture.height;
    }
    AddModelTexturedTriangle(&build.mesh, t, uv);
  } else {
    t.colour[0] = t.colour[1] = t.colour[2] = CornerColour(data, look, a);
    build.mesh.triangles.push_back(t);
  }
  if (data.hasNormals) AddNormals(build, data, corners);
}

void AddLine(GltfBuild& build, const PrimitiveData& data, const MaterialLook* look,
             uint32_t a, uint32_t b) {
  build.mesh.lines.push_back({int32_t(data.base + a), int32_t(data.base + b),
                              CornerColour(data, look, a), CornerColour(data, look, b)});
}

// Triangles and lines of one primitive in its mode's order; strips and fans
// keep the winding of their first triangle, as glTF defines them.
bool AddShapes(GltfBuild& build, const PrimitiveData& data, const MaterialLook* look,
               int mode, const VertexOrder& v, const std::string& place,
               GltfError* error) {
  const size_t n = v.size();
  const bool triangles = mode >= TINYGLTF_MODE_TRIANGLES;
  if (mode == TINYGLTF_MODE_TRIANGLES && n % 3 != 0) {
    return Fail(error, place, std::to_string(n) + " vertices do not make whole triangles");
  }
  if (mode == TINYGLTF_MODE_LINE && n % 2 != 0) {
    return Fail(error, place, std::to_string(n) + " vertices do not make whole lines");
  }
  const size_t shapes = mode == TINYGLTF_MODE_TRIANGLES ? n / 3
                        : mode == TINYGLTF_MODE_LINE     ? n / 2
                        : mode == TINYGLTF_MODE_LINE_LOOP ? (n >= 2 ? n : 0)
                        : mode == TINYGLTF_MODE_LINE_STRIP ? (n >= 2 ? n - 1 : 0)
                                                           : (n >= 3 ? n - 2 : 0);
  const size_t have = triangles ? build.mesh.triangles.size() : build.mesh.lines.size();
  if (!RoomFor(have, shapes)) {
    return Fail(error, place, std::string("the model has more than 2^31 - 1 ") +
                                  (triangles ? "triangles" : "lines"));
  }
  if (triangles) {
    std::vector<MeshTriangle>& list = build.mesh.triangles;
    if (list.capacity() < have + shapes) list.reserve(std::max(have + shapes, have * 2));
  }
  for (size_t i = 0; i < shapes; ++i) {
    switch (mode) {
      case TINYGLTF_MODE_TRIANGLES: AddTriangle(build, data, look, v[3 * i], v[3 * i + 1], v[3 * i + 2]); break;
      case TINYGLTF_MODE_TRIANGLE_STRIP:
        AddTriangle(build, data, look, v[i], v[i + 1 + i % 2], v[i + 2 - i % 2]);
        break;
      case TINYGLTF_MODE_TRIANGLE_FAN: AddTriangle(build, data, look, v[i + 1], v[i + 2], v[0]); break;
      case TINYGLTF_MODE_LINE: AddLine(build, data, look, v[2 * i], v[2 * i + 1]); break;
      default: AddLine(build, data, look, v[i], v[(i + 1) % n]); break;
    }
  }
  return true;
}

bool AddPrimitive(GltfBuild& build, const NodeInstance& node, size_t meshIndex,
                  size_t primitiveIndex, GltfError* error) {
  const tinygltf::Primitive& p =
      build.model.meshes[meshIndex].primitives[primitiveIndex];
  const std::string place =
      Indexed(Indexed("meshes", meshIndex) + ".primitives", primitiveIndex);
  if (p.mode < TINYGLTF_MODE_POINTS || p.mode > TINYGLTF_MODE_TRIANGLE_FAN) {
    return Fail(error, place + ".mode", "unknown mode " + std::to_string(p.mode));
  }
  if (p.mode == TINYGLTF_MODE_POINTS) return true;
  MaterialLook* look = nullptr;
  if (p.material >= 0 &&
      !ResolveMaterial(build, p.material, place + ".material", &look, error)) {
    return false;
  }
  if (p.material < -1) {
    return Fail(error, place + ".material", OutOfRange("material", p.material,
                                                       build.model.materials.size(), "materials"));
  }
  PrimitiveData data;
  const VertexOrder order{&data};
  // Lines draw no texture: they take the material's colour.
  const bool textured = p.mode >= TINYGLTF_MODE_TRIANGLES && look != nullptr &&
                        look->texture != kNoTexture;
  return ViewPrimitive(build.model, p, place, look, textured, &data, error) &&
         AddPositions(build, node, &data, place, error) &&
         CheckVertexOrder(order, place, error) &&
         AddShapes(build, data, look, p.mode, order, place, error);
}

bool AddScene(GltfBuild& build, GltfError* error) {
  if (!build.model.extensionsRequired.empty()) {
    return Fail(error, "extensionsRequired", "extension \"" +
                           build.model.extensionsRequired[0] + "\" is not supported");
  }
  std::vector<NodeInstance> nodes;
  if (!SceneNodes(build.model, &nodes, error)) return false;
  for (const NodeInstance& node : nodes) {
    const int mesh = build.model.nodes[size_t(node.node)].mesh;
    if (mesh < 0) continue;
    if (size_t(mesh) >= build.model.meshes.size()) {
      return Fail(error, Indexed("nodes", size_t(node.node)) + ".mesh",
                  OutOfRange("mesh", mesh, build.model.meshes.size(), "meshes"));
    }
    for (size_t p = 0; p < build.model.meshes[size_t(mesh)].primitives.size(); ++p) {
      if (!AddPrimitive(build, node, size_t(mesh), p, error)) return false;
    }
  }
  return true;
}

// Parses the file and collects its scene; the file's bytes go once parsed
// (the document holds its own copy of the buffers), and the parsed document
// is gone when this returns, before the mesh is finished.
bool CollectGltf(std::vector<uint8_t>* bytes, bool binary, const std::string& name,
                 const ModelFiles& files, ModelMesh* mesh, std::vector<Texture>* textures,
                 std::vector<std::string>* warnings, GltfError* failure) {
  tinygltf::Model model;
  GltfSideFiles side;
  const bool parsed = ParseGltf(*bytes, binary, files, &model, &side, failure);
  std::vector<uint8_t>().swap(*bytes);
  if (!parsed) return false;
  GltfBuild build{model, side, name, *warnings, {}, {}, {}, {}};
  build.looks.resize(model.materials.size());
  if (!AddScene(build, failure)) return false;
  *mesh = std::move(build.mesh);
  *textures = std::move(build.textures);
  return true;
}

}  // namespace

bool LoadGltfModel(std::vector<uint8_t> bytes, bool binary,
                   const std::string& name, const ModelFiles& files, Mesh* mesh,
                   std::vector<Texture>* textures, std::vector<std::string>* warnings,
                   std::string* error) {
  ModelMesh collected;
  std::vector<Texture> images;
  GltfError failure;
  if (!CollectGltf(&bytes, binary, name, files, &collected, &images, warnings, &failure)) {
    *error = OneLine(name + ": " + failure.place + ": " + failure.problem);
    return false;
  }
  return HandOverModel(std::move(collected), std::move(images), name, mesh,
                       textures, error);
}

}  // namespace renderer
