// Random renderer states for the soak tests (see random_scene.h).
#include "tests/soak/random_scene.h"

#include <cmath>
#include <limits>
#include <utility>

using namespace renderer;

namespace {

constexpr int32_t kVerticesPerMesh = 9;
constexpr int32_t kTrianglesPerMesh = 12;
constexpr int32_t kLinesPerMesh = 4;
constexpr int32_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t kInt32Min = std::numeric_limits<int32_t>::min();

using Rng = std::mt19937_64;

int64_t Between(Rng* rng, int64_t low, int64_t high) {
  return std::uniform_int_distribution<int64_t>(low, high)(*rng);
}

double Real(Rng* rng, double low, double high) {
  return std::uniform_real_distribution<double>(low, high)(*rng);
}

bool Chance(Rng* rng, double p) { return Real(rng, 0, 1) < p; }

double LogUniform(Rng* rng, double low, double high) {
  return std::exp(Real(rng, std::log(low), std::log(high)));
}

int32_t Int32(Rng* rng, int64_t low, int64_t high) {
  return int32_t(Between(rng, low, high));
}

// A model coordinate of one magnitude class: tiny, small, normal, large or
// anywhere in the int32 range.
int32_t Coordinate(Rng* rng, int32_t magnitude) {
  static const int64_t kReach[] = {4, 100, 2000, 1000000, kInt32Max};
  if (magnitude == 4) return Int32(rng, kInt32Min, kInt32Max);
  return Int32(rng, -kReach[magnitude], kReach[magnitude]);
}

// A texture coordinate: small, large, near the int32 limits, far past them,
// or tiny.
double TexelCoordinate(Rng* rng) {
  const double sign = Chance(rng, 0.5) ? 1.0 : -1.0;
  switch (Between(rng, 0, 4)) {
    case 0: return Real(rng, -64, 64);
    case 1: return Real(rng, -1e6, 1e6);
    case 2: return sign * (2147483648.0 - Real(rng, -2, 100));
    case 3: return sign * LogUniform(rng, 1e9, 1e15);
    default: return Real(rng, -1e-6, 1e-6);
  }
}

Texture RandomTexture(int32_t width, int32_t height, Rng* rng) {
  Texture texture{width, height, {}};
  texture.texels.resize(size_t(width) * size_t(height) * 3);
  for (uint8_t& b : texture.texels) {
    b = Chance(rng, 0.3) ? 255 : uint8_t(Between(rng, 0, 255));
  }
  return texture;
}

void MakeTexturePool(SoakScene* scene, Rng* rng) {
  scene->scene.textures = {RandomTexture(1, 1, rng),  RandomTexture(3, 2, rng),
                           RandomTexture(7, 5, rng),  RandomTexture(64, 1, rng),
                           RandomTexture(1, 33, rng), Texture{}};
  scene->poolSize = int32_t(scene->scene.textures.size());
}

Mesh SizedMesh(bool withVectors) {
  Mesh m;
  m.vertices.assign(kVerticesPerMesh, IntVertex{0, 0, 0});
  if (withVectors) m.vertexVectors.assign(kVerticesPerMesh, Vector3{0, 0, 0});
  m.triangles.assign(kTrianglesPerMesh, MeshTriangle{});
  m.texels.assign(kTrianglesPerMesh, TriangleTexels{});  // one per triangle
  m.lines.assign(kLinesPerMesh, MeshLine{0, 0, 0, 0});
  return m;
}

int32_t PickTexture(SoakScene* scene, Rng* rng) {
  if (Chance(rng, 0.25)) return kNoTexture;  // the untextured fill
  return Int32(rng, 0, scene->poolSize - 1);
}

// Triangle i and its texels entry i (untextured ones keep theirs too).
void RandomiseTriangle(SoakScene* scene, Mesh* m, size_t i, Rng* rng) {
  MeshTriangle* t = &m->triangles[i];
  TriangleTexels* texels = &m->texels[i];
  t->texels = int32_t(i);
  for (int c = 0; c < 3; ++c) {
    t->vertex[c] = Int32(rng, 0, kVerticesPerMesh - 1);
    t->colour[c] = uint32_t(Int32(rng, kInt32Min, kInt32Max));
    texels->uv[c][0] = TexelCoordinate(rng);
    texels->uv[c][1] = TexelCoordinate(rng);
  }
  t->texture = PickTexture(scene, rng);
}

void RandomiseMesh(SoakScene* scene, Mesh* m, Rng* rng) {
  const int32_t magnitude = Int32(rng, 0, 5);  // 5: mixed per vertex
  for (IntVertex& v : m->vertices) {
    const int32_t each = magnitude == 5 ? Int32(rng, 0, 4) : magnitude;
    v = IntVertex{Coordinate(rng, each), Coordinate(rng, each),
                  Coordinate(rng, each)};
  }
  for (Vector3& v : m->vertexVectors) {
    v = Vector3{Real(rng, -1e9, 1e9), Real(rng, -1, 1), Real(rng, -1e-9, 1e-9)};
  }
  for (size_t i = 0; i < m->triangles.size(); ++i) {
    RandomiseTriangle(scene, m, i, rng);
  }
  for (MeshLine& l : m->lines) {
    l = MeshLine{Int32(rng, 0, kVerticesPerMesh - 1),
                 Int32(rng, 0, kVerticesPerMesh - 1),
                 uint32_t(Int32(rng, kInt32Min, kInt32Max)),
                 uint32_t(Int32(rng, kInt32Min, kInt32Max))};
  }
}

// Identity, then a few random turns and scales (factors 1e-6 to 1e6).
void RandomiseOrientation(SceneObject* object, Rng* rng) {
  ResetObject(*object);
  const int64_t steps = Between(rng, 0, 5);
  for (int64_t i = 0; i < steps; ++i) {
    const double degrees =
        Chance(rng, 0.9) ? Real(rng, -360, 360) : Real(rng, -1e7, 1e7);
    switch (Between(rng, 0, 3)) {
      case 0: RotateObjectX(*object, degrees); break;
      case 1: RotateObjectY(*object, degrees); break;
      case 2: RotateObjectZ(*object, degrees); break;
      default: ScaleObject(*object, LogUniform(rng, 1e-6, 1e6)); break;
    }
  }
}

// In front, behind, beside, far in front, at the eye, or anywhere.
void RandomisePosition(SceneObject* object, Rng* rng) {
  int32_t* p = object->position;
  switch (Between(rng, 0, 5)) {
    case 0: p[0] = Int32(rng, -3000, 3000); p[1] = Int32(rng, -3000, 3000);
            p[2] = Int32(rng, 500, 10000); break;
    case 1: p[0] = Int32(rng, -5000, 5000); p[1] = Int32(rng, -5000, 5000);
            p[2] = Int32(rng, -1000000, 1); break;
    case 2: p[0] = Int32(rng, 10000, kInt32Max) * (Chance(rng, 0.5) ? 1 : -1);
            p[1] = Int32(rng, -100000, 100000); p[2] = Int32(rng, 2, 100000); break;
    case 3: p[0] = Int32(rng, -1000, 1000); p[1] = Int32(rng, -1000, 1000);
            p[2] = Int32(rng, 1000000, kInt32Max); break;
    case 4: p[0] = Int32(rng, -5, 5); p[1] = Int32(rng, -5, 5);
            p[2] = Int32(rng, -5, 5); break;
    default: for (int i = 0; i < 3; ++i) p[i] = Int32(rng, kInt32Min, kInt32Max);
  }
}

// A client or window extent: empty, one pixel, inside, equal to or past the
// desktop, or far past it.
int32_t Extent(Rng* rng, int32_t desktop) {
  switch (Between(rng, 0, 5)) {
    case 0: return 0;
    case 1: return 1;
    case 2: return Int32(rng, 1, desktop);
    case 3: return desktop;
    case 4: return Int32(rng, desktop, 3 * int64_t(desktop));
    default: return Int32(rng, 3 * int64_t(desktop), 100000);
  }
}

// A viewport bound anywhere: inside, at or past the buffer, negative, or at
// the int32 limits.
int32_t ViewportBound(Rng* rng, int32_t desktop) {
  switch (Between(rng, 0, 5)) {
    case 0: return 0;
    case 1: return Int32(rng, -50, desktop + 50);
    case 2: return desktop + Int32(rng, -1, 1);
    case 3: return Int32(rng, -1000000, 1000000);
    case 4: return kInt32Max;
    default: return kInt32Min;
  }
}

void RandomiseClient(GuardedFrame* t, Rng* rng) {
  const int32_t left = Chance(rng, 0.7) ? 0 : Int32(rng, -200, 200);
  const int32_t top = Chance(rng, 0.7) ? 0 : Int32(rng, -200, 200);
  const int32_t w = Extent(rng, t->bufferSize.x);
  const int32_t h = Extent(rng, t->bufferSize.y);
  t->clientRect = Rect{left, top, left + w, top + h};
  t->clientCentre = IntPoint{left + (w >> 1), top + (h >> 1)};
}

void RandomiseWindowRect(GuardedFrame* t, Rng* rng) {
  t->windowRect = Rect{0, 0, t->bufferSize.x, t->bufferSize.y};
  if (Chance(rng, 0.75)) return;
  const int32_t left = Int32(rng, -500, 500);
  const int32_t top = Int32(rng, -500, 500);
  t->windowRect = Rect{left, top, left + Extent(rng, t->bufferSize.x),
                       top + Extent(rng, t->bufferSize.y)};
}

void RandomiseProjection(View* c, GuardedFrame* t, Rng* rng) {
  SetDemoProjection(*c, t->clientRect, t->clientCentre);
  c->focalLength = int32_t(LogUniform(rng, 100, 100000));
  if (Chance(rng, 0.1)) c->nearZ = Int32(rng, 2, 5000);
  if (Chance(rng, 0.4)) {
    c->viewportLeft = ViewportBound(rng, t->bufferSize.x);
    c->viewportTop = ViewportBound(rng, t->bufferSize.y);
    c->viewportRight = ViewportBound(rng, t->bufferSize.x);
    c->viewportBottom = ViewportBound(rng, t->bufferSize.y);
  }
  if (Chance(rng, 0.3)) {
    c->centreX = Chance(rng, 0.5) ? Real(rng, -1e6, 1e6) : Real(rng, -10, 1000);
    c->centreY = Chance(rng, 0.5) ? Real(rng, -1e6, 1e6) : Real(rng, -10, 1000);
  }
}

// Swapped, not copied, so that holding the images aside allocates nothing.
void SwapImages(SoakScene* scene) {
  for (int i = 0; i < kTextureSlotCount; ++i) {
    std::swap(scene->heldImages[i],
              scene->scene.textures[size_t(scene->poolSize + i)]);
  }
}

}  // namespace

std::string DescribeState(const SoakScene& scene, const GuardedFrame& t) {
  const View& c = scene.view;
  auto rect = [](const Rect& r) {
    std::string out = "(";
    out += std::to_string(r.left);
    out += ", ";
    out += std::to_string(r.top);
    out += ", ";
    out += std::to_string(r.right);
    out += ", ";
    out += std::to_string(r.bottom);
    return out + ")";
  };
  return "focal " + std::to_string(c.focalLength) + ", nearZ " +
         std::to_string(c.nearZ) + ", centre (" + std::to_string(c.centreX) +
         ", " + std::to_string(c.centreY) + "), viewport " +
         rect(Rect{c.viewportLeft, c.viewportTop, c.viewportRight,
                   c.viewportBottom}) +
         ", client " + rect(t.clientRect) + ", windowRect " +
         rect(t.windowRect);
}

void BuildSoakScene(SoakScene* scene, GuardedFrame* target,
                    const char* textureFolder) {
  Rng rng(7);
  MakeTexturePool(scene, &rng);
  Scene& s = scene->scene;
  for (Texture& image : LoadTexturesFrom(textureFolder)) {
    s.textures.push_back(std::move(image));
  }
  s.meshes = {BuildModel(s.textures, scene->poolSize)};
  for (int32_t i = 0; i < kRandomMeshCount; ++i) {
    s.meshes.push_back(SizedMesh(i == 0));
  }
  s.objects.assign(kSoakObjectCount, SceneObject{});
  for (int32_t i = 0; i < kSoakObjectCount; ++i) s.objects[size_t(i)].mesh = i;
  const Rect& desktop = target->windowRect;
  scene->depth.assign(size_t(int64_t{desktop.right + 1} * (desktop.bottom + 1)),
                      0.0f);
  SetDemoProjection(scene->view, target->clientRect, target->clientCentre);
  FrameTarget frame =
      TargetOf(*target, scene->depth.data(), int64_t(scene->depth.size()));
  RenderFrame(s, scene->view, frame, *scene->workspace);
}

void RandomiseState(SoakScene* scene, GuardedFrame* target, Rng* rng) {
  Scene& s = scene->scene;
  for (size_t i = 1; i < s.meshes.size(); ++i) {
    RandomiseMesh(scene, &s.meshes[i], rng);
  }
  for (SceneObject& object : s.objects) {
    RandomiseOrientation(&object, rng);
    RandomisePosition(&object, rng);
  }
  if (Chance(rng, 0.1)) {
    SwapImages(scene);
    scene->imagesEmptied = true;
  }
  RandomiseClient(target, rng);
  RandomiseWindowRect(target, rng);
  RandomiseProjection(&scene->view, target, rng);
}

void RestoreImages(SoakScene* scene) {
  if (!scene->imagesEmptied) return;
  SwapImages(scene);
  scene->imagesEmptied = false;
}
