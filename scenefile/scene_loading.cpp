// Loading a scene for a caller: the file read and checked into a
// SceneDescription, then built and stepped; refusals and texture notes
// become lines that begin with the file's name.
#include "renderer/scene_file.h"

#include <utility>

#include "scenefile/scene_layout.h"
#include "scenefile/scene_looks.h"
#include "scenefile/scene_model.h"
#include "scenefile/scene_reader.h"
#include "scenefile/scene_setup.h"

namespace renderer {

namespace {

std::string NameOf(const std::string& path, const SceneFileOptions& options) {
  return options.name.empty() ? path : options.name;
}

int32_t StepsOf(const SceneFileOptions& options,
                const SceneDescription& scene) {
  return options.steps == kStepsFromFile ? scene.animationSteps
                                         : options.steps;
}

// "NAME: path: problem", or "NAME: problem" for a built-in image.
std::vector<std::string> NoteLines(const std::string& name,
                                   const std::vector<TextureNote>& notes) {
  std::vector<std::string> lines;
  for (const TextureNote& note : notes) {
    lines.push_back(note.path.empty()
                        ? name + ": " + note.problem
                        : name + ": " + note.path + ": " + note.problem);
  }
  return lines;
}

void BuildLoaded(SceneDescription& description, const std::string& name,
                 const SceneFileOptions& options, LoadedScene& loaded) {
  loaded = LoadedScene{};
  std::vector<TextureNote> notes;
  OverrideSceneLooks(options.looks, &description.looks);
  for (const MeshEntry& mesh : description.meshes) {
    loaded.modelWarnings.insert(loaded.modelWarnings.end(),
                                mesh.modelWarnings.begin(),
                                mesh.modelWarnings.end());
  }
  const int32_t steps = StepsOf(options, description);
  SetUpScene(std::move(description), options.builtinTextures, steps, &loaded,
             &notes);
  loaded.notes = NoteLines(name, notes);
}

}  // namespace

bool LoadScene(const std::string& path, const SceneFileOptions& options,
               LoadedScene& loaded, std::string& error) {
  if (IsModelScenePath(path)) {
    return LoadModelScene(path, options, loaded, error);
  }
  SceneDescription description;
  SceneError refusal;
  if (!LoadSceneFile(path, options.sizes, &description, &refusal)) {
    error = FormatSceneError(NameOf(path, options), refusal);
    return false;
  }
  BuildLoaded(description, NameOf(path, options), options, loaded);
  return true;
}

bool LoadSceneText(const std::string& text, const std::string& baseFolder,
                   const SceneFileOptions& options, LoadedScene& loaded,
                   std::string& error) {
  SceneDescription description;
  SceneError refusal;
  if (!ParseSceneText(text, baseFolder, options.sizes, &description,
                      &refusal)) {
    error = FormatSceneError(options.name, refusal);
    return false;
  }
  BuildLoaded(description, options.name, options, loaded);
  return true;
}

bool LoadModelScene(const std::string& path, const SceneFileOptions& options,
                    LoadedScene& loaded, std::string& error) {
  SceneDescription description;
  if (!ReadModelScene(path, options.sizes, &description, &error)) return false;
  BuildLoaded(description, NameOf(path, options), options, loaded);
  return true;
}

bool LoadDemoScene(const SceneFileOptions& options, LoadedScene& loaded,
                   std::string& error) {
  SceneDescription sizes = DefaultSceneDescription();
  SceneError refusal;
  if (!ApplySceneOverrides(options.sizes, &sizes, &refusal)) {
    error = FormatSceneError(options.name, refusal);
    return false;
  }
  loaded = LoadedScene{};
  std::vector<TextureNote> notes;
  SetUpDemo(sizes, options.builtinTextures, StepsOf(options, sizes), &loaded,
            &notes);
  OverrideSceneLooks(options.looks, &loaded.view.looks);
  loaded.notes = NoteLines(options.name, notes);
  return true;
}

}  // namespace renderer
