// Sorting a frame's triangles into band lists, chunk by chunk so that the
// workers share it: each chunk counts and writes its triangles into a
// region of its own, while its slots are still in the cache, and the lists
// keep scene order within and across chunks.
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

// The lists: one per band, the shared one, and none's, which nobody reads
// (counting and writing it too spares a branch a triangle).
uint32_t ListCount(const BandBins& bins) { return uint32_t(bins.bands) + 2; }

// A triangle's slot: its first list (a band, shared or none) in the low 16
// bits, and above them how many bands past the first it reaches.
constexpr uint32_t kFirstList = 0xFFFF;
constexpr int kSpanShift = 16;

// A chunk's counts: per list its triangles that reach only that list, then
// per band its triangles that reach several bands and that one, then how
// many reach several.
uint32_t CountsPerChunk(const BandBins& bins) { return 2 * ListCount(bins); }

// Room in a chunk's region past one entry a triangle, for the triangles
// listed in every band they reach: a quarter of its triangles, and at least
// this.
constexpr uint32_t kLeastSpareEntries = 1024;

uint32_t SpareEntries(uint32_t triangles) {
  return std::max(triangles / 4, kLeastSpareEntries);
}

// A vertex key: bits 0..24 hold row - top, where row is
// CeilAtLeast(y, top) held to at most bottom + 1, and the flags sit above.
// The span setup gives a triangle rows ceil(least y) .. ceil(greatest y) -
// 1 (clamped_ceil.h); the ceiling is monotonic, so those rows, cut to the
// bands', run from the least of its corners' rows to the greatest less
// one, and holding a row to bottom + 1 changes no triangle's slot. The
// flags of position are the viewport tests of the triangle classification
// (clip.h), comparisons strict, so a triangle all of whose corners share
// one is one the classification drops.
constexpr uint32_t kRowBits = (uint32_t{1} << 25) - 1;
constexpr uint32_t kAbove = uint32_t{1} << 25;       // y < viewport top
constexpr uint32_t kBelow = uint32_t{1} << 26;       // y > viewport bottom
constexpr uint32_t kNearer = uint32_t{1} << 27;      // camera z < nearZ
constexpr uint32_t kHidden = uint32_t{1} << 28;      // camera z <= 1
constexpr uint32_t kYNotNumber = uint32_t{1} << 29;  // rows unknown
constexpr uint32_t kLeftOf = uint32_t{1} << 30;      // x < viewport left
constexpr uint32_t kRightOf = uint32_t{1} << 31;     // x > viewport right
// Shared by every corner: the triangle is dropped.
constexpr uint32_t kDropWhenAll = kLeftOf | kRightOf | kAbove | kBelow | kNearer;

uint32_t VertexKey(const BandBins& bins, const View& view,
                   const ProjectedVertex& p, int32_t z) {
  if (!p.visible) return kHidden;
  uint32_t key = 0;
  if (p.screenX < double(view.viewportLeft)) key |= kLeftOf;
  if (p.screenX > double(view.viewportRight)) key |= kRightOf;
  if (p.screenY < double(view.viewportTop)) key |= kAbove;
  if (p.screenY > double(view.viewportBottom)) key |= kBelow;
  if (z < view.nearZ) key |= kNearer;
  if (std::isnan(p.screenY)) return key | kYNotNumber;
  const int64_t row = std::min<int64_t>(CeilAtLeast(p.screenY, bins.top),
                                        int64_t{bins.bottom} + 1);
  return key | uint32_t(row - bins.top);
}

// The slot of a triangle with a hidden corner, a y not a number, or a flag
// of position every corner shares: none when every corner is hidden,
// shared when some are, none when the flag is shared, else shared.
uint32_t OddSlot(const BandBins& bins, uint32_t any, uint32_t all) {
  const uint32_t shared = uint32_t(bins.bands);
  const uint32_t none = shared + 1;
  if ((any & kHidden) != 0) return (all & kHidden) != 0 ? none : shared;
  if ((all & kDropWhenAll) != 0) return none;
  return shared;
}

// By value, so that they stay in registers (std::min's references do not).
inline uint32_t Least(uint32_t a, uint32_t b) { return b < a ? b : a; }
inline uint32_t Greatest(uint32_t a, uint32_t b) { return a < b ? b : a; }

// The first band whose rows the triangle reaches and how many more it
// reaches; bins.bands (shared) when it cannot be placed, bins.bands + 1
// when no band draws it (every corner behind z = 1, or all sharing a flag
// of position, or no band's rows covered: the classification or
// TriangleMissesRows would drop it).
uint32_t SlotOf(const BandBins& bins, const uint32_t* keys,
                const MeshTriangle& triangle) {
  const uint32_t k0 = keys[triangle.vertex[0]];
  const uint32_t k1 = keys[triangle.vertex[1]];
  const uint32_t k2 = keys[triangle.vertex[2]];
  const uint32_t any = k0 | k1 | k2, all = k0 & k1 & k2;
  if (((any & (kHidden | kYNotNumber)) | (all & kDropWhenAll)) != 0) {
    return OddSlot(bins, any, all);
  }
  const uint32_t r0 = k0 & kRowBits, r1 = k1 & kRowBits, r2 = k2 & kRowBits;
  const uint32_t first = Least(Least(r0, r1), r2);
  const uint32_t end = Greatest(Greatest(r0, r1), r2);
  // Rows top + first .. top + end - 1; none when first >= end. Selected
  // without a branch: whether a small triangle covers a row is a coin toss.
  const uint32_t firstBand = bins.rowBand[first + 1];
  const uint32_t lastBand = bins.rowBand[end];
  const uint32_t placed = firstBand | ((lastBand - firstBand) << kSpanShift);
  const uint32_t none = uint32_t(bins.bands) + 1;
  return placed + (none - placed) * uint32_t(first >= end);
}

// Calls visit(slot, number) for every triangle of chunk `chunk`, in order.
template <typename Visit>
void ForChunkTriangles(const BandBins& bins, const Scene& scene,
                       const Workspace& workspace, int32_t chunk,
                       Visit visit) {
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
    const uint32_t* keys = bins.vertexKeys.data() + bins.vertexStart[object];
    const MeshTriangle* triangle =
        mesh.triangles.data() + (number - starts[object]);
    for (; number < next; ++number, ++triangle) {
      visit(number, SlotOf(bins, keys, *triangle));
    }
  }
}

}  // namespace

bool PrepareBandBins(BandBins& bins, const Scene& scene,
                     const Workspace& workspace, const BandLayout& layout) {
  const int32_t top = layout.top, bottom = layout.bottom;
  const int32_t bands = layout.bands;
  // A key's row offset has 28 bits.
  if (int64_t{bottom} - top + 1 >= int64_t{kRowBits}) return false;
  bins.objectStart.resize(scene.objects.size() + 1);
  bins.vertexStart.resize(scene.objects.size() + 1);
  uint64_t total = 0;
  size_t vertices = 0;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    bins.objectStart[i] = uint32_t(total);
    bins.vertexStart[i] = vertices;
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) {
      total += mesh->triangles.size();
      vertices += mesh->vertices.size();
    }
    if (total >= std::numeric_limits<uint32_t>::max()) return false;
  }
  bins.objectStart.back() = uint32_t(total);
  bins.vertexStart.back() = vertices;
  bins.bands = bands;
  bins.top = top;
  bins.bottom = bottom;
  bins.chunks = int32_t(std::clamp<uint64_t>(total / kBinChunkTriangles, 1, 64));
  GrowTo(bins.regionStart, size_t(bins.chunks) + 1);
  uint64_t room = 0;
  for (int32_t chunk = 0; chunk < bins.chunks; ++chunk) {
    bins.regionStart[size_t(chunk)] = uint32_t(room);
    const uint32_t triangles =
        ChunkStart(bins, chunk + 1) - ChunkStart(bins, chunk);
    room += triangles + SpareEntries(triangles);
    if (room >= std::numeric_limits<uint32_t>::max()) return false;
  }
  bins.regionStart[size_t(bins.chunks)] = uint32_t(room);
  // Rows top - 1 and bottom + 1 too: a triangle that covers no row may
  // look them up before it is dropped.
  GrowTo(bins.rowBand, size_t(int64_t{bottom} - top + 3));
  for (int32_t band = 0; band < bands; ++band) {
    const int32_t end = layout.starts[size_t(band) + 1];
    for (int32_t y = layout.starts[size_t(band)]; y < end; ++y) {
      bins.rowBand[size_t(y - top) + 1] = uint16_t(band);
    }
  }
  GrowTo(bins.vertexKeys, vertices);
  GrowTo(bins.slot, size_t(total));
  GrowTo(bins.entries, size_t(room));
  GrowTo(bins.listStart, size_t(bins.chunks) * ListCount(bins));
  GrowTo(bins.counts, size_t(bins.chunks) * CountsPerChunk(bins));
  GrowTo(bins.spread, size_t(bins.chunks));
  return true;
}

void KeyBinVertices(BandBins& bins, const View& view,
                    const Workspace& workspace, size_t object, size_t begin,
                    size_t end) {
  const ObjectVertices& vertices = workspace.objects[object];
  const ProjectedVertex* projected = vertices.projected.data();
  const IntVertex* camera = vertices.camera.data();
  uint32_t* keys = bins.vertexKeys.data() + bins.vertexStart[object];
  for (size_t j = begin; j < end; ++j) {
    keys[j] = VertexKey(bins, view, projected[j], camera[j].z);
  }
}

namespace {

// The chunk's slots and counts (CountsPerChunk).
void CountChunk(BandBins& bins, const Scene& scene, const Workspace& workspace,
                int32_t chunk, uint32_t* single, uint32_t* reached) {
  uint32_t* slots = bins.slot.data();
  uint32_t& spanning = reached[bins.bands];
  ForChunkTriangles(bins, scene, workspace, chunk,
                    [&](uint32_t number, uint32_t slot) {
                      slots[number] = slot;
                      const uint32_t first = slot & kFirstList;
                      const uint32_t more = slot >> kSpanShift;
                      if (more == 0) {
                        ++single[first];
                        return;
                      }
                      ++spanning;
                      for (uint32_t band = first; band <= first + more;
                           ++band) {
                        ++reached[band];
                      }
                    });
}

// The chunk's list starts from its counts, lists one after another from
// its region's start, and whether its triangles that reach several bands
// fit in each band's list; each count in `single` becomes its list's
// cursor.
void PlaceChunkLists(BandBins& bins, int32_t chunk, uint32_t* single,
                     const uint32_t* reached) {
  const uint32_t lists = ListCount(bins);
  const uint32_t bands = uint32_t(bins.bands);
  uint64_t entries = 0;
  for (uint32_t i = 0; i < lists; ++i) entries += single[i];
  for (uint32_t band = 0; band < bands; ++band) entries += reached[band];
  const uint32_t begin = bins.regionStart[size_t(chunk)];
  const bool spread = entries <= bins.regionStart[size_t(chunk) + 1] - begin;
  bins.spread[size_t(chunk)] = spread;
  uint32_t* starts = bins.listStart.data() + size_t(chunk) * lists;
  uint32_t at = begin;
  for (uint32_t list = 0; list < lists; ++list) {
    uint32_t count = single[list];
    if (spread && list < bands) count += reached[list];
    if (!spread && list == bands) count += reached[bands];
    starts[list] = at;
    single[list] = at;
    at += count;
  }
}

void WriteChunk(BandBins& bins, int32_t chunk, uint32_t* cursors) {
  const uint32_t begin = ChunkStart(bins, chunk);
  const uint32_t end = ChunkStart(bins, chunk + 1);
  const uint32_t* slots = bins.slot.data();
  uint32_t* entries = bins.entries.data();
  if (!bins.spread[size_t(chunk)]) {
    const uint32_t shared = uint32_t(bins.bands);
    for (uint32_t number = begin; number < end; ++number) {
      const uint32_t slot = slots[number];
      const uint32_t list = (slot >> kSpanShift) != 0 ? shared
                                                      : slot & kFirstList;
      entries[cursors[list]++] = number;
    }
    return;
  }
  for (uint32_t number = begin; number < end; ++number) {
    const uint32_t slot = slots[number];
    const uint32_t first = slot & kFirstList;
    entries[cursors[first]++] = number;
    for (uint32_t band = first + 1; band <= first + (slot >> kSpanShift);
         ++band) {
      entries[cursors[band]++] = number;
    }
  }
}

}  // namespace

void SortBinChunk(BandBins& bins, const Scene& scene,
                  const Workspace& workspace, int32_t chunk) {
  const uint32_t lists = ListCount(bins);
  uint32_t* single = bins.counts.data() + size_t(chunk) * CountsPerChunk(bins);
  uint32_t* reached = single + lists;
  std::fill(single, single + CountsPerChunk(bins), 0);
  CountChunk(bins, scene, workspace, chunk, single, reached);
  PlaceChunkLists(bins, chunk, single, reached);
  WriteChunk(bins, chunk, single);
}

uint32_t ChunkStart(const BandBins& bins, int32_t chunk) {
  const uint64_t total = bins.objectStart.back();
  return uint32_t(total * uint64_t(chunk) / uint64_t(bins.chunks));
}

int32_t ChunkOf(const BandBins& bins, uint32_t number) {
  // The first chunk whose next one starts past `number`: the starts are
  // floor(total x chunk / chunks), so the guess from the ratio is at most
  // one short.
  const uint64_t total = bins.objectStart.back();
  if (total == 0) return 0;
  int32_t chunk = int32_t(uint64_t(number) * uint64_t(bins.chunks) / total);
  while (chunk + 1 < bins.chunks && ChunkStart(bins, chunk + 1) <= number) {
    ++chunk;
  }
  return chunk;
}

BandLists ListsOfBand(const BandBins& bins, int32_t band, int32_t chunk) {
  const uint32_t* entries = bins.entries.data();
  const uint32_t* starts =
      bins.listStart.data() + size_t(chunk) * ListCount(bins);
  const size_t shared = size_t(bins.bands);
  return BandLists{entries + starts[size_t(band)],
                   entries + starts[size_t(band) + 1],
                   entries + starts[shared], entries + starts[shared + 1]};
}

}  // namespace renderer
