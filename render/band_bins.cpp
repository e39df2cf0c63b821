// Sorting a frame's triangles into band lists, in two passes over chunks of
// triangles so that the workers share it and the lists keep scene order.
#include "render/band_bins.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/clamped_ceil.h"
#include "render/scene_steps.h"
#include "render/workspace.h"

namespace renderer {

namespace {

template <typename T>
void GrowTo(std::vector<T>& values, size_t count) {
  if (values.size() < count) values.resize(count);
}

uint32_t SlotsPerChunk(const BandBins& bins) { return uint32_t(bins.bands) + 1; }

// First triangle number of chunk `chunk`.
uint32_t ChunkStart(const BandBins& bins, int32_t chunk) {
  const uint64_t total = bins.objectStart.back();
  return uint32_t(total * uint64_t(chunk) / uint64_t(bins.chunks));
}

// The band whose rows the triangle lies in, bins.bands when it reaches into
// several or cannot be placed, bins.bands + 1 when no band draws it (every
// corner behind z = 1 or beyond one side of the viewport, or no band's rows
// covered: the clipper or TriangleMissesRows would drop it). Rows
// ceil(top y) .. ceil(bottom y) - 1 are the ones TriangleMissesRows lets
// through.
uint16_t SlotOf(const BandBins& bins, const View& view,
                const ProjectedVertex* projected,
                const MeshTriangle& triangle) {
  const uint16_t shared = uint16_t(bins.bands);
  const uint16_t none = uint16_t(bins.bands + 1);
  const ProjectedVertex& p0 = projected[triangle.vertex[0]];
  const ProjectedVertex& p1 = projected[triangle.vertex[1]];
  const ProjectedVertex& p2 = projected[triangle.vertex[2]];
  if (!p0.visible || !p1.visible || !p2.visible) {
    return p0.visible || p1.visible || p2.visible ? shared : none;
  }
  const double left = view.viewportLeft, right = view.viewportRight;
  if (p0.screenX < left && p1.screenX < left && p2.screenX < left) {
    return none;
  }
  if (p0.screenX > right && p1.screenX > right && p2.screenX > right) {
    return none;
  }
  const double y0 = p0.screenY, y1 = p1.screenY, y2 = p2.screenY;
  if (std::isnan(y0) || std::isnan(y1) || std::isnan(y2)) return shared;
  const double top = std::min({y0, y1, y2});
  const double bottom = std::max({y0, y1, y2});
  // The span setup's rows, cut to the bands' rows (clamped_ceil.h).
  const int32_t firstRow = CeilAtLeast(top, bins.top);
  const int32_t lastRow = CeilMinusOneAtMost(bottom, bins.bottom);
  if (firstRow > lastRow) return none;
  const uint16_t first = bins.rowBand[size_t(firstRow - bins.top)];
  const uint16_t last = bins.rowBand[size_t(lastRow - bins.top)];
  return first == last ? first : shared;
}

// Calls visit(slot, number) for every triangle of chunk `chunk`, in order.
template <typename Visit>
void ForChunkTriangles(const BandBins& bins, const View& view,
                       const Scene& scene, const Workspace& workspace,
                       int32_t chunk, Visit visit) {
  const uint32_t begin = ChunkStart(bins, chunk);
  const uint32_t end = ChunkStart(bins, chunk + 1);
  if (begin >= end) return;
  const std::vector<uint32_t>& starts = bins.objectStart;
  // The last object whose first number is at most `begin`.
  size_t object = size_t(std::upper_bound(starts.begin(), starts.end() - 1,
                                          begin) -
                         starts.begin()) - 1;
  for (uint32_t number = begin; number < end; ++object) {
    const uint32_t next = std::min(starts[object + 1], end);
    if (number >= next) continue;
    const Mesh& mesh = *RenderableMesh(scene, workspace, object);
    const ProjectedVertex* projected = workspace.objects[object].projected.data();
    const uint32_t base = starts[object];
    for (; number < next; ++number) {
      visit(number,
            SlotOf(bins, view, projected, mesh.triangles[number - base]));
    }
  }
}

}  // namespace

bool PrepareBandBins(BandBins& bins, const Scene& scene,
                     const Workspace& workspace, const BandLayout& layout) {
  const int32_t top = layout.top, bottom = layout.bottom;
  const int32_t bands = layout.bands;
  bins.objectStart.resize(scene.objects.size() + 1);
  uint64_t total = 0;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    bins.objectStart[i] = uint32_t(total);
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) total += mesh->triangles.size();
    if (total >= std::numeric_limits<uint32_t>::max()) return false;
  }
  bins.objectStart.back() = uint32_t(total);
  bins.bands = bands;
  bins.top = top;
  bins.bottom = bottom;
  bins.chunks = int32_t(std::clamp<uint64_t>(total / kBinChunkTriangles, 1, 64));
  GrowTo(bins.rowBand, size_t(int64_t{bottom} - top + 1));
  for (int32_t band = 0; band < bands; ++band) {
    const int32_t end = layout.starts[size_t(band) + 1];
    for (int32_t y = layout.starts[size_t(band)]; y < end; ++y) {
      bins.rowBand[size_t(y - top)] = uint16_t(band);
    }
  }
  GrowTo(bins.slot, size_t(total));
  GrowTo(bins.entries, size_t(total));
  GrowTo(bins.counts, size_t(bins.chunks) * SlotsPerChunk(bins));
  GrowTo(bins.listStart, size_t(bands) + 2);
  return true;
}

void CountBinChunk(BandBins& bins, const View& view, const Scene& scene,
                   const Workspace& workspace, int32_t chunk) {
  uint32_t* counts = bins.counts.data() + size_t(chunk) * SlotsPerChunk(bins);
  std::fill(counts, counts + SlotsPerChunk(bins), 0);
  const uint16_t none = uint16_t(bins.bands + 1);
  uint16_t* slots = bins.slot.data();
  ForChunkTriangles(bins, view, scene, workspace, chunk,
                    [&](uint32_t number, uint16_t slot) {
                      slots[number] = slot;
                      if (slot != none) ++counts[slot];
                    });
}

void SumBinCounts(BandBins& bins) {
  // Lists band after band, the shared one last; within a list, chunk after
  // chunk. Each chunk's count becomes where it starts writing.
  const uint32_t slots = SlotsPerChunk(bins);
  uint32_t at = 0;
  for (uint32_t slot = 0; slot < slots; ++slot) {
    bins.listStart[slot] = at;
    for (int32_t chunk = 0; chunk < bins.chunks; ++chunk) {
      uint32_t& count = bins.counts[size_t(chunk) * slots + slot];
      const uint32_t chunkCount = count;
      count = at;
      at += chunkCount;
    }
  }
  bins.listStart[slots] = at;
}

void FillBinChunk(BandBins& bins, int32_t chunk) {
  uint32_t* cursors = bins.counts.data() + size_t(chunk) * SlotsPerChunk(bins);
  const uint16_t none = uint16_t(bins.bands + 1);
  const uint32_t begin = ChunkStart(bins, chunk);
  const uint32_t end = ChunkStart(bins, chunk + 1);
  for (uint32_t number = begin; number < end; ++number) {
    const uint16_t slot = bins.slot[number];
    if (slot != none) bins.entries[cursors[slot]++] = number;
  }
}

BandLists ListsOfBand(const BandBins& bins, int32_t band) {
  const uint32_t* entries = bins.entries.data();
  const size_t shared = size_t(bins.bands);
  return BandLists{entries + bins.listStart[size_t(band)],
                   entries + bins.listStart[size_t(band) + 1],
                   entries + bins.listStart[shared],
                   entries + bins.listStart[shared + 1]};
}

}  // namespace renderer
