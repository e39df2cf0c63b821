// Sorting a frame's triangles into band lists, chunk by chunk so that the
// workers share it: each chunk counts and writes its triangles into a
// region of its own, while its slots are still in the cache, and the lists
// keep scene order within and across chunks.
#include "render/band_bins.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "render/scene_steps.h"
#include "render/vertex_keys.h"
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

// The first band whose rows the triangle reaches and how many more it
// reaches; bins.bands (shared) when it cannot be placed, bins.bands + 1
// when no band draws it (every corner behind z = 1, or all sharing a flag
// of position, or no band's rows covered: the classification or
// TriangleMissesRows would drop it).
uint32_t SlotOf(const BandBins& bins, const uint32_t* keys,
                const MeshTriangle& triangle) {
  const CornerKeys k = CornerKeysOf(keys, triangle);
  const uint32_t none = uint32_t(bins.bands) + 1;
  if (KeysAreOdd(k)) return OddKeysDrop(k) ? none : uint32_t(bins.bands);
  // Rows top + first .. top + end - 1; none when first >= end. Selected
  // without a branch: whether a small triangle covers a row is a coin toss.
  const uint32_t firstBand = bins.rowBand[k.first + 1];
  const uint32_t lastBand = bins.rowBand[k.end];
  const uint32_t placed = firstBand | ((lastBand - firstBand) << kSpanShift);
  return placed + (none - placed) * uint32_t(k.first >= k.end);
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

bool PrepareVertexKeys(BandBins& bins, const Scene& scene,
                       const Workspace& workspace, int32_t top,
                       int32_t bottom) {
  if (!KeysHoldRows(top, bottom)) return false;
  bins.vertexStart.resize(scene.objects.size() + 1);
  size_t vertices = 0;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    bins.vertexStart[i] = vertices;
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh != nullptr) vertices += mesh->vertices.size();
  }
  bins.vertexStart.back() = vertices;
  bins.top = top;
  bins.bottom = bottom;
  GrowTo(bins.vertexKeys, vertices);
  return true;
}

bool PrepareBandBins(BandBins& bins, const Scene& scene,
                     const Workspace& workspace, const BandLayout& layout) {
  const int32_t top = layout.top, bottom = layout.bottom;
  const int32_t bands = layout.bands;
  if (!PrepareVertexKeys(bins, scene, workspace, top, bottom)) return false;
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
  GrowTo(bins.slot, size_t(total));
  GrowTo(bins.entries, size_t(room));
  GrowTo(bins.listStart, size_t(bins.chunks) * ListCount(bins));
  GrowTo(bins.counts, size_t(bins.chunks) * CountsPerChunk(bins));
  GrowTo(bins.spread, size_t(bins.chunks));
  return true;
}

const uint32_t* ObjectKeys(const BandBins& bins, size_t object) {
  return bins.vertexKeys.data() + bins.vertexStart[object];
}

void KeyBinVertices(BandBins& bins, const View& view,
                    const Workspace& workspace, size_t object, size_t begin,
                    size_t end) {
  const ObjectVertices& vertices = workspace.objects[object];
  const ProjectedVertex* projected = vertices.projected.data();
  const IntVertex* camera = vertices.camera.data();
  uint32_t* keys = bins.vertexKeys.data() + bins.vertexStart[object];
  for (size_t j = begin; j < end; ++j) {
    keys[j] = VertexKey(bins.top, bins.bottom, view, projected[j], camera[j].z);
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
