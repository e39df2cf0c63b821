// Bad model files are refused with one line naming file, place and problem.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "scene/import/image_decode.h"
#include "tests/import/load_files.h"
#include "testmodels/image_encode.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

using models::FileSet;
using models::GltfLayout;
using models::ImageKind;
using nlohmann::json;

// A textured triangle as m.gltf with m.bin and m-0.png beside it.
FileSet Base() { return TexturedTriangleGltf(1, 1, 1); }

std::string ErrorAfter(void (*change)(json&), FileSet files = Base()) {
  json doc = json::parse(files["m.gltf"]);
  change(doc);
  const std::string text = doc.dump();
  files["m.gltf"] = std::vector<uint8_t>(text.begin(), text.end());
  const Loaded m = LoadFiles(files, "m.gltf");
  EXPECT_FALSE(m.ok);
  return m.error;
}

std::string ObjError(const std::string& obj, FileSet files = {}) {
  files["m.obj"] = std::vector<uint8_t>(obj.begin(), obj.end());
  const Loaded m = LoadFiles(files, "m.obj");
  EXPECT_FALSE(m.ok);
  return m.error;
}

TEST(ModelRefusal, GltfOffsetsCountsAndIndicesAreCheckedBeforeUse) {
  // Accessors 0..3: POSITION, TEXCOORD_0, indices; views 0..2 in that order.
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][0]["count"] = 120; }),
            "m.gltf: accessors[0]: 120 elements run past the end of bufferViews[0]");
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][0]["byteOffset"] = 4; }),
            "m.gltf: accessors[0]: 3 elements run past the end of bufferViews[0]");
  EXPECT_EQ(ErrorAfter([](json& d) { d["bufferViews"][0]["byteStride"] = 8; }),
            "m.gltf: bufferViews[0].byteStride: 8 is smaller than an element of "
            "accessors[0] (12 bytes)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["bufferViews"][2]["byteOffset"] = 4000; }),
            "m.gltf: bufferViews[2]: 12 bytes from offset 4000 run past the end of "
            "buffers[0] (72 bytes)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["bufferViews"][1]["buffer"] = 3; }),
            "m.gltf: bufferViews[1].buffer: buffer 3 out of range (1 buffers)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["meshes"][0]["primitives"][0]["indices"] = 7; }),
            "m.gltf: glTF: primitive indices accessor out of bounds");  // tinygltf's check
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][2]["count"] = 2; }),
            "m.gltf: meshes[0].primitives[0]: 2 vertices do not make whole triangles");
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][1]["count"] = 2; }),
            "m.gltf: meshes[0].primitives[0].attributes.TEXCOORD_0: 2 elements, POSITION has 3");
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][2]["componentType"] = 5126; }),
            "m.gltf: accessors[2]: indices must be unsigned bytes, shorts or ints");
  EXPECT_EQ(ErrorAfter([](json& d) { d["accessors"][0]["type"] = "VEC2"; }),
            "m.gltf: accessors[0]: type 2 is not one this attribute can have");
  EXPECT_EQ(ErrorAfter([](json& d) { d["meshes"][0]["primitives"][0]["mode"] = 7; }),
            "m.gltf: meshes[0].primitives[0].mode: unknown mode 7");
  EXPECT_EQ(ErrorAfter([](json& d) { d["meshes"][0]["primitives"][0]["material"] = 4; }),
            "m.gltf: meshes[0].primitives[0].material: material 4 out of range (1 materials)");
}

TEST(ModelRefusal, GltfIndexOutOfRangeNamesTheElement) {
  FileSet files = Base();
  std::vector<uint8_t>& bin = files["m.bin"];
  bin[bin.size() - 4] = 7;  // the last index (element 2) becomes 7
  EXPECT_EQ(LoadFiles(files, "m.gltf").error,
            "m.gltf: meshes[0].primitives[0].indices: index 7 at element 2 out of range "
            "(3 vertices)");
}

TEST(ModelRefusal, GltfPositionsMustBeFinite) {
  FileSet files = Base();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::memcpy(&files["m.bin"][12], &nan, 4);  // vertex 1's x
  EXPECT_EQ(LoadFiles(files, "m.gltf").error,
            "m.gltf: meshes[0].primitives[0].attributes.POSITION: element 1 is not a finite "
            "position (after the node transforms)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["nodes"][0]["scale"] = {1e300, 1e300, 1e300}; }, [] {
              FileSet f = Base();
              const float big = 1e30f;
              std::memcpy(&f["m.bin"][12], &big, 4);
              return f;
            }()),
            "m.gltf: meshes[0].primitives[0].attributes.POSITION: element 1 is not a finite "
            "position (after the node transforms)");
}

TEST(ModelRefusal, GltfTextureCoordinatesAndColoursMustBeFinite) {
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity()};
  for (const float value : bad) {
    SCOPED_TRACE(value);
    FileSet files = Base();  // m.bin: 3 positions (36 bytes), then 3 uvs
    std::memcpy(&files["m.bin"][36 + 12], &value, 4);  // uv 1's v
    EXPECT_EQ(LoadFiles(files, "m.gltf").error,
              "m.gltf: meshes[0].primitives[0].attributes.TEXCOORD_0: element 1 is not a "
              "finite number");
    models::GenPrimitive p;
    p.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    p.colours = {1, 1, 1, 1, 1, value, 1, 1, 1, 1, 1, 1};  // vertex 1's green
    p.material = 0;
    models::GenModel model;
    model.meshes = {{p}};
    model.materials = {models::ColourMaterial("m", 1, 1, 1)};
    models::GenNode node;
    node.mesh = 0;
    model.nodes = {node};
    model.roots = {0};
    EXPECT_EQ(LoadFiles(models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng),
                        "m.glb").error,
              "m.glb: meshes[0].primitives[0].attributes.COLOR_0: element 1 is not a finite "
              "number");
  }
}

TEST(ModelRefusal, GltfNodeGraphsMustBeTrees) {
  EXPECT_EQ(ErrorAfter([](json& d) { d["nodes"][0]["children"] = {0}; }),
            "m.gltf: nodes[0]: reached a second time (the nodes form a cycle, or a node has "
            "two parents)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["nodes"][0]["children"] = {5}; }),
            "m.gltf: nodes[0].children[0]: node 5 out of range (1 nodes)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["scene"] = 2; }),
            "m.gltf: scene: scene 2 out of range (1 scenes)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["nodes"][0]["rotation"] = {0, 0, 0, 0}; }),
            "m.gltf: nodes[0].rotation: is not a usable quaternion");
}

TEST(ModelRefusal, GltfDeepChainsAreWalkedWithoutRecursion) {
  // 100 000 nested nodes: the walk keeps its own stack.
  models::GenModel model;
  models::GenPrimitive p;
  p.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  model.meshes = {{p}};
  const int depth = 100000;
  model.nodes.resize(depth);
  for (int i = 0; i + 1 < depth; ++i) model.nodes[size_t(i)].children = {i + 1};
  model.nodes.back().mesh = 0;
  model.roots = {0};
  FileSet files = models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng);
  // The JSON nesting stays shallow: children are indices, not objects.
  const Loaded m = LoadFiles(files, "m.glb");
  EXPECT_TRUE(m.ok) << m.error;
  EXPECT_EQ(m.mesh.triangles.size(), 1u);
}

TEST(ModelRefusal, GltfFilesOutsideTheFolderOrOtherSchemesAreRefused) {
  EXPECT_EQ(ErrorAfter([](json& d) { d["buffers"][0]["uri"] = "../m.bin"; }),
            "m.gltf: uri \"../m.bin\": the path leaves the model's folder");
  EXPECT_EQ(ErrorAfter([](json& d) { d["buffers"][0]["uri"] = "a/../../m.bin"; }),
            "m.gltf: uri \"a/../../m.bin\": the path leaves the model's folder");
  EXPECT_EQ(ErrorAfter([](json& d) { d["buffers"][0]["uri"] = "/tmp/m.bin"; }),
            "m.gltf: uri \"/tmp/m.bin\": absolute paths are refused");
  EXPECT_EQ(ErrorAfter([](json& d) { d["buffers"][0]["uri"] = "https://example.org/m.bin"; }),
            "m.gltf: uri \"https://example.org/m.bin\": URI scheme \"https:\" refused (only "
            "relative files and base64 data: URIs are read)");
  EXPECT_EQ(ErrorAfter([](json& d) { d["buffers"][0]["uri"] = "missing.bin"; }),
            "m.gltf: uri \"missing.bin\": no such file");
  EXPECT_EQ(ErrorAfter([](json& d) { d["images"][0]["uri"] = "../m-0.png"; }),
            "m.gltf: images[0].uri \"../m-0.png\": the path leaves the model's folder");
  EXPECT_EQ(ErrorAfter([](json& d) { d["extensionsRequired"] = {"KHR_draco_mesh_compression"}; }),
            "m.gltf: extensionsRequired: extension \"KHR_draco_mesh_compression\" is not "
            "supported");
}

TEST(ModelRefusal, BadImagesAreRefused) {
  FileSet files = Base();
  files["m-0.png"].resize(files["m-0.png"].size() / 2);
  EXPECT_EQ(LoadFiles(files, "m.gltf").error.rfind("m.gltf: images[0]: PNG: ", 0), 0u)
      << LoadFiles(files, "m.gltf").error;
  files["m-0.png"] = models::EncodePng(models::SolidImage(16385, 1, 0));
  EXPECT_EQ(LoadFiles(files, "m.gltf").error,
            "m.gltf: images[0]: the image is too big (16385 x 1; at most 16384 on a side "
            "and 256 MiB decoded)");
  // 8193 x 8193 stays under 16384 a side but over 256 MiB as RGBA.
  std::string problem;
  EXPECT_FALSE(renderer::ImageSizeAllowed(8193, 8193, &problem));
  EXPECT_EQ(problem, "the image is too big (8193 x 8193; at most 16384 on a side and 256 "
                     "MiB decoded)");
  EXPECT_TRUE(renderer::ImageSizeAllowed(8192, 8192, &problem));
  std::vector<uint8_t> jpeg = models::EncodeJpeg(models::SolidImage(64, 64, 0x804020));
  jpeg.resize(jpeg.size() - 40);
  files["m-0.png"] = jpeg;
  EXPECT_EQ(LoadFiles(files, "m.gltf").error.rfind("m.gltf: images[0]: JPEG: ", 0), 0u)
      << LoadFiles(files, "m.gltf").error;
  files["m-0.png"] = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_EQ(LoadFiles(files, "m.gltf").error,
            "m.gltf: images[0]: not a PNG, JPEG or BMP image");
}

TEST(ModelRefusal, BrokenContainersAndJson) {
  const auto catalog = models::Catalog();
  FileSet glb = models::WriteGltf(catalog[0].model, "m", GltfLayout::kBinary, ImageKind::kPng);
  const size_t size = glb["m.glb"].size();
  glb["m.glb"].resize(size - 8);
  EXPECT_EQ(LoadFiles(glb, "m.glb").error,
            "m.glb: header: says " + std::to_string(size) + " bytes, the file has " +
                std::to_string(size - 8));
  glb["m.glb"] = {'g', 'l', 'T', 'F'};
  EXPECT_EQ(LoadFiles(glb, "m.glb").error,
            "m.glb: header: not a binary glTF file (no 20-byte header with 'glTF')");
  FileSet text = {{"m.gltf", std::vector<uint8_t>(200, '[')}};
  EXPECT_EQ(LoadFiles(text, "m.gltf").error, "m.gltf: JSON: nested more than 64 deep");
  text["m.gltf"] = {'{', '"', 'a'};
  EXPECT_EQ(LoadFiles(text, "m.gltf").error.rfind("m.gltf: glTF: ", 0), 0u);
  EXPECT_EQ(ErrorAfter([](json& d) { d["nodes"][0].erase("mesh"); }),
            "m.gltf: model: the model has no triangles or lines to draw");
}

TEST(ModelRefusal, ObjIndicesAndNumbersNameTheLine) {
  EXPECT_EQ(ObjError("v 0 0 0\nv 1 0 0\nv 0 1 0\n\nf 1 2 3\nf 1 2 9\n"),
            "m.obj: line 6: index 9 out of range (3 vertices)");
  EXPECT_EQ(ObjError("v 0 0 0\nv 1 0 0\nf 1 2 -3\n"),
            "m.obj: line 3: index -3 out of range (2 vertices)");
  EXPECT_EQ(ObjError("v 0 0 0\nvt 0 0\nv 1 0 0\nv 0 1 0\nf 1/1 2/2 3/1\n"),
            "m.obj: line 5: texture coordinate index 2 out of range (1 texture coordinates)");
  EXPECT_EQ(ObjError("v 0 0 0\nv 1 0 0\nv 0 1 0\nl 1 4\n"),
            "m.obj: line 4: index 4 out of range (3 vertices)");
  EXPECT_EQ(ObjError("v 0 0 0\nv 1 1e999 0\nv 0 1 0\nf 1 2 3\n"),
            "m.obj: line 2: coordinate \"1e999\" is not a finite number");
  EXPECT_EQ(ObjError("v 0 0 0\n"), "m.obj: model: the model has no triangles or lines to draw");
}

TEST(ModelRefusal, ObjMaterialFilesAreCheckedLikeGltfFiles) {
  const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a\nf 1 2 3\n";
  EXPECT_EQ(ObjError("mtllib ../m.mtl\n" + triangle),
            "m.obj: mtllib \"../m.mtl\": the path leaves the model's folder");
  EXPECT_EQ(ObjError("mtllib /etc/m.mtl\n" + triangle),
            "m.obj: mtllib \"/etc/m.mtl\": absolute paths are refused");
  const std::string mtl = "newmtl a\nKd 1 1 1\nmap_Kd t.png\n";
  FileSet files = {{"m.mtl", std::vector<uint8_t>(mtl.begin(), mtl.end())}};
  files["t.png"] = {1, 2, 3};
  EXPECT_EQ(ObjError("mtllib m.mtl\n" + triangle, files),
            "m.obj: material \"a\" map_Kd \"t.png\": not a PNG, JPEG or BMP image");
}

}  // namespace
