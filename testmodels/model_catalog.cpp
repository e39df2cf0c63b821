// The catalogue of generated models.
#include "testmodels/model_catalog.h"

#include <algorithm>
#include <cmath>

namespace models {

namespace {

constexpr double kPi = 3.14159265358979323846;

// One node showing `mesh`, as the only root.
void SingleNode(GenModel& model, int mesh) {
  GenNode node;
  node.name = "root";
  node.mesh = mesh;
  model.nodes.push_back(node);
  model.roots = {int(model.nodes.size() - 1)};
}

// A square face at centre c, half-axes r (right) and u (up), corners
// counter-clockwise seen from r x u; uv rectangle u0..u1, v0..v1.
void AddFace(GenPrimitive& p, const double c[3], const double r[3], const double u[3],
             float u0, float v0, float u1, float v1) {
  const uint32_t base = uint32_t(p.positions.size() / 3);
  const double sr[4] = {-1, 1, 1, -1}, su[4] = {-1, -1, 1, 1};
  const float tu[4] = {u0, u1, u1, u0}, tv[4] = {v1, v1, v0, v0};
  for (int k = 0; k < 4; ++k) {
    for (int a = 0; a < 3; ++a) p.positions.push_back(float(c[a] + sr[k] * r[a] + su[k] * u[a]));
    p.uvs.insert(p.uvs.end(), {tu[k], tv[k]});
  }
  p.indices.insert(p.indices.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
}

GenModel Cube() {
  GenModel model;
  // A 3 x 2 atlas of 16-texel cells, each its own colour, with a white
  // mark in its top-left corner so turned or mirrored faces show.
  GenImage atlas = SolidImage(48, 32, 0);
  const uint32_t colours[6] = {0xD03030, 0x30A040, 0x3050D0, 0xE0C020, 0x9030B0, 0x20B0B0};
  for (int cell = 0; cell < 6; ++cell) {
    const int cx = cell % 3 * 16, cy = cell / 3 * 16;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const bool mark = x < 5 && y < 5;
        SetTexel(atlas, cx + x, cy + y, mark ? 0xFFFFFF : colours[cell]);
      }
    }
  }
  model.images.push_back(atlas);
  GenMaterial material = ColourMaterial("atlas", 1, 1, 1);
  material.image = 0;
  model.materials.push_back(material);
  GenPrimitive p;
  p.material = 0;
  const double faces[6][3][3] = {
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
      {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  // Each face maps its cell, kept half a texel inside its edges so that no
  // pixel samples the neighbouring cell.
  const float du = 0.5f / 48, dv = 0.5f / 32;
  for (int f = 0; f < 6; ++f) {
    const float u0 = float(f % 3) / 3, v0 = float(f / 3) / 2;
    AddFace(p, faces[f][0], faces[f][1], faces[f][2], u0 + du, v0 + dv,
            u0 + 1.0f / 3 - du, v0 + 0.5f - dv);
  }
  model.meshes.push_back({p});
  SingleNode(model, 0);
  return model;
}

GenModel Torus() {
  GenModel model;
  model.materials.push_back(ColourMaterial("copper", 0.8, 0.3, 0.1));
  GenPrimitive p;
  p.material = 0;
  const int around = 32, tube = 12;
  for (int i = 0; i < around; ++i) {
    for (int j = 0; j < tube; ++j) {
      const double a = 2 * kPi * i / around, b = 2 * kPi * j / tube;
      const double ring = 1 + 0.35 * std::cos(b);
      p.positions.insert(p.positions.end(), {float(ring * std::cos(a)), float(0.35 * std::sin(b)),
                                             float(-ring * std::sin(a))});
    }
  }
  for (int i = 0; i < around; ++i) {
    for (int j = 0; j < tube; ++j) {
      const uint32_t a = uint32_t(i * tube + j), b = uint32_t((i + 1) % around * tube + j);
      const uint32_t c = uint32_t((i + 1) % around * tube + (j + 1) % tube);
      const uint32_t d = uint32_t(i * tube + (j + 1) % tube);
      p.indices.insert(p.indices.end(), {a, b, c, a, c, d});
    }
  }
  model.meshes.push_back({p});
  SingleNode(model, 0);
  return model;
}

GenModel QuadRing() {
  GenModel model;
  std::vector<GenPrimitive> mesh;
  const int count = 12;
  for (int i = 0; i < count; ++i) {
    const double a = 2 * kPi * i / count;
    const double h = double(i) / count * 6;  // hue sector
    const double r = std::fabs(h - 3) - 1, g = 2 - std::fabs(h - 2), b = 2 - std::fabs(h - 4);
    model.materials.push_back(ColourMaterial("hue" + std::to_string(i), std::clamp(r, 0.0, 1.0),
                                             std::clamp(g, 0.0, 1.0), std::clamp(b, 0.0, 1.0)));
    GenPrimitive p;
    p.material = i;
    const double c[3] = {std::sin(a), 0, std::cos(a)};
    const double right[3] = {0.25 * std::cos(a), 0, -0.25 * std::sin(a)};
    const double up[3] = {0, 0.4, 0};
    AddFace(p, c, right, up, 0, 0, 1, 1);
    p.uvs.clear();
    mesh.push_back(p);
  }
  model.meshes.push_back(mesh);
  SingleNode(model, 0);
  return model;
}

GenModel Cutout() {
  GenModel model;
  GenImage image = SolidImage(16, 16, 0x2060C0);
  image.alpha = true;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const bool hole = (x / 4 + y / 4) % 2 == 1;
      SetTexel(image, x, y, x == y ? 0xFFFFFF : 0x2060C0, hole ? 40 : 255);
    }
  }
  model.images.push_back(image);
  GenMaterial material = ColourMaterial("cutout", 1, 1, 1);
  material.image = 0;
  material.alphaMode = "MASK";
  material.alphaCutoff = 0.5;
  model.materials.push_back(material);
  GenPrimitive p;
  p.material = 0;
  const double c[3] = {0, 0, 0}, r[3] = {1, 0, 0}, u[3] = {0, 1, 0};
  AddFace(p, c, r, u, 0, 0, 1, 1);
  model.meshes.push_back({p});
  SingleNode(model, 0);
  return model;
}

GenPrimitive Box(int material, double half) {
  GenPrimitive p;
  p.material = material;
  const double faces[6][3][3] = {
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
      {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  for (const auto& f : faces) {
    double c[3], r[3], u[3];
    for (int a = 0; a < 3; ++a) {
      c[a] = f[0][a] * half;
      r[a] = f[1][a] * half;
      u[a] = f[2][a] * half;
    }
    AddFace(p, c, r, u, 0, 0, 1, 1);
  }
  p.uvs.clear();
  return p;
}

GenModel Hierarchy() {
  GenModel model;
  model.materials = {ColourMaterial("red", 0.8, 0.1, 0.1), ColourMaterial("green", 0.1, 0.7, 0.2),
                     ColourMaterial("blue", 0.1, 0.2, 0.9)};
  model.meshes = {{Box(0, 0.5)}, {Box(1, 0.3)}, {Box(2, 0.2)}};
  GenNode root, arm, hand;
  root.name = "root";
  root.mesh = 0;
  AxisTurn(0, 1, 0, 45, root.rotation);
  arm.name = "arm";
  arm.mesh = 1;
  arm.translation[0] = 1.5;
  AxisTurn(0, 0, 1, 90, arm.rotation);
  hand.name = "hand";
  hand.mesh = 2;
  hand.translation[0] = 1;
  hand.scale[0] = hand.scale[1] = hand.scale[2] = 0.5;
  root.children = {1};
  arm.children = {2};
  model.nodes = {root, arm, hand};
  model.roots = {0};
  return model;
}

GenModel Strip() {
  GenModel model;
  model.materials = {ColourMaterial("ribbon", 0.2, 0.6, 0.9), ColourMaterial("disc", 0.9, 0.7, 0.2)};
  GenPrimitive strip;
  strip.mode = kTriangleStrip;
  strip.material = 0;
  for (int i = 0; i < 20; ++i) {
    const double x = -1 + i / 2 * 0.2, y = (i % 2 == 0 ? 0.2 : -0.2) + 0.2 * std::sin(i / 2 * 0.6);
    strip.positions.insert(strip.positions.end(), {float(x), float(y), 0.0f});
  }
  // Even steps run (top, bottom, next top): counter-clockwise seen from +z.
  GenPrimitive fan;
  fan.mode = kTriangleFan;
  fan.material = 1;
  fan.positions = {0, -0.8f, 0};
  for (int i = 0; i <= 16; ++i) {
    const double a = 2 * kPi * i / 16;
    fan.positions.insert(fan.positions.end(), {float(0.3 * std::cos(a)), float(-0.8 + 0.3 * std::sin(a)), 0.0f});
  }
  model.meshes.push_back({strip, fan});
  SingleNode(model, 0);
  return model;
}

GenModel Lines() {
  GenModel model;
  model.materials = {ColourMaterial("yellow", 1, 0.9, 0.1)};
  GenPrimitive helix, loop, pairs, points;
  helix.mode = kLineStrip;
  helix.material = 0;
  for (int i = 0; i <= 48; ++i) {
    const double a = 2 * kPi * i / 16;
    helix.positions.insert(helix.positions.end(),
                           {float(std::cos(a)), float(-1 + i / 24.0), float(std::sin(a))});
  }
  loop.mode = kLineLoop;
  loop.positions = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
  loop.colours = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 1, 1, 1, 1};
  loop.material = 0;
  pairs.mode = kLines;
  pairs.positions = {0, -1, 0, 0, 1, 0, -1, 0, 0, 1, 0, 0};
  points.mode = kPoints;
  points.positions = {5, 5, 5};
  model.meshes.push_back({helix, loop, pairs, points});
  SingleNode(model, 0);
  return model;
}

}  // namespace

GenImage SolidImage(int width, int height, uint32_t rgb) {
  GenImage image;
  image.width = width;
  image.height = height;
  image.rgba.resize(size_t(width) * size_t(height) * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetTexel(image, x, y, rgb);
  }
  return image;
}

void SetTexel(GenImage& image, int x, int y, uint32_t rgb, uint8_t alpha) {
  uint8_t* t = &image.rgba[(size_t(y) * size_t(image.width) + size_t(x)) * 4];
  t[0] = uint8_t(rgb >> 16);
  t[1] = uint8_t(rgb >> 8);
  t[2] = uint8_t(rgb);
  t[3] = alpha;
}

GenMaterial ColourMaterial(const std::string& name, double r, double g, double b) {
  GenMaterial m;
  m.name = name;
  m.colour[0] = r;
  m.colour[1] = g;
  m.colour[2] = b;
  return m;
}

void AxisTurn(double x, double y, double z, double degrees, double out[4]) {
  const double half = degrees * kPi / 360;
  out[0] = x * std::sin(half);
  out[1] = y * std::sin(half);
  out[2] = z * std::sin(half);
  out[3] = std::cos(half);
}

std::vector<NamedModel> Catalog() {
  return {{"cube", Cube()},         {"torus", Torus()},         {"quad-ring", QuadRing()},
          {"cutout", Cutout()},     {"hierarchy", Hierarchy()}, {"strip", Strip()},
          {"lines", Lines()}};
}

GenModel BigSphere(long triangles) {
  GenModel model;
  model.materials.push_back(ColourMaterial("grey", 0.6, 0.6, 0.6));
  const long rows = std::max(2L, long(std::sqrt(double(triangles) / 4)));
  const long columns = std::max(3L, triangles / (2 * rows));
  GenPrimitive p;
  p.material = 0;
  for (long i = 0; i <= rows; ++i) {
    for (long j = 0; j < columns; ++j) {
      const double lat = kPi * double(i) / double(rows), lon = 2 * kPi * double(j) / double(columns);
      p.positions.insert(p.positions.end(), {float(std::sin(lat) * std::cos(lon)), float(std::cos(lat)),
                                             float(-std::sin(lat) * std::sin(lon))});
    }
  }
  for (long i = 0; i < rows; ++i) {
    for (long j = 0; j < columns; ++j) {
      const uint32_t a = uint32_t(i * columns + j), b = uint32_t(i * columns + (j + 1) % columns);
      const uint32_t c = uint32_t((i + 1) * columns + (j + 1) % columns), d = uint32_t((i + 1) * columns + j);
      p.indices.insert(p.indices.end(), {a, d, c, a, c, b});
    }
  }
  model.meshes.push_back({p});
  SingleNode(model, 0);
  return model;
}

}  // namespace models
