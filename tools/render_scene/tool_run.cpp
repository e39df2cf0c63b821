#include "tools/render_scene/tool_run.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "renderer/renderer.h"
#include "tools/render_scene/bench_report.h"
#include "tools/render_scene/frame_margin.h"
#include "tools/render_scene/frame_sequence.h"
#include "tools/render_scene/scene_file.h"
#include "tools/render_scene/scene_frame.h"
#include "tools/render_scene/scene_model.h"
#include "tools/render_scene/scene_writer.h"
#include "tools/render_scene/scene_setup.h"

namespace {

constexpr const char* kToolName = "render-scene";

// The scene to draw, read and checked before anything is set up.
int32_t DescribeScene(const ToolOptions& options, SceneDescription* scene) {
  SceneError error;
  if (options.hasScene && IsModelScene(options.sceneFile)) {
    std::string problem;
    if (LoadModelScene(options.sceneFile, options.sizes, scene, &problem)) return 1;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 0;
  }
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

// Missing files the model meshes are drawn without, one line each.
void PrintModelWarnings(const SceneDescription& scene) {
  for (const MeshEntry& mesh : scene.meshes) {
    for (const std::string& warning : mesh.modelWarnings) {
      std::fprintf(stderr, "%s\n", warning.c_str());
    }
  }
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

// The frame as the writers take it. The raw dump's buffers are packed rows
// of the target's width, as BindHeadlessTarget makes them.
SequenceFrame FrameOf(const renderer::FrameTarget& target) {
  const PixelRect client{target.pixels, target.clientRect.right,
                         target.clientRect.bottom, target.pitch / 4};
  return SequenceFrame{client, target.pixels, target.depth, target.width,
                       target.height};
}

// One frame: the margin zeroed, the client cleared, the scene pass.
SequenceFrame DrawFrame(const ToolOptions& options, SceneFrame* scene,
                        BenchTimes* times) {
  using Clock = std::chrono::steady_clock;
  const renderer::RenderStats& stats = renderer::Stats(*scene->workspace);
  const renderer::FrameTarget& target = scene->target.target;
  const renderer::View& view = scene->view;
  ZeroFrameMargin(FrameMargin{target.pixels, target.pitch / 4, target.width,
                              target.height, target.clientRect.right,
                              target.clientRect.bottom, view.viewportLeft,
                              view.viewportTop, view.viewportRight,
                              view.viewportBottom});
  const Clock::time_point start = Clock::now();
  ClearClientArea(scene->target, *scene->workspace);
  const Clock::time_point cleared = Clock::now();
  const renderer::RenderStats before = stats;
  renderer::RenderFrame(scene->built.scene, scene->view, scene->target.target,
                        *scene->workspace);
  const Clock::time_point end = Clock::now();
  if (options.bench) {
    times->frameMs.push_back(MillisecondsBetween(start, end));
    times->clearMs.push_back(MillisecondsBetween(start, cleared));
    times->sceneMs.push_back(MillisecondsBetween(cleared, end));
    times->depthResetMs.push_back(
        double(stats.depthResetNs - before.depthResetNs) * 1e-6);
    times->fillMs.push_back(double(stats.fillNs - before.fillNs) * 1e-6);
  }
  return FrameOf(target);
}

}  // namespace

int RunRenderScene(const ToolOptions& options) {
  SceneDescription scene;
  if (!DescribeScene(options, &scene)) return 2;
  PrintModelWarnings(scene);
  std::string problem;
  if (!CheckImageOutput(options, scene.clientWidth, scene.clientHeight,
                        &problem)) {
    std::fprintf(stderr, "%s: %s\n", kToolName, problem.c_str());
    return 2;
  }
  const int32_t steps = options.hasSteps ? options.steps : scene.animationSteps;
  SceneFrame frame;
  std::vector<TextureNote> notes;
  if (options.hasScene) {
    SetUpSceneFrame(scene, options.texturesFolder, steps, &frame, &notes);
  } else {
    SetUpDemoFrame(scene, options.texturesFolder, steps, &frame, &notes);
  }
  PrintNotes(options, notes);
  if (options.hasWriteScene &&
      !WriteSceneFile(options.writeSceneFile, frame, &problem)) {
    std::fprintf(stderr, "%s: %s\n", kToolName, problem.c_str());
    return 1;
  }
  renderer::SetThreadCount(*frame.workspace, options.threads);
  BenchTimes times;
  if (options.bench) ReserveBenchTimes(options.frames, &times);
  // The renderer counts passing pixels always; stage times only on request.
  renderer::RenderStats& stats = renderer::Stats(*frame.workspace);
  renderer::ResetStats(*frame.workspace);
  stats.timing = options.bench != 0;
  const FrameHooks hooks{[&] { StepSceneAnimation(&frame.built); },
                         [&] { return DrawFrame(options, &frame, &times); }};
  const renderer::Rect& client = frame.target.target.clientRect;
  SequenceTimes sequenceTimes;
  const int status = RunFrameSequence(options, client.right, client.bottom,
                                      hooks, &sequenceTimes);
  stats.timing = false;
  if (options.bench) {
    std::fputs(FormatBenchReport(times, stats.pixelsPassed,
                                 renderer::ThreadCount(*frame.workspace))
                   .c_str(),
               stdout);
    std::fputs(FormatSequenceTimes(sequenceTimes).c_str(), stdout);
  }
  return status;
}
