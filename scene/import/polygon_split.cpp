// Cutting OBJ polygons into triangles.
#include "scene/import/polygon_split.h"

#include <cmath>

namespace renderer {

namespace {

struct Point2 {
  double x = 0;
  double y = 0;
};

// Twice the signed area of (a, b, c): positive when they turn
// counter-clockwise.
double Turn(Point2 a, Point2 b, Point2 c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

bool Same(Point2 a, Point2 b) { return a.x == b.x && a.y == b.y; }

// The corners in the plane of the axes the polygon's area vector (Newell's
// sum) is most nearly facing, mirrored if need be so that the polygon runs
// counter-clockwise there. False when it has no area to face by.
bool ProjectPolygon(const std::vector<Vector3>& corners, std::vector<Point2>* points) {
  Vector3 n;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Vector3& a = corners[i];
    const Vector3& b = corners[(i + 1) % corners.size()];
    n.x += (a.y - b.y) * (a.z + b.z);
    n.y += (a.z - b.z) * (a.x + b.x);
    n.z += (a.x - b.x) * (a.y + b.y);
  }
  const double ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
  if (!std::isfinite(ax + ay + az) || !(ax + ay + az > 0)) return false;
  // Dropping the largest component's axis and keeping the other two in
  // cyclic order ((y, z), (z, x) or (x, y)) gives an area of that
  // component's sign.
  const int drop = az >= ax && az >= ay ? 2 : (ay >= ax ? 1 : 0);
  const double mirror = n[drop] > 0 ? 1 : -1;
  points->resize(corners.size());
  for (size_t i = 0; i < corners.size(); ++i) {
    const Vector3& c = corners[i];
    const Point2 p = drop == 0 ? Point2{c.y, c.z} : drop == 1 ? Point2{c.z, c.x} : Point2{c.x, c.y};
    (*points)[i] = {p.x * mirror, p.y};
  }
  return true;
}

// The corners still to cut, as a ring, with what is known of each.
struct Ring {
  std::vector<Point2> points;
  std::vector<uint32_t> prev, next;
  std::vector<uint8_t> ear, cut;
  std::vector<uint32_t> reflex;  // corners that were not convex when listed
  std::vector<uint8_t> listed;   // in `reflex`
  size_t size = 0;
  int64_t budget = 0;  // corner tests left before the rest becomes a fan
};

bool Convex(const Ring& r, uint32_t v) {
  return Turn(r.points[r.prev[v]], r.points[v], r.points[r.next[v]]) > 0;
}

void ListIfReflex(Ring& r, uint32_t v) {
  if (r.listed[v] || Convex(r, v)) return;
  r.listed[v] = 1;
  r.reflex.push_back(v);
}

// True when corner v is an ear: convex, and no other corner that is not
// convex lies inside or on its triangle (corners at the same place as one
// of the triangle's own do not count). In a simple polygon only such
// corners can make a diagonal cross the outline.
bool IsEar(Ring& r, uint32_t v) {
  const uint32_t a = r.prev[v], c = r.next[v];
  if (!Convex(r, v)) return false;
  const Point2 pa = r.points[a], pb = r.points[v], pc = r.points[c];
  for (const uint32_t w : r.reflex) {
    --r.budget;
    if (r.cut[w] || w == a || w == v || w == c) continue;
    const Point2 p = r.points[w];
    if (Same(p, pa) || Same(p, pb) || Same(p, pc)) continue;
    if (Turn(pa, pb, p) >= 0 && Turn(pb, pc, p) >= 0 && Turn(pc, pa, p) >= 0 &&
        !Convex(r, w)) {
      return false;
    }
  }
  return true;
}

// Lists the corners that are not convex afresh, then marks every ear.
void MarkEars(Ring& r, uint32_t start) {
  for (const uint32_t w : r.reflex) r.listed[w] = 0;
  r.reflex.clear();
  uint32_t v = start;
  do {
    if (!r.cut[v]) ListIfReflex(r, v);
    v = r.next[v];
  } while (v != start);
  do {
    r.ear[v] = IsEar(r, v);
    v = r.next[v];
  } while (v != start);
}

// Cuts ears walking round the ring; returns a corner of what is left: one
// triangle, or a polygon without ears (or out of budget) for a fan. Ear
// marks are renewed for the two neighbours of each cut; a full round
// without a marked ear renews every mark once before giving up, since a
// cut can also free corners further away. Only listed corners are tested
// against a triangle: a cut only narrows its neighbours' angles in a
// simple polygon, so a convex corner does not turn reflex.
uint32_t CutEars(Ring& r, std::vector<CornerTriangle>* triangles) {
  uint32_t v = 0;
  MarkEars(r, v);
  size_t misses = 0;
  bool fresh = true;
  while (r.size > 3 && r.budget > 0) {
    if (r.ear[v]) {
      const uint32_t a = r.prev[v], c = r.next[v];
      triangles->push_back({a, v, c});
      r.next[a] = c;
      r.prev[c] = a;
      r.cut[v] = 1;
      --r.size;
      ListIfReflex(r, a);
      ListIfReflex(r, c);
      r.ear[a] = IsEar(r, a);
      r.ear[c] = IsEar(r, c);
      v = c;
      misses = 0;
      fresh = false;
      continue;
    }
    v = r.next[v];
    if (++misses < r.size) continue;
    if (fresh) break;
    MarkEars(r, v);
    misses = 0;
    fresh = true;
  }
  return v;
}

void Fan(const Ring& r, uint32_t v, std::vector<CornerTriangle>* triangles) {
  for (uint32_t w = r.next[v]; r.next[w] != v; w = r.next[w]) {
    triangles->push_back({v, w, r.next[w]});
  }
}

double SquaredDistance(const Vector3& a, const Vector3& b) {
  const double x = b.x - a.x, y = b.y - a.y, z = b.z - a.z;
  return x * x + y * y + z * z;
}

}  // namespace

void SplitPolygon(const std::vector<Vector3>& corners,
                  std::vector<CornerTriangle>* triangles) {
  triangles->clear();
  const size_t n = corners.size();
  if (n < 3) return;
  if (n == 3) {
    triangles->push_back({0, 1, 2});
    return;
  }
  if (n == 4) {
    if (SquaredDistance(corners[0], corners[2]) < SquaredDistance(corners[1], corners[3])) {
      *triangles = {{0, 1, 2}, {0, 2, 3}};
    } else {
      *triangles = {{0, 1, 3}, {1, 2, 3}};
    }
    return;
  }
  triangles->reserve(n - 2);
  Ring r;
  r.size = n;
  r.prev.resize(n);
  r.next.resize(n);
  r.ear.assign(n, 0);
  r.cut.assign(n, 0);
  r.listed.assign(n, 0);
  for (size_t i = 0; i < n; ++i) {
    r.prev[i] = uint32_t((i + n - 1) % n);
    r.next[i] = uint32_t((i + 1) % n);
  }
  // Marking every corner costs about n² tests, the cuts about as much
  // again: four times n² leaves room for a renewal or two and bounds the
  // worst case (kMaxPolygonCorners keeps n² itself bounded).
  r.budget = int64_t(4 * n * n);
  const uint32_t rest = ProjectPolygon(corners, &r.points) ? CutEars(r, triangles) : 0;
  Fan(r, rest, triangles);
}

}  // namespace renderer
