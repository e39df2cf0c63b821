// Building scenes in-process: textures, meshes, objects and their
// transforms, animation steps, and a frame drawn from a scene file.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <vector>

#include "render/frame_buffer.h"
#include "render/render_context.h"
#include "scene/bmp_writer.h"
#include "scene/model.h"
#include "scene/scene_object.h"
#include "tests/tools/tool_test_support.h"
#include "tools/render_scene/scene_file.h"
#include "tools/render_scene/scene_frame.h"
#include "tools/render_scene/scene_setup.h"

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
  HeadlessTarget target{};
  BuiltScene built{};
  std::vector<TextureNote> notes;
  void TearDown() override { ReleaseSceneFrame(&target, &built); }
  void SetUpScene(const SceneDescription& scene, int32_t steps) {
    SetUpSceneFrame(scene, RENDERER_TEXTURE_DIR, steps, &target, &built,
                    &notes);
  }
};

using SceneBuildTest = SceneFixture;

TEST_F(SceneBuildTest, TexturesLoadWithOptionalOpaqueWhite) {
  const auto dir = FreshToolFolder("textures");
  WriteWhiteAndGrey(dir / "wg.bmp");
  const SceneDescription scene = MustParse(R"({
      "frameBuffer": {"width": 32, "height": 24},
      "client": {"width": 32, "height": 24},
      "textures": [{"file": "wg.bmp"}, {"file": "wg.bmp", "opaqueWhite": true},
                   {"file": "missing.bmp"}, {"file": "missing.bmp"}, {}],
      "meshes": [], "objects": []})",
                                           dir.string());
  SetUpScene(scene, 0);
  ASSERT_EQ(built.textures.size(), 5u);
  ASSERT_EQ(built.textures[0].width, 2);
  EXPECT_EQ(built.textures[0].texels[1], 255);  // white stays see-through
  EXPECT_EQ(built.textures[1].texels[1], 254);  // made opaque
  EXPECT_EQ(built.textures[1].texels[4], 0x80);
  EXPECT_EQ(built.textures[2].texels, nullptr);
  EXPECT_EQ(built.textures[4].width, 0);
  // The missing file is reported once, though listed twice.
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].path, "textures[2].file");
  EXPECT_EQ(notes[0].problem,
            "cannot load \"missing.bmp\"; the texture stays empty");
  EXPECT_EQ(objectCount, 0);
}

TEST_F(SceneBuildTest, ObjectsArePlacedThenTransformedInOrder) {
  const SceneDescription scene = MustParse(R"({
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
  SetUpScene(scene, 0);
  ASSERT_EQ(objectCount, 2);
  const Mesh* own = sceneObjects[0].mesh;
  ASSERT_EQ(own, &built.ownMeshes[0]);
  EXPECT_EQ(own->vertexCount, 3);
  EXPECT_EQ(own->hasVertexVectors, 1);
  EXPECT_EQ(own->triangles[0].texture, nullptr);
  EXPECT_EQ(own->triangles[0].colour[0], 255);
  EXPECT_EQ(own->lineCount, 1);
  EXPECT_EQ(sceneObjects[1].mesh, builtinModel);

  // The same operations by hand give the same bits.
  SceneObject expected{};
  InitSceneObject(&expected);
  for (int i = 0; i < 3; ++i) expected.orientation[i][i] = 2.0;
  RotateObjectZ(&expected, 15);
  ScaleObject(&expected, 1.1);
  RotateObjectX(&expected, -3);
  RotateObjectY(&expected, 0.5);
  EXPECT_EQ(std::memcmp(expected.orientation, sceneObjects[0].orientation,
                        sizeof expected.orientation),
            0);
  EXPECT_EQ(sceneObjects[0].position[2], 700);
  // "reset" is the program's own reset: identity at (0, 0, 3200).
  EXPECT_EQ(sceneObjects[1].position[0], 0);
  EXPECT_EQ(sceneObjects[1].position[2], 3200);
  EXPECT_EQ(sceneObjects[1].orientation[0][0], 1.0);
  EXPECT_EQ(renderContext.projectedObjectCount, 2);
}

TEST_F(SceneBuildTest, AnimationStepsTurnObjectZeroAndScrollTheModel) {
  const SceneDescription scene = MustParse(R"({
      "frameBuffer": {"width": 64, "height": 48},
      "client": {"width": 64, "height": 48},
      "animationSteps": 3})");
  SetUpScene(scene, scene.animationSteps);
  SceneObject expected{};
  InitSceneObject(&expected);
  for (int step = 0; step < 3; ++step) {
    RotateObjectX(&expected, 0.5);
    RotateObjectY(&expected, 1);
  }
  EXPECT_EQ(std::memcmp(expected.orientation, sceneObjects[0].orientation,
                        sizeof expected.orientation),
            0);
  const double width = double(textureSlots[6].width);
  EXPECT_GT(width, 0.0) << "the demo images were not found";
  EXPECT_EQ(builtinModel->triangles[12].uv[1][0], width + 30.0);
  EXPECT_EQ(builtinModel->triangles[0].uv[1][0], double(textureSlots[0].width));
  EXPECT_TRUE(notes.empty());
}

TEST_F(SceneBuildTest, StepsWithoutTheModelLeaveItsTextureAlone) {
  // Build the model first, then a scene without it: the steps must not
  // scroll the model left over from before.
  SetUpScene(MustParse(R"({"frameBuffer": {"width": 8, "height": 8},
                      "client": {"width": 8, "height": 8}})"),
        0);
  const double before = builtinModel->triangles[12].uv[0][0];
  ReleaseBuiltScene(&built);
  SetUpScene(MustParse(R"({"frameBuffer": {"width": 8, "height": 8},
                      "client": {"width": 8, "height": 8},
                      "meshes": [{"vertices": [[0, 0, 0]]}]})"),
        4);
  EXPECT_EQ(builtinModel->triangles[12].uv[0][0], before);
  EXPECT_NE(sceneObjects[0].orientation[0][0], 1.0);  // yet object 0 turned
}

TEST_F(SceneBuildTest, EmptyObjectListDrawsOnlyTheClearedClient) {
  const SceneDescription scene = MustParse(R"({
      "frameBuffer": {"width": 20, "height": 10},
      "client": {"width": 12, "height": 6}, "objects": []})");
  SetUpScene(scene, 5);
  DrawSceneFrame(target);
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      const uint32_t expected = x < 12 && y < 6 ? kBackgroundColour : 0u;
      ASSERT_EQ(target.pixels[20 * y + x], expected) << x << "," << y;
    }
  }
  for (int64_t i = 0; i < 200; ++i) {
    ASSERT_EQ(std::bit_cast<uint32_t>(renderContext.zBuffer[i]),
              kDepthClearBits);
  }
}

TEST_F(SceneBuildTest, AFlatTriangleCoversItsPixelsAtItsDepth) {
  // Camera at z = 100 with focal length 100: model units are pixels, and
  // the centre (0, 0) puts the model origin at the top-left corner.
  const SceneDescription scene = MustParse(R"({
      "frameBuffer": {"width": 16, "height": 16},
      "client": {"width": 16, "height": 16},
      "camera": {"focalLength": 100, "centreX": 0, "centreY": 0},
      "meshes": [{"vertices": [[0, 0, 0], [8, 0, 0], [0, 8, 0]],
                  "triangles": [{"vertex": [0, 1, 2],
                                 "colour": [1193046, 0, 0]}]}],
      "objects": [{"position": [0, 0, 100]}]})");
  SetUpScene(scene, 0);
  DrawSceneFrame(target);
  int32_t covered = 0;
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      const bool inside = x + y < 8;
      const uint32_t pixel = target.pixels[16 * y + x];
      if (!inside) {
        EXPECT_EQ(pixel, kBackgroundColour) << x << "," << y;
        continue;
      }
      ++covered;
      EXPECT_NE(pixel, kBackgroundColour) << x << "," << y;
      EXPECT_EQ(renderContext.zBuffer[16 * y + x], 100.0f) << x << "," << y;
    }
  }
  EXPECT_EQ(covered, 36);
}

}  // namespace
