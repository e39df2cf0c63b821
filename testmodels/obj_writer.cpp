// Wavefront OBJ + MTL output of generated models.
#include <cmath>
#include <cstdio>
#include <sstream>

#include "testmodels/image_encode.h"
#include "testmodels/model_writers.h"

namespace models {

namespace {

struct Matrix {
  double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
};

Matrix Times(const Matrix& a, const Matrix& b) {
  Matrix c;
  for (int r = 0; r < 3; ++r) {
    for (int k = 0; k < 4; ++k) {
      double sum = k == 3 ? a.m[r][3] : 0;
      for (int j = 0; j < 3; ++j) sum += a.m[r][j] * b.m[j][k];
      c.m[r][k] = sum;
    }
  }
  return c;
}

Matrix NodeMatrix(const GenNode& n) {
  const double x = n.rotation[0], y = n.rotation[1], z = n.rotation[2], w = n.rotation[3];
  const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                          {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                          {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
  Matrix m;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m.m[i][j] = r[i][j] * n.scale[j];
    m.m[i][3] = n.translation[i];
  }
  return m;
}

struct ObjOut {
  std::ostringstream text;
  int vertices = 0;
  int uvs = 0;
};

// Vertex order of a primitive's triangles (strips and fans as glTF reads
// them) or line segments.
std::vector<uint32_t> Corners(const GenPrimitive& p) {
  std::vector<uint32_t> v = p.indices;
  if (v.empty()) {
    for (uint32_t i = 0; i < p.positions.size() / 3; ++i) v.push_back(i);
  }
  std::vector<uint32_t> out;
  const size_t n = v.size();
  for (size_t i = 0; p.mode == kTriangleStrip && i + 2 < n; ++i) {
    out.insert(out.end(), {v[i], v[i + 1 + i % 2], v[i + 2 - i % 2]});
  }
  for (size_t i = 0; p.mode == kTriangleFan && i + 2 < n; ++i) {
    out.insert(out.end(), {v[i + 1], v[i + 2], v[0]});
  }
  for (size_t i = 0; (p.mode == kLineStrip || p.mode == kLineLoop) && i + 1 < n; ++i) {
    out.insert(out.end(), {v[i], v[i + 1]});
  }
  if (p.mode == kLineLoop && n >= 2) out.insert(out.end(), {v[n - 1], v[0]});
  return p.mode == kTriangles || p.mode == kLines ? v : out;
}

void WritePrimitive(ObjOut& out, const GenModel& model, const GenPrimitive& p,
                    const Matrix& m) {
  if (p.mode == kPoints) return;
  const int base = out.vertices, uvBase = out.uvs;
  char line[160];
  for (size_t i = 0; i < p.positions.size() / 3; ++i) {
    const double* q = &m.m[0][0];
    double c[3];
    for (int r = 0; r < 3; ++r) {
      c[r] = q[r * 4] * p.positions[i * 3] + q[r * 4 + 1] * p.positions[i * 3 + 1] +
             q[r * 4 + 2] * p.positions[i * 3 + 2] + q[r * 4 + 3];
    }
    std::snprintf(line, sizeof line, "v %.9g %.9g %.9g\n", c[0], c[1], c[2]);
    out.text << line;
    ++out.vertices;
  }
  for (size_t i = 0; i < p.uvs.size() / 2; ++i) {
    std::snprintf(line, sizeof line, "vt %.9g %.9g\n", p.uvs[i * 2], 1.0 - p.uvs[i * 2 + 1]);
    out.text << line;
    ++out.uvs;
  }
  out.text << "usemtl " << (p.material >= 0 ? model.materials[size_t(p.material)].name : "none") << "\n";
  const std::vector<uint32_t> v = Corners(p);
  const bool triangles = p.mode >= kTriangles;
  const size_t step = triangles ? 3 : 2;
  for (size_t i = 0; i + step <= v.size(); i += step) {
    out.text << (triangles ? "f" : "l");
    for (size_t k = 0; k < step; ++k) {
      out.text << " " << base + int(v[i + k]) + 1;
      if (triangles && !p.uvs.empty()) out.text << "/" << uvBase + int(v[i + k]) + 1;
    }
    out.text << "\n";
  }
}

void WriteNode(ObjOut& out, const GenModel& model, int node, const Matrix& above) {
  const GenNode& n = model.nodes[size_t(node)];
  const Matrix m = Times(above, NodeMatrix(n));
  if (n.mesh >= 0) {
    out.text << "o " << (n.name.empty() ? "node" + std::to_string(node) : n.name) << "\n";
    for (const GenPrimitive& p : model.meshes[size_t(n.mesh)]) WritePrimitive(out, model, p, m);
  }
  for (int child : n.children) WriteNode(out, model, child, m);
}

}  // namespace

FileSet WriteObj(const GenModel& model, const std::string& name, ImageKind images) {
  FileSet files;
  std::ostringstream mtl;
  mtl << "# make-models\n";
  for (const GenMaterial& m : model.materials) {
    char kd[120];
    std::snprintf(kd, sizeof kd, "Kd %.9g %.9g %.9g\n", m.colour[0], m.colour[1], m.colour[2]);
    mtl << "newmtl " << m.name << "\n" << kd;
    if (m.image >= 0) {
      const GenImage& image = model.images[size_t(m.image)];
      const bool png = images == ImageKind::kPng || image.alpha;
      const std::string file = name + "-" + std::to_string(m.image) + (png ? ".png" : ".jpg");
      files[file] = png ? EncodePng(image) : EncodeJpeg(image);
      mtl << "map_Kd " << file << "\n";
    }
  }
  ObjOut out;
  out.text << "# make-models\nmtllib " << name << ".mtl\n";
  for (int root : model.roots) WriteNode(out, model, root, Matrix{});
  const std::string text = out.text.str(), materials = mtl.str();
  files[name + ".obj"] = std::vector<uint8_t>(text.begin(), text.end());
  files[name + ".mtl"] = std::vector<uint8_t>(materials.begin(), materials.end());
  return files;
}

}  // namespace models
