// Reading the entries of "meshes": vertices, vertex vectors, triangles and
// lines, with every vertex and texture index checked against its list.
#include "tools/render_scene/scene_sections.h"

namespace {

int32_t ReadVertices(const Json& value, const std::string& path,
                     MeshEntry* mesh, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  for (size_t i = 0; i < value.size(); ++i) {
    int32_t xyz[3];
    if (!ReadInt32s(value[i], IndexPath(path, i), 3, xyz, error)) return 0;
    mesh->vertices.push_back(IntVertex{xyz[0], xyz[1], xyz[2]});
  }
  return 1;
}

int32_t ReadVertexVectors(const Json& value, const std::string& path,
                          MeshEntry* mesh, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  if (value.size() != mesh->vertices.size()) {
    return Refuse(error, path,
                  CountOf(value.size(), "vector", "vectors") + " for " +
                      CountOf(mesh->vertices.size(), "vertex", "vertices") +
                      " (one per vertex)");
  }
  for (size_t i = 0; i < value.size(); ++i) {
    double abc[3];
    if (!ReadDoubles(value[i], IndexPath(path, i), 3, abc, error)) return 0;
    mesh->vertexVectors.push_back(Vector3{abc[0], abc[1], abc[2]});
  }
  mesh->hasVertexVectors = 1;
  return 1;
}

int32_t ReadVertexIndex(const Json& value, const std::string& path,
                        const MeshEntry& mesh, int32_t* out,
                        SceneError* error) {
  return ReadIndex(value, path, mesh.vertices.size(), "vertex", "vertices", out,
                   error);
}

int32_t ReadTriangleCorners(const Json& value, const std::string& path,
                            const MeshEntry& mesh, TriangleEntry* triangle,
                            SceneError* error) {
  if (!ExpectArrayOf(value, path, 3, "vertex indices", error)) return 0;
  for (size_t corner = 0; corner < 3; ++corner) {
    if (!ReadVertexIndex(value[corner], IndexPath(path, corner), mesh,
                         &triangle->vertex[corner], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadTriangleColours(const Json& value, const std::string& path,
                            TriangleEntry* triangle, SceneError* error) {
  if (!ExpectArrayOf(value, path, 3, "colours", error)) return 0;
  for (size_t corner = 0; corner < 3; ++corner) {
    if (!ReadColour(value[corner], IndexPath(path, corner),
                    &triangle->colour[corner], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadTriangleUv(const Json& value, const std::string& path,
                       TriangleEntry* triangle, SceneError* error) {
  if (!ExpectArrayOf(value, path, 3, "(u, v) pairs", error)) return 0;
  for (size_t corner = 0; corner < 3; ++corner) {
    if (!ReadDoubles(value[corner], IndexPath(path, corner), 2,
                     triangle->uv[corner], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadTriangle(const Json& value, const std::string& path,
                     const MeshEntry& mesh, size_t textureCount,
                     TriangleEntry* triangle, SceneError* error) {
  if (!ExpectObject(value, path, {"vertex", "colour", "texture", "uv"},
                    error)) {
    return 0;
  }
  *triangle = TriangleEntry{};
  triangle->texture = kNoTexture;
  if (!ReadTriangleCorners(
          value.contains("vertex") ? value["vertex"] : Json{0, 0, 0},
          KeyPath(path, "vertex"), mesh, triangle, error)) {
    return 0;
  }
  if (value.contains("colour") &&
      !ReadTriangleColours(value["colour"], KeyPath(path, "colour"), triangle,
                           error)) {
    return 0;
  }
  if (value.contains("texture") && !value["texture"].is_null() &&
      !ReadIndex(value["texture"], KeyPath(path, "texture"), textureCount,
                 "texture", "textures", &triangle->texture, error)) {
    return 0;
  }
  if (value.contains("uv") &&
      !ReadTriangleUv(value["uv"], KeyPath(path, "uv"), triangle, error)) {
    return 0;
  }
  return 1;
}

int32_t ReadTriangles(const Json& value, const std::string& path,
                      size_t textureCount, MeshEntry* mesh, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  mesh->triangles.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadTriangle(value[i], IndexPath(path, i), *mesh, textureCount,
                      &mesh->triangles[i], error)) {
      return 0;
    }
  }
  return 1;
}

int32_t ReadLine(const Json& value, const std::string& path,
                 const MeshEntry& mesh, LineEntry* line, SceneError* error) {
  if (!ExpectObject(value, path, {"from", "to", "fromColour", "toColour"},
                    error)) {
    return 0;
  }
  *line = LineEntry{};
  const Json zero = 0;
  return ReadVertexIndex(value.contains("from") ? value["from"] : zero,
                         KeyPath(path, "from"), mesh, &line->from, error) &&
         ReadVertexIndex(value.contains("to") ? value["to"] : zero,
                         KeyPath(path, "to"), mesh, &line->to, error) &&
         (!value.contains("fromColour") ||
          ReadColour(value["fromColour"], KeyPath(path, "fromColour"),
                     &line->fromColour, error)) &&
         (!value.contains("toColour") ||
          ReadColour(value["toColour"], KeyPath(path, "toColour"),
                     &line->toColour, error));
}

int32_t ReadLines(const Json& value, const std::string& path, MeshEntry* mesh,
                  SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  mesh->lines.resize(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    if (!ReadLine(value[i], IndexPath(path, i), *mesh, &mesh->lines[i],
                  error)) {
      return 0;
    }
  }
  return 1;
}

}  // namespace

int32_t ReadMeshEntry(const Json& value, const std::string& path,
                      size_t textureCount, MeshEntry* mesh, SceneError* error) {
  *mesh = MeshEntry{};
  if (value.is_string() && value.get<std::string>() == "builtin") {
    mesh->builtin = 1;
    return 1;
  }
  if (!value.is_object()) {
    return Refuse(error, path, "expected \"builtin\" or a mesh object");
  }
  if (!ExpectObject(value, path,
                    {"vertices", "vertexVectors", "triangles", "lines"},
                    error)) {
    return 0;
  }
  // Vertices first: every other list is checked against them.
  return (!value.contains("vertices") ||
          ReadVertices(value["vertices"], KeyPath(path, "vertices"), mesh,
                       error)) &&
         (!value.contains("vertexVectors") ||
          ReadVertexVectors(value["vertexVectors"],
                            KeyPath(path, "vertexVectors"), mesh, error)) &&
         (!value.contains("triangles") ||
          ReadTriangles(value["triangles"], KeyPath(path, "triangles"),
                        textureCount, mesh, error)) &&
         (!value.contains("lines") ||
          ReadLines(value["lines"], KeyPath(path, "lines"), mesh, error));
}
