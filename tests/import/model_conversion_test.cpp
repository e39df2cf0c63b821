// Model files made into meshes: texture orientation, node transforms,
// winding, alpha cut, colours, strips and fans, lines.
#include <gtest/gtest.h>

#include "tests/import/load_files.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

using models::FileSet;
using models::GenModel;
using models::GenPrimitive;
using models::GltfLayout;
using models::ImageKind;

GenModel OnePrimitive(const GenPrimitive& p) {
  GenModel model;
  model.meshes = {{p}};
  models::GenNode node;
  node.mesh = 0;
  model.nodes = {node};
  model.roots = {0};
  return model;
}

// A square facing +z, corners (-1,-1), (1,-1), (1,1), (-1,1) counter-
// clockwise seen from the front, uv (0,1), (1,1), (1,0), (0,0).
GenPrimitive FrontSquare() {
  GenPrimitive p;
  p.positions = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
  p.uvs = {0, 1, 1, 1, 1, 0, 0, 0};
  p.indices = {0, 1, 2, 0, 2, 3};
  return p;
}

// A 4 x 2 image: red top-left, green top-right, blue bottom-left, grey else.
models::GenImage CornerImage() {
  models::GenImage image = models::SolidImage(4, 2, 0x808080);
  models::SetTexel(image, 0, 0, 0xFF0000);
  models::SetTexel(image, 3, 0, 0x00FF00);
  models::SetTexel(image, 0, 1, 0x0000FF);
  return image;
}

GenModel TexturedSquare() {
  GenModel model = OnePrimitive(FrontSquare());
  model.images = {CornerImage()};
  model.materials = {models::ColourMaterial("square", 1, 1, 1)};
  model.materials[0].image = 0;
  model.meshes[0][0].material = 0;
  return model;
}

// Every format of a model: file set and the name to load.
std::vector<std::pair<FileSet, std::string>> AllFormats(const GenModel& model) {
  return {{models::WriteObj(model, "m", ImageKind::kPng), "m.obj"},
          {models::WriteGltf(model, "m", GltfLayout::kExternal, ImageKind::kPng), "m.gltf"},
          {models::WriteGltf(model, "m", GltfLayout::kDataUri, ImageKind::kPng), "m-embedded.gltf"},
          {models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng), "m.glb"}};
}

const uint8_t* Texel(const renderer::Texture& t, int x, int y) {
  return &t.texels[(size_t(y) * size_t(t.width) + size_t(x)) * 3];
}

TEST(ModelTexture, ImageCornersLandOnTheMatchingScreenCorners) {
  for (const auto& [files, name] : AllFormats(TexturedSquare())) {
    SCOPED_TRACE(name);
    const Loaded m = LoadFiles(files, name);
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_EQ(m.textures.size(), 1u);
    const renderer::Texture& t = m.textures[0];
    ASSERT_EQ(t.width, 4);
    ASSERT_EQ(t.height, 2);
    EXPECT_EQ(Texel(t, 0, 0)[0], 255);  // red stays at the top-left texel
    EXPECT_EQ(Texel(t, 3, 0)[1], 255);
    EXPECT_EQ(Texel(t, 0, 1)[2], 255);
    // Screen up is -y, screen left is -x: the corner at (-800, -800) is the
    // top-left one and must sample uv (0, 0), the image's top-left texel.
    for (const auto& tri : m.mesh.triangles) {
      EXPECT_EQ(tri.texture, 0);
      const renderer::TriangleTexels* texels = renderer::TexelsOf(m.mesh, tri);
      ASSERT_NE(texels, nullptr);
      for (int k = 0; k < 3; ++k) {
        const renderer::IntVertex v = m.mesh.vertices[size_t(tri.vertex[k])];
        EXPECT_EQ(texels->uv[k][0], v.x < 0 ? 0.0 : 4.0);
        EXPECT_EQ(texels->uv[k][1], v.y < 0 ? 0.0 : 2.0);
      }
    }
  }
}

TEST(ModelGeometry, FrontFacesGetANormalTowardTheViewer) {
  GenPrimitive back = FrontSquare();
  for (size_t i = 0; i < back.positions.size(); i += 3) back.positions[i + 2] = -1;
  back.indices = {0, 2, 1, 0, 3, 2};  // clockwise from the front: faces back
  GenModel model = OnePrimitive(FrontSquare());
  model.meshes[0].push_back(back);
  for (const auto& [files, name] : AllFormats(model)) {
    SCOPED_TRACE(name);
    const Loaded m = LoadFiles(files, name);
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_EQ(m.mesh.triangles.size(), 4u);
    for (size_t t = 0; t < 4; ++t) {
      const renderer::Vector3 n = FillNormal(m.mesh, t);
      // The viewer looks along +z: a front face's normal points to -z.
      EXPECT_EQ(n.z < 0, t < 2) << "triangle " << t;
      EXPECT_EQ(n.x, 0);
      EXPECT_EQ(n.y, 0);
    }
  }
}

TEST(ModelGeometry, NodeTransformsPlaceChildrenAndTheBoxIsScaledTo1600) {
  GenPrimitive triangle;
  triangle.positions = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  GenModel model = OnePrimitive(triangle);
  models::GenNode child;
  child.mesh = 0;
  child.translation[0] = 2;
  models::AxisTurn(0, 0, 1, 90, child.rotation);
  model.nodes[0].children = {1};
  model.nodes.push_back(child);
  for (const auto& [files, name] : AllFormats(model)) {
    SCOPED_TRACE(name);
    const Loaded m = LoadFiles(files, name);
    ASSERT_TRUE(m.ok) << m.error;
    // Positions (0,0) (1,0) (0,1) and, turned and moved, (2,0) (2,1) (1,0):
    // a 2 x 1 box, centred at (1, 0.5), scaled by 800, y negated.
    const std::vector<std::array<int32_t, 3>> expected = {
        {-800, 400, 0}, {-800, -400, 0}, {0, 400, 0},   // corners 0, 2, 1
        {800, 400, 0},  {0, 400, 0},     {800, -400, 0}};
    ASSERT_EQ(m.mesh.triangles.size(), 2u);
    for (size_t t = 0; t < 2; ++t) {
      for (int k = 0; k < 3; ++k) {
        const renderer::IntVertex v = m.mesh.vertices[size_t(m.mesh.triangles[t].vertex[k])];
        EXPECT_EQ((std::array<int32_t, 3>{v.x, v.y, v.z}), expected[t * 3 + size_t(k)])
            << "triangle " << t << " corner " << k;
      }
    }
  }
}

TEST(ModelColours, AlphaMaskCutsBelowTheCutOffAndKeepsOpaqueWhiteVisible) {
  GenModel model = TexturedSquare();
  models::GenImage image = models::SolidImage(4, 1, 0xFFFFFF);
  image.alpha = true;
  models::SetTexel(image, 0, 0, 0x102030, 0);    // cut
  models::SetTexel(image, 1, 0, 0x102030, 127);  // 0.498: cut
  models::SetTexel(image, 2, 0, 0x102030, 128);  // 0.502: kept
  models::SetTexel(image, 3, 0, 0xFFFFFF, 255);  // opaque white: kept
  model.images = {image};
  for (const char* mode : {"MASK", "BLEND", "OPAQUE"}) {
    SCOPED_TRACE(mode);
    model.materials[0].alphaMode = mode;
    const FileSet files = models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng);
    const Loaded m = LoadFiles(files, "m.glb");
    ASSERT_TRUE(m.ok) << m.error;
    const renderer::Texture& t = m.textures[0];
    const bool cuts = std::string(mode) != "OPAQUE";
    const std::vector<uint8_t> cut = {255, 255, 255}, kept = {0x10, 0x20, 0x30};
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 0, 0), Texel(t, 0, 0) + 3), cuts ? cut : kept);
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 1, 0), Texel(t, 1, 0) + 3), cuts ? cut : kept);
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 2, 0), Texel(t, 2, 0) + 3), kept);
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 3, 0), Texel(t, 3, 0) + 3),
              (std::vector<uint8_t>{255, 254, 255}));
  }
}

TEST(ModelColours, AlphaMaskKeepsATexelExactlyAtTheCutOff) {
  // 0.2 and 0.6 are 51/255 and 153/255 exactly as doubles: alpha 51 (153)
  // sits on the cut-off, which keeps it (opaque when alpha >= cutoff).
  for (const int at : {51, 153}) {
    SCOPED_TRACE(at);
    GenModel model = TexturedSquare();
    models::GenImage image = models::SolidImage(3, 1, 0x102030);
    image.alpha = true;
    models::SetTexel(image, 0, 0, 0x102030, uint8_t(at - 1));  // below: cut
    models::SetTexel(image, 1, 0, 0x102030, uint8_t(at));      // at: kept
    models::SetTexel(image, 2, 0, 0x102030, uint8_t(at + 1));  // above: kept
    model.images = {image};
    model.materials[0].alphaMode = "MASK";
    model.materials[0].alphaCutoff = at / 255.0;
    const Loaded m =
        LoadFiles(models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng), "m.glb");
    ASSERT_TRUE(m.ok) << m.error;
    const renderer::Texture& t = m.textures[0];
    const std::vector<uint8_t> cut = {255, 255, 255}, kept = {0x10, 0x20, 0x30};
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 0, 0), Texel(t, 0, 0) + 3), cut);
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 1, 0), Texel(t, 1, 0) + 3), kept);
    EXPECT_EQ(std::vector<uint8_t>(Texel(t, 2, 0), Texel(t, 2, 0) + 3), kept);
  }
}

TEST(ModelColours, LinearFactorsAndVertexColoursAreEncodedAsSrgb) {
  GenModel model = OnePrimitive(FrontSquare());
  model.meshes[0][0].uvs.clear();
  model.meshes[0][0].colours = {0.5f, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
  model.materials = {models::ColourMaterial("c", 1, 0.2, 1)};
  model.meshes[0][0].material = 0;
  const Loaded m = LoadFiles(models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng), "m.glb");
  ASSERT_TRUE(m.ok) << m.error;
  // Corner 0 of the first triangle is vertex 0: (0.5, 1, 1) x (1, 0.2, 1)
  // = linear (0.5, 0.2, 1) -> sRGB (188, 124, 255). The second triangle's
  // corner 0 is vertex 0 too.
  for (const auto& tri : m.mesh.triangles) {
    EXPECT_EQ(tri.texture, renderer::kNoTexture);
    for (uint32_t c : tri.colour) EXPECT_EQ(c, 0xBC7CFFu);
  }
}

TEST(ModelColours, TexelsAreMultipliedByANonWhiteFactorInLinearLight) {
  GenModel model = TexturedSquare();
  model.images = {models::SolidImage(1, 1, 0xBCBCBC)};  // 188: linear 0.503
  model.materials[0].colour[0] = 0.5;
  model.materials[0].colour[2] = 0;
  const Loaded m = LoadFiles(models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng), "m.glb");
  ASSERT_TRUE(m.ok) << m.error;
  EXPECT_EQ(std::vector<uint8_t>(Texel(m.textures[0], 0, 0), Texel(m.textures[0], 0, 0) + 3),
            (std::vector<uint8_t>{137, 188, 0}));
}

TEST(ModelColours, ObjKdIsTakenAsItStandsAndNoMaterialIsDarkGrey) {
  GenModel model = OnePrimitive(FrontSquare());
  model.meshes[0][0].uvs.clear();
  model.materials = {models::ColourMaterial("c", 0.5, 0.2, 1)};
  GenPrimitive bare = FrontSquare();
  bare.uvs.clear();
  model.meshes[0][0].material = 0;
  model.meshes[0].push_back(bare);
  const Loaded obj = LoadFiles(models::WriteObj(model, "m", ImageKind::kPng), "m.obj");
  ASSERT_TRUE(obj.ok) << obj.error;
  ASSERT_EQ(obj.mesh.triangles.size(), 4u);
  EXPECT_EQ(obj.mesh.triangles[0].colour[0], 0x8033FFu);  // 127.5 -> 128, 51
  EXPECT_EQ(obj.mesh.triangles[3].colour[0], 0x606060u);
  const Loaded gltf = LoadFiles(models::WriteGltf(model, "m", GltfLayout::kBinary, ImageKind::kPng), "m.glb");
  ASSERT_TRUE(gltf.ok) << gltf.error;
  EXPECT_EQ(gltf.mesh.triangles[0].colour[0], 0xBC7CFFu);
  EXPECT_EQ(gltf.mesh.triangles[3].colour[0], 0x606060u);
}

TEST(ModelGeometry, StripsAndFansBecomeTrianglesFacingTheSameWay) {
  for (int mode : {models::kTriangleStrip, models::kTriangleFan}) {
    GenPrimitive p;
    p.mode = mode;
    p.positions = mode == models::kTriangleStrip
                      ? std::vector<float>{0, 1, 0, 0, 0, 0, 1, 1, 0, 1, 0, 0, 2, 1, 0}
                      : std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, -1, 1, 0};
    const Loaded m = LoadFiles(models::WriteGltf(OnePrimitive(p), "m", GltfLayout::kBinary,
                                                 ImageKind::kPng), "m.glb");
    ASSERT_TRUE(m.ok) << m.error;
    ASSERT_EQ(m.mesh.triangles.size(), 3u) << mode;
    for (size_t t = 0; t < 3; ++t) EXPECT_LT(FillNormal(m.mesh, t).z, 0) << mode << " " << t;
  }
}

TEST(ModelGeometry, LinePrimitivesBecomeLinesAndPointsAreLeftOut) {
  const auto catalog = models::Catalog();
  const GenModel& lines = catalog[6].model;
  ASSERT_EQ(catalog[6].name, "lines");
  for (const auto& [files, name] : AllFormats(lines)) {
    SCOPED_TRACE(name);
    const Loaded m = LoadFiles(files, name);
    ASSERT_TRUE(m.ok) << m.error;
    EXPECT_EQ(m.mesh.lines.size(), 48u + 4u + 2u);  // strip, loop, pairs
    EXPECT_TRUE(m.mesh.triangles.empty());
    // The point at (5, 5, 5) would have stretched the box: it is not there.
    for (const auto& v : m.mesh.vertices) EXPECT_LE(std::abs(v.y), 800);
  }
}

TEST(ModelCatalog, EveryGeneratedModelLoadsAlikeInEveryFormat) {
  for (const models::NamedModel& named : models::Catalog()) {
    SCOPED_TRACE(named.name);
    const auto formats = AllFormats(named.model);
    const Loaded reference = LoadFiles(formats[1].first, formats[1].second);
    ASSERT_TRUE(reference.ok) << reference.error;
    for (const auto& [files, name] : formats) {
      const Loaded m = LoadFiles(files, name);
      ASSERT_TRUE(m.ok) << m.error;
      EXPECT_EQ(m.mesh.triangles.size(), reference.mesh.triangles.size()) << name;
      EXPECT_EQ(m.mesh.lines.size(), reference.mesh.lines.size()) << name;
      EXPECT_EQ(m.textures.size(), reference.textures.size()) << name;
      if (name == "m.obj") continue;  // positions pass through decimal text
      ASSERT_EQ(m.mesh.vertices.size(), reference.mesh.vertices.size()) << name;
      for (size_t i = 0; i < m.mesh.vertices.size(); ++i) {
        EXPECT_EQ(m.mesh.vertices[i].x, reference.mesh.vertices[i].x);
        EXPECT_EQ(m.mesh.vertices[i].y, reference.mesh.vertices[i].y);
        EXPECT_EQ(m.mesh.vertices[i].z, reference.mesh.vertices[i].z);
      }
    }
  }
}

}  // namespace
