// The looks beside the flat one: the light's colour formula, bilinear
// texels, the sRGB tables, computed corner normals, smooth light on whole
// frames and frames with several samples per pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "render/bilinear.h"
#include "render/corner_normals.h"
#include "render/looks_fill.h"
#include "render/smooth_light.h"
#include "render/srgb_mean.h"
#include "render_test_support.h"

namespace {

TEST(LooksColour, FullTowardTheLightAndAThirdAway) {
  EXPECT_EQ(LightColour(0xFF8040u, 255), 0xFF8040u);
  // c x 89 x 255 / 65025, truncating: 255 -> 89, 128 -> 44, 64 -> 22.
  EXPECT_EQ(LightColour(0xFF8040u, 0), 0x592C16u);
  // The top byte of a colour plays no part.
  EXPECT_EQ(LightColour(0xAB102030u, 100), LightColour(0x102030u, 100));
  EXPECT_EQ(LightColour(0x0000FFu, 128), (255u * (22695u + 166u * 128u)) / 65025u);
}

// A 3 x 2 texture: columns 0, 1, 2 and rows 0, 1 with distinct colours.
std::vector<uint8_t> SmallTexels(const uint32_t colours[6]) {
  std::vector<uint8_t> texels;
  for (int i = 0; i < 6; ++i) {
    texels.push_back(uint8_t(colours[i] >> 16));
    texels.push_back(uint8_t(colours[i] >> 8));
    texels.push_back(uint8_t(colours[i]));
  }
  return texels;
}

TEST(LooksBilinear, CentresBlendsWrapsAndKeepsCutOutsClean) {
  const uint32_t colours[6] = {0x000000, 0x640000, 0xC80000,
                               0x0000FF, 0x006400, 0x00FFFF};
  const std::vector<uint8_t> texels = SmallTexels(colours);
  const uint8_t* t = texels.data();
  // Texel (i, j) is centred on u = i, v = j + 0.5.
  EXPECT_EQ(BilinearTexel(t, 3, 2, 1.0, 0.5, 0), 0x640000u);
  EXPECT_EQ(BilinearTexel(t, 3, 2, 2.0, 1.5, 0), 0x00FFFFu);
  // Half way between columns 0 and 1: 50 rounds to 50.
  EXPECT_EQ(BilinearTexel(t, 3, 2, 0.5, 0.5, 0), 0x320000u);
  // A quarter of the way: 25.
  EXPECT_EQ(BilinearTexel(t, 3, 2, 0.25, 0.5, 0), 0x190000u);
  // Between column 2 and column 0 (wrapped): 200 / 2 = 100.
  EXPECT_EQ(BilinearTexel(t, 3, 2, 2.5, 0.5, 0), 0x640000u);
  // Rows 1 and 0 (wrapped) half way, at v = 2: blue 255 / 2 = 127.5 -> 128.
  EXPECT_EQ(BilinearTexel(t, 3, 2, 0.0, 2.0, 0), 0x000080u);
  // Negative coordinates wrap the same way.
  EXPECT_EQ(BilinearTexel(t, 3, 2, -3.0, -1.5, 0), BilinearTexel(t, 3, 2, 0.0, 0.5, 0));

  // A see-through texel among the four takes the nearest one's colour.
  const uint32_t cut[6] = {0x102030, 0xFFFFFF, 0x102030,
                           0x102030, 0x102030, 0x102030};
  const std::vector<uint8_t> holes = SmallTexels(cut);
  EXPECT_EQ(BilinearTexel(holes.data(), 3, 2, 0.5, 0.5, 0x102030), 0x102030u);
  // Not-finite coordinates give the nearest texel.
  EXPECT_EQ(BilinearTexel(t, 3, 2, NAN, 0.5, 0x123456), 0x123456u);
}

TEST(LooksSrgb, TablesGiveTheFormula) {
  const SrgbTables& srgb = Srgb();
  for (uint32_t c = 0; c < 256; ++c) {
    EXPECT_EQ(srgb.decode[c], DecodeSrgb(c));
    EXPECT_EQ(EncodeSrgb(srgb, srgb.decode[c]), c);
  }
  EXPECT_EQ(srgb.decode[255], 1.0);
  for (uint32_t r = 1; r < 256; ++r) {
    const double start = srgb.start[r];
    EXPECT_EQ(EncodeSrgbByFormula(start), r);
    EXPECT_EQ(EncodeSrgbByFormula(std::nextafter(start, 0.0)), r - 1);
    EXPECT_EQ(EncodeSrgb(srgb, start), r);
    EXPECT_EQ(EncodeSrgb(srgb, std::nextafter(start, 0.0)), r - 1);
  }
  // The encode's bucket edges, and 1.
  for (int32_t b = 0; b <= kEncodeBuckets; ++b) {
    const double edge = double(b) / kEncodeBuckets;
    ASSERT_EQ(EncodeSrgb(srgb, edge), EncodeSrgbByFormula(edge)) << edge;
    const double before = std::nextafter(edge, 0.0);
    ASSERT_EQ(EncodeSrgb(srgb, before), EncodeSrgbByFormula(before)) << edge;
  }
  std::mt19937_64 random(17);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int i = 0; i < 20000; ++i) {
    const double v = unit(random);
    ASSERT_EQ(EncodeSrgb(srgb, v), EncodeSrgbByFormula(v)) << v;
    // Dark values too, where the curve is steepest.
    const double dark = v / 64;
    ASSERT_EQ(EncodeSrgb(srgb, dark), EncodeSrgbByFormula(dark)) << dark;
  }
}

// A cube of 12 triangles, corners counter-clockwise seen from outside.
Mesh Cube() {
  Mesh cube;
  const int32_t s = 100;
  cube.vertices = {{-s, -s, -s}, {s, -s, -s}, {s, s, -s}, {-s, s, -s},
                   {-s, -s, s},  {s, -s, s},  {s, s, s},  {-s, s, s}};
  const int32_t faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4},
                               {2, 3, 7, 6}, {0, 4, 7, 3}, {1, 2, 6, 5}};
  for (const auto& f : faces) {
    cube.triangles.push_back(FlatTriangle(f[0], f[1], f[2], 0));
    cube.triangles.push_back(FlatTriangle(f[0], f[2], f[3], 0));
  }
  return cube;
}

Vector3 FaceUnit(const Mesh& mesh, const MeshTriangle& t) {
  const IntVertex& a = mesh.vertices[size_t(t.vertex[0])];
  const IntVertex& b = mesh.vertices[size_t(t.vertex[1])];
  const IntVertex& c = mesh.vertices[size_t(t.vertex[2])];
  const Vector3 e1{double(b.x - a.x), double(b.y - a.y), double(b.z - a.z)};
  const Vector3 e2{double(c.x - a.x), double(c.y - a.y), double(c.z - a.z)};
  const Vector3 n{e2.y * e1.z - e2.z * e1.y, e2.z * e1.x - e2.x * e1.z,
                  e2.x * e1.y - e2.y * e1.x};
  const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  return Vector3{n.x / length, n.y / length, n.z / length};
}

TEST(LooksNormals, ACubeStaysACube) {
  const Mesh cube = Cube();
  std::vector<CornerNormals> normals;
  ComputeCornerNormals(cube, &normals);
  ASSERT_EQ(normals.size(), cube.triangles.size());
  for (size_t t = 0; t < cube.triangles.size(); ++t) {
    const Vector3 face = FaceUnit(cube, cube.triangles[t]);
    for (const Vector3& n : normals[t].corner) {
      EXPECT_NEAR(n.x, face.x, 1e-12);
      EXPECT_NEAR(n.y, face.y, 1e-12);
      EXPECT_NEAR(n.z, face.z, 1e-12);
    }
  }
}

TEST(LooksNormals, GentleFacesShareAnAngleWeightedNormal) {
  // A low pyramid: four faces about its apex, each 11 degrees off the
  // axis, so the apex's normal is the axis for all four.
  Mesh pyramid;
  pyramid.vertices = {{0, 0, -40}, {-200, -200, 0}, {200, -200, 0},
                      {200, 200, 0}, {-200, 200, 0}};
  for (int32_t i = 0; i < 4; ++i) {
    pyramid.triangles.push_back(FlatTriangle(0, 1 + i, 1 + (i + 1) % 4, 0));
  }
  std::vector<CornerNormals> normals;
  ComputeCornerNormals(pyramid, &normals);
  const Vector3& apex = normals[0].corner[0];
  for (size_t t = 1; t < 4; ++t) {
    EXPECT_NEAR(normals[t].corner[0].x, apex.x, 1e-12);
    EXPECT_NEAR(normals[t].corner[0].z, apex.z, 1e-12);
  }
  EXPECT_NEAR(std::fabs(apex.z), 1.0, 1e-12);
  EXPECT_NEAR(apex.x, 0.0, 1e-12);
  // A triangle's own normals win over computed ones.
  pyramid.normals.resize(4);
  pyramid.normals[2] = CornerNormals{{{1, 0, 0}, {1, 0, 0}, {0, 1, 0}}};
  MeshCornerNormals(pyramid, &normals);
  EXPECT_EQ(normals[2].corner[2].y, 1.0);
  EXPECT_NEAR(normals[1].corner[0].x, apex.x, 1e-12);
}

// A square facing the viewer at camera z = 1000 that covers the client,
// object 1; object 0 the light, with no mesh, at `light`.
struct LitSquare {
  LitSquare(const IntVertex& light, const Looks& looks) {
    BindHeadlessTarget(headless, 80, 60, 64, 48);
    Mesh square;
    square.vertices = {{-2000, -2000, 1000}, {2000, -2000, 1000},
                       {2000, 2000, 1000},   {-2000, 2000, 1000}};
    square.triangles = {FlatTriangle(0, 2, 1, 0xC0C0C0),
                        FlatTriangle(0, 3, 2, 0xC0C0C0)};
    const Vector3 toViewer{0, 0, -1};
    square.normals.assign(2, CornerNormals{{toViewer, toViewer, toViewer}});
    scene.meshes = {square};
    scene.objects.resize(2);
    scene.objects[0].position[0] = light.x;
    scene.objects[0].position[1] = light.y;
    scene.objects[0].position[2] = light.z;
    scene.objects[1].mesh = 0;
    scene.objects[1].position[2] = 0;
    SetDemoProjection(view, headless.target.clientRect, headless.clientCentre);
    view.focalLength = 50;
    view.looks = looks;
  }
  void Draw(int32_t threads = 1) {
    std::memset(headless.target.pixels, 0, 80 * 60 * 4);
    WorkspacePtr workspace = MakeWorkspace();
    SetThreadCount(*workspace, threads);
    workspace->minBandRows = 1;
    renderer::ClearFrame(headless.target, 47, 63, *workspace);
    renderer::RenderFrame(scene, view, headless.target, *workspace);
  }
  uint32_t Pixel(int32_t x, int32_t y) const {
    return headless.target.pixels[y * 80 + x];
  }
  HeadlessTarget headless;
  Scene scene;
  View view;
};

// The level at pixel (x, y) worked out from the formulas directly.
int32_t ExpectedLevel(const LitSquare& s, int32_t x, int32_t y,
                      const Vector3& light) {
  const double f = s.view.focalLength;
  const Vector3 p{(x - s.view.centreX) * 1000 / f,
                  (y - s.view.centreY) * 1000 / f, 1000};
  const Vector3 l{light.x - p.x, light.y - p.y, light.z - p.z};
  const double cosine =
      -l.z / std::sqrt(l.x * l.x + l.y * l.y + l.z * l.z);
  return cosine > 0 ? int32_t(cosine * 255.0) : 0;
}

void ExpectChannelsNear(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(int((a >> shift) & 0xFF), int((b >> shift) & 0xFF), 1)
        << std::hex << a << " " << b;
  }
}

TEST(LooksSmooth, EachPixelLitFromItsOwnPoint) {
  const IntVertex light{-3200, -3200, 0};
  LitSquare square(light, Looks{Shading::kSmooth, TextureFilter::kNearest, 1});
  square.Draw();
  const Vector3 l{-3200, -3200, 0};
  for (int32_t y = 0; y < 48; y += 7) {
    for (int32_t x = 0; x < 64; x += 9) {
      ExpectChannelsNear(square.Pixel(x, y),
                         LightColour(0xC0C0C0, ExpectedLevel(square, x, y, l)));
    }
  }
  // Up and to the left, nearer the light, is brighter.
  EXPECT_GT(square.Pixel(2, 2) & 0xFF, square.Pixel(60, 45) & 0xFF);
}

TEST(LooksSmooth, LightAtTheViewerWhenObjectZeroDraws) {
  Scene scene;
  scene.meshes = {Cube(), Mesh{}};
  scene.objects.resize(1);
  scene.objects[0].mesh = 0;
  scene.objects[0].position[0] = 500;
  const Looks smooth{Shading::kSmooth, TextureFilter::kNearest, 1};
  EXPECT_EQ(FrameLight(scene, smooth).x, 0);
  EXPECT_EQ(FrameLight(scene, Looks{}).x, 500);
  scene.objects[0].mesh = 1;  // a mesh without triangles or lines
  EXPECT_EQ(FrameLight(scene, smooth).x, 500);
  scene.objects[0].mesh = kNoMesh;
  EXPECT_EQ(FrameLight(scene, smooth).x, 500);
}

TEST(LooksSamples, AveragesInLinearLightAndKeepsTheRestClear) {
  const IntVertex light{-3200, -3200, 0};
  for (int32_t samples : {4, 16}) {
    SCOPED_TRACE(samples);
    LitSquare single(light, Looks{Shading::kSmooth, TextureFilter::kNearest, 1});
    single.Draw();
    LitSquare many(light,
                   Looks{Shading::kSmooth, TextureFilter::kNearest, samples});
    many.Draw();
    const FrameTarget& t = many.headless.target;
    for (int32_t y = 0; y < 60; ++y) {
      for (int32_t x = 0; x < 80; ++x) {
        const bool client = x < 64 && y < 48;
        if (client) {
          // A smooth gradient: its mean lies within a level of the centre.
          ExpectChannelsNear(many.Pixel(x, y), single.Pixel(x, y));
          EXPECT_NEAR(DepthAt(t, x, y), 1000.0f, 0.01f);
        } else {
          ASSERT_EQ(many.Pixel(x, y), 0u) << x << "," << y;
          uint32_t bits;
          const float depth = DepthAt(t, x, y);
          std::memcpy(&bits, &depth, 4);
          ASSERT_EQ(bits, kDepthClearBits) << x << "," << y;
        }
      }
    }
  }
}

TEST(LooksSamples, EdgesBlendWithTheBackground) {
  LitSquare square(IntVertex{0, 0, 0},
                   Looks{Shading::kFlat, TextureFilter::kNearest, 16});
  // A narrow square whose edges fall half way between pixels (x 7.5 and
  // 57.5), where sample frames put samples on both sides of them.
  for (IntVertex& v : square.scene.meshes[0].vertices) v.x = v.x / 4 + 10;
  square.scene.meshes[0].triangles[0].colour[0] = 0xFFFFFF;
  square.scene.meshes[0].triangles[1].colour[0] = 0xFFFFFF;
  square.Draw();
  int32_t between = 0;
  for (int32_t x = 0; x < 64; ++x) {
    const uint32_t g = square.Pixel(x, 24) & 0xFF;
    between += g != 0x78 && g != 0xFF;
  }
  EXPECT_EQ(between, 2);  // one blended pixel at each edge
}

// The looks draw the same bits on every fill version and thread count.
TEST(LooksSmooth, SameBitsEveryThreadCount) {
  const IntVertex light{-3200, -3200, 0};
  for (int32_t samples : {1, 4}) {
    LitSquare one(light, Looks{Shading::kSmooth, TextureFilter::kBilinear, samples});
    one.scene.objects[1].position[2] = 200;
    RotateObjectY(one.scene.objects[1], 40);
    one.Draw(1);
    const FrameHashes expected = HashFrame(one.headless.target);
    for (int32_t threads : {2, 3}) {
      one.Draw(threads);
      const FrameHashes actual = HashFrame(one.headless.target);
      EXPECT_EQ(actual.pixels, expected.pixels) << threads;
      EXPECT_EQ(actual.depth, expected.depth) << threads;
    }
  }
}

}  // namespace
