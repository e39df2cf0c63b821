#include "tools/render_scene/tool_run.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "renderer/renderer.h"
#include "renderer/scene_file.h"
#include "tools/render_scene/bench_report.h"
#include "tools/render_scene/frame_margin.h"
#include "tools/render_scene/frame_sequence.h"

namespace {

constexpr const char* kToolName = "render-scene";

// The scene to draw: the scene or model file, or the demo. Prints the
// refusal and returns false when it is refused.
bool LoadToolScene(const ToolOptions& options, renderer::LoadedScene& loaded) {
  renderer::SceneFileOptions load;
  load.sizes = options.sizes;
  load.builtinTextures = options.texturesFolder;
  if (options.hasSteps) load.steps = options.steps;
  load.looks = options.looks;
  if (!options.hasScene) load.name = kToolName;
  std::string error;
  const bool ok =
      options.hasScene
          ? renderer::LoadScene(options.sceneFile, load, loaded, error)
          : renderer::LoadDemoScene(load, loaded, error);
  if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
  return ok;
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

// The loaded scene with the frame it is drawn into.
struct ToolFrame {
  renderer::LoadedScene loaded;
  renderer::HeadlessTarget target;
  renderer::WorkspacePtr workspace = renderer::MakeWorkspace();
};

// One frame: the margin zeroed, the client cleared, the scene pass.
SequenceFrame DrawFrame(const ToolOptions& options, ToolFrame* frame,
                        BenchTimes* times) {
  using Clock = std::chrono::steady_clock;
  const renderer::RenderStats& stats = renderer::Stats(*frame->workspace);
  const renderer::FrameTarget& target = frame->target.target;
  const renderer::View& view = frame->loaded.view;
  ZeroFrameMargin(FrameMargin{target.pixels, target.pitch / 4, target.width,
                              target.height, target.clientRect.right,
                              target.clientRect.bottom, view.viewportLeft,
                              view.viewportTop, view.viewportRight,
                              view.viewportBottom});
  const Clock::time_point start = Clock::now();
  const renderer::RenderStats before = stats;
  renderer::DrawScene(frame->loaded, frame->target, *frame->workspace);
  // Only the frames write the depth buffer, and nothing but the frames and
  // the clears writes the client's pixels (the margin lies outside it): the
  // next frame clears and resets no more than this one drew.
  frame->target.target.depthKept = true;
  frame->target.target.pixelsKept = true;
  const Clock::time_point end = Clock::now();
  if (options.bench) {
    times->frameMs.push_back(MillisecondsBetween(start, end));
    const double clearMs =
        double(stats.colourClearNs - before.colourClearNs) * 1e-6;
    times->clearMs.push_back(clearMs);
    times->sceneMs.push_back(MillisecondsBetween(start, end) - clearMs);
    times->depthResetMs.push_back(
        double(stats.depthResetNs - before.depthResetNs) * 1e-6);
    times->fillMs.push_back(double(stats.fillNs - before.fillNs) * 1e-6);
  }
  return FrameOf(target);
}

}  // namespace

int RunRenderScene(const ToolOptions& options) {
  ToolFrame frame;
  if (!LoadToolScene(options, frame.loaded)) return 2;
  std::string problem;
  if (!CheckImageOutput(options, frame.loaded.clientWidth,
                        frame.loaded.clientHeight, &problem)) {
    std::fprintf(stderr, "%s: %s\n", kToolName, problem.c_str());
    return 2;
  }
  for (const std::string& warning : frame.loaded.modelWarnings) {
    std::fprintf(stderr, "%s\n", warning.c_str());
  }
  for (const std::string& note : frame.loaded.notes) {
    std::fprintf(stderr, "%s\n", note.c_str());
  }
  if (options.hasWriteScene &&
      !renderer::WriteScene(options.writeSceneFile, frame.loaded, problem)) {
    std::fprintf(stderr, "%s: %s\n", kToolName, problem.c_str());
    return 1;
  }
  renderer::BindSceneTarget(frame.loaded, frame.target);
  renderer::SetThreadCount(*frame.workspace, options.threads);
  BenchTimes times;
  if (options.bench) ReserveBenchTimes(options.frames, &times);
  // The renderer counts passing pixels always; stage times only on request.
  renderer::RenderStats& stats = renderer::Stats(*frame.workspace);
  renderer::ResetStats(*frame.workspace);
  stats.timing = options.bench != 0;
  const FrameHooks hooks{
      [&] { renderer::StepSceneAnimation(frame.loaded); },
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
