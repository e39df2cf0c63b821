#pragma once
// render-scene's command line.
#include <cstdint>
#include <string>

#include "renderer/scene_file.h"
#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/sequence_options.h"

struct ToolOptions {
  int32_t hasScene;
  std::string sceneFile;
  int32_t hasTextures;
  std::string texturesFolder;
  int32_t hasSteps;
  int32_t steps;
  renderer::SceneOverrides sizes;  // --client and --desktop
  ImageFormat outFormat;
  std::string outFile;
  int32_t hasRaw;
  std::string rawFile;
  int32_t hasWriteScene;
  std::string writeSceneFile;
  int32_t threads;  // 0: one per hardware thread
  int32_t frames;
  SequenceOptions sequence;  // --first-frame, --frame-delay, patterns
  int32_t bench;
  int32_t help;
};

extern const char* const kUsageLine;

// Reads argv[1..argc-1]. Returns 1 on success; on failure 0 with `problem`
// set to one sentence naming the option and what is wrong with it.
int32_t ParseToolOptions(int argc, const char* const* argv,
                         ToolOptions* options, std::string* problem);

// --out needs a client area with pixels; the client size is known only once
// the scene is read. Returns 0 with `problem` set when an image is asked for
// and the client area is empty.
int32_t CheckImageOutput(const ToolOptions& options, int32_t clientWidth,
                         int32_t clientHeight, std::string* problem);
