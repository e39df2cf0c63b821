// Building scenes in-process: textures, meshes, objects and their
// transforms, animation steps, and a frame drawn from a scene file.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "renderer/renderer.h"
#include "tests/support/test_files.h"
#include "renderer/scene_file.h"
#include "scenefile/scene_reader.h"
#include "scenefile/scene_setup.h"

using namespace renderer;

namespace {

SceneDescription MustParse(const std::string& text,
                           const std::string& folder = "") {
  SceneDescription scene;
  SceneError error;
  EXPECT_TRUE(ParseSceneText(text, folder, {}, &scene, &error))
      << error.path << ": " << error.problem;
  return scene;
}

// A 2 x 1 image: one pure-white texel and one grey one.
void WriteWhiteAndGrey(const std::filesystem::path& file) {
  const uint32_t pixels[2] = {0xFFFFFF, 0x808080};
  ASSERT_TRUE(WriteBmp24(file.c_str(), pixels, 2, 1, 2));
}

struct SceneFixture : testing::Test {
  LoadedScene built;
  const Scene& scene = built.scene;
  HeadlessTarget target;
  WorkspacePtr workspace = MakeWorkspace();
  std::vector<TextureNote> notes;
  void Build(const SceneDescription& description, int32_t steps) {
    SetUpScene(SceneDescription(description), RENDERER_TEXTURE_DIR, steps,
               &built, &notes);
    BindSceneTarget(built, target);
  }
  void Draw() { DrawScene(built, target, *workspace); }
  const uint32_t* Pixels() const { return target.target.pixels; }
  const float* Depth() const { return target.target.depth; }
};

using SceneBuildTest = SceneFixture;

TEST_F(SceneBuildTest, TexturesLoadWithOptionalOpaqueWhite) {
  const auto dir = FreshTestFolder("textures");
  WriteWhiteAndGrey(dir / "wg.bmp");
  const SceneDescription description = MustParse(R"({
      "frameBuffer": {"width": 32, "height": 24},
      "client": {"width": 32, "height": 24},
      "textures": [{"file": "wg.bmp"}, {"file": "wg.bmp", "opaqueWhite": true},
                   {"file": "missing.bmp"}, {"file": "missing.bmp"}, {}],
      "meshes": [], "objects": []})",
                                                 dir.string());
  Build(description, 0);
  ASSERT_EQ(scene.textures.size(), 5u);
  ASSERT_EQ(scene.textures[0].width, 2);
  EXPECT_EQ(scene.textures[0].texels[1], 255);  // white stays see-through
  EXPECT_EQ(scene.textures[1].texels[1], 254);  // made opaque
  EXPECT_EQ(scene.textures[1].texels[4], 0x80);
  EXPECT_TRUE(scene.textures[2].texels.empty());
  EXPECT_EQ(scene.textures[4].width, 0);
  // The missing file is reported once, though listed twice.
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].path, "textures[2].file");
  EXPECT_EQ(notes[0].problem,
            "cannot load \"missing.bmp\"; the texture stays empty");
  EXPECT_TRUE(scene.objects.empty());
}

TEST_F(SceneBuildTest, ObjectsArePlacedThenTransformedInOrder) {
  const SceneDescription description = MustParse(R"({
      "frameBuffer": {"width": 64, "height": 48},
      "client": {"width": 64, "height": 48},
      "meshes": [{"vertices": [[0, 0, 0], [10, 0, 0], [0, 10, 0]],
                  "vertexVectors": [[0, 0, 1], [0, 0, 1], [0, 0, 1]],
                  "triangles": [{"vertex": [0, 1, 2], "colour": [255, 0, 0]}],
                  "lines": [{"from": 0, "to": 1, "fromColour": 1}]},
                 "builtin"],
      "objects": [
        {"orientation": [[2, 0, 0], [0, 2, 0], [0, 0, 2]],
         "position": [5, 6, 700],
         "transforms": [["rotateZ", 15], ["scale", 1.1], ["rotateX", -3],
                        ["rotateY", 0.5]]},
        {"mesh": 1, "position": [1, 2, 3], "transforms": [["reset"]]}]})");
  Build(description, 0);
  ASSERT_EQ(scene.objects.size(), 2u);
  ASSERT_EQ(scene.objects[0].mesh, 0);
  const Mesh& own = scene.meshes[0];
  EXPECT_EQ(own.vertices.size(), 3u);
  EXPECT_EQ(own.vertexVectors.size(), 3u);
  EXPECT_EQ(own.triangles[0].texture, renderer::kNoTexture);
  EXPECT_EQ(own.triangles[0].colour[0], 255u);
  EXPECT_EQ(own.lines.size(), 1u);
  EXPECT_EQ(scene.objects[1].mesh, 1);
  EXPECT_EQ(built.builtinMesh, 1);
  EXPECT_EQ(scene.meshes[1].triangles.size(), size_t(kModelTriangleCount));
  // The model's seven images follow the scene's own (none here).
  EXPECT_EQ(scene.textures.size(), size_t(kTextureSlotCount));
  EXPECT_EQ(scene.meshes[1].triangles[12].texture, 6);

  // The same operations by hand give the same bits.
  SceneObject expected{};
  for (int i = 0; i < 3; ++i) expected.orientation[i][i] = 2.0;
  RotateObjectZ(expected, 15);
  ScaleObject(expected, 1.1);
  RotateObjectX(expected, -3);
  RotateObjectY(expected, 0.5);
  EXPECT_EQ(std::memcmp(expected.orientation, scene.objects[0].orientation,
                        sizeof expected.orientation),
            0);
  EXPECT_EQ(scene.objects[0].position[2], 700);
  // "reset" is the program's own reset: identity at (0, 0, 3200).
  EXPECT_EQ(scene.objects[1].position[0], 0);
  EXPECT_EQ(scene.objects[1].position[2], 3200);
  EXPECT_EQ(scene.objects[1].orientation[0][0], 1.0);
}

TEST_F(SceneBuildTest, AnimationStepsTurnObjectZeroAndScrollTheModel) {
  const SceneDescription description = MustParse(R"({
      "frameBuffer": {"width": 64, "height": 48},
      "client": {"width": 64, "height": 48},
      "animationSteps": 3})");
  Build(description, description.animationSteps);
  SceneObject expected{};
  for (int step = 0; step < 3; ++step) {
    RotateObjectX(expected, 0.5);
    RotateObjectY(expected, 1);
  }
  EXPECT_EQ(std::memcmp(expected.orientation, scene.objects[0].orientation,
                        sizeof expected.orientation),
            0);
  const double width = double(scene.textures[6].width);
  EXPECT_GT(width, 0.0) << "the demo images were not found";
  const Mesh& model = scene.meshes[0];
  EXPECT_EQ(model.texels[size_t(model.triangles[12].texels)].uv[1][0], width + 30.0);
  EXPECT_EQ(model.texels[size_t(model.triangles[0].texels)].uv[1][0],
            double(scene.textures[0].width));
  EXPECT_TRUE(notes.empty());
}

TEST_F(SceneBuildTest, StepsWithoutTheModelScrollNoTexture) {
  Build(MustParse(R"({"frameBuffer": {"width": 8, "height": 8},
                      "client": {"width": 8, "height": 8},
                      "meshes": [{"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]],
                                  "triangles": [{"vertex": [0, 1, 2],
                                                 "uv": [[1, 2], [3, 4], [5, 6]]}]}]})"),
             4);
  EXPECT_EQ(built.builtinMesh, kNoMesh);
  const Mesh& mesh = scene.meshes[0];
  ASSERT_NE(TexelsOf(mesh, mesh.triangles[0]), nullptr);
  EXPECT_EQ(TexelsOf(mesh, mesh.triangles[0])->uv[0][0], 1.0);
  EXPECT_NE(scene.objects[0].orientation[0][0], 1.0);  // yet object 0 turned
}

TEST_F(SceneBuildTest, EmptyObjectListDrawsOnlyTheClearedClient) {
  const SceneDescription description = MustParse(R"({
      "frameBuffer": {"width": 20, "height": 10},
      "client": {"width": 12, "height": 6}, "objects": []})");
  Build(description, 5);
  Draw();
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const uint32_t expected = x < 12 && y < 6 ? kBackgroundColour : 0u;
      ASSERT_EQ(Pixels()[20 * y + x], expected) << x << "," << y;
    }
  }
  for (int64_t i = 0; i < 200; ++i) {
    ASSERT_EQ(std::bit_cast<uint32_t>(Depth()[i]), kDepthClearBits);
  }
}

TEST_F(SceneBuildTest, AFlatTriangleCoversItsPixelsAtItsDepth) {
  // Camera at z = 100 with focal length 100: model units are pixels, and
  // the centre (0, 0) puts the model origin at the top-left corner.
  const SceneDescription description = MustParse(R"({
      "frameBuffer": {"width": 16, "height": 16},
      "client": {"width": 16, "height": 16},
      "camera": {"focalLength": 100, "centreX": 0, "centreY": 0},
      "meshes": [{"vertices": [[0, 0, 0], [8, 0, 0], [0, 8, 0]],
                  "triangles": [{"vertex": [0, 1, 2],
                                 "colour": [1193046, 0, 0]}]}],
      "objects": [{"position": [0, 0, 100]}]})");
  Build(description, 0);
  Draw();
  int32_t covered = 0;
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      const bool inside = x + y < 8;
      const uint32_t pixel = Pixels()[16 * y + x];
      if (!inside) {
        EXPECT_EQ(pixel, kBackgroundColour) << x << "," << y;
        continue;
      }
      ++covered;
      EXPECT_NE(pixel, kBackgroundColour) << x << "," << y;
      EXPECT_EQ(Depth()[16 * y + x], 100.0f) << x << "," << y;
    }
  }
  EXPECT_EQ(covered, 36);
}

}  // namespace
