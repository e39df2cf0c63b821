// Sorting a frame's triangles into band lists: every list holds exactly
// the triangles, in scene order, that the plain rule below places there,
// whatever the projected corners hold (hidden ones, numbers beyond int32,
// infinities, not-a-number, rows on band edges) and however the vertex
// keys and chunks are shared out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/band_bins.h"
#include "render/band_layout.h"
#include "render/clamped_ceil.h"
#include "render/clip.h"
#include "render/scene_steps.h"
#include "render/vertex_keys.h"
#include "render/workspace.h"

namespace {

using namespace renderer;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotNumber = std::numeric_limits<double>::quiet_NaN();

// The bands a triangle goes to, first..last; both `bands` for the shared
// list, both bands + 1 for none.
struct Placement {
  int32_t first;
  int32_t last;
};

// The rule, written out from the projected corners: hidden corners first
// (all: none, some: shared), then all beyond one side of the viewport or
// all nearer than nearZ (none), then a y not a number (shared), then the
// rows the span setup gives, ceil(least y) .. ceil(greatest y) - 1, cut to
// the bands': none when empty, else the bands that hold them.
Placement ExpectedPlacement(const BandLayout& layout, const View& view,
                            const ObjectVertices& vertices,
                            const MeshTriangle& triangle) {
  const Placement shared{layout.bands, layout.bands};
  const Placement none{layout.bands + 1, layout.bands + 1};
  const ProjectedVertex* p[3];
  int visible = 0, left = 0, right = 0, above = 0, below = 0, nearer = 0;
  int notNumber = 0;
  for (int k = 0; k < 3; ++k) {
    p[k] = &vertices.projected[size_t(triangle.vertex[k])];
    visible += p[k]->visible;
  }
  if (visible == 0) return none;
  if (visible < 3) return shared;
  for (int k = 0; k < 3; ++k) {
    left += p[k]->screenX < double(view.viewportLeft);
    right += p[k]->screenX > double(view.viewportRight);
    above += p[k]->screenY < double(view.viewportTop);
    below += p[k]->screenY > double(view.viewportBottom);
    nearer += vertices.camera[size_t(triangle.vertex[k])].z < view.nearZ;
    notNumber += std::isnan(p[k]->screenY);
  }
  if (left == 3 || right == 3 || above == 3 || below == 3 || nearer == 3) {
    return none;
  }
  if (notNumber > 0) return shared;
  const double top = std::min({p[0]->screenY, p[1]->screenY, p[2]->screenY});
  const double bottom =
      std::max({p[0]->screenY, p[1]->screenY, p[2]->screenY});
  const int32_t firstRow = CeilAtLeast(top, layout.top);
  const int32_t lastRow = CeilMinusOneAtMost(bottom, layout.bottom);
  if (firstRow > lastRow) return none;
  int32_t first = 0, last = 0;
  for (int32_t band = 0; band < layout.bands; ++band) {
    if (layout.starts[size_t(band)] <= firstRow) first = band;
    if (layout.starts[size_t(band)] <= lastRow) last = band;
  }
  return Placement{first, last};
}

// A y that lands on, beside or between the bands' edges, or far off;
// `tall`: mostly above or below every band.
double RandomY(std::mt19937& random, const BandLayout& layout, bool tall) {
  if (tall && std::uniform_int_distribution<int>(0, 7)(random) != 0) {
    return std::uniform_int_distribution<int>(0, 1)(random)
               ? layout.top - 2.5
               : layout.bottom + 2.5;
  }
  const int32_t edge = layout.starts[size_t(std::uniform_int_distribution<
                                            int32_t>(0, layout.bands)(random))];
  switch (std::uniform_int_distribution<int>(0, 11)(random)) {
    case 0: return kNotNumber;
    case 1: return std::uniform_int_distribution<int>(0, 1)(random) ? kInfinity
                                                                   : -kInfinity;
    case 2: return std::uniform_int_distribution<int>(0, 1)(random) ? 3.0e9
                                                                   : -3.0e9;
    case 3: return std::uniform_int_distribution<int>(0, 1)(random) ? 1.0e300
                                                                   : -1.0e300;
    case 4: return 2147483647.0 - std::uniform_int_distribution<int>(0, 2)(random);
    case 5: return double(edge - 1);
    case 6: return double(edge);
    case 7: return std::nextafter(double(edge), -kInfinity);
    case 8: return std::nextafter(double(edge), kInfinity);
    case 9: return double(edge) - 0.5;
    default:
      return std::uniform_real_distribution<double>(
          layout.top - 8.0, layout.bottom + 8.0)(random);
  }
}

double RandomX(std::mt19937& random, const View& view) {
  switch (std::uniform_int_distribution<int>(0, 9)(random)) {
    case 0: return kNotNumber;
    case 1: return std::uniform_int_distribution<int>(0, 1)(random) ? kInfinity
                                                                   : -kInfinity;
    case 2: return view.viewportLeft - 0.25;
    case 3: return view.viewportRight + 0.25;
    case 4: return double(view.viewportLeft);
    default:
      return std::uniform_real_distribution<double>(
          view.viewportLeft - 40.0, view.viewportRight + 40.0)(random);
  }
}

// Three meshes of few vertices (so corners repeat and tiny triangles
// abound), placed on objects in a random order, some objects with no mesh;
// `large`: many triangles on every object.
Scene RandomScene(std::mt19937& random, bool large) {
  Scene scene;
  for (int m = 0; m < 3; ++m) {
    Mesh mesh;
    const int32_t vertices = std::uniform_int_distribution<int32_t>(3, 60)(random);
    mesh.vertices.resize(size_t(vertices));
    const int triangles =
        std::uniform_int_distribution<int>(large ? 6000 : 0, 9000)(random);
    std::uniform_int_distribution<int32_t> corner(0, vertices - 1);
    for (int t = 0; t < triangles; ++t) {
      MeshTriangle triangle;
      for (int32_t& v : triangle.vertex) v = corner(random);
      mesh.triangles.push_back(triangle);
    }
    scene.meshes.push_back(std::move(mesh));
  }
  const int objects = std::uniform_int_distribution<int>(large ? 3 : 1, 7)(random);
  for (int i = 0; i < objects; ++i) {
    SceneObject object;
    object.mesh = std::uniform_int_distribution<int32_t>(large ? 0 : -1, 2)(
        random);
    scene.objects.push_back(object);
  }
  return scene;
}

// Every object's corners projected at random: mostly visible, and rows
// drawn from a few values so that corners share rows.
void ProjectAtRandom(std::mt19937& random, const Scene& scene,
                     const BandLayout& layout, const View& view, bool tall,
                     Workspace& workspace) {
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh == nullptr) continue;
    std::vector<double> rows(4);
    for (double& y : rows) y = RandomY(random, layout, tall);
    for (size_t j = 0; j < mesh->vertices.size(); ++j) {
      ProjectedVertex& p = workspace.objects[i].projected[j];
      p.visible = std::uniform_int_distribution<int>(0, 15)(random) != 0;
      p.screenX = RandomX(random, view);
      p.screenY = std::uniform_int_distribution<int>(0, 2)(random) == 0
                      ? RandomY(random, layout, tall)
                      : rows[size_t(std::uniform_int_distribution<int>(
                            0, 3)(random))];
      if (std::uniform_int_distribution<int>(0, 19)(random) == 0) {
        p.screenY = std::uniform_int_distribution<int>(0, 1)(random)
                        ? double(view.viewportTop)
                        : double(view.viewportBottom);
      }
      // Mostly beyond nearZ, a few nearer, as the corners of a mesh that
      // reaches the camera.
      workspace.objects[i].camera[j].z =
          view.nearZ + std::uniform_int_distribution<int32_t>(-2, 40)(random);
    }
  }
}

// Each vertex key range and each chunk in a shuffled order, as the
// workers may take them.
void SortInShuffledOrder(std::mt19937& random, BandBins& bins,
                         const View& view, const Scene& scene,
                         const Workspace& workspace) {
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh == nullptr) continue;
    const size_t count = mesh->vertices.size();
    const size_t cut = std::uniform_int_distribution<size_t>(0, count)(random);
    KeyBinVertices(bins, view, workspace, i, cut, count);
    KeyBinVertices(bins, view, workspace, i, 0, cut);
  }
  std::vector<int32_t> chunks(size_t(bins.chunks));
  for (int32_t c = 0; c < bins.chunks; ++c) chunks[size_t(c)] = c;
  std::shuffle(chunks.begin(), chunks.end(), random);
  for (int32_t c : chunks) SortBinChunk(bins, scene, workspace, c);
}

// A band's list or the shared one: the chunks' in chunk order.
std::vector<uint32_t> JoinedList(const BandBins& bins, int32_t band,
                                 bool shared) {
  std::vector<uint32_t> joined;
  for (int32_t chunk = 0; chunk < bins.chunks; ++chunk) {
    const BandLists lists = ListsOfBand(bins, band, chunk);
    if (shared) {
      joined.insert(joined.end(), lists.shared, lists.sharedEnd);
    } else {
      joined.insert(joined.end(), lists.own, lists.ownEnd);
    }
  }
  return joined;
}

// What a band's drawing takes on trust for its own list (DrawBandTriangle):
// every corner visible, kept by the classification, and rows that the drop
// before setup would not miss.
void ExpectOwnListsReachTheirBands(const Scene& scene,
                                   const Workspace& workspace,
                                   const BandBins& bins,
                                   const BandLayout& layout, const View& view) {
  const PixelArea area{0, layout.top, 0, layout.bottom};
  std::vector<const MeshTriangle*> byNumber;
  std::vector<ObjectFrame> frames;
  std::vector<size_t> objectOf;
  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const Mesh* mesh = RenderableMesh(scene, workspace, i);
    if (mesh == nullptr) continue;
    frames.push_back(ObjectFrameOf(*mesh, workspace.objects[i]));
    for (const MeshTriangle& triangle : mesh->triangles) {
      byNumber.push_back(&triangle);
      objectOf.push_back(frames.size() - 1);
    }
  }
  for (int32_t band = 0; band < layout.bands; ++band) {
    const RowBand rows{layout.starts[size_t(band)],
                       layout.starts[size_t(band) + 1] - 1};
    for (uint32_t number : JoinedList(bins, band, false)) {
      const ObjectFrame& object = frames[objectOf[number]];
      const MeshTriangle& triangle = *byNumber[number];
      for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(object.projected[triangle.vertex[k]].visible);
      }
      EXPECT_FALSE(TriangleMissesRows(object, triangle, area, rows))
          << "triangle " << number << ", band " << band;
      EXPECT_EQ(ClassifyTriangle(view, object, triangle),
                TriangleClass::kWhole)
          << "triangle " << number << ", band " << band;
    }
  }
}

// Spread: a triangle that reaches several bands is in each of their lists;
// else (its chunk's room is short, as in the tall scenes) in the shared one.
TEST(BandBins, ListsHoldWhatTheRulePlacesInSceneOrder) {
  std::mt19937 random(16);
  int64_t placed = 0, sharedSeen = 0, chunked = 0, spread = 0, narrow = 0;
  int64_t fates[3] = {0, 0, 0};
  WorkspacePtr workspace = MakeWorkspace();
  for (int trial = 0; trial < 40; ++trial) {
    // One trial in four: large, its triangles mostly reaching every band.
    const bool tall = trial % 4 == 3;
    const Scene scene = RandomScene(random, tall);
    PrepareWorkspace(*workspace, scene, 64);
    const int32_t bands =
        tall ? 9 : std::uniform_int_distribution<int32_t>(2, 9)(random);
    const int32_t minRows = std::uniform_int_distribution<int32_t>(1, 5)(random);
    const int32_t top = std::uniform_int_distribution<int32_t>(0, 40)(random);
    const int32_t rows = std::uniform_int_distribution<int32_t>(
        bands * minRows, 300)(random);
    BandLayout& layout = workspace->layout;
    PlanBands(layout, top, top + rows - 1, bands, minRows);
    View view;
    view.viewportLeft = std::uniform_int_distribution<int32_t>(0, 30)(random);
    view.viewportRight = view.viewportLeft +
                         std::uniform_int_distribution<int32_t>(0, 200)(random);
    // The viewport's top and bottom on, inside or outside the bands' rows.
    view.viewportTop =
        top + std::uniform_int_distribution<int32_t>(-6, 6)(random);
    view.viewportBottom = top + rows - 1 +
                          std::uniform_int_distribution<int32_t>(-6, 6)(random);
    view.nearZ = std::uniform_int_distribution<int32_t>(2, 30)(random);
    ProjectAtRandom(random, scene, layout, view, tall, *workspace);
    BandBins& bins = workspace->bins;
    ASSERT_TRUE(PrepareBandBins(bins, scene, *workspace, layout));
    SortInShuffledOrder(random, bins, view, scene, *workspace);
    chunked += bins.chunks > 1;

    // The lists the rule gives: per band, then the shared one.
    std::vector<std::vector<uint32_t>> expected(size_t(bands) + 1);
    uint32_t number = 0;
    for (size_t i = 0; i < scene.objects.size(); ++i) {
      const Mesh* mesh = RenderableMesh(scene, *workspace, i);
      if (mesh == nullptr) continue;
      for (const MeshTriangle& triangle : mesh->triangles) {
        const Placement to =
            ExpectedPlacement(layout, view, workspace->objects[i], triangle);
        // A one-band frame over the same rows reads the same rule from the
        // keys: drawn straight when placed, dropped when placed nowhere.
        const KeyedFate fate = to.first == bands + 1 ? KeyedFate::kDrop
                               : to.first == bands   ? KeyedFate::kCheck
                                                     : KeyedFate::kDraw;
        EXPECT_EQ(FateByKeys(ObjectKeys(bins, i), triangle), fate)
            << "trial " << trial << ", triangle " << number;
        fates[size_t(fate)] += 1;
        const bool spread = bins.spread[size_t(ChunkOf(bins, number))] != 0;
        if (to.first == bands || (to.first < to.last && !spread)) {
          expected[size_t(bands)].push_back(number);
        } else if (to.first < bands) {
          for (int32_t band = to.first; band <= to.last; ++band) {
            expected[size_t(band)].push_back(number);
          }
        }
        ++number;
      }
    }
    ExpectOwnListsReachTheirBands(scene, *workspace, bins, layout, view);
    for (int32_t band = 0; band < bands; ++band) {
      EXPECT_EQ(JoinedList(bins, band, false), expected[size_t(band)])
          << "trial " << trial << ", band " << band;
      EXPECT_EQ(JoinedList(bins, band, true), expected[size_t(bands)])
          << "trial " << trial;
      placed += int64_t(expected[size_t(band)].size());
    }
    sharedSeen += int64_t(expected[size_t(bands)].size());
    for (int32_t chunk = 0; chunk < bins.chunks; ++chunk) {
      (bins.spread[size_t(chunk)] != 0 ? spread : narrow) += 1;
    }
  }
  // The random scenes really placed triangles in bands and shared lists,
  // over several chunks.
  EXPECT_GT(placed, 1000);
  EXPECT_GT(sharedSeen, 1000);
  EXPECT_GT(chunked, 5);
  EXPECT_GT(spread, 5);
  EXPECT_GT(narrow, 1);
  for (int64_t count : fates) EXPECT_GT(count, 1000);
}

TEST(BandBins, RowsBeyondTheKeysLeaveTheBandsWalkingEveryTriangle) {
  Scene scene;
  scene.meshes.push_back(Mesh{});
  scene.objects.push_back(SceneObject{});
  scene.objects.back().mesh = 0;
  WorkspacePtr workspace = MakeWorkspace();
  PrepareWorkspace(*workspace, scene, 64);
  BandLayout layout;
  PlanBands(layout, 0, (int32_t{1} << 28) - 1, 2, 1);
  EXPECT_FALSE(PrepareBandBins(workspace->bins, scene, *workspace, layout));
}

}  // namespace
