#include "tools/render_scene/tool_run.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "renderer/renderer.h"
#include "tools/render_scene/bench_report.h"
#include "tools/render_scene/raw_dump.h"
#include "tools/render_scene/scene_file.h"
#include "tools/render_scene/scene_frame.h"
#include "tools/render_scene/scene_setup.h"

namespace {

constexpr const char* kToolName = "render-scene";

// The scene to draw, read and checked before anything is set up.
int32_t DescribeScene(const ToolOptions& options, SceneDescription* scene) {
  SceneError error;
  if (options.hasScene) {
    if (LoadSceneFile(options.sceneFile, options.sizes, scene, &error)) {
      return 1;
    }
    std::fprintf(stderr, "%s\n",
                 FormatSceneError(options.sceneFile, error).c_str());
    return 0;
  }
  *scene = DefaultSceneDescription();
  if (ApplySceneOverrides(options.sizes, scene, &error)) return 1;
  std::fprintf(stderr, "%s\n", FormatSceneError(kToolName, error).c_str());
  return 0;
}

void PrintNotes(const ToolOptions& options,
                const std::vector<TextureNote>& notes) {
  const std::string& label =
      options.hasScene ? options.sceneFile : std::string(kToolName);
  for (const TextureNote& note : notes) {
    if (note.path.empty()) {
      std::fprintf(stderr, "%s: %s\n", label.c_str(), note.problem.c_str());
    } else {
      std::fprintf(stderr, "%s: %s: %s\n", label.c_str(), note.path.c_str(),
                   note.problem.c_str());
    }
  }
}

double MillisecondsBetween(std::chrono::steady_clock::time_point from,
                           std::chrono::steady_clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

void DrawFrames(const ToolOptions& options, SceneFrame* scene,
                BenchTimes* times) {
  using Clock = std::chrono::steady_clock;
  const renderer::RenderStats& stats = renderer::Stats(*scene->workspace);
  for (int32_t frame = 0; frame < options.frames; ++frame) {
    if (options.bench && frame > 0) StepSceneAnimation(&scene->built);
    const Clock::time_point start = Clock::now();
    ClearClientArea(scene->target, *scene->workspace);
    const Clock::time_point cleared = Clock::now();
    const renderer::RenderStats before = stats;
    renderer::RenderFrame(scene->built.scene, scene->view,
                          scene->target.target, *scene->workspace);
    const Clock::time_point end = Clock::now();
    if (options.bench) {
      times->frameMs.push_back(MillisecondsBetween(start, end));
      times->clearMs.push_back(MillisecondsBetween(start, cleared));
      times->sceneMs.push_back(MillisecondsBetween(cleared, end));
      times->depthResetMs.push_back(
          double(stats.depthResetNs - before.depthResetNs) * 1e-6);
      times->fillMs.push_back(double(stats.fillNs - before.fillNs) * 1e-6);
    }
  }
}

int32_t WriteOutputs(const ToolOptions& options,
                     const renderer::FrameTarget& target) {
  int32_t written = 1;
  if (options.outFormat != ImageFormat::kNone) {
    const PixelRect client{target.pixels, target.clientRect.right,
                           target.clientRect.bottom, target.width};
    if (!WriteImage(options.outFile.c_str(), options.outFormat, client)) {
      std::fprintf(stderr, "%s: cannot write %s\n", kToolName,
                   options.outFile.c_str());
      written = 0;
    }
  }
  if (options.hasRaw &&
      !WriteRawDump(options.rawFile.c_str(), target.pixels, target.depth,
                    target.width, target.height)) {
    std::fprintf(stderr, "%s: cannot write %s\n", kToolName,
                 options.rawFile.c_str());
    written = 0;
  }
  return written;
}

}  // namespace

int RunRenderScene(const ToolOptions& options) {
  SceneDescription scene;
  if (!DescribeScene(options, &scene)) return 2;
  const int32_t steps = options.hasSteps ? options.steps : scene.animationSteps;
  SceneFrame frame;
  std::vector<TextureNote> notes;
  if (options.hasScene) {
    SetUpSceneFrame(scene, options.texturesFolder, steps, &frame, &notes);
  } else {
    SetUpDemoFrame(scene, options.texturesFolder, steps, &frame, &notes);
  }
  PrintNotes(options, notes);
  renderer::SetThreadCount(*frame.workspace, options.threads);
  BenchTimes times;
  if (options.bench) ReserveBenchTimes(options.frames, &times);
  // The renderer counts passing pixels always; stage times only on request.
  renderer::RenderStats& stats = renderer::Stats(*frame.workspace);
  renderer::ResetStats(*frame.workspace);
  stats.timing = options.bench != 0;
  DrawFrames(options, &frame, &times);
  stats.timing = false;
  if (options.bench) {
    std::fputs(FormatBenchReport(times, stats.pixelsPassed,
                                 renderer::ThreadCount(*frame.workspace)).c_str(), stdout);
  }
  return WriteOutputs(options, frame.target.target) ? 0 : 1;
}
