// Fuzz target: the scene-file reader and checker on arbitrary text,
// and every scene it accepts drawn into a small frame buffer.
//
// Texture files are looked up in a scratch folder of small images made at
// start-up; scenes that reach outside it (absolute paths, "..") are checked
// but not drawn, so the fuzzer never wanders the file system. Frames larger
// than 256 x 256 are drawn at that size through the reader's own
// frame-buffer and client overrides, and animation steps are capped, so one
// input stays fast.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "fuzz/fuzz_check.h"
#include "renderer/renderer.h"
#include "renderer/scene_file.h"
#include "scenefile/scene_reader.h"
#include "scenefile/scene_setup.h"

using renderer::SceneDescription;
using renderer::SceneError;
using renderer::SceneOverrides;
using renderer::TextureEntry;

namespace {

constexpr int32_t kMaxSide = 256;
constexpr int32_t kMaxSteps = 64;

std::string textureFolder;  // ends in '/'

void WriteImage(const std::string& name, int32_t width, int32_t height,
                uint32_t seed) {
  std::vector<uint32_t> pixels(size_t(width) * size_t(height));
  for (size_t i = 0; i < pixels.size(); ++i) {
    // Some pure white, so transparency and the white adjustment take part.
    pixels[i] = i % 5 == 0 ? 0xFFFFFFu
                           : (seed * 2654435761u + uint32_t(i) * 40503u) & 0xFFFFFFu;
  }
  const std::string path = textureFolder + name;
  FUZZ_CHECK(renderer::WriteBmp24(path.c_str(), pixels.data(), width, height,
                                  width));
}

// A scratch folder holding the seven built-in images (small) and a few
// others a scene can name: a.bmp, b.bmp, c.bmp.
void MakeTextureFolder() {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("renderer-fuzz-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  textureFolder = dir.string() + "/";
  for (int slot = 0; slot < renderer::kTextureSlotCount; ++slot) {
    WriteImage(renderer::kTextureFileNames[slot], 4 + slot, 3 + slot, uint32_t(slot));
  }
  WriteImage("a.bmp", 3, 2, 11);
  WriteImage("b.bmp", 1, 1, 12);
  WriteImage("c.bmp", 16, 9, 13);
}

void RemoveTextureFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(textureFolder, ignored);
}

bool InsideTextureFolder(const std::string& path) {
  return path.rfind(textureFolder, 0) == 0 &&
         path.find("..") == std::string::npos;
}

bool ReadsOnlyScratchFiles(const SceneDescription& scene) {
  for (const TextureEntry& t : scene.textures) {
    if (t.hasFile && !InsideTextureFolder(t.path)) return false;
  }
  return !scene.hasBuiltinTextures || InsideTextureFolder(scene.builtinTextures);
}

// render-scene's --desktop and --client, cutting the frame to kMaxSide.
SceneOverrides SmallFrame(const SceneDescription& scene) {
  const int32_t w = std::min(scene.frameWidth, kMaxSide);
  const int32_t h = std::min(scene.frameHeight, kMaxSide);
  return SceneOverrides{1, std::min(scene.clientWidth, w),
                        std::min(scene.clientHeight, h), 1, w, h};
}

// Every pixel is 0x00RRGGBB and no depth is NaN.
void CheckFrame(const renderer::FrameTarget& target) {
  const size_t pixels = size_t(target.width) * size_t(target.height);
  for (size_t i = 0; i < pixels; ++i) {
    FUZZ_CHECK((target.pixels[i] >> 24) == 0);
  }
  for (int64_t i = 0; i < target.depthEntries; ++i) {
    FUZZ_CHECK(!std::isnan(target.depth[i]));
  }
}

// Kept from one input to the next, as a program drawing many scenes would.
void DrawAccepted(const SceneDescription& scene) {
  static renderer::LoadedScene loaded;
  static renderer::HeadlessTarget target;
  static renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
  std::vector<renderer::TextureNote> notes;
  renderer::SetUpScene(SceneDescription(scene), textureFolder,
                       std::min(scene.animationSteps, kMaxSteps), &loaded,
                       &notes);
  renderer::BindSceneTarget(loaded, target);
  renderer::DrawScene(loaded, target, *workspace);
  CheckFrame(target.target);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  MakeTextureFolder();
  std::atexit(RemoveTextureFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (textureFolder.empty()) LLVMFuzzerInitialize(nullptr, nullptr);
  const std::string text =
      size == 0 ? std::string()
                : std::string(reinterpret_cast<const char*>(data), size);
  SceneDescription scene;
  SceneError error;
  if (renderer::ParseSceneText(text, textureFolder, SceneOverrides{}, &scene,
                     &error) == 0) {
    FUZZ_CHECK(!error.problem.empty());
    return 0;
  }
  if (!ReadsOnlyScratchFiles(scene)) return 0;
  const bool small =
      scene.frameWidth <= kMaxSide && scene.frameHeight <= kMaxSide;
  if (!small && renderer::ParseSceneText(text, textureFolder, SmallFrame(scene), &scene,
                               &error) == 0) {
    return 0;  // a viewport that only fits the larger frame
  }
  DrawAccepted(scene);
  return 0;
}
