// Seed corpora for the model and image fuzz targets.
#include "testmodels/seed_files.h"

#include <nlohmann/json.hpp>

#include "testmodels/image_encode.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace models {

namespace {

using nlohmann::json;

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t keep) {
  bytes.resize(std::min(keep, bytes.size()));
  return bytes;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// The strip model's embedded glTF with one change applied to its JSON.
std::vector<uint8_t> Broken(const std::string& base, void (*change)(json&)) {
  json doc = json::parse(base);
  change(doc);
  return Bytes(doc.dump());
}

void AddGltfSeeds(FileSet& gltf, FileSet& glb) {
  for (const NamedModel& m : Catalog()) {
    const FileSet embedded = WriteGltf(m.model, m.name, GltfLayout::kDataUri, ImageKind::kJpeg);
    gltf[m.name + ".gltf"] = embedded.at(m.name + "-embedded.gltf");
    const FileSet binary = WriteGltf(m.model, m.name, GltfLayout::kBinary, ImageKind::kPng);
    glb[m.name + ".glb"] = binary.at(m.name + ".glb");
  }
  glb["cut_short.glb"] = Cut(glb["strip.glb"], 300);
  glb["header_only.glb"] = Cut(glb["strip.glb"], 20);
  const std::string base = Text(gltf["strip.gltf"]);
  gltf["accessor_past_end.gltf"] = Broken(base, [](json& d) { d["accessors"][0]["count"] = 1000; });
  gltf["node_cycle.gltf"] = Broken(base, [](json& d) { d["nodes"][0]["children"] = {0}; });
  gltf["index_accessor_missing.gltf"] =
      Broken(base, [](json& d) { d["meshes"][0]["primitives"][0]["indices"] = 99; });
  gltf["view_offset_huge.gltf"] =
      Broken(base, [](json& d) { d["bufferViews"][0]["byteOffset"] = 4294967296.0; });
  gltf["stride_too_small.gltf"] = Broken(base, [](json& d) { d["bufferViews"][0]["byteStride"] = 4; });
  gltf["scene_missing.gltf"] = Broken(base, [](json& d) { d["scene"] = 5; });
  gltf["buffer_outside.gltf"] = Broken(base, [](json& d) { d["buffers"][0]["uri"] = "../x.bin"; });
  gltf["buffer_http.gltf"] = Broken(base, [](json& d) { d["buffers"][0]["uri"] = "http://host/x.bin"; });
  gltf["mode_unknown.gltf"] = Broken(base, [](json& d) { d["meshes"][0]["primitives"][0]["mode"] = 9; });
}

void AddObjSeeds(FileSet& obj) {
  const std::vector<uint8_t> png = EncodePng(SolidImage(2, 2, 0x336699));
  for (const NamedModel& m : Catalog()) {
    const FileSet files = WriteObj(m.model, m.name, ImageKind::kPng);
    std::string text = Replace(Text(files.at(m.name + ".obj")), "mtllib " + m.name + ".mtl", "mtllib m.mtl");
    std::string mtl = Text(files.at(m.name + ".mtl"));
    mtl = Replace(mtl, "map_Kd " + m.name + "-0.png", "map_Kd t.png");
    obj[m.name + ".obj"] = Bytes(text + kObjMtlSeparator + mtl + kObjPngSeparator + Text(png));
  }
  obj["index_out_of_range.obj"] = Bytes("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 9\n");
  obj["not_finite.obj"] = Bytes("v 0 0 0\nv 1 nan 0\nv 0 1 0\nf 1 2 3\n");
  obj["negative_index.obj"] = Bytes("v 0 0 0\nv 1 0 0\nv 0 1 0\nf -1 -2 -3\nl 1 2 3\n");
  obj["mtl_outside.obj"] = Bytes("mtllib ../m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
}

void AddImageSeeds(FileSet& png, FileSet& jpeg) {
  for (const NamedModel& m : Catalog()) {
    for (size_t i = 0; i < m.model.images.size(); ++i) {
      const std::string name = m.name + "-" + std::to_string(i);
      png[name + ".png"] = EncodePng(m.model.images[i]);
      jpeg[name + ".jpg"] = EncodeJpeg(m.model.images[i]);
    }
  }
  GenImage tiny = SolidImage(3, 2, 0xFFFFFF);
  png["white_3x2.png"] = EncodePng(tiny);
  tiny.alpha = true;
  SetTexel(tiny, 1, 1, 0x102030, 0);
  png["alpha_3x2.png"] = EncodePng(tiny);
  jpeg["white_3x2.jpg"] = EncodeJpeg(tiny);
  png["cut_short.png"] = Cut(png["cube-0.png"], png["cube-0.png"].size() / 2);
  jpeg["cut_short.jpg"] = Cut(jpeg["cube-0.jpg"], jpeg["cube-0.jpg"].size() / 2);
}

}  // namespace

std::map<std::string, FileSet> SeedFiles() {
  std::map<std::string, FileSet> seeds;
  AddGltfSeeds(seeds["gltf_model"], seeds["glb_model"]);
  AddObjSeeds(seeds["obj_model"]);
  AddImageSeeds(seeds["png_image"], seeds["jpeg_image"]);
  return seeds;
}

}  // namespace models
