// Near-plane clipping: classification, clip points and the six mixed cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "render/clip.h"
#include "render_test_support.h"

namespace {

// Object 0 sits at the origin, so camera coordinates equal model ones.
class Clipping : public ::testing::Test {
 protected:
  void SetUp() override {
    target.Bind();
    ResetObjects(1);
  }

  // One triangle of the three given corners; projected at once.
  void Place(IntVertex a, IntVertex b, IntVertex c, uint32_t colour0 = 0,
             uint32_t colour1 = 0, uint32_t colour2 = 0) {
    mesh.vertices = {a, b, c};
    MeshTriangle t = FlatTriangle(0, 1, 2, 0);
    t.colour[0] = colour0;
    t.colour[1] = colour1;
    t.colour[2] = colour2;
    mesh.triangles = {t};
    PlaceMesh(&mesh, 0, 0, 0, 0);
    SetProjection(400, 2, 100, 75, 0, 0, 200, 150);
    Project();
  }

  static void Project() {
    TransformObject(0);
    ProjectVertices();
  }

  GuardedFrame target{200, 150};
  TestMesh mesh;
};

void ExpectSameVertex(const ClipVertex& a, const ClipVertex& b) {
  EXPECT_EQ(a.screenX, b.screenX);
  EXPECT_EQ(a.screenY, b.screenY);
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.y, b.y);
  EXPECT_EQ(a.z, b.z);
  EXPECT_EQ(a.colour, b.colour);
  EXPECT_EQ(a.u, b.u);
  EXPECT_EQ(a.v, b.v);
}

TEST_F(Clipping, ClassificationFromVisibilityViewportAndNearZ) {
  Place({0, 0, 1}, {10, 0, 0}, {0, 10, -5});  // z = 1 counts as behind
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
  Place({0, 0, 2}, {10, 0, 0}, {0, 10, -5});
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kCrossesNearPlane);
  Place({0, 0, 2}, {10, 0, 3}, {0, 10, 2});
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kWhole);

  // At z = 400 screen x = x + 100: all three left of column 0 ...
  Place({-150, 0, 400}, {-120, 10, 400}, {-101, 20, 400});
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
  // ... but one corner exactly on the left bound keeps it (strict).
  Place({-150, 0, 400}, {-120, 10, 400}, {-100, 20, 400});
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kWhole);
  Place({101, 0, 400}, {120, 10, 400}, {150, 20, 400});  // right of 200
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
  Place({0, -76, 400}, {10, -90, 400}, {20, -80, 400});  // above row 0
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
  Place({0, 76, 400}, {10, 90, 400}, {20, 80, 400});  // below row 150
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
}

TEST_F(Clipping, NearZRejectsOnlyWhenAllCornersAreNearer) {
  Place({0, 0, 5}, {10, 0, 6}, {0, 10, 7});
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kWhole);  // nearZ 2 never rejects these
  Rig().view.nearZ = 10;
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kHidden);
  Place({0, 0, 5}, {10, 0, 6}, {0, 10, 10});
  Rig().view.nearZ = 10;
  EXPECT_EQ(ClassifyTriangle(0, 0), TriangleClass::kWhole);
}

TEST_F(Clipping, ClipPointHalfwayTruncatedTowardZero) {
  Place({-10, 7, 2}, {3, 20, 0}, {0, 0, 5}, 200, 100, 0);
  mesh.triangles[0].texture = 0;  // textured: u, v are interpolated
  mesh.triangles[0].texels = 0;
  mesh.texels = {TriangleTexels{{{0, 8}, {16, 0}, {0, 0}}}};
  const ClipVertex p = ClipEdge(0, 0, 1, 0);  // t = 0.5
  EXPECT_EQ(p.x, -3);  // -3.5, toward zero
  EXPECT_EQ(p.y, 13);  // 13.5
  EXPECT_EQ(p.z, 1);
  // Projected at z = 1 from the truncated x and y, not from -3.5 and 13.5.
  EXPECT_EQ(p.screenX, -3 * 400 + 100.0);
  EXPECT_EQ(p.screenY, 13 * 400 + 75.0);
  EXPECT_EQ(p.colour, 150u);
  EXPECT_EQ(p.u, 8.0);
  EXPECT_EQ(p.v, 4.0);
}

TEST_F(Clipping, CornerAtZOneCoincidesWithItsClipPoint) {
  Place({7, -9, 1}, {40, 30, 5}, {0, 0, 9});
  const ClipVertex from = ClipEdge(0, 0, 1, 0);  // t = 0
  const ClipVertex to = ClipEdge(0, 1, 0, 0);    // t = 1
  for (const ClipVertex& p : {from, to}) {
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, -9);
    EXPECT_EQ(p.z, 1);
  }
}

TEST_F(Clipping, ColoursInterpolateTheWhole32BitValue) {
  Place({0, 0, 2}, {0, 0, 0}, {0, 0, 5}, 0x00ABCDEF, 0x00ABCDEF, 0);
  EXPECT_EQ(ClipEdge(0, 0, 1, 0).colour, 0x00ABCDEFu);
  Place({0, 0, 2}, {0, 0, 0}, {0, 0, 5}, 0xFFFFFFFFu, 0, 0);
  EXPECT_EQ(ClipEdge(0, 0, 1, 0).colour, 2147483647u);  // 2147483647.5
  Place({0, 0, 2}, {0, 0, 0}, {0, 0, 5}, 0x00000100, 0x000000FF, 0);
  EXPECT_EQ(ClipEdge(0, 0, 1, 0).colour, 255u);  // 255.5: carries across bytes
}

TEST_F(Clipping, WhollyVisibleTriangleIsCopiedThrough) {
  Place({-30, 10, 400}, {20, -5, 200}, {5, 40, 100}, 1, 2, 3);
  ClipResult result;
  ASSERT_TRUE(ClipTriangle(0, 0, &result));
  ASSERT_EQ(result.count, 1);
  for (int32_t i = 0; i < 3; ++i) {
    ExpectSameVertex(result.clipped[0].corners[i], MakeClipVertex(0, i, 0));
  }
  EXPECT_EQ(result.clipped[0].corners[1].screenX, 20 * 400 / 200.0 + 100);
  EXPECT_EQ(result.clipped[0].corners[2].colour, 3u);
}

TEST_F(Clipping, SixMixedCasesKeepTheWindingAndFanFromTheFirstCorner) {
  struct Case {
    int f[3];
    // Polygon: corner c >= 0 is the mesh corner, -1 - e the clip point of
    // edge e (0: 0->1, 1: 1->2, 2: 2->0).
    int polygon[4];
    int size;
  };
  const Case cases[] = {
      {{1, 0, 0}, {0, -1, -3, 0}, 3}, {{0, 1, 0}, {-1, 1, -2, 0}, 3},
      {{0, 0, 1}, {-2, 2, -3, 0}, 3}, {{1, 1, 0}, {0, 1, -2, -3}, 4},
      {{1, 0, 1}, {0, -1, -2, 2}, 4}, {{0, 1, 1}, {-1, 1, 2, -3}, 4},
  };
  const IntVertex visible[3] = {{-40, -30, 50}, {60, -20, 80}, {10, 45, 30}};
  const IntVertex hidden[3] = {{-35, -25, -20}, {55, -10, -60}, {15, 50, -7}};
  for (const Case& k : cases) {
    Place(k.f[0] ? visible[0] : hidden[0], k.f[1] ? visible[1] : hidden[1],
          k.f[2] ? visible[2] : hidden[2], 10, 20, 30);
    auto corner = [](int code) {
      if (code >= 0) return MakeClipVertex(0, code, 0);
      const int edge = -1 - code;
      return ClipEdge(0, edge, (edge + 1) % 3, 0);
    };
    ClipResult result;
    ASSERT_TRUE(ClipTriangle(0, 0, &result));
    const int fan[2][3] = {{0, 1, 2}, {0, 2, 3}};
    ASSERT_EQ(result.count, k.size - 2);
    for (int32_t t = 0; t < result.count; ++t) {
      EXPECT_EQ(result.clipped[t].texture, nullptr);
      EXPECT_EQ(result.clipped[t].light.z, Rig().scene.objects[0].position[2]);
      for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "flags " << k.f[0] << k.f[1]
                                        << k.f[2] << " triangle " << t
                                        << " corner " << i);
        ExpectSameVertex(result.clipped[t].corners[i],
                         corner(k.polygon[fan[t][i]]));
      }
    }
  }
}

TEST_F(Clipping, VertexVectorsAreTurnedAndInterpolated) {
  mesh.vertices = {{0, 0, 1}, {0, 0, 0}, {0, 0, 5}};  // z 2, 0, 10 once scaled
  mesh.vertexVectors = {{1, 2, 3}, {5, 6, 7}, {0, 0, 0}};
  mesh.triangles = {FlatTriangle(0, 1, 2, 0)};
  PlaceMesh(&mesh, 0, 0, 0, 0);
  SetProjection(400, 2, 100, 75, 0, 0, 200, 150);
  ScaleObject(Rig().scene.objects[0], 2.0);  // vectors turn with the object
  Project();
  EXPECT_EQ(MakeClipVertex(0, 0, 0).vector.z, 6.0);
  const Vector3 v = ClipEdge(0, 0, 1, 0).vector;  // t = 0.5 between (2,4,6), (10,12,14)
  EXPECT_EQ(v.x, 6.0);
  EXPECT_EQ(v.y, 8.0);
  EXPECT_EQ(v.z, 10.0);
}

// The early drop of a whole triangle agrees exactly with the span setup it
// saves: dropped just when the setup, cut to the area and the band, would
// cover no row. Corners on whole rows, a hair either side of them, on
// eighths, all on one row, far outside int32, infinite or not a number.
TEST_F(Clipping, TrianglesMissingEveryRowAreThoseTheSpanSetupLeavesEmpty) {
  Place({-30, 10, 400}, {20, -5, 200}, {5, 40, 100});
  std::mt19937 random(16);
  std::uniform_int_distribution<int32_t> row(-4, 154);
  std::uniform_int_distribution<int> kind(0, 19);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  auto randomY = [&](double near) {
    const double whole = row(random);
    switch (kind(random)) {
      case 0:
        return std::nextafter(whole, -inf);
      case 1:
        return std::nextafter(whole, inf);
      case 2:
        return whole + row(random) / 8.0;
      case 3:
        return kind(random) == 0 ? nan : kind(random) < 10 ? inf : -inf;
      case 4:
        return (kind(random) < 10 ? 1 : -1) * 3.0e12;
      case 5:
      case 6:
      case 7:
        return whole;
      default:
        return near + (kind(random) - 10) / 16.0;
    }
  };
  const MeshTriangle triangle = FlatTriangle(0, 1, 2, 0);
  Mesh none;
  int32_t dropped = 0, kept = 0;
  for (int round = 0; round < 20000; ++round) {
    ProjectedVertex p[3];
    const double near = row(random) + kind(random) / 20.0;
    for (ProjectedVertex& v : p)
      v = ProjectedVertex{row(random) * 1.5, randomY(near), true};
    if (kind(random) == 0) p[2].screenY = p[1].screenY;
    const int32_t areaTop =
        std::uniform_int_distribution<int32_t>(0, 20)(random);
    const int32_t areaBottom =
        std::uniform_int_distribution<int32_t>(areaTop - 1, 149)(random);
    const int32_t bandTop = std::uniform_int_distribution<int32_t>(
        areaTop, std::max(areaTop, areaBottom))(random);
    const int32_t bandBottom = std::uniform_int_distribution<int32_t>(
        bandTop - 1, std::max(bandTop, areaBottom))(random);
    const PixelArea area{0, areaTop, 199, areaBottom};
    const RowBand band{bandTop, bandBottom};
    const ObjectFrame object{none, nullptr, nullptr, p};
    const bool misses = TriangleMissesRows(object, triangle, area, band);
    const ScreenPoint points[3] = {{p[0].screenX, p[0].screenY},
                                   {p[1].screenX, p[1].screenY},
                                   {p[2].screenX, p[2].screenY}};
    WorkerScratch& scratch = RigScratch();
    renderer::SetupTriangleSpans(scratch, points, area, band);
    const bool empty = scratch.firstRow > scratch.lastRow;
    const bool withNan = std::isnan(p[0].screenY) || std::isnan(p[1].screenY) ||
                         std::isnan(p[2].screenY);
    ASSERT_TRUE(withNan ? !misses : misses == empty)
        << "round " << round << ": y " << p[0].screenY << ", " << p[1].screenY
        << ", " << p[2].screenY << "; area rows " << areaTop << ".."
        << areaBottom << ", band " << bandTop << ".." << bandBottom;
    (misses ? dropped : kept) += 1;
    p[1].visible = false;  // a corner behind the near plane: never dropped
    EXPECT_FALSE(TriangleMissesRows(object, triangle, area, band));
  }
  EXPECT_GT(dropped, 2000);
  EXPECT_GT(kept, 2000);
}

}  // namespace
