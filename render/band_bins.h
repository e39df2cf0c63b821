#pragma once
// Each band's triangles, sorted once per frame so that a band walks only
// what it may touch. A wholly visible triangle goes to the list of every
// band its rows reach (of each of them, when it reaches several: a band
// whose rows it misses would pass over it); one with a corner at camera
// z <= 1 or a y that is not a number goes to the shared list every band
// walks; one that reaches no band's rows, or lies wholly behind z = 1, or
// wholly beyond one side of the viewport or nearer than nearZ (the
// classification drops those), goes nowhere; so does one whose span setup
// covers no whole row (its corners' y between the same two rows). The
// triangles are sorted in chunks, each into lists of its own; when a
// chunk's lists would outgrow the room kept for them, its triangles that
// reach several bands go to its shared list instead, for that frame.
// Lists hold triangle numbers (the scene's triangles counted object after
// object) in scene order, so a band that merges its own list with the
// shared one meets exactly the triangles it met walking all of them, in the
// same order, less those it would have passed over (TriangleMissesRows)
// or dropped (ClassifyTriangle): what a band draws from its own list needs
// neither test again.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/band_layout.h"
#include "renderer/render.h"
#include "renderer/scene.h"

namespace renderer {

struct BandBins {
  int32_t bands = 0;
  int32_t chunks = 0;  // runs of triangles sorted as one task each
  int32_t top = 0;     // the rows the bands split, both inclusive
  int32_t bottom = -1;
  std::vector<uint32_t> objectStart;  // per object, its first number; + total
  std::vector<size_t> vertexStart;    // per object, its first vertex key
  std::vector<uint32_t> vertexKeys;   // per vertex: its row and sides
  std::vector<uint16_t> rowBand;      // [i]: band of row top - 1 + i
  std::vector<uint32_t> slot;         // per triangle: its lists
  std::vector<uint32_t> regionStart;  // per chunk, its entries; + end
  std::vector<uint32_t> listStart;    // per chunk and list (bands, shared,
                                      // none)
  std::vector<uint32_t> counts;       // per chunk, its counts per list
  std::vector<uint8_t> spread;        // per chunk: triangles reaching
                                      // several bands are in each
  std::vector<uint32_t> entries;      // the chunks' lists, one after another
};

// The fewest triangles a chunk sorts; fewer make one chunk.
constexpr uint32_t kBinChunkTriangles = 4096;

// Sizes the bins for the layout's bands (band_layout.h) and the scene's
// renderable objects; grows only. Returns false when the scene has more
// triangles than the lists can number (then bands walk every triangle).
bool PrepareBandBins(BandBins& bins, const Scene& scene,
                     const Workspace& workspace, const BandLayout& layout);

// Sizes the vertex keys alone, for the scene's renderable objects and rows
// top..bottom (a frame drawn in one band, which needs no lists); false when
// a key cannot hold the rows. PrepareBandBins does this too.
bool PrepareVertexKeys(BandBins& bins, const Scene& scene,
                       const Workspace& workspace, int32_t top,
                       int32_t bottom);

// Object `object`'s vertex keys (vertex_keys.h).
const uint32_t* ObjectKeys(const BandBins& bins, size_t object);

// Each vertex's key (vertex_keys.h), from its projected position and
// camera z: vertices begin..end - 1 of object `object`, any range on any
// thread, every vertex of every object before the first chunk is counted.
// A triangle's slot is then a few integer steps over its corners' keys.
void KeyBinVertices(BandBins& bins, const View& view,
                    const Workspace& workspace, size_t object, size_t begin,
                    size_t end);

// Sorts chunk `chunk` into its own region of the entries: its triangles
// counted per list, then written, lists one after another. Any chunk, any
// order, any thread, once every vertex of every object has its key. A
// chunk whose triangles that reach several bands would outgrow its region
// lists them in its shared list instead.
void SortBinChunk(BandBins& bins, const Scene& scene,
                  const Workspace& workspace, int32_t chunk);

// The first triangle number of chunk `chunk` (chunk `bins.chunks`: the
// total), and the chunk a number falls in.
uint32_t ChunkStart(const BandBins& bins, int32_t chunk);
int32_t ChunkOf(const BandBins& bins, uint32_t number);

// Band `band`'s own list and the shared list within chunk `chunk`, as
// [first, end) of entries. A band's triangles are the chunks' lists in
// chunk order.
struct BandLists {
  const uint32_t* own;
  const uint32_t* ownEnd;
  const uint32_t* shared;
  const uint32_t* sharedEnd;
};

BandLists ListsOfBand(const BandBins& bins, int32_t band, int32_t chunk);

}  // namespace renderer
