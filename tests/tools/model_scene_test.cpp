// render-scene with model files: the model scene, model meshes in scene
// files, objects without a mesh, the animated object, and --write-scene
// files that draw the same frame again.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/tool_test_support.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

void WriteFiles(const std::filesystem::path& dir, const models::FileSet& files) {
  for (const auto& [name, bytes] : files) {
    WriteText(dir / name, std::string(bytes.begin(), bytes.end()));
  }
}

// The generated cube (textured) and torus (untextured) as .glb and .obj.
void WriteModels(const std::filesystem::path& dir) {
  const auto catalog = models::Catalog();
  WriteFiles(dir, models::WriteGltf(catalog[0].model, "cube", models::GltfLayout::kBinary,
                                    models::ImageKind::kPng));
  WriteFiles(dir, models::WriteObj(catalog[1].model, "torus", models::ImageKind::kJpeg));
}

// Draws `arguments` with --raw, writes the scene, draws the written scene:
// both raw dumps must be the same bytes.
void ExpectRoundTrip(const std::filesystem::path& dir, std::vector<std::string> arguments) {
  std::vector<std::string> first = arguments;
  first.insert(first.end(), {"--raw", "first.raw", "--write-scene", "written.json"});
  const ToolRun wrote = RunTool(dir, first);
  ASSERT_EQ(wrote.status, 0) << wrote.err;
  const ToolRun again = RunTool(dir, {"--scene", "written.json", "--raw", "second.raw"});
  ASSERT_EQ(again.status, 0) << again.err;
  const RawDump a = ReadRawDump(dir / "first.raw"), b = ReadRawDump(dir / "second.raw");
  ASSERT_TRUE(a.valid && b.valid);
  EXPECT_TRUE(a.pixelBytes == b.pixelBytes);
  EXPECT_TRUE(a.depthBytes == b.depthBytes);
}

TEST(ModelSceneTest, WrittenScenesDrawTheSameFrameBitForBit) {
  const auto dir = FreshTestFolder("write-scene");
  WriteModels(dir);
  {
    SCOPED_TRACE("demo");
    ExpectRoundTrip(dir, {"--textures", RENDERER_TEXTURE_DIR, "--steps", "9"});
  }
  {
    SCOPED_TRACE("scene file");
    WriteText(dir / "scene.json", R"({"builtinTextures": ")" + std::string(RENDERER_TEXTURE_DIR) +
                                      R"(", "meshes": ["builtin", {"file": "torus.obj"}],
      "objects": [{"mesh": null, "position": [-2000, -2000, 0]},
                  {"mesh": 0, "transforms": [["rotateY", 35], ["scale", 0.7]]},
                  {"mesh": 1, "position": [500, 200, 2600]}],
      "animatedObject": 2, "animationSteps": 5})");
    ExpectRoundTrip(dir, {"--scene", "scene.json"});
  }
  {
    SCOPED_TRACE("model");
    ExpectRoundTrip(dir, {"--scene", "cube.glb", "--steps", "3"});
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "written-tex0.bmp"));
}

TEST(ModelSceneTest, AModelFileStandsForTheLightAndTheTurnedModel) {
  const auto dir = FreshTestFolder("model-scene");
  WriteModels(dir);
  const ToolRun run = RunTool(dir, {"--scene", "cube.glb", "--write-scene", "s.json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const nlohmann::json scene = nlohmann::json::parse(ReadText(dir / "s.json"));
  ASSERT_EQ(scene["objects"].size(), 2u);
  EXPECT_TRUE(scene["objects"][0]["mesh"].is_null());
  EXPECT_EQ(scene["objects"][0]["position"], nlohmann::json({-3200, -3200, 0}));
  EXPECT_EQ(scene["objects"][1]["mesh"], 0);
  EXPECT_EQ(scene["objects"][1]["position"], nlohmann::json({0, 0, 3200}));
  EXPECT_EQ(scene["animatedObject"], 1);
  // rotateY 30 then rotateX -20: not the identity any more.
  EXPECT_NE(scene["objects"][1]["orientation"][0][0], 1.0);
  EXPECT_EQ(scene["textures"].size(), 1u);
  EXPECT_EQ(scene["textures"][0]["opaqueWhite"], false);
}

TEST(ModelSceneTest, BadModelsExitTwoWithOneLine) {
  const auto dir = FreshTestFolder("model-bad");
  WriteModels(dir);
  std::string glb = ReadText(dir / "cube.glb");
  glb.resize(glb.size() - 4);
  WriteText(dir / "cut.glb", glb);
  const ToolRun cut = RunTool(dir, {"--scene", "cut.glb", "--out", "x.png"});
  EXPECT_EQ(cut.status, 2);
  EXPECT_EQ(cut.err, "cut.glb: header: says " + std::to_string(glb.size() + 4) +
                         " bytes, the file has " + std::to_string(glb.size()) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
  const ToolRun missing = RunTool(dir, {"--scene", "none.obj"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "none.obj: file: no such file\n");
  WriteText(dir / "scene.json", R"({"meshes": [{"file": "cut.glb"}]})");
  const ToolRun inScene = RunTool(dir, {"--scene", "scene.json"});
  EXPECT_EQ(inScene.status, 2);
  EXPECT_EQ(inScene.err.rfind("scene.json: meshes[0].file: cut.glb: header: says ", 0), 0u)
      << inScene.err;
  WriteText(dir / "scene.json", R"({"meshes": [{"file": "cube.glb", "x": 1}]})");
  EXPECT_EQ(RunTool(dir, {"--scene", "scene.json"}).err, "scene.json: meshes[0].x: unknown key\n");
  WriteText(dir / "scene.json", R"({"objects": [{}, {}], "animatedObject": 2})");
  EXPECT_EQ(RunTool(dir, {"--scene", "scene.json"}).err,
            "scene.json: animatedObject: index 2 out of range (2 objects)\n");
}

}  // namespace
