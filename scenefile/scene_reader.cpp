// Reading a whole scene file: the top-level keys in a fixed order (textures
// before meshes before objects, so every index can be checked as it is read),
// then the sizes against each other.
#include "scenefile/scene_reader.h"

#include <algorithm>
#include <cstdio>

#include "scenefile/json_text.h"
#include "scenefile/scene_layout.h"
#include "scenefile/scene_sections.h"

namespace renderer {

namespace {

// A size whose sides run from `least` to 16384, with `range` naming that.
int32_t ReadSize(const Field& field, int32_t least, const char* range,
                 int32_t* width, int32_t* height) {
  return ExpectObject(field, {"width", "height"}) &&
         ReadInt32InRange(Member(field, "width"), least, kMaxFrameSide, range,
                          width) &&
         ReadInt32InRange(Member(field, "height"), least, kMaxFrameSide, range,
                          height);
}

int32_t ReadViewportSide(const Field& viewport, const char* side, int32_t bit,
                         int32_t* out, SceneDescription* scene) {
  const Field field = Member(viewport, side);
  if (Present(field)) scene->viewportSidesGiven |= bit;
  return ReadInt32(field, out);
}

int32_t ReadViewport(const Field& field, SceneDescription* scene) {
  return ExpectObject(field, {"left", "top", "right", "bottom"}) &&
         ReadViewportSide(field, "left", kViewportLeft, &scene->viewportLeft,
                          scene) &&
         ReadViewportSide(field, "top", kViewportTop, &scene->viewportTop,
                          scene) &&
         ReadViewportSide(field, "right", kViewportRight,
                          &scene->viewportRight, scene) &&
         ReadViewportSide(field, "bottom", kViewportBottom,
                          &scene->viewportBottom, scene);
}

int32_t ReadCamera(const Field& field, SceneDescription* scene) {
  if (!ExpectObject(field, {"focalLength", "nearZ", "centreX", "centreY"})) {
    return 0;
  }
  const Field centreX = Member(field, "centreX");
  const Field centreY = Member(field, "centreY");
  scene->hasCentreX = Present(centreX);
  scene->hasCentreY = Present(centreY);
  return ReadInt32(Member(field, "focalLength"), &scene->focalLength) &&
         ReadInt32(Member(field, "nearZ"), &scene->nearZ) &&
         ReadDouble(centreX, &scene->centreX) &&
         ReadDouble(centreY, &scene->centreY);
}

int32_t ReadTexture(const Field& field, const std::string& baseFolder,
                    TextureEntry* texture) {
  if (!ExpectObject(field, {"file", "opaqueWhite"})) return 0;
  const Field file = Member(field, "file");
  if (!ReadString(file, &texture->file)) return 0;
  if (Present(file)) {
    texture->hasFile = 1;
    texture->path = ResolvePath(baseFolder, texture->file);
  }
  return ReadBool(Member(field, "opaqueWhite"), &texture->opaqueWhite);
}

// Without an "objects" key the scene holds one default object on mesh 0.
int32_t ReadObjects(const Field& field, SceneDescription* scene) {
  if (!Present(field) && scene->meshes.empty()) {
    return Refuse(field,
                  "the default object shows mesh 0, but there are 0 meshes");
  }
  return ReadList(field, &scene->objects,
                  [scene](const Field& entry, ObjectEntry* object) {
                    return ReadObjectEntry(entry, scene->meshes.size(),
                                           object);
                  });
}

int32_t ReadBuiltinTextures(const Field& field, const std::string& baseFolder,
                            SceneDescription* scene) {
  std::string folder;
  if (!Present(field)) return 1;
  if (!ReadString(field, &folder)) return 0;
  scene->hasBuiltinTextures = 1;
  scene->builtinTextures = ResolvePath(baseFolder, folder);
  return 1;
}

int32_t ReadSceneKeys(const Field& root, const std::string& baseFolder,
                      SceneDescription* scene) {
  if (!ExpectObject(root, {"frameBuffer", "client", "viewport", "camera",
                           "textures", "builtinTextures", "meshes", "objects",
                           "animationSteps", "animatedObject"})) {
    return 0;
  }
  // A client area of 0 by 0 is a minimised window's; it draws nothing.
  return ReadSize(Member(root, "frameBuffer"), 1, "the size range 1 to 16384",
                  &scene->frameWidth, &scene->frameHeight) &&
         ReadSize(Member(root, "client"), 0, "the size range 0 to 16384",
                  &scene->clientWidth, &scene->clientHeight) &&
         ReadViewport(Member(root, "viewport"), scene) &&
         ReadCamera(Member(root, "camera"), scene) &&
         ReadList(Member(root, "textures"), &scene->textures,
                  [&baseFolder](const Field& entry, TextureEntry* texture) {
                    return ReadTexture(entry, baseFolder, texture);
                  }) &&
         ReadBuiltinTextures(Member(root, "builtinTextures"), baseFolder,
                             scene) &&
         ReadList(Member(root, "meshes"), &scene->meshes,
                  [scene, &baseFolder](const Field& entry, MeshEntry* mesh) {
                    return ReadMeshEntry(entry, scene->textures.size(),
                                         baseFolder, mesh);
                  }) &&
         ReadObjects(Member(root, "objects"), scene) &&
         ReadInt32InRange(Member(root, "animationSteps"), 0, INT32_MAX,
                          "the range 0 to 2147483647", &scene->animationSteps) &&
         ReadIndex(Member(root, "animatedObject"),
                   std::max<size_t>(scene->objects.size(), 1), "object",
                   "objects", &scene->animatedObject);
}

int32_t ReadWholeFile(const std::string& fileName, std::string* text) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) return 0;
  char chunk[65536];
  size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    text->append(chunk, count);
  }
  const int32_t failed = std::ferror(file) ? 1 : 0;
  std::fclose(file);
  return !failed;
}

}  // namespace

std::string FolderOf(const std::string& fileName) {
  const size_t slash = fileName.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : fileName.substr(0, slash);
}

std::string ResolvePath(const std::string& baseFolder,
                        const std::string& path) {
  if (baseFolder.empty() || (!path.empty() && path[0] == '/')) return path;
  if (baseFolder.back() == '/') return baseFolder + path;
  return baseFolder + "/" + path;
}

int32_t ParseSceneText(const std::string& text, const std::string& baseFolder,
                       const SceneOverrides& overrides, SceneDescription* scene,
                       SceneError* error) {
  Json root;
  if (!ParseJsonText(text, &root, error)) return 0;
  *scene = DefaultSceneDescription();
  if (!ReadSceneKeys(TopLevel(root, error), baseFolder, scene)) return 0;
  return ApplySceneOverrides(overrides, scene, error);
}

int32_t LoadSceneFile(const std::string& fileName,
                      const SceneOverrides& overrides, SceneDescription* scene,
                      SceneError* error) {
  std::string text;
  if (!ReadWholeFile(fileName, &text)) {
    return Refuse(error, "(file)", "cannot be read");
  }
  return ParseSceneText(text, FolderOf(fileName), overrides, scene, error);
}

std::string FormatSceneError(const std::string& fileName,
                             const SceneError& error) {
  return fileName + ": " + error.path + ": " + error.problem;
}

}  // namespace renderer
