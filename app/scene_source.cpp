// Opening scene and model files in the desktop program, through the same
// reading and building steps as render-scene.
#include "app/scene_source.h"

#include <cstdio>

#include "renderer/scene_file.h"

namespace app {

bool OpenSceneFile(const std::string& path, OpenedScene* opened,
                   std::string* error) {
  // The file as it stands: no animation steps, the built-in model's images
  // from the working directory; empty textures draw nothing and are not
  // fatal, so their notes go unshown. A model's missing files are named.
  renderer::SceneFileOptions options;
  options.steps = 0;
  renderer::LoadedScene loaded;
  if (!renderer::LoadScene(path, options, loaded, *error)) return false;
  for (const std::string& warning : loaded.modelWarnings) {
    std::fprintf(stderr, "%s\n", warning.c_str());
  }
  opened->scene = std::move(loaded.scene);
  opened->animatedObject = loaded.animatedObject;
  opened->builtinMesh = loaded.builtinMesh;
  opened->focalLength = loaded.view.focalLength;
  opened->nearZ = loaded.view.nearZ;
  return true;
}

std::wstring WidenUtf8(const std::string& text) {
  std::wstring wide;
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + size_t(length) > text.size()) {
      wide += L'?';
      ++i;
      continue;
    }
    uint32_t point = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) point = point << 6 | (text[i + size_t(k)] & 0x3F);
    wide += static_cast<wchar_t>(point);
    i += size_t(length);
  }
  return wide;
}

}  // namespace app
