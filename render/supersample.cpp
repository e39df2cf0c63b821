// Frames with several samples per pixel.
#include "render/supersample.h"

#include <algorithm>
#include <atomic>

#include "renderer/int32.h"
#include "render/row_kernels.h"
#include "render/scene_steps.h"
#include "render/srgb_mean.h"

namespace renderer {

namespace {

// The most sample entries a frame draws with its samples: 512 MiB of
// pixels and depth. Beyond it the frame is drawn with one sample.
constexpr int64_t kMostSampleEntries = int64_t{1} << 26;

// Rows a worker resolves at a time.
constexpr int32_t kResolveRows = 8;

struct ResolveJob {
  const FrameTarget* samples;
  int32_t k;
  PixelArea area;
  const FrameTarget* target;
  int32_t parts;
  std::atomic<int32_t> next{0};
  std::atomic<int32_t> done{0};
};

void RunResolve(void* data, int32_t worker) {
  ResolveJob& job = *static_cast<ResolveJob*>(data);
  for (;;) {
    const int32_t part = job.next.fetch_add(1);
    if (part >= job.parts) break;
    const int32_t first = job.area.top + part * kResolveRows;
    const int32_t last = std::min(first + kResolveRows - 1, job.area.bottom);
    ResolveRows(*job.samples, job.k, job.area, first, last, *job.target);
    job.done.fetch_add(1, std::memory_order_release);
  }
  if (worker == 0) WaitForCount(job.done, job.parts);
}

// Each sample of the area starts as the target's pixel, so that the mean
// of samples nothing covers is the pixel as it was.
void SeedSamples(const FrameTarget& target, const PixelArea& area, int32_t k,
                 const FrameTarget& samples) {
  const int64_t stride = target.pitch / 4;
  const int64_t sampleStride = samples.pitch / 4;
  for (int32_t y = area.top; y <= area.bottom; ++y) {
    const uint32_t* from = target.pixels + y * stride;
    for (int32_t j = 0; j < k; ++j) {
      uint32_t* to = samples.pixels + (int64_t{y} * k + j) * sampleStride;
      for (int32_t x = area.left; x <= area.right; ++x) {
        std::fill_n(to + int64_t{x} * k, k, from[x]);
      }
    }
  }
}

void Resolve(const FrameTarget& samples, int32_t k, const PixelArea& area,
             const FrameTarget& target, Workspace& workspace) {
  const int32_t rows = area.bottom - area.top + 1;
  ResolveJob job;
  job.samples = &samples;
  job.k = k;
  job.area = area;
  job.target = &target;
  job.parts = (rows + kResolveRows - 1) / kResolveRows;
  if (workspace.pool == nullptr || job.parts < 2) {
    ResolveRows(samples, k, area, area.top, area.bottom, target);
    return;
  }
  RunOnPool(*workspace.pool, PoolJob{RunResolve, &job});
}

}  // namespace

bool DrawsSamples(const Looks& looks) {
  return looks.samples == 4 || looks.samples == 16;
}

int32_t SampleScale(const Looks& looks) {
  if (looks.samples == 4) return 2;
  return looks.samples == 16 ? 4 : 1;
}

View SampleView(const View& view, int32_t k) {
  View out = view;
  out.focalLength = SaturateToInt32(int64_t{view.focalLength} * k);
  out.centreX = double(k) * view.centreX - double(k - 1) / 2.0;
  out.centreY = double(k) * view.centreY - double(k - 1) / 2.0;
  out.viewportLeft = SaturateToInt32(int64_t{view.viewportLeft} * k);
  out.viewportTop = SaturateToInt32(int64_t{view.viewportTop} * k);
  out.viewportRight = SaturateToInt32(int64_t{view.viewportRight} * k + k - 1);
  out.viewportBottom =
      SaturateToInt32(int64_t{view.viewportBottom} * k + k - 1);
  out.looks.samples = 1;
  return out;
}

PixelArea SampledArea(const View& view, const FrameTarget& target) {
  const FrameView frame = FrameViewOf(target);
  const DepthView depth = DepthViewOf(target);
  const Rect& client = target.clientRect;
  PixelArea area;
  area.left = std::max({view.viewportLeft, client.left, 0});
  area.top = std::max({view.viewportTop, client.top, 0});
  area.right = std::min({view.viewportRight, client.right - 1,
                         frame.columns - 1, depth.columns - 1});
  area.bottom = std::min({view.viewportBottom, client.bottom - 1,
                          frame.rows - 1, depth.rows - 1});
  return area;
}

void ResolveRows(const FrameTarget& samples, int32_t k, const PixelArea& area,
                 int32_t first, int32_t last, const FrameTarget& target) {
  const SrgbTables& srgb = Srgb();
  const double count = double(k) * double(k);
  const int64_t stride = target.pitch / 4;
  const int64_t sampleStride = samples.pitch / 4;
  for (int32_t y = first; y <= last; ++y) {
    uint32_t* out = target.pixels + y * stride;
    float* outDepth = target.depth + y * target.depthStride;
    for (int32_t x = area.left; x <= area.right; ++x) {
      double red = 0, green = 0, blue = 0;
      float nearest = samples.depth[int64_t{y} * k * samples.depthStride +
                                    int64_t{x} * k];
      for (int32_t j = 0; j < k; ++j) {
        const int64_t row = int64_t{y} * k + j;
        const uint32_t* in = samples.pixels + row * sampleStride +
                             int64_t{x} * k;
        const float* inDepth =
            samples.depth + row * samples.depthStride + int64_t{x} * k;
        for (int32_t i = 0; i < k; ++i) {
          red += srgb.decode[(in[i] >> 16) & 0xFFu];
          green += srgb.decode[(in[i] >> 8) & 0xFFu];
          blue += srgb.decode[in[i] & 0xFFu];
          nearest = std::min(nearest, inDepth[i]);
        }
      }
      out[x] = (EncodeSrgb(srgb, red / count) << 16) |
               (EncodeSrgb(srgb, green / count) << 8) |
               EncodeSrgb(srgb, blue / count);
      outDepth[x] = nearest;
    }
  }
}

namespace {

// Resets the target's depth buffer, its time counted as a frame's reset.
void ClearTargetDepth(const FrameTarget& target, Workspace& workspace) {
  RenderStats counters;
  counters.timing = workspace.stats.timing;
  ClearZBuffer(target, RowKernelsOf(workspace.fillPath), counters);
  workspace.stats.depthResetNs += counters.depthResetNs;
}

}  // namespace

void RenderSamples(const Scene& scene, const View& view,
                   const FrameTarget& target,
                   Workspace& workspace) {
  const int32_t k = SampleScale(view.looks);
  const PixelArea area = SampledArea(view, target);
  ClearTargetDepth(target, workspace);
  if (area.right < area.left || area.bottom < area.top) return;
  const int64_t width = (int64_t{area.right} + 1) * k;
  const int64_t height = (int64_t{area.bottom} + 1) * k;
  if (width * height > kMostSampleEntries) {
    View single = view;
    single.looks.samples = 1;
    RenderFrame(scene, single, target, workspace);
    return;
  }
  SampleBuffer& buffer = workspace.looks.samples;
  const size_t entries = size_t(DepthEntriesFor(int32_t(width), int32_t(height)));
  if (buffer.pixels.size() < size_t(width * height)) {
    buffer.pixels.resize(size_t(width * height));
  }
  if (buffer.depth.size() < entries) buffer.depth.resize(entries);
  const FrameTarget samples =
      MakeFrameTarget(buffer.pixels.data(), buffer.depth.data(),
                      int32_t(width), int32_t(height));
  SeedSamples(target, area, k, samples);
  RenderFrame(scene, SampleView(view, k), samples, workspace);
  Resolve(samples, k, area, target, workspace);
}

}  // namespace renderer
