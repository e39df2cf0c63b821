// OBJ numbers and indices are read as written or refused, and polygons of
// any shape are cut into triangles with bounded work.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scene/import/polygon_split.h"
#include "scene/import/text_numbers.h"
#include "tests/import/load_files.h"

namespace {

using renderer::CornerTriangle;
using renderer::Vector3;

Loaded LoadObj(const std::string& obj, models::FileSet files = {}) {
  files["m.obj"] = std::vector<uint8_t>(obj.begin(), obj.end());
  return LoadFiles(files, "m.obj");
}

std::string ObjError(const std::string& obj, models::FileSet files = {}) {
  const Loaded m = LoadObj(obj, std::move(files));
  EXPECT_FALSE(m.ok);
  return m.error;
}

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

TEST(ObjNumbers, NonFiniteOrMalformedCoordinatesAreRefusedWithTheirLine) {
  for (const std::string word : {"NaN", "nan", "-nan", "inf", "-inf", "+INF", "Infinity",
                                 "1e999", "-1e999", "1e309", "1.5x", "0x10", "1e", "1e+",
                                 ".", "-", "1..2", "1,5", "1e5.5"}) {
    SCOPED_TRACE(word);
    EXPECT_EQ(ObjError("v 0 0 0\nv 1 " + word + " 0\nv 0 1 0\nf 1 2 3\n"),
              "m.obj: line 2: coordinate \"" + word + "\" is not a finite number");
  }
  EXPECT_EQ(ObjError(kTriangle + "vt 0.5 nan\nf 1/1 2/1 3/1\n"),
            "m.obj: line 4: texture coordinate \"nan\" is not a finite number");
  EXPECT_EQ(ObjError(kTriangle + "vn 0 0 -inf\nf 1//1 2//1 3//1\n"),
            "m.obj: line 4: coordinate \"-inf\" is not a finite number");
  EXPECT_EQ(ObjError("v 0 0 0\nv 1 0\nv 0 1 0\nf 1 2 3\n"),
            "m.obj: line 2: vertex needs 3 coordinates");
  // Line ends as tinyobjloader takes them: \r\n and a lone \r count once.
  EXPECT_EQ(ObjError("v 0 0 0\r\nv 1 0 0\rv 0 inf 0\nf 1 2 3\n"),
            "m.obj: line 3: coordinate \"inf\" is not a finite number");
}

TEST(ObjNumbers, EveryWrittenFormOfAFiniteNumberIsRead) {
  for (const std::string word : {"1", "+1", "-1", "1.", ".5", "1e5", "1E+05", "-2.5e-3",
                                 "1e-400", "0e999999", "1.7976931348623157e308"}) {
    SCOPED_TRACE(word);
    const Loaded m = LoadObj("v 0 0 0\nv " + word + " 0 0 # comment\nv 0 1 0\nf 1 2 3\n");
    EXPECT_TRUE(m.ok) << m.error;
  }
  double value = 0;
  EXPECT_TRUE(renderer::ReadFiniteNumber("0.1", &value));
  EXPECT_EQ(value, 0.1);  // correctly rounded
  EXPECT_TRUE(renderer::ReadFiniteNumber("-1e-400", &value));
  EXPECT_EQ(value, 0.0);
  EXPECT_TRUE(std::signbit(value));
}

TEST(ObjIndices, IndicesOutsideTheVerticesReadSoFarAreRefusedAsWritten) {
  for (const std::string index : {"0", "-0", "+0", "4", "-4", "2147483648", "-2147483649",
                                  "4294967297", "9223372036854775808",
                                  "-9223372036854775808", "100000000000000000000",
                                  "99999999999999999999"}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(ObjError(kTriangle + "f 1 2 " + index + "\n"),
              "m.obj: line 4: index " + index + " out of range (3 vertices)");
  }
  // A vertex written after the face does not count for it.
  EXPECT_EQ(ObjError(kTriangle + "f 1 2 4\nv 1 1 0\n"),
            "m.obj: line 4: index 4 out of range (3 vertices)");
  EXPECT_EQ(ObjError(kTriangle + "vt 0 0\nf 1/1 2/2 3/1\n"),
            "m.obj: line 5: texture coordinate index 2 out of range (1 texture coordinates)");
  EXPECT_EQ(ObjError(kTriangle + "vn 0 0 1\nf 1//1 2//1 3//99999999999999999999\n"),
            "m.obj: line 5: normal index 99999999999999999999 out of range (1 normals)");
  EXPECT_EQ(ObjError(kTriangle + "p 0\n"), "m.obj: line 4: index 0 out of range (3 vertices)");
  EXPECT_EQ(ObjError(kTriangle + "f 1 2 3x\n"), "m.obj: line 4: index \"3x\" is not a whole number");
  for (const std::string corner : {"3/", "3//", "3/1/1/1", "3/1/"}) {
    SCOPED_TRACE(corner);
    EXPECT_EQ(ObjError(kTriangle + "vt 0 0\nvn 0 0 1\nf 1 2 " + corner + "\n"),
              "m.obj: line 6: corner \"" + corner + "\" is not v, v/vt, v//vn or v/vt/vn");
  }
  // Counting back from the last vertex read: -1 is vertex 3.
  const Loaded back = LoadObj(kTriangle + "f -3 -2 -1\n");
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.mesh.triangles.size(), 1u);
}

TEST(ObjIndices, MtlValuesAreReadAsWritten) {
  const std::string obj = "mtllib m.mtl\n" + kTriangle + "usemtl a\nf 1 2 3\n";
  auto withMtl = [](const std::string& mtl) {
    return models::FileSet{{"m.mtl", std::vector<uint8_t>(mtl.begin(), mtl.end())}};
  };
  EXPECT_EQ(ObjError(obj, withMtl("newmtl a\nKd 1 nan 1\n")),
            "m.obj: mtllib \"m.mtl\": line 2: Kd value \"nan\" is not a finite number");
  EXPECT_EQ(ObjError(obj, withMtl("newmtl a\nd 1e999\n")),
            "m.obj: mtllib \"m.mtl\": line 2: d value \"1e999\" is not a finite number");
  EXPECT_EQ(ObjError(obj, withMtl("newmtl a\nKd 0.5\n")),
            "m.obj: mtllib \"m.mtl\": line 2: Kd needs 3 numbers (red, green, blue)");
  const Loaded m = LoadObj(obj, withMtl("newmtl a\nKd 1 0.2 0\nNs 10\n"));
  ASSERT_TRUE(m.ok) << m.error;
  EXPECT_EQ(m.mesh.triangles[0].colour[0], 0xFF3300u);
}

// Twice the signed area of a triangle of `points` in the z = 0 plane.
double Area2(const std::vector<Vector3>& p, const CornerTriangle& t) {
  const Vector3 &a = p[t[0]], &b = p[t[1]], &c = p[t[2]];
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

double PolygonArea2(const std::vector<Vector3>& p) {
  double sum = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const Vector3 &a = p[i], &b = p[(i + 1) % p.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum;
}

// A simple polygon is cut right when every triangle turns the polygon's
// way and their areas add up to its area: none overlap, none is missing.
void ExpectCutExactly(const std::vector<Vector3>& polygon) {
  std::vector<CornerTriangle> cuts;
  renderer::SplitPolygon(polygon, &cuts);
  ASSERT_EQ(cuts.size(), polygon.size() - 2);
  double sum = 0;
  for (const CornerTriangle& t : cuts) {
    ASSERT_GE(Area2(polygon, t), 0) << t[0] << " " << t[1] << " " << t[2];
    sum += Area2(polygon, t);
  }
  EXPECT_NEAR(sum, PolygonArea2(polygon), 1e-9 * std::fabs(PolygonArea2(polygon)));
}

std::vector<Vector3> RegularPolygon(size_t n) {
  std::vector<Vector3> p(n);
  for (size_t i = 0; i < n; ++i) {
    const double a = 2 * M_PI * double(i) / double(n);
    p[i] = {std::cos(a) * 100, std::sin(a) * 100, 0};
  }
  return p;
}

// A comb: `teeth` deep notches along the top of a bar, 4 corners each.
std::vector<Vector3> Comb(size_t teeth) {
  std::vector<Vector3> p = {{double(teeth) * 2, 0, 0}, {double(teeth) * 2, 10, 0}};
  for (size_t i = teeth; i-- > 0;) {
    const double x = double(i) * 2;
    p.push_back({x + 1.5, 10, 0});
    p.push_back({x + 1.5, 1, 0});
    p.push_back({x + 0.5, 1, 0});
    p.push_back({x + 0.5, 10, 0});
  }
  p.push_back({0, 10, 0});
  p.push_back({0, 0, 0});
  return p;
}

TEST(ObjPolygons, QuadsAreSplitAlongTheShorterDiagonal) {
  std::vector<CornerTriangle> cuts;
  // Diagonal 0-2 is 1 long, 1-3 is 3: 0-2 wins.
  renderer::SplitPolygon({{0, 0, 0}, {1.5, -1, 0}, {0, 1, 0}, {-1.5, -1, 0}}, &cuts);
  EXPECT_EQ(cuts, (std::vector<CornerTriangle>{{0, 1, 2}, {0, 2, 3}}));
  // Diagonal 1-3 is the shorter.
  renderer::SplitPolygon({{-1.5, 0, 0}, {0, -1, 0}, {1.5, 0, 0}, {0, 1, 0}}, &cuts);
  EXPECT_EQ(cuts, (std::vector<CornerTriangle>{{0, 1, 3}, {1, 2, 3}}));
  // A square: equal diagonals, 0-2 is not the shorter.
  renderer::SplitPolygon({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, &cuts);
  EXPECT_EQ(cuts, (std::vector<CornerTriangle>{{0, 1, 3}, {1, 2, 3}}));
  // Through the reader: the same quad gives the same corners.
  const Loaded m = LoadObj("v 0 0 0\nv 1.5 -1 0\nv 0 1 0\nv -1.5 -1 0\nf 1 2 3 4\n");
  ASSERT_TRUE(m.ok) << m.error;
  ASSERT_EQ(m.mesh.triangles.size(), 2u);
  EXPECT_EQ(FillNormal(m.mesh, 0).z, FillNormal(m.mesh, 1).z);
}

TEST(ObjPolygons, ConvexAndConcavePolygonsAreCutWithoutOverlaps) {
  ExpectCutExactly({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
  ExpectCutExactly(RegularPolygon(5));
  ExpectCutExactly(RegularPolygon(1000));
  ExpectCutExactly(RegularPolygon(renderer::kMaxPolygonCorners));
  ExpectCutExactly({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {2, 1, 0}, {0, 4, 0}});  // a dart
  ExpectCutExactly(Comb(3));
  ExpectCutExactly(Comb(250));  // 1 004 corners, 500 of them reflex
  // Corners on the edges (flat corners) are kept.
  ExpectCutExactly({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}, {0, 2, 0}});
}

TEST(ObjPolygons, ThePolygonsOwnPlaneIsUsedWhateverItsTurn) {
  // A comb stood up in the y-z plane, and one turned clockwise: the cut
  // still covers it once, each triangle facing the polygon's way.
  std::vector<Vector3> comb = Comb(20), upright(comb.size()), mirrored(comb.rbegin(), comb.rend());
  for (size_t i = 0; i < comb.size(); ++i) upright[i] = {5, comb[i].x, comb[i].y};
  std::vector<CornerTriangle> cuts;
  renderer::SplitPolygon(upright, &cuts);
  ASSERT_EQ(cuts.size(), comb.size() - 2);
  double sum = 0;
  for (const CornerTriangle& t : cuts) {
    ASSERT_GE(Area2(comb, t), 0);
    sum += Area2(comb, t);
  }
  EXPECT_NEAR(sum, PolygonArea2(comb), 1e-9);
  renderer::SplitPolygon(mirrored, &cuts);
  sum = 0;
  for (const CornerTriangle& t : cuts) {
    ASSERT_LE(Area2(mirrored, t), 0);
    sum += Area2(mirrored, t);
  }
  EXPECT_NEAR(sum, PolygonArea2(mirrored), 1e-9);
}

TEST(ObjPolygons, DegeneratePolygonsStillGiveTheirTriangles) {
  std::vector<Vector3> line(1000), point(1000, Vector3{1, 2, 3}), repeats(999);
  for (size_t i = 0; i < line.size(); ++i) line[i] = {double(i % 7), double(i % 7) * 2, 0};
  const std::vector<Vector3> triangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  for (size_t i = 0; i < repeats.size(); ++i) repeats[i] = triangle[i % 3];
  std::vector<CornerTriangle> cuts;
  for (const auto* polygon : {&line, &point, &repeats}) {
    renderer::SplitPolygon(*polygon, &cuts);
    ASSERT_EQ(cuts.size(), polygon->size() - 2);
    for (const CornerTriangle& t : cuts) {
      ASSERT_TRUE(t[0] < polygon->size() && t[1] < polygon->size() && t[2] < polygon->size());
    }
  }
}

// Faces of n corners through the reader: 1, 2, 3 repeated, as a hostile
// file writes them in two bytes a corner.
std::string RepeatedFace(size_t n) {
  std::string obj = kTriangle + "f";
  for (size_t i = 0; i < n; ++i) obj += i % 3 == 0 ? " 1" : (i % 3 == 1 ? " 2" : " 3");
  return obj + "\n";
}

TEST(ObjPolygons, FacesBeyondTheCornerLimitAreRefusedWithOneLine) {
  const Loaded most = LoadObj(RepeatedFace(renderer::kMaxPolygonCorners));
  ASSERT_TRUE(most.ok) << most.error;
  EXPECT_EQ(most.mesh.triangles.size(), renderer::kMaxPolygonCorners - 2);
  EXPECT_EQ(ObjError(RepeatedFace(renderer::kMaxPolygonCorners + 1)),
            "m.obj: line 4: a face of 4097 corners (at most 4096 are read)");
  EXPECT_EQ(ObjError(RepeatedFace(200000)),
            "m.obj: line 4: a face of 200000 corners (at most 4096 are read)");
}

}  // namespace
