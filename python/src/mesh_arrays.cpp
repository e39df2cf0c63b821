#include "python/src/mesh_arrays.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "python/src/arrays.h"

namespace renderer_py {

namespace {

constexpr int64_t kMaxCount = std::numeric_limits<int32_t>::max();

std::string Row(py::ssize_t i) { return "row " + std::to_string(i) + ": "; }

// Model coordinates as float64, every one finite.
std::vector<renderer::Vector3> ReadPositions(const py::handle& value) {
  const py::array_t<double> array =
      NumberArray(value, "vertices", {{-1, 3}, "(N, 3)"});
  const py::ssize_t count = array.shape(0);
  if (count == 0) Refuse("vertices", "the mesh is empty: no vertices");
  if (count > kMaxCount) Refuse("vertices", "more than 2^31 - 1 vertices");
  std::vector<renderer::Vector3> positions(static_cast<size_t>(count));
  const auto v = array.unchecked<2>();
  for (py::ssize_t i = 0; i < count; ++i) {
    for (int a = 0; a < 3; ++a) {
      if (!std::isfinite(v(i, a))) {
        Refuse("vertices", Row(i) + "not a finite number (" +
                               std::to_string(v(i, a)) + ")");
      }
      positions[size_t(i)][a] = v(i, a);
    }
  }
  return positions;
}

// Triangles naming `vertexCount` vertices, in flat default colour.
std::vector<renderer::MeshTriangle> ReadFaces(const py::handle& value,
                                              size_t vertexCount) {
  const py::array_t<int64_t> array =
      IntegerArray(value, "faces", {{-1, 3}, "(M, 3)"});
  const py::ssize_t count = array.shape(0);
  if (count == 0) Refuse("faces", "the mesh is empty: no faces");
  if (count > kMaxCount) Refuse("faces", "more than 2^31 - 1 faces");
  std::vector<renderer::MeshTriangle> triangles(static_cast<size_t>(count));
  const auto f = array.unchecked<2>();
  for (py::ssize_t i = 0; i < count; ++i) {
    renderer::MeshTriangle& t = triangles[size_t(i)];
    for (int c = 0; c < 3; ++c) {
      if (f(i, c) < 0 || uint64_t(f(i, c)) >= vertexCount) {
        Refuse("faces", Row(i) + "index " + std::to_string(f(i, c)) +
                            " out of range (" + std::to_string(vertexCount) +
                            " vertices)");
      }
      t.vertex[c] = int32_t(f(i, c));
      t.colour[c] = kDefaultFaceColour;
    }
  }
  return triangles;
}

// Colours per face (M, C), per vertex (N, C) or per corner (M, 3, C), with
// C 3 (RGB) or 4 (RGBA, alpha not used); per face when M equals N.
void ReadColours(const py::handle& value, size_t vertexCount,
                 std::vector<renderer::MeshTriangle>* triangles) {
  const char* expected =
      "(M, 3) per face, (N, 3) per vertex or (M, 3, 3) per corner, "
      "RGB or RGBA";
  const py::array shapeOnly = py::module_::import("numpy").attr("asarray")(value);
  const py::ssize_t faces = py::ssize_t(triangles->size());
  const py::ssize_t rows = shapeOnly.ndim() > 0 ? shapeOnly.shape(0) : -1;
  const bool perCorner = shapeOnly.ndim() == 3;
  const bool perFace = !perCorner && rows == faces;
  const bool perVertex = !perCorner && !perFace && rows == py::ssize_t(vertexCount);
  const py::ssize_t channels = shapeOnly.ndim() > 1
                                   ? shapeOnly.shape(shapeOnly.ndim() - 1)
                                   : 0;
  if ((!perCorner && !perFace && !perVertex) ||
      (channels != 3 && channels != 4) ||
      (perCorner && (rows != faces || shapeOnly.shape(1) != 3))) {
    Refuse("colors", std::string("expected shape ") + expected);
  }
  const Shape shape = perCorner ? Shape{{faces, 3, channels}, expected}
                                : Shape{{rows, channels}, expected};
  const py::array_t<uint8_t> colours = ByteArray(value, "colors", shape);
  const uint8_t* data = colours.data();
  for (size_t i = 0; i < triangles->size(); ++i) {
    renderer::MeshTriangle& t = (*triangles)[i];
    for (int c = 0; c < 3; ++c) {
      const size_t row = perCorner ? i * 3 + size_t(c)
                         : perFace ? i
                                   : size_t(t.vertex[c]);
      t.colour[c] = PackColour(data + row * size_t(channels));
    }
  }
}

// Texel coordinates from 0-1 image units, per corner (M, 3, 2) or per
// vertex (N, 2), v measured from the image's top row.
std::vector<renderer::TriangleTexels> ReadUv(
    const py::handle& value, const renderer::Texture& texture,
    size_t vertexCount, std::vector<renderer::MeshTriangle>* triangles) {
  const py::ssize_t faces = py::ssize_t(triangles->size());
  const bool perVertex = HasShape(value, {{py::ssize_t(vertexCount), 2}, ""}) &&
                         !HasShape(value, {{faces, 3, 2}, ""});
  const py::array_t<double> uv =
      perVertex ? NumberArray(value, "uv", {{py::ssize_t(vertexCount), 2},
                                            "(M, 3, 2) or (N, 2)"})
                : NumberArray(value, "uv", {{faces, 3, 2}, "(M, 3, 2) or (N, 2)"});
  const double* data = uv.data();
  std::vector<renderer::TriangleTexels> texels(triangles->size());
  for (size_t i = 0; i < triangles->size(); ++i) {
    renderer::MeshTriangle& t = (*triangles)[i];
    t.texture = 0;
    t.texels = int32_t(i);
    for (int c = 0; c < 3; ++c) {
      const size_t at = perVertex ? size_t(t.vertex[c]) * 2 : (i * 3 + size_t(c)) * 2;
      if (!std::isfinite(data[at]) || !std::isfinite(data[at + 1])) {
        Refuse("uv", Row(py::ssize_t(i)) + "not a finite number");
      }
      texels[i].uv[c][0] = data[at] * texture.width;
      texels[i].uv[c][1] = data[at + 1] * texture.height;
    }
  }
  return texels;
}

// Vertices as given: whole numbers in the int32 range.
std::vector<renderer::IntVertex> WholeVertices(
    const std::vector<renderer::Vector3>& positions) {
  std::vector<renderer::IntVertex> vertices(positions.size());
  for (size_t i = 0; i < positions.size(); ++i) {
    int32_t c[3];
    for (int a = 0; a < 3; ++a) {
      const double v = positions[i][a];
      if (v != std::trunc(v) || v < -2147483648.0 || v > 2147483647.0) {
        Refuse("vertices",
               Row(py::ssize_t(i)) + std::to_string(v) +
                   " is not a whole number in the int32 range (fit=False "
                   "takes vertices as they are; fit=True scales them)");
      }
      c[a] = int32_t(v);
    }
    vertices[i] = {c[0], c[1], c[2]};
  }
  return vertices;
}

template <typename T, size_t N>
py::array_t<T> NewArray(const std::array<py::ssize_t, N>& shape) {
  return py::array_t<T>(std::vector<py::ssize_t>(shape.begin(), shape.end()));
}

}  // namespace

void UnpackColour(uint32_t colour, uint8_t* rgb) {
  rgb[0] = uint8_t(colour >> 16);
  rgb[1] = uint8_t(colour >> 8);
  rgb[2] = uint8_t(colour);
}

uint32_t PackColour(const uint8_t* rgb) {
  return uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | uint32_t(rgb[2]);
}

renderer::Texture TextureFromArray(const py::handle& rgb) {
  const bool alpha = HasShape(rgb, {{-1, -1, 4}, ""});
  const char* expected = "(H, W, 3) or (H, W, 4)";
  const py::array_t<uint8_t> array =
      ByteArray(rgb, "rgb", {{-1, -1, alpha ? 4 : 3}, expected});
  const py::ssize_t height = array.shape(0);
  const py::ssize_t width = array.shape(1);
  if (width == 0 || height == 0) Refuse("rgb", "the image is empty");
  if (width > kMaxCount / 3 || height > kMaxCount / width / 3) {
    Refuse("rgb", "the image is too large");
  }
  renderer::Texture texture{int32_t(width), int32_t(height), {}};
  const size_t texels = size_t(width) * size_t(height);
  texture.texels.resize(texels * 3);
  const uint8_t* source = array.data();
  const size_t step = alpha ? 4 : 3;
  for (size_t i = 0; i < texels; ++i) {
    for (size_t c = 0; c < 3; ++c) texture.texels[i * 3 + c] = source[i * step + c];
  }
  renderer::MakeWhiteOpaque(texture);
  for (size_t i = 0; alpha && i < texels; ++i) {
    if (source[i * 4 + 3] == 0) {
      for (size_t c = 0; c < 3; ++c) texture.texels[i * 3 + c] = 255;
    }
  }
  return texture;
}

py::array_t<uint8_t> TextureArray(const renderer::Texture& texture) {
  py::array_t<uint8_t> array = NewArray<uint8_t, 3>({texture.height, texture.width, 3});
  std::copy(texture.texels.begin(), texture.texels.end(), array.mutable_data());
  return array;
}

MeshHandle BuildMesh(const MeshArguments& arguments) {
  std::vector<renderer::Vector3> positions = ReadPositions(arguments.vertices);
  std::vector<renderer::MeshTriangle> triangles =
      ReadFaces(arguments.faces, positions.size());
  if (!arguments.colors.is_none()) {
    ReadColours(arguments.colors, positions.size(), &triangles);
  }
  MeshHandle handle;
  if (arguments.texture.has_value() != !arguments.uv.is_none()) {
    Refuse(arguments.texture ? "uv" : "texture",
           "uv and texture go together: give both or neither");
  }
  std::vector<renderer::TriangleTexels> texels;
  if (arguments.texture) {
    texels = ReadUv(arguments.uv, *arguments.texture, positions.size(), &triangles);
    handle.textures.push_back(*arguments.texture);
  }
  if (!arguments.fit) {
    handle.mesh.vertices = WholeVertices(positions);
    handle.mesh.triangles = std::move(triangles);
    handle.mesh.texels = std::move(texels);
    return handle;
  }
  std::string problem;
  if (!renderer::FitModelMesh(std::move(positions), std::move(triangles),
                              std::move(texels), {}, &handle.mesh, &problem)) {
    Refuse("vertices", problem);
  }
  return handle;
}

py::tuple MeshArrays(const renderer::Mesh& mesh) {
  const py::ssize_t n = py::ssize_t(mesh.vertices.size());
  const py::ssize_t m = py::ssize_t(mesh.triangles.size());
  const py::ssize_t l = py::ssize_t(mesh.lines.size());
  auto vertices = NewArray<int32_t, 2>({n, 3});
  auto faces = NewArray<int32_t, 2>({m, 3});
  auto colours = NewArray<uint8_t, 3>({m, 3, 3});
  auto uv = NewArray<double, 3>({m, 3, 2});
  auto textures = NewArray<int32_t, 1>({m});
  auto lines = NewArray<int32_t, 2>({l, 2});
  auto lineColours = NewArray<uint8_t, 3>({l, 2, 3});
  auto vectors = NewArray<double, 2>({py::ssize_t(mesh.vertexVectors.size()), 3});
  for (py::ssize_t i = 0; i < n; ++i) {
    const renderer::IntVertex& v = mesh.vertices[size_t(i)];
    int32_t* row = vertices.mutable_data(i, 0);
    row[0] = v.x, row[1] = v.y, row[2] = v.z;
  }
  const renderer::TriangleTexels none;
  for (py::ssize_t i = 0; i < m; ++i) {
    const renderer::MeshTriangle& t = mesh.triangles[size_t(i)];
    const renderer::TriangleTexels* texels = renderer::TexelsOf(mesh, t);
    if (texels == nullptr) texels = &none;
    for (int c = 0; c < 3; ++c) {
      *faces.mutable_data(i, c) = t.vertex[c];
      UnpackColour(t.colour[c], colours.mutable_data(i, c, 0));
      *uv.mutable_data(i, c, 0) = texels->uv[c][0];
      *uv.mutable_data(i, c, 1) = texels->uv[c][1];
    }
    *textures.mutable_data(i) = t.texture;
  }
  for (py::ssize_t i = 0; i < l; ++i) {
    const renderer::MeshLine& line = mesh.lines[size_t(i)];
    *lines.mutable_data(i, 0) = line.from;
    *lines.mutable_data(i, 1) = line.to;
    UnpackColour(line.fromColour, lineColours.mutable_data(i, 0, 0));
    UnpackColour(line.toColour, lineColours.mutable_data(i, 1, 0));
  }
  for (size_t i = 0; i < mesh.vertexVectors.size(); ++i) {
    for (int a = 0; a < 3; ++a) {
      *vectors.mutable_data(py::ssize_t(i), a) = mesh.vertexVectors[i][a];
    }
  }
  return py::make_tuple(vertices, faces, colours, uv, textures, lines,
                        lineColours, vectors);
}

renderer::Mesh MeshFromArrays(const py::tuple& arrays, size_t textureCount) {
  if (arrays.size() != 8) Refuse("mesh state", "expected 8 arrays");
  const auto v = IntegerArray(arrays[0], "vertices", {{-1, 3}, "(N, 3)"});
  const py::ssize_t n = v.shape(0);
  const auto f = IntegerArray(arrays[1], "faces", {{-1, 3}, "(M, 3)"});
  const py::ssize_t m = f.shape(0);
  const auto colours = ByteArray(arrays[2], "colors", {{m, 3, 3}, "(M, 3, 3)"});
  const auto uv = NumberArray(arrays[3], "uv", {{m, 3, 2}, "(M, 3, 2)"});
  const auto textures = IntegerArray(arrays[4], "face_textures", {{m}, "(M,)"});
  const auto lines = IntegerArray(arrays[5], "lines", {{-1, 2}, "(L, 2)"});
  const py::ssize_t l = lines.shape(0);
  const auto lineColours =
      ByteArray(arrays[6], "line_colors", {{l, 2, 3}, "(L, 2, 3)"});
  const auto vectors = NumberArray(arrays[7], "vertex_vectors", {{-1, 3}, "(N, 3)"});
  if (vectors.shape(0) != 0 && vectors.shape(0) != n) {
    Refuse("vertex_vectors", "expected none or one per vertex");
  }
  const int64_t top = std::numeric_limits<int32_t>::max();
  renderer::Mesh mesh;
  for (py::ssize_t i = 0; i < n; ++i) {
    mesh.vertices.push_back({CheckedInt32(v.at(i, 0), "vertices", -top - 1, top),
                             CheckedInt32(v.at(i, 1), "vertices", -top - 1, top),
                             CheckedInt32(v.at(i, 2), "vertices", -top - 1, top)});
  }
  for (py::ssize_t i = 0; i < m; ++i) {
    renderer::MeshTriangle t;
    double texels[3][2];
    for (int c = 0; c < 3; ++c) {
      t.vertex[c] = CheckedInt32(f.at(i, c), "faces", 0, n - 1);
      t.colour[c] = PackColour(colours.data(i, c, 0));
      texels[c][0] = uv.at(i, c, 0);
      texels[c][1] = uv.at(i, c, 1);
    }
    t.texture = CheckedInt32(textures.at(i), "face_textures", -1,
                             int64_t(textureCount) - 1);
    renderer::SetTexels(mesh, t, texels);
    mesh.triangles.push_back(t);
  }
  for (py::ssize_t i = 0; i < l; ++i) {
    mesh.lines.push_back({CheckedInt32(lines.at(i, 0), "lines", 0, n - 1),
                          CheckedInt32(lines.at(i, 1), "lines", 0, n - 1),
                          PackColour(lineColours.data(i, 0, 0)),
                          PackColour(lineColours.data(i, 1, 0))});
  }
  for (py::ssize_t i = 0; i < vectors.shape(0); ++i) {
    mesh.vertexVectors.push_back(
        {vectors.at(i, 0), vectors.at(i, 1), vectors.at(i, 2)});
  }
  return mesh;
}

}  // namespace renderer_py
