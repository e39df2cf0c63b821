#include "tools/render_scene/tool_run.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "render/render_context.h"
#include "render/render_stats.h"
#include "tools/render_scene/bench_report.h"
#include "tools/render_scene/frame_margin.h"
#include "tools/render_scene/frame_sequence.h"
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

// The frame buffer as the writers take it.
SequenceFrame FrameOf(const HeadlessTarget& target) {
  const PixelRect client{target.pixels, target.clientRect.right,
                         target.clientRect.bottom, target.bufferSize.x};
  return SequenceFrame{client, target.pixels, renderContext.zBuffer,
                       target.bufferSize.x, target.bufferSize.y};
}

// One frame: the margin zeroed, the client cleared, the scene pass.
SequenceFrame DrawFrame(const ToolOptions& options,
                        const HeadlessTarget& target, BenchTimes* times) {
  using Clock = std::chrono::steady_clock;
  const RenderContext& c = renderContext;
  ZeroFrameMargin(FrameMargin{target.pixels, target.bufferSize.x,
                              target.bufferSize.x, target.bufferSize.y,
                              target.clientRect.right, target.clientRect.bottom,
                              c.viewportLeft, c.viewportTop, c.viewportRight,
                              c.viewportBottom});
  const Clock::time_point start = Clock::now();
  ClearClientArea(target);
  const Clock::time_point cleared = Clock::now();
  const RenderStats before = renderStats;
  RenderScene();
  const Clock::time_point end = Clock::now();
  if (options.bench) {
    times->frameMs.push_back(MillisecondsBetween(start, end));
    times->clearMs.push_back(MillisecondsBetween(start, cleared));
    times->sceneMs.push_back(MillisecondsBetween(cleared, end));
    times->depthResetMs.push_back(
        double(renderStats.depthResetNs - before.depthResetNs) * 1e-6);
    times->fillMs.push_back(double(renderStats.fillNs - before.fillNs) * 1e-6);
  }
  return FrameOf(target);
}

}  // namespace

int RunRenderScene(const ToolOptions& options) {
  SceneDescription scene;
  if (!DescribeScene(options, &scene)) return 2;
  const int32_t steps = options.hasSteps ? options.steps : scene.animationSteps;
  HeadlessTarget target{};
  BuiltScene built{};
  std::vector<TextureNote> notes;
  if (options.hasScene) {
    SetUpSceneFrame(scene, options.texturesFolder, steps, &target, &built,
                    &notes);
  } else {
    SetUpDemoFrame(scene, options.texturesFolder, steps, &target, &notes);
    built.usesBuiltin = 1;
  }
  PrintNotes(options, notes);
  BenchTimes times;
  if (options.bench) ReserveBenchTimes(options.frames, &times);
  // The renderer counts passing pixels always; stage times only on request.
  ResetRenderStats();
  renderStats.timing = options.bench;
  const FrameHooks hooks{[&] { StepSceneAnimation(built.usesBuiltin); },
                         [&] { return DrawFrame(options, target, &times); }};
  SequenceTimes sequenceTimes;
  const int status =
      RunFrameSequence(options, target.clientRect.right,
                       target.clientRect.bottom, hooks, &sequenceTimes);
  renderStats.timing = 0;
  if (options.bench) {
    std::fputs(FormatBenchReport(times, renderStats.pixelsPassed).c_str(),
               stdout);
    std::fputs(FormatSequenceTimes(sequenceTimes).c_str(), stdout);
  }
  ReleaseSceneFrame(&target, &built);
  return status;
}
