// Opening scene and model files in the desktop program, through the same
// reading and building steps as render-scene.
#include "app/scene_source.h"

#include <cstdio>
#include <vector>

#include "tools/render_scene/scene_build.h"
#include "tools/render_scene/scene_file.h"
#include "tools/render_scene/scene_model.h"

bool OpenSceneFile(const std::string& path, OpenedScene* opened,
                   std::string* error) {
  SceneDescription description;
  const SceneOverrides sizes{};
  if (IsModelScene(path)) {
    if (!LoadModelScene(path, sizes, &description, error)) return false;
  } else {
    SceneError sceneError;
    if (!LoadSceneFile(path, sizes, &description, &sceneError)) {
      *error = FormatSceneError(path, sceneError);
      return false;
    }
  }
  for (const MeshEntry& mesh : description.meshes) {
    for (const std::string& warning : mesh.modelWarnings) {
      std::fprintf(stderr, "%s\n", warning.c_str());
    }
  }
  BuiltScene built;
  std::vector<TextureNote> notes;  // empty textures draw nothing; not fatal
  BuildScene(description, "", &built, &notes);
  opened->scene = std::move(built.scene);
  opened->animatedObject = built.animatedObject;
  opened->builtinMesh = built.builtinMesh;
  opened->focalLength = description.focalLength;
  opened->nearZ = description.nearZ;
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
