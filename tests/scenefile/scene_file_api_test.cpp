// The scene-file library as a caller sees it: refusals and notes as one line
// each that names the file, the sizes and steps a load applies, and a written
// scene that draws the same frame when loaded back.
#include "renderer/scene_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "renderer/renderer.h"
#include "tests/support/test_files.h"

using namespace renderer;

namespace {

constexpr const char* kTwoMeshes = R"({
    "meshes": [{"vertices": [], "triangles": []}, "builtin"],
    "objects": [{"mesh": 3}]})";

// The scene's frame as render-scene draws it: pixels, then depth.
std::vector<uint32_t> DrawnFrame(const LoadedScene& loaded) {
  HeadlessTarget target;
  BindSceneTarget(loaded, target);
  WorkspacePtr workspace = MakeWorkspace();
  DrawScene(loaded, target, *workspace);
  const FrameTarget& frame = target.target;
  const size_t pixels = size_t(frame.width) * size_t(frame.height);
  std::vector<uint32_t> words(frame.pixels, frame.pixels + pixels);
  for (size_t i = 0; i < size_t(frame.depthEntries); ++i) {
    uint32_t bits = 0;
    std::memcpy(&bits, &frame.depth[i], sizeof bits);
    words.push_back(bits);
  }
  return words;
}

TEST(SceneFileApiTest, RefusalsAreOneLineNamingTheFile) {
  const auto dir = FreshTestFolder("api-refusals");
  const std::string path = (dir / "scene.json").string();
  WriteText(path, kTwoMeshes);
  LoadedScene loaded;
  std::string error;
  EXPECT_FALSE(LoadScene(path, {}, loaded, error));
  EXPECT_EQ(error, path + ": objects[0].mesh: index 3 out of range (2 meshes)");

  SceneFileOptions named;
  named.name = "scene.json";
  EXPECT_FALSE(LoadSceneText(kTwoMeshes, "", named, loaded, error));
  EXPECT_EQ(error, "scene.json: objects[0].mesh: index 3 out of range (2 meshes)");

  EXPECT_FALSE(LoadScene((dir / "absent.json").string(), {}, loaded, error));
  EXPECT_EQ(error, (dir / "absent.json").string() + ": (file): cannot be read");

  SceneFileOptions tooSmall;
  tooSmall.name = "render-scene";
  tooSmall.sizes.hasClient = 1;
  tooSmall.sizes.clientWidth = 900;
  tooSmall.sizes.clientHeight = 700;
  tooSmall.sizes.hasDesktop = 1;
  tooSmall.sizes.desktopWidth = 800;
  tooSmall.sizes.desktopHeight = 600;
  EXPECT_FALSE(LoadDemoScene(tooSmall, loaded, error));
  EXPECT_EQ(error, "render-scene: --client: 900x700 does not fit in the frame "
                   "buffer (the frame buffer is 800x600)");
}

TEST(SceneFileApiTest, LoadsSizesCameraStepsAndNotes) {
  const auto dir = FreshTestFolder("api-load");
  const std::string path = (dir / "scene.json").string();
  WriteText(path, R"({
      "frameBuffer": {"width": 40, "height": 30},
      "client": {"width": 32, "height": 24},
      "camera": {"focalLength": 90},
      "textures": [{"file": "gone.bmp"}],
      "objects": [{}, {}], "animatedObject": 1, "animationSteps": 4})");
  SceneFileOptions options;
  options.builtinTextures = RENDERER_TEXTURE_DIR;
  LoadedScene stepped;
  std::string error;
  ASSERT_TRUE(LoadScene(path, options, stepped, error)) << error;
  EXPECT_EQ(stepped.frameWidth, 40);
  EXPECT_EQ(stepped.clientHeight, 24);
  EXPECT_EQ(stepped.view.focalLength, 90);
  EXPECT_EQ(stepped.view.viewportRight, 32);
  EXPECT_EQ(stepped.view.centreY, 12.0);
  EXPECT_EQ(stepped.animationSteps, 4);
  EXPECT_EQ(stepped.animatedObject, 1);
  EXPECT_EQ(stepped.builtinMesh, 0);
  ASSERT_EQ(stepped.notes.size(), 1u);
  EXPECT_EQ(stepped.notes[0], path + ": textures[0].file: cannot load "
                                     "\"gone.bmp\"; the texture stays empty");

  // The file's four steps turn object 1 only; with no steps, it stands as
  // placed, and four steps by hand give the same scene.
  options.steps = 0;
  LoadedScene still;
  ASSERT_TRUE(LoadScene(path, options, still, error)) << error;
  EXPECT_EQ(std::memcmp(still.scene.objects[0].orientation,
                        stepped.scene.objects[0].orientation,
                        sizeof still.scene.objects[0].orientation), 0);
  EXPECT_NE(std::memcmp(still.scene.objects[1].orientation,
                        stepped.scene.objects[1].orientation,
                        sizeof still.scene.objects[1].orientation), 0);
  for (int step = 0; step < 4; ++step) StepSceneAnimation(still);
  EXPECT_EQ(DrawnFrame(still), DrawnFrame(stepped));
}

TEST(SceneFileApiTest, AWrittenSceneDrawsTheSameFrame) {
  const auto dir = FreshTestFolder("api-write");
  WriteText(dir / "scene.json", R"({
      "frameBuffer": {"width": 64, "height": 48},
      "client": {"width": 60, "height": 40},
      "viewport": {"left": 2, "top": 3, "right": 50, "bottom": 37},
      "objects": [{"transforms": [["rotateY", 30], ["scale", 0.7]]}],
      "animationSteps": 3})");
  SceneFileOptions options;
  options.builtinTextures = RENDERER_TEXTURE_DIR;
  LoadedScene loaded;
  std::string error;
  ASSERT_TRUE(LoadScene((dir / "scene.json").string(), options, loaded, error))
      << error;
  std::string problem;
  ASSERT_TRUE(WriteScene((dir / "out.json").string(), loaded, problem))
      << problem;
  EXPECT_TRUE(std::filesystem::exists(dir / "out-tex0.bmp"));

  LoadedScene reloaded;
  ASSERT_TRUE(LoadScene((dir / "out.json").string(), {}, reloaded, error))
      << error;
  EXPECT_TRUE(reloaded.notes.empty());
  EXPECT_EQ(DrawnFrame(reloaded), DrawnFrame(loaded));

  EXPECT_FALSE(WriteScene((dir / "none" / "out.json").string(), loaded,
                          problem));
  EXPECT_EQ(problem.rfind("cannot write ", 0), 0u) << problem;
}

// Texel coordinates live apart from the triangles: only the textured
// triangle and the untextured one whose coordinates are not all +0 keep
// them, and a written scene gives every triangle's back as they were read.
TEST(SceneFileApiTest, TexelCoordinatesWriteBackAsRead) {
  const auto dir = FreshTestFolder("api-texels");
  WriteText(dir / "scene.json", R"({
      "frameBuffer": {"width": 16, "height": 16},
      "client": {"width": 16, "height": 16},
      "textures": [{}],
      "meshes": [{"vertices": [[0, 0, 0], [9, 0, 0], [0, 9, 0]],
                  "triangles": [
                    {"vertex": [0, 1, 2], "texture": 0, "uv": [[0, 0], [2.5, 0], [0, 1]]},
                    {"vertex": [0, 2, 1], "uv": [[0, 0], [-0.0, 0], [0, 0]]},
                    {"vertex": [0, 1, 2]},
                    {"vertex": [0, 1, 2], "uv": [[0, 0], [0, 0], [0, 7]]}]}]})");
  LoadedScene loaded;
  std::string error;
  ASSERT_TRUE(LoadScene((dir / "scene.json").string(), {}, loaded, error)) << error;
  const Mesh& mesh = loaded.scene.meshes[0];
  EXPECT_EQ(mesh.texels.size(), 3u);
  EXPECT_EQ(mesh.triangles[2].texels, kNoTexels);
  std::string problem;
  ASSERT_TRUE(WriteScene((dir / "out.json").string(), loaded, problem)) << problem;
  LoadedScene reloaded;
  ASSERT_TRUE(LoadScene((dir / "out.json").string(), {}, reloaded, error)) << error;
  const Mesh& again = reloaded.scene.meshes[0];
  ASSERT_EQ(again.triangles.size(), mesh.triangles.size());
  for (size_t t = 0; t < mesh.triangles.size(); ++t) {
    const TriangleTexels none;
    const TriangleTexels* before = TexelsOf(mesh, mesh.triangles[t]);
    const TriangleTexels* after = TexelsOf(again, again.triangles[t]);
    EXPECT_EQ(before == nullptr, after == nullptr) << t;
    EXPECT_EQ(std::memcmp((before ? before : &none)->uv, (after ? after : &none)->uv,
                          sizeof none.uv), 0) << t;
  }
  EXPECT_TRUE(std::signbit(TexelsOf(again, again.triangles[1])->uv[1][0]));
  ASSERT_TRUE(WriteScene((dir / "again.json").string(), reloaded, problem)) << problem;
  EXPECT_EQ(ReadText(dir / "again.json"), ReadText(dir / "out.json"));
}

}  // namespace
