// Reading the entries of "meshes": vertices, vertex vectors, triangles and
// lines, with every vertex and texture index checked against its list.
#include "scenefile/scene_sections.h"

namespace renderer {

namespace {

int32_t ReadVertices(const Field& field, MeshEntry* mesh) {
  return ReadList(field, &mesh->vertices,
                  [](const Field& entry, IntVertex* vertex) {
                    int32_t xyz[3];
                    if (!ReadInt32s(entry, 3, xyz)) return 0;
                    *vertex = IntVertex{xyz[0], xyz[1], xyz[2]};
                    return 1;
                  });
}

int32_t ReadVertexVectors(const Field& field, MeshEntry* mesh) {
  if (!ExpectArray(field)) return 0;
  if (!Present(field)) return 1;
  const size_t count = ElementCount(field);
  if (count != mesh->vertices.size()) {
    return Refuse(field, CountOf(count, "vector", "vectors") + " for " +
                             CountOf(mesh->vertices.size(), "vertex",
                                     "vertices") +
                             " (one per vertex)");
  }
  mesh->hasVertexVectors = 1;
  return ReadList(field, &mesh->vertexVectors,
                  [](const Field& entry, Vector3* vector) {
                    double abc[3];
                    if (!ReadDoubles(entry, 3, abc)) return 0;
                    *vector = Vector3{abc[0], abc[1], abc[2]};
                    return 1;
                  });
}

int32_t ReadVertexIndex(const Field& field, const MeshEntry& mesh,
                        int32_t* out) {
  return ReadIndex(field, mesh.vertices.size(), "vertex", "vertices", out);
}

int32_t ReadTriangle(const Field& field, const MeshEntry& mesh,
                     size_t textureCount, TriangleEntry* triangle) {
  static const Json kCornerZero = {0, 0, 0};
  if (!ExpectObject(field, {"vertex", "colour", "texture", "uv"})) return 0;
  *triangle = TriangleEntry{};
  triangle->texture = kNoTexture;
  const Field texture = Member(field, "texture");
  return ReadElementsOf(OrDefault(Member(field, "vertex"), kCornerZero), 3,
                        "vertex indices",
                        [&](const Field& corner, size_t i) {
                          return ReadVertexIndex(corner, mesh,
                                                 &triangle->vertex[i]);
                        }) &&
         ReadElementsOf(Member(field, "colour"), 3, "colours",
                        [&](const Field& colour, size_t i) {
                          return ReadColour(colour, &triangle->colour[i]);
                        }) &&
         (!Present(texture) || texture.value->is_null() ||
          ReadIndex(texture, textureCount, "texture", "textures",
                    &triangle->texture)) &&
         ReadElementsOf(Member(field, "uv"), 3, "(u, v) pairs",
                        [&](const Field& pair, size_t i) {
                          return ReadDoubles(pair, 2, triangle->uv[i]);
                        });
}

int32_t ReadLine(const Field& field, const MeshEntry& mesh, LineEntry* line) {
  static const Json kIndexZero = 0;
  if (!ExpectObject(field, {"from", "to", "fromColour", "toColour"})) {
    return 0;
  }
  *line = LineEntry{};
  return ReadVertexIndex(OrDefault(Member(field, "from"), kIndexZero), mesh,
                         &line->from) &&
         ReadVertexIndex(OrDefault(Member(field, "to"), kIndexZero), mesh,
                         &line->to) &&
         ReadColour(Member(field, "fromColour"), &line->fromColour) &&
         ReadColour(Member(field, "toColour"), &line->toColour);
}

}  // namespace

int32_t ReadMeshEntry(const Field& field, size_t textureCount,
                      const std::string& baseFolder, MeshEntry* mesh) {
  *mesh = MeshEntry{};
  const Json& value = *field.value;
  if (value.is_string() && value.get<std::string>() == "builtin") {
    mesh->builtin = 1;
    return 1;
  }
  if (!value.is_object()) {
    return Refuse(field, "expected \"builtin\" or a mesh object");
  }
  if (value.contains("file")) {
    return ReadModelFileEntry(field, baseFolder, mesh);
  }
  if (!ExpectObject(field,
                    {"vertices", "vertexVectors", "triangles", "lines"})) {
    return 0;
  }
  // Vertices first: every other list is checked against them.
  return ReadVertices(Member(field, "vertices"), mesh) &&
         ReadVertexVectors(Member(field, "vertexVectors"), mesh) &&
         ReadList(Member(field, "triangles"), &mesh->triangles,
                  [&](const Field& entry, TriangleEntry* triangle) {
                    return ReadTriangle(entry, *mesh, textureCount, triangle);
                  }) &&
         ReadList(Member(field, "lines"), &mesh->lines,
                  [&](const Field& entry, LineEntry* line) {
                    return ReadLine(entry, *mesh, line);
                  });
}

}  // namespace renderer
