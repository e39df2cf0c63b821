// A material file or image that does not exist leaves the model drawn
// without it, with one warning per missing file; anything else that cannot
// be read still refuses the model.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>

#include "renderer/model.h"
#include "tests/import/load_files.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

using models::FileSet;

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n";

FileSet Text(const std::string& name, const std::string& text, FileSet files = {}) {
  files[name] = std::vector<uint8_t>(text.begin(), text.end());
  return files;
}

TEST(MissingFiles, AnObjWithoutItsMtlIsDrawnWithoutMaterials) {
  const FileSet files =
      Text("m.obj", "mtllib m.mtl\nmtllib m.mtl\n" + kTriangle + "usemtl a\nf 1 2 3\n");
  const Loaded m = LoadFiles(files, "m.obj");
  ASSERT_TRUE(m.ok) << m.error;
  EXPECT_EQ(m.warnings, std::vector<std::string>{
                            "m.obj: mtllib \"m.mtl\": no such file; drawn without its materials"});
  ASSERT_EQ(m.mesh.triangles.size(), 1u);
  EXPECT_EQ(m.mesh.triangles[0].colour[0], 0x606060u);  // as without a material
}

TEST(MissingFiles, AnObjMaterialWithoutItsImageKeepsItsColour) {
  const std::string mtl = "newmtl a\nKd 1 0 0\nmap_Kd t.png\nnewmtl b\nKd 0 0 1\nmap_Kd t.png\n";
  const FileSet files = Text(
      "m.obj", "mtllib m.mtl\n" + kTriangle + "usemtl a\nf 1/1 2/1 3/1\nusemtl b\nf 3/1 2/1 1/1\n",
      Text("m.mtl", mtl));
  const Loaded m = LoadFiles(files, "m.obj");
  ASSERT_TRUE(m.ok) << m.error;
  // One warning for the one file, though two materials name it.
  EXPECT_EQ(m.warnings,
            std::vector<std::string>{
                "m.obj: material \"a\" map_Kd \"t.png\": no such file; drawn without its texture"});
  ASSERT_EQ(m.mesh.triangles.size(), 2u);
  EXPECT_EQ(m.mesh.triangles[0].texture, renderer::kNoTexture);
  EXPECT_EQ(m.mesh.triangles[0].colour[0], 0xFF0000u);
  EXPECT_EQ(m.mesh.triangles[1].colour[0], 0x0000FFu);
  EXPECT_TRUE(m.textures.empty());
}

// A textured triangle as m.gltf, m.bin and m-0.png, red factor.
FileSet TexturedGltf() { return TexturedTriangleGltf(1, 0, 0); }

TEST(MissingFiles, AGltfWithoutItsImageIsDrawnInTheBaseColour) {
  FileSet files = TexturedGltf();
  files.erase("m-0.png");
  const Loaded m = LoadFiles(files, "m.gltf");
  ASSERT_TRUE(m.ok) << m.error;
  EXPECT_EQ(m.warnings,
            std::vector<std::string>{
                "m.gltf: images[0].uri \"m-0.png\": no such file; drawn without its texture"});
  ASSERT_EQ(m.mesh.triangles.size(), 1u);
  EXPECT_EQ(m.mesh.triangles[0].texture, renderer::kNoTexture);
  EXPECT_EQ(m.mesh.triangles[0].colour[0], 0xFF0000u);
  // A missing buffer is geometry, not a look: still refused.
  files = TexturedGltf();
  files.erase("m.bin");
  const Loaded noBuffer = LoadFiles(files, "m.gltf");
  EXPECT_FALSE(noBuffer.ok);
  EXPECT_EQ(noBuffer.error, "m.gltf: uri \"m.bin\": no such file");
}

TEST(MissingFiles, FilesThatExistButCannotBeReadOrLeaveTheFolderStayRefused) {
  const auto dir = std::filesystem::temp_directory_path() / "renderer-missing-files";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "m.mtl");  // exists, not a file
  std::ofstream(dir / "m.obj") << "mtllib m.mtl\n" << kTriangle << "f 1 2 3\n";
  std::ofstream(dir / "n.obj") << "mtllib ../n.mtl\n" << kTriangle << "f 1 2 3\n";
  std::ofstream(dir / "w.obj") << "mtllib w.mtl\n" << kTriangle << "f 1 2 3\n";
  renderer::Mesh mesh;
  std::vector<renderer::Texture> textures;
  std::vector<std::string> warnings = {"kept"};
  std::string error;
  const std::string folder = dir.string();
  EXPECT_FALSE(renderer::LoadModel(folder + "/m.obj", mesh, textures, warnings, error));
  EXPECT_EQ(error, folder + "/m.obj: mtllib \"m.mtl\": not a regular file");
  EXPECT_FALSE(renderer::LoadModel(folder + "/n.obj", mesh, textures, warnings, error));
  EXPECT_EQ(error, folder + "/n.obj: mtllib \"../n.mtl\": the path leaves the model's folder");
  EXPECT_EQ(warnings, std::vector<std::string>{"kept"});
  // Missing from disk: drawn, the warning appended after what was there.
  EXPECT_TRUE(renderer::LoadModel(folder + "/w.obj", mesh, textures, warnings, error));
  EXPECT_EQ(warnings, (std::vector<std::string>{
                          "kept", folder + "/w.obj: mtllib \"w.mtl\": no such file; drawn "
                                           "without its materials"}));
  std::filesystem::remove_all(dir);
}

}  // namespace
