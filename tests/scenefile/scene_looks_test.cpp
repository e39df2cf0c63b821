// The looks in scene files: shading, textureFilter and samples, triangle
// normals with their refusals, the round trip through WriteScene bit for
// bit, the caller's choices over the file's, and the model scene's look
// and framing.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>

#include "renderer/scene_file.h"
#include "scenefile/scene_looks.h"
#include "scenefile/scene_reader.h"
#include "tests/support/test_files.h"

using namespace renderer;

namespace {

std::string Refusal(const std::string& text) {
  SceneDescription scene;
  SceneError error;
  if (ParseSceneText(text, "/scenes", {}, &scene, &error)) return "";
  return error.path + ": " + error.problem;
}

constexpr const char* kLitScene = R"({
  "frameBuffer": {"width": 64, "height": 48},
  "client": {"width": 60, "height": 40},
  "camera": {"focalLength": 60},
  "shading": "smooth", "textureFilter": "bilinear", "samples": 4,
  "meshes": [{
    "vertices": [[-300, -200, 900], [300, -250, 1000], [0, 300, 800]],
    "triangles": [{"vertex": [0, 1, 2], "colour": [12632256, 0, 0],
                   "normals": [[0.1, -0.2, -1], [1e-300, 0.30000000000000004, -2],
                               [-0.5, 0.25, -0.75]]}]
  }],
  "objects": [{"mesh": null, "position": [-3200, -3200, 0]},
              {"position": [0, 0, 0]}]
})";

TEST(SceneLooks, ReadsTheLookAndTheNormals) {
  SceneDescription scene;
  SceneError error;
  ASSERT_TRUE(ParseSceneText(kLitScene, "/scenes", {}, &scene, &error))
      << error.path << ": " << error.problem;
  EXPECT_EQ(scene.looks.shading, Shading::kSmooth);
  EXPECT_EQ(scene.looks.textureFilter, TextureFilter::kBilinear);
  EXPECT_EQ(scene.looks.samples, 4);
  const TriangleEntry& t = scene.meshes[0].triangles[0];
  ASSERT_TRUE(t.hasNormals);
  EXPECT_EQ(t.normals[1].x, 1e-300);
  EXPECT_EQ(t.normals[2].z, -0.75);

  SceneDescription plain;
  ASSERT_TRUE(ParseSceneText("{}", "/scenes", {}, &plain, &error));
  EXPECT_EQ(plain.looks, Looks{});
}

TEST(SceneLooks, RefusesBadLooksAndNormalsNamingThePlace) {
  EXPECT_EQ(Refusal(R"({"shading": "phong"})"),
            "shading: \"phong\" is not \"flat\" or \"smooth\"");
  EXPECT_EQ(Refusal(R"({"textureFilter": "trilinear"})"),
            "textureFilter: \"trilinear\" is not \"nearest\" or \"bilinear\"");
  EXPECT_EQ(Refusal(R"({"shading": 1})"),
            "shading: expected a string, got number");
  EXPECT_EQ(Refusal(R"({"samples": 2})"), "samples: expected 1, 4 or 16");
  EXPECT_EQ(Refusal(R"({"samples": 4.5})").rfind("samples: ", 0), 0u);
  const std::string head =
      R"({"meshes": [{"vertices": [[0, 0, 1], [1, 0, 1], [0, 1, 1]],)"
      R"( "triangles": [{"vertex": [0, 1, 2], "normals": )";
  const std::string tail = "}]}]}";
  EXPECT_EQ(Refusal(head + "[[0, 0, 1], [0, 0, 1]]" + tail),
            "meshes[0].triangles[0].normals: expected 3 normals, got 2");
  EXPECT_EQ(Refusal(head + "[[0, 0, 1], [0, 0, 1], [0, 0]]" + tail),
            "meshes[0].triangles[0].normals[2]: expected 3 numbers, got 2");
  EXPECT_EQ(Refusal(head + "[[0, 0, 1], [0, 0, 0], [0, 0, 1]]" + tail),
            "meshes[0].triangles[0].normals[1]: a normal must not be all zero");
  EXPECT_EQ(Refusal(head + "[[0, 0, 1], [0, 0, 1], [0, \"1\", 1]]" + tail),
            "meshes[0].triangles[0].normals[2][1]: expected a number, got string");
}

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

TEST(SceneLooks, WriteSceneKeepsTheLookAndNormalsBitForBit) {
  const auto dir = FreshTestFolder("looks-write");
  WriteText(dir / "scene.json", kLitScene);
  LoadedScene loaded;
  std::string error;
  ASSERT_TRUE(LoadScene((dir / "scene.json").string(), {}, loaded, error)) << error;
  std::string problem;
  ASSERT_TRUE(WriteScene((dir / "out.json").string(), loaded, problem)) << problem;
  LoadedScene reloaded;
  ASSERT_TRUE(LoadScene((dir / "out.json").string(), {}, reloaded, error)) << error;
  EXPECT_EQ(reloaded.view.looks, loaded.view.looks);
  ASSERT_EQ(reloaded.scene.meshes[0].normals.size(), 1u);
  for (int c = 0; c < 3; ++c) {
    for (int a = 0; a < 3; ++a) {
      EXPECT_EQ(Bits(reloaded.scene.meshes[0].normals[0].corner[c][a]),
                Bits(loaded.scene.meshes[0].normals[0].corner[c][a]));
    }
  }
  HeadlessTarget first, second;
  BindSceneTarget(loaded, first);
  BindSceneTarget(reloaded, second);
  WorkspacePtr workspace = MakeWorkspace();
  DrawScene(loaded, first, *workspace);
  DrawScene(reloaded, second, *workspace);
  const size_t words = size_t(first.target.width) * size_t(first.target.height);
  EXPECT_TRUE(std::equal(first.target.pixels, first.target.pixels + words,
                         second.target.pixels));
  // The default look writes no look keys at all.
  loaded.view.looks = Looks{};
  ASSERT_TRUE(WriteScene((dir / "plain.json").string(), loaded, problem));
  EXPECT_EQ(ReadText(dir / "plain.json").find("shading"), std::string::npos);
}

TEST(SceneLooks, TheCallersChoicesWinOverTheFile) {
  const auto dir = FreshTestFolder("looks-choices");
  WriteText(dir / "scene.json", kLitScene);
  SceneFileOptions options;
  options.looks.shading = Shading::kFlat;
  options.looks.samples = 16;
  LoadedScene loaded;
  std::string error;
  ASSERT_TRUE(LoadScene((dir / "scene.json").string(), options, loaded, error)) << error;
  EXPECT_EQ(loaded.view.looks,
            (Looks{Shading::kFlat, TextureFilter::kBilinear, 16}));
}

TEST(SceneLooks, ModelSceneDistanceFramesTheBoundingSphere) {
  Mesh mesh;
  mesh.vertices = {{300, 400, 0}, {-100, 0, 0}};  // R = 500
  // f 400, m 600: f R / (0.4 m) = 833.33..., sqrt(500^2 + 833.33^2) = 971.8
  EXPECT_EQ(ModelSceneDistance(mesh, 400, 800, 600), 972);
  EXPECT_EQ(ModelSceneDistance(mesh, 400, 0, 0),
            int32_t(std::round(std::sqrt(250000.0 + std::pow(400.0 * 500 / 0.4, 2)))));
  mesh.vertices = {{0, 0, 0}};
  EXPECT_EQ(ModelSceneDistance(mesh, 400, 800, 600), 2);
}

}  // namespace
