// Reading a whole scene file: the top-level keys in a fixed order (textures
// before meshes before objects, so every index can be checked as it is read),
// then the sizes against each other.
#include "tools/render_scene/scene_file.h"

#include <algorithm>
#include <cstdio>

#include "tools/render_scene/json_text.h"
#include "tools/render_scene/scene_layout.h"
#include "tools/render_scene/scene_sections.h"

namespace {

constexpr const char* kSizeRange = "the size range 1 to 16384";

int32_t ReadSize(const Json& value, const std::string& path, int32_t* width,
                 int32_t* height, SceneError* error) {
  if (!ExpectObject(value, path, {"width", "height"}, error)) return 0;
  return (!value.contains("width") ||
          ReadInt32InRange(value["width"], KeyPath(path, "width"), 1,
                           kMaxFrameSide, kSizeRange, width, error)) &&
         (!value.contains("height") ||
          ReadInt32InRange(value["height"], KeyPath(path, "height"), 1,
                           kMaxFrameSide, kSizeRange, height, error));
}

int32_t ReadViewportSide(const Json& viewport, const char* side, int32_t bit,
                         int32_t* out, SceneDescription* scene,
                         SceneError* error) {
  if (!viewport.contains(side)) return 1;
  scene->viewportSidesGiven |= bit;
  return ReadInt32(viewport[side], KeyPath("viewport", side), out, error);
}

int32_t ReadViewport(const Json& value, SceneDescription* scene,
                     SceneError* error) {
  if (!ExpectObject(value, "viewport", {"left", "top", "right", "bottom"},
                    error)) {
    return 0;
  }
  return ReadViewportSide(value, "left", kViewportLeft, &scene->viewportLeft,
                          scene, error) &&
         ReadViewportSide(value, "top", kViewportTop, &scene->viewportTop,
                          scene, error) &&
         ReadViewportSide(value, "right", kViewportRight, &scene->viewportRight,
                          scene, error) &&
         ReadViewportSide(value, "bottom", kViewportBottom,
                          &scene->viewportBottom, scene, error);
}

int32_t ReadCamera(const Json& value, SceneDescription* scene,
                   SceneError* error) {
  if (!ExpectObject(value, "camera",
                    {"focalLength", "nearZ", "centreX", "centreY"}, error)) {
    return 0;
  }
  scene->hasCentreX = value.contains("centreX") ? 1 : 0;
  scene->hasCentreY = value.contains("centreY") ? 1 : 0;
  return (!value.contains("focalLength") ||
          ReadInt32(value["focalLength"], "camera.focalLength",
                    &scene->focalLength, error)) &&
         (!value.contains("nearZ") ||
          ReadInt32(value["nearZ"], "camera.nearZ", &scene->nearZ, error)) &&
         (!scene->hasCentreX || ReadDouble(value["centreX"], "camera.centreX",
                                           &scene->centreX, error)) &&
         (!scene->hasCentreY || ReadDouble(value["centreY"], "camera.centreY",
                                           &scene->centreY, error));
}

int32_t ReadTexture(const Json& value, const std::string& path,
                    const std::string& baseFolder, TextureEntry* texture,
                    SceneError* error) {
  if (!ExpectObject(value, path, {"file", "opaqueWhite"}, error)) return 0;
  *texture = TextureEntry{};
  if (value.contains("file")) {
    if (!ReadString(value["file"], KeyPath(path, "file"), &texture->file,
                    error)) {
      return 0;
    }
    texture->hasFile = 1;
    texture->path = ResolvePath(baseFolder, texture->file);
  }
  return !value.contains("opaqueWhite") ||
         ReadBool(value["opaqueWhite"], KeyPath(path, "opaqueWhite"),
                  &texture->opaqueWhite, error);
}

int32_t ReadTextures(const Json& value, const std::string& baseFolder,
                     SceneDescription* scene, SceneError* error) {
  if (!ExpectArray(value, "textures", error)) return 0;
  scene->textures.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadTexture(value[i], IndexPath("textures", i), baseFolder,
                     &scene->textures[i], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadMeshes(const Json& value, const std::string& baseFolder,
                   SceneDescription* scene, SceneError* error) {
  if (!ExpectArray(value, "meshes", error)) return 0;
  scene->meshes.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadMeshEntry(value[i], IndexPath("meshes", i), scene->textures.size(),
                       baseFolder, &scene->meshes[i], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadObjects(const Json& value, SceneDescription* scene,
                    SceneError* error) {
  if (!ExpectArray(value, "objects", error)) return 0;
  scene->objects.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadObjectEntry(value[i], IndexPath("objects", i),
                         scene->meshes.size(), &scene->objects[i], error)) {
      return 0;
    }
  }
  return 1;
}

// Without an "objects" key the scene holds one default object on mesh 0.
int32_t CheckDefaultObject(const SceneDescription& scene, SceneError* error) {
  if (!scene.meshes.empty()) return 1;
  return Refuse(error, "objects",
                "the default object shows mesh 0, but there are 0 meshes");
}

int32_t ReadBuiltinTextures(const Json& value, const std::string& baseFolder,
                            SceneDescription* scene, SceneError* error) {
  std::string folder;
  if (!ReadString(value, "builtinTextures", &folder, error)) return 0;
  scene->hasBuiltinTextures = 1;
  scene->builtinTextures = ResolvePath(baseFolder, folder);
  return 1;
}

int32_t ReadSceneKeys(const Json& root, const std::string& baseFolder,
                      SceneDescription* scene, SceneError* error) {
  if (!ExpectObject(root, "",
                    {"frameBuffer", "client", "viewport", "camera", "textures",
                     "builtinTextures", "meshes", "objects", "animationSteps",
                     "animatedObject"},
                    error)) {
    return 0;
  }
  return (!root.contains("frameBuffer") ||
          ReadSize(root["frameBuffer"], "frameBuffer", &scene->frameWidth,
                   &scene->frameHeight, error)) &&
         (!root.contains("client") ||
          ReadSize(root["client"], "client", &scene->clientWidth,
                   &scene->clientHeight, error)) &&
         (!root.contains("viewport") ||
          ReadViewport(root["viewport"], scene, error)) &&
         (!root.contains("camera") ||
          ReadCamera(root["camera"], scene, error)) &&
         (!root.contains("textures") ||
          ReadTextures(root["textures"], baseFolder, scene, error)) &&
         (!root.contains("builtinTextures") ||
          ReadBuiltinTextures(root["builtinTextures"], baseFolder, scene,
                              error)) &&
         (!root.contains("meshes") ||
          ReadMeshes(root["meshes"], baseFolder, scene, error)) &&
         (root.contains("objects") ? ReadObjects(root["objects"], scene, error)
                                   : CheckDefaultObject(*scene, error)) &&
         (!root.contains("animationSteps") ||
          ReadInt32InRange(root["animationSteps"], "animationSteps", 0,
                           INT32_MAX, "the range 0 to 2147483647",
                           &scene->animationSteps, error)) &&
         (!root.contains("animatedObject") ||
          ReadIndex(root["animatedObject"], "animatedObject",
                    std::max<size_t>(scene->objects.size(), 1), "object",
                    "objects", &scene->animatedObject, error));
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
  if (!ReadSceneKeys(root, baseFolder, scene, error)) return 0;
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
