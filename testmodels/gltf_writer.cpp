// glTF 2.0 output of generated models, JSON through nlohmann::json.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>

#include "testmodels/image_encode.h"
#include "testmodels/model_writers.h"

namespace models {

namespace {

using nlohmann::json;

struct GltfOut {
  json doc;
  std::vector<uint8_t> bin;
};

// Appends bytes as a new bufferView (4-byte aligned); returns its index.
int AddView(GltfOut& out, const void* data, size_t size) {
  while (out.bin.size() % 4 != 0) out.bin.push_back(0);
  json view = {{"buffer", 0}, {"byteOffset", out.bin.size()}, {"byteLength", size}};
  const auto* bytes = static_cast<const uint8_t*>(data);
  out.bin.insert(out.bin.end(), bytes, bytes + size);
  out.doc["bufferViews"].push_back(view);
  return int(out.doc["bufferViews"].size() - 1);
}

int AddFloats(GltfOut& out, const std::vector<float>& values, int width,
              const char* type, bool bounds) {
  json accessor = {{"bufferView", AddView(out, values.data(), values.size() * 4)},
                   {"componentType", 5126},
                   {"count", values.size() / size_t(width)},
                   {"type", type}};
  if (bounds) {
    std::vector<float> low(values.begin(), values.begin() + width);
    std::vector<float> high = low;
    for (size_t i = 0; i < values.size(); ++i) {
      low[i % size_t(width)] = std::min(low[i % size_t(width)], values[i]);
      high[i % size_t(width)] = std::max(high[i % size_t(width)], values[i]);
    }
    accessor["min"] = low;
    accessor["max"] = high;
  }
  out.doc["accessors"].push_back(accessor);
  return int(out.doc["accessors"].size() - 1);
}

int AddIndices(GltfOut& out, const std::vector<uint32_t>& indices) {
  out.doc["accessors"].push_back(
      {{"bufferView", AddView(out, indices.data(), indices.size() * 4)},
       {"componentType", 5125},
       {"count", indices.size()},
       {"type", "SCALAR"}});
  return int(out.doc["accessors"].size() - 1);
}

json Primitive(GltfOut& out, const GenPrimitive& p) {
  json prim = {{"mode", p.mode}};
  prim["attributes"]["POSITION"] = AddFloats(out, p.positions, 3, "VEC3", true);
  if (!p.uvs.empty()) prim["attributes"]["TEXCOORD_0"] = AddFloats(out, p.uvs, 2, "VEC2", false);
  if (!p.colours.empty()) prim["attributes"]["COLOR_0"] = AddFloats(out, p.colours, 4, "VEC4", false);
  if (!p.indices.empty()) prim["indices"] = AddIndices(out, p.indices);
  if (p.material >= 0) prim["material"] = p.material;
  return prim;
}

json Material(const GenMaterial& m) {
  json material = {{"name", m.name}};
  json& pbr = material["pbrMetallicRoughness"];
  pbr["baseColorFactor"] = {m.colour[0], m.colour[1], m.colour[2], m.colour[3]};
  pbr["metallicFactor"] = 0.0;
  if (m.image >= 0) pbr["baseColorTexture"] = {{"index", m.image}};
  if (m.alphaMode != "OPAQUE") material["alphaMode"] = m.alphaMode;
  if (m.alphaMode == "MASK") material["alphaCutoff"] = m.alphaCutoff;
  return material;
}

json Node(const GenNode& n) {
  json node = {{"name", n.name}};
  if (n.mesh >= 0) node["mesh"] = n.mesh;
  if (!n.children.empty()) node["children"] = n.children;
  const double* t = n.translation;
  const double* r = n.rotation;
  const double* s = n.scale;
  if (t[0] != 0 || t[1] != 0 || t[2] != 0) node["translation"] = {t[0], t[1], t[2]};
  if (r[0] != 0 || r[1] != 0 || r[2] != 0 || r[3] != 1) node["rotation"] = {r[0], r[1], r[2], r[3]};
  if (s[0] != 1 || s[1] != 1 || s[2] != 1) node["scale"] = {s[0], s[1], s[2]};
  return node;
}

std::string ImageFileName(const std::string& name, size_t i, bool png) {
  return name + "-" + std::to_string(i) + (png ? ".png" : ".jpg");
}

void AddImages(GltfOut& out, FileSet& files, const GenModel& model,
               const std::string& name, GltfLayout layout, ImageKind kind) {
  for (size_t i = 0; i < model.images.size(); ++i) {
    const GenImage& image = model.images[i];
    const bool png = kind == ImageKind::kPng || image.alpha;
    const std::vector<uint8_t> bytes = png ? EncodePng(image) : EncodeJpeg(image);
    const char* mime = png ? "image/png" : "image/jpeg";
    json entry;
    if (layout == GltfLayout::kBinary) {
      entry = {{"bufferView", AddView(out, bytes.data(), bytes.size())}, {"mimeType", mime}};
    } else if (layout == GltfLayout::kDataUri) {
      entry = {{"uri", std::string("data:") + mime + ";base64," + Base64(bytes)}};
    } else {
      entry = {{"uri", ImageFileName(name, i, png)}};
      files[ImageFileName(name, i, png)] = bytes;
    }
    out.doc["images"].push_back(entry);
    out.doc["textures"].push_back({{"source", i}});
  }
}

void AppendChunk(std::vector<uint8_t>& glb, const std::vector<uint8_t>& data,
                 uint32_t type, uint8_t pad) {
  std::vector<uint8_t> chunk = data;
  while (chunk.size() % 4 != 0) chunk.push_back(pad);
  const uint32_t header[2] = {uint32_t(chunk.size()), type};
  const auto* h = reinterpret_cast<const uint8_t*>(header);
  glb.insert(glb.end(), h, h + 8);
  glb.insert(glb.end(), chunk.begin(), chunk.end());
}

std::vector<uint8_t> Glb(const std::string& text, const std::vector<uint8_t>& bin) {
  std::vector<uint8_t> glb = {'g', 'l', 'T', 'F', 2, 0, 0, 0, 0, 0, 0, 0};
  AppendChunk(glb, std::vector<uint8_t>(text.begin(), text.end()), 0x4E4F534A, ' ');
  if (!bin.empty()) AppendChunk(glb, bin, 0x004E4942, 0);
  const uint32_t length = uint32_t(glb.size());
  std::memcpy(&glb[8], &length, 4);
  return glb;
}

}  // namespace

std::string Base64(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const uint32_t n = uint32_t(bytes[i]) << 16 |
                       (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                       (i + 2 < bytes.size() ? uint32_t(bytes[i + 2]) : 0);
    out += kDigits[n >> 18 & 63];
    out += kDigits[n >> 12 & 63];
    out += i + 1 < bytes.size() ? kDigits[n >> 6 & 63] : '=';
    out += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

FileSet WriteGltf(const GenModel& model, const std::string& name,
                  GltfLayout layout, ImageKind images) {
  GltfOut out;
  FileSet files;
  out.doc["asset"] = {{"version", "2.0"}, {"generator", "make-models"}};
  for (const auto& mesh : model.meshes) {
    json prims = json::array();
    for (const GenPrimitive& p : mesh) prims.push_back(Primitive(out, p));
    out.doc["meshes"].push_back({{"primitives", prims}});
  }
  for (const GenMaterial& m : model.materials) out.doc["materials"].push_back(Material(m));
  for (const GenNode& n : model.nodes) out.doc["nodes"].push_back(Node(n));
  out.doc["scenes"] = {{{"nodes", model.roots}}};
  out.doc["scene"] = 0;
  AddImages(out, files, model, name, layout, images);
  json buffer = {{"byteLength", out.bin.size()}};
  if (layout == GltfLayout::kExternal) {
    buffer["uri"] = name + ".bin";
    files[name + ".bin"] = out.bin;
  } else if (layout == GltfLayout::kDataUri) {
    buffer["uri"] = "data:application/octet-stream;base64," + Base64(out.bin);
  }
  if (!out.bin.empty()) out.doc["buffers"] = {buffer};
  const std::string text = out.doc.dump(1);
  if (layout == GltfLayout::kBinary) {
    files[name + ".glb"] = Glb(text, out.bin);
  } else {
    const std::string file = name + (layout == GltfLayout::kDataUri ? "-embedded" : "") + ".gltf";
    files[file] = std::vector<uint8_t>(text.begin(), text.end());
  }
  return files;
}

}  // namespace models
