// Wavefront OBJ with its MTL materials into one model mesh, through
// tinyobjloader: the text is checked first (CheckObjText), every index it
// returns is checked again before use, and polygons are cut here.
#include <tiny_obj_loader.h>

#include <cmath>
#include <set>
#include <sstream>

#include "scene/import/image_decode.h"
#include "scene/import/model_colour.h"
#include "scene/import/model_import.h"
#include "scene/import/model_mesh.h"
#include "scene/import/model_normals.h"
#include "scene/import/obj_check.h"
#include "scene/import/obj_lines.h"
#include "scene/import/polygon_split.h"

namespace renderer {

namespace {

// tinyobjloader asks this for each `mtllib` file: read through ModelFiles,
// so the path checks apply; the first failure is kept for the message.
// A missing file (ModelFileMissing) adds a warning instead: tinyobjloader
// then goes on without its materials.
struct MtlFiles : tinyobj::MaterialReader {
  const ModelFiles* files = nullptr;
  const std::string* modelName = nullptr;
  std::vector<std::string>* warnings = nullptr;
  std::set<std::string> warned;
  std::string failedName;
  std::string problem;

  bool operator()(const std::string& name,
                  std::vector<tinyobj::material_t>* materials,
                  std::map<std::string, int>* names, std::string* warn,
                  std::string* err) override {
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ReadModelFile(*files, name, &bytes, &why)) {
      if (ModelFileMissing(*files, name)) {
        if (warned.insert(name).second) {
          warnings->push_back(MissingFileWarning(*modelName, "mtllib " + Quoted(name),
                                                 "its materials"));
        }
        return false;
      }
      if (failedName.empty()) {
        failedName = name;
        problem = why;
      }
      return false;
    }
    std::string text(bytes.begin(), bytes.end());
    TextProblem found;
    if (!CheckMtlText(text, &found)) {
      if (failedName.empty()) {
        failedName = name;
        problem = "line " + std::to_string(found.line) + ": " + found.problem;
      }
      return false;
    }
    std::istringstream in(std::move(text));
    tinyobj::LoadMtl(names, materials, &in, warn, err);
    return true;
  }
};

struct ObjLook {
  bool resolved = false;
  int32_t texture = kNoTexture;
};

// The file's bytes as a stream, without a copy.
struct ByteStream : std::streambuf {
  explicit ByteStream(const std::vector<uint8_t>& bytes) {
    char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    setg(begin, begin, begin + bytes.size());
  }
};

// True when some line starts with the `l` keyword.
bool HasLineStatements(const std::vector<uint8_t>& bytes) {
  bool lineStart = true;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t c = bytes[i];
    if (lineStart && c == 'l' && i + 1 < bytes.size() &&
        (bytes[i + 1] == ' ' || bytes[i + 1] == '\t')) {
      return true;
    }
    if (c != ' ' && c != '\t') lineStart = c == '\n' || c == '\r';
  }
  return false;
}

std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

struct ObjBuild {
  const std::vector<uint8_t>& bytes;
  const ModelFiles& files;
  const tinyobj::attrib_t& attrib;
  const std::vector<tinyobj::material_t>& materials;
  const std::vector<uint32_t>& faceCorners;  // as CheckObjText counted them
  const std::string& name;
  std::vector<std::string>& warnings;
  std::set<std::string> missingImages;  // warned about
  size_t nextFace = 0;
  std::vector<ObjLook> looks;
  std::vector<Vector3> polygon;        // scratch: one polygon's corners
  std::vector<CornerTriangle> cuts;    // and its triangles
  ModelMesh mesh;
  std::vector<Texture> textures;
  std::string place, problem;  // the first error
};

bool Fail(ObjBuild& build, std::string place, std::string problem) {
  build.place = std::move(place);
  build.problem = std::move(problem);
  return false;
}

bool ResolveLook(ObjBuild& build, int index) {
  ObjLook& look = build.looks[size_t(index)];
  if (look.resolved) return true;
  look.resolved = true;
  const tinyobj::material_t& material = build.materials[size_t(index)];
  if (material.diffuse_texname.empty()) return true;
  const std::string place =
      "material " + Quoted(material.name) + " map_Kd " + Quoted(material.diffuse_texname);
  std::vector<uint8_t> bytes;
  std::string problem;
  DecodedImage image;
  if (!ReadModelFile(build.files, material.diffuse_texname, &bytes, &problem)) {
    if (!ModelFileMissing(build.files, material.diffuse_texname)) {
      return Fail(build, place, problem);
    }
    if (build.missingImages.insert(material.diffuse_texname).second) {
      build.warnings.push_back(MissingFileWarning(build.name, place, "its texture"));
    }
    return true;  // drawn in the material's colour
  }
  if (!DecodeImage(bytes.data(), bytes.size(), &image, &problem)) {
    return Fail(build, place, problem);
  }
  build.textures.push_back(MaterialTexture(image, LinearColour{}, -1));
  look.texture = int32_t(build.textures.size() - 1);
  return true;
}

bool IndexBad(const ObjBuild& build, const tinyobj::index_t& i) {
  const size_t vertices = build.attrib.vertices.size() / 3;
  const size_t uvs = build.attrib.texcoords.size() / 2;
  return i.vertex_index < 0 || size_t(i.vertex_index) >= vertices ||
         i.texcoord_index < -1 ||
         (i.texcoord_index >= 0 && size_t(i.texcoord_index) >= uvs);
}

// CheckObjText has refused every bad index with its line; this stays as
// the guard at the point of use.
bool FailIndex(ObjBuild& build) {
  const size_t vertices = build.attrib.vertices.size() / 3;
  const size_t uvs = build.attrib.texcoords.size() / 2;
  return Fail(build, "faces",
              "index out of range (" + std::to_string(vertices) + " vertices, " +
                  std::to_string(uvs) + " texture coordinates)");
}

uint32_t TriangleColour(const ObjBuild& build, int material, int vertex) {
  if (material < 0) return kNoMaterialColour;
  const tinyobj::real_t* kd = build.materials[size_t(material)].diffuse;
  const std::vector<tinyobj::real_t>& c = build.attrib.colors;
  if (c.size() != build.attrib.vertices.size()) return KdColour(kd[0], kd[1], kd[2]);
  const size_t v = size_t(vertex) * 3;
  return KdColour(double(kd[0]) * c[v], double(kd[1]) * c[v + 1],
                  double(kd[2]) * c[v + 2]);
}

// The corners' vn normals for the last triangle; a corner without one
// (or naming none there is) leaves the triangle without normals.
void AddFaceNormals(ObjBuild& build, const tinyobj::index_t* corners) {
  const std::vector<tinyobj::real_t>& vn = build.attrib.normals;
  Vector3 normals[3];
  for (int k = 0; k < 3; ++k) {
    const int n = corners[k].normal_index;
    if (n < 0 || size_t(n) >= vn.size() / 3) return;
    normals[k] = Vector3{vn[size_t(n) * 3], vn[size_t(n) * 3 + 1], vn[size_t(n) * 3 + 2]};
  }
  SetTriangleNormals(&build.mesh, build.mesh.triangles.size() - 1, normals);
}

bool AddFace(ObjBuild& build, const tinyobj::index_t* corners, int material) {
  for (int k = 0; k < 3; ++k) {
    if (IndexBad(build, corners[k])) return FailIndex(build);
  }
  if (material < -1 || material >= int(build.materials.size())) {
    return Fail(build, "faces", "material " + std::to_string(material) + " out of range");
  }
  if (material >= 0 && !ResolveLook(build, material)) return false;
  MeshTriangle t;
  t.texture = material >= 0 ? build.looks[size_t(material)].texture : kNoTexture;
  for (int k = 0; k < 3; ++k) t.vertex[k] = corners[k].vertex_index;
  if (t.texture == kNoTexture) {
    t.colour[0] = t.colour[1] = t.colour[2] =
        TriangleColour(build, material, corners[0].vertex_index);
    build.mesh.triangles.push_back(t);
  } else {
    const Texture& texture = build.textures[size_t(t.texture)];
    double uv[3][2] = {};
    for (int k = 0; k < 3; ++k) {
      const int at = corners[k].texcoord_index;
      if (at < 0) continue;
      uv[k][0] = double(build.attrib.texcoords[size_t(at) * 2]) * texture.width;
      uv[k][1] = (1.0 - build.attrib.texcoords[size_t(at) * 2 + 1]) * texture.height;
    }
    AddModelTexturedTriangle(&build.mesh, t, uv);
  }
  AddFaceNormals(build, corners);
  return true;
}

// A polygon of n corners as its n - 2 triangles (SplitPolygon), each
// corner with its own indices.
bool AddPolygon(ObjBuild& build, const tinyobj::index_t* corners, size_t n,
                int material) {
  if (n == 3) return AddFace(build, corners, material);
  std::vector<Vector3>& places = build.polygon;
  places.resize(n);
  for (size_t k = 0; k < n; ++k) {
    if (IndexBad(build, corners[k])) return FailIndex(build);
    const tinyobj::real_t* v = &build.attrib.vertices[size_t(corners[k].vertex_index) * 3];
    places[k] = {v[0], v[1], v[2]};
  }
  SplitPolygon(places, &build.cuts);
  for (const CornerTriangle& cut : build.cuts) {
    const tinyobj::index_t triangle[3] = {corners[cut[0]], corners[cut[1]], corners[cut[2]]};
    if (!AddFace(build, triangle, material)) return false;
  }
  return true;
}

bool AddFaces(ObjBuild& build, const tinyobj::shape_t& shape) {
  const tinyobj::mesh_t& m = shape.mesh;
  // A polygon of n corners makes n - 2 triangles: fewer than its corners.
  if (!RoomFor(build.mesh.triangles.size(), m.indices.size())) {
    return Fail(build, "faces", "the model has more than 2^31 - 1 triangles");
  }
  build.mesh.triangles.reserve(build.mesh.triangles.size() + m.num_face_vertices.size());
  size_t at = 0;
  for (size_t f = 0; f < m.num_face_vertices.size(); ++f) {
    // tinyobjloader keeps a face's corner count in a byte: the count read
    // from the text is taken, after a check that the two agree.
    const size_t n = build.nextFace < build.faceCorners.size()
                         ? build.faceCorners[build.nextFace++] : 0;
    if (n < 3 || uint8_t(n) != m.num_face_vertices[f] || at + n > m.indices.size()) {
      return Fail(build, "faces", "face list cut short");
    }
    const int material = f < m.material_ids.size() ? m.material_ids[f] : -1;
    if (!AddPolygon(build, &m.indices[at], n, material)) return false;
    at += n;
  }
  return true;
}

// Each `l` statement's vertices joined in order, in the mesh's grey.
bool AddLines(ObjBuild& build, const tinyobj::lines_t& lines) {
  size_t at = 0;
  for (int n : lines.num_line_vertices) {
    if (n < 0 || at + size_t(n) > lines.indices.size()) {
      return Fail(build, "lines", "line list cut short");
    }
    for (int k = 0; k < n; ++k) {
      if (IndexBad(build, lines.indices[at + size_t(k)])) return FailIndex(build);
    }
    if (!RoomFor(build.mesh.lines.size(), size_t(n))) {
      return Fail(build, "lines", "the model has more than 2^31 - 1 lines");
    }
    for (int k = 0; k + 1 < n; ++k) {
      build.mesh.lines.push_back({lines.indices[at + size_t(k)].vertex_index,
                                  lines.indices[at + size_t(k) + 1].vertex_index,
                                  kNoMaterialColour, kNoMaterialColour});
    }
    at += size_t(n);
  }
  return true;
}

// The `l` statements, read again from the text without faces and
// materials (see ObjLinesOnly).
bool AddAllLines(ObjBuild& build) {
  if (!HasLineStatements(build.bytes)) return true;
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warn, err;
  std::istringstream in(ObjLinesOnly(Text(build.bytes)));
  if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, &in, nullptr,
                        false, false)) {
    return Fail(build, "OBJ", err.substr(0, err.find('\n')));
  }
  for (const tinyobj::shape_t& shape : shapes) {
    if (!AddLines(build, shape.lines)) return false;
  }
  return true;
}

bool AddPositions(ObjBuild& build) {
  const std::vector<tinyobj::real_t>& v = build.attrib.vertices;
  if (!RoomFor(0, v.size() / 3)) {
    return Fail(build, "vertices", "the model has more than 2^31 - 1 vertices");
  }
  build.mesh.positions.resize(v.size() / 3);
  for (size_t i = 0; i < v.size() / 3; ++i) {
    const Vector3 p{v[i * 3], v[i * 3 + 1], v[i * 3 + 2]};
    if (!std::isfinite(p.x + p.y + p.z)) {
      return Fail(build, "line " + std::to_string(ObjStatementLine(Text(build.bytes), "v", i)),
                  "vertex is not a finite position");
    }
    build.mesh.positions[i] = p;
  }
  return true;
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  return line.empty() ? "the file could not be read" : line;
}

// tinyobjloader's numbers replaced by the ones read as written; false when
// the two readers did not find the same statements.
bool TakeNumbers(ObjNumbers&& numbers, tinyobj::attrib_t* attrib) {
  if (numbers.positions.size() != attrib->vertices.size() ||
      numbers.uvs.size() != attrib->texcoords.size() ||
      numbers.normals.size() != attrib->normals.size()) {
    return false;
  }
  attrib->vertices.assign(numbers.positions.begin(), numbers.positions.end());
  attrib->texcoords.assign(numbers.uvs.begin(), numbers.uvs.end());
  attrib->normals.assign(numbers.normals.begin(), numbers.normals.end());
  return true;
}

// Parses the file and collects its faces and lines; tinyobjloader's data is
// gone when this returns, before the mesh is finished.
bool CollectObj(const std::vector<uint8_t>& bytes, const std::string& name,
                const ModelFiles& files, ModelMesh* mesh,
                std::vector<Texture>* textures, std::vector<std::string>* warnings,
                std::string* error) {
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warn, err;
  TextProblem found;
  ObjNumbers numbers;
  if (!CheckObjText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                    &numbers, &found)) {
    *error = name + ": line " + std::to_string(found.line) + ": " + found.problem;
    return false;
  }
  MtlFiles mtl;
  mtl.files = &files;
  mtl.modelName = &name;
  mtl.warnings = warnings;
  ByteStream stream(bytes);
  std::istream in(&stream);
  // Polygons are kept whole and cut by AddPolygon.
  const bool parsed = tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err,
                                       &in, &mtl, false, false);
  if (!mtl.failedName.empty()) {
    *error = name + ": mtllib " + Quoted(mtl.failedName) + ": " + mtl.problem;
    return false;
  }
  if (!parsed) {
    *error = name + ": OBJ: " + FirstLine(err);
    return false;
  }
  const std::vector<uint32_t> faceCorners = std::move(numbers.faceCorners);
  if (!TakeNumbers(std::move(numbers), &attrib)) {
    *error = name + ": OBJ: the vertex statements could not be read alike twice";
    return false;
  }
  ObjBuild build{bytes, files, attrib, materials, faceCorners, name, *warnings,
                 {}, 0, {}, {}, {}, {}, {}, {}, {}};
  build.looks.resize(materials.size());
  bool ok = AddPositions(build);
  for (size_t s = 0; ok && s < shapes.size(); ++s) ok = AddFaces(build, shapes[s]);
  ok = ok && AddAllLines(build);
  if (!ok) {
    *error = name + ": " + build.place + ": " + build.problem;
    return false;
  }
  *mesh = std::move(build.mesh);
  *textures = std::move(build.textures);
  return true;
}

}  // namespace

bool LoadObjModel(const std::vector<uint8_t>& bytes, const std::string& name,
                  const ModelFiles& files, Mesh* mesh,
                  std::vector<Texture>* textures, std::vector<std::string>* warnings,
                  std::string* error) {
  ModelMesh collected;
  std::vector<Texture> images;
  if (!CollectObj(bytes, name, files, &collected, &images, warnings, error)) {
    *error = OneLine(*error);
    return false;
  }
  return HandOverModel(std::move(collected), std::move(images), name, mesh,
                       textures, error);
}

}  // namespace renderer
