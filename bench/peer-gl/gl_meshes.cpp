// The peer's vertex buffers.
#include "bench/peer-gl/gl_meshes.h"

#include <cstddef>

#include "render/corner_normals.h"

namespace peer {

namespace {

using renderer::CornerNormals;
using renderer::Mesh;
using renderer::MeshTriangle;
using renderer::Scene;

// One corner's attributes.
struct GlCorner {
  int32_t position[3];
  float normal[3];
  float uv[2];
  uint32_t colour;
};

bool Drawable(const Scene& scene, const MeshTriangle& triangle) {
  if (triangle.texture == renderer::kNoTexture) return true;
  if (triangle.texture < 0 || size_t(triangle.texture) >= scene.textures.size()) {
    return false;
  }
  return renderer::TextureIsUsable(scene.textures[size_t(triangle.texture)]);
}

void GroupTriangles(const Scene& scene, const Mesh& mesh, GlMesh* out) {
  std::vector<GlBatch> groups(scene.textures.size() + 1);
  for (size_t g = 0; g < groups.size(); ++g) groups[g].texture = int32_t(g) - 1;
  for (size_t t = 0; t < mesh.triangles.size(); ++t) {
    const MeshTriangle& triangle = mesh.triangles[t];
    if (!Drawable(scene, triangle)) continue;
    groups[size_t(triangle.texture + 1)].triangles.push_back(uint32_t(t));
  }
  for (GlBatch& group : groups) {
    if (group.triangles.empty()) continue;
    glGenBuffers(1, &group.corners);
    out->batches.push_back(std::move(group));
  }
}

std::vector<GlCorner> BatchCorners(const Mesh& mesh, const GlBatch& batch,
                                   const std::vector<CornerNormals>& normals) {
  std::vector<GlCorner> corners;
  corners.reserve(batch.triangles.size() * 3);
  for (uint32_t t : batch.triangles) {
    const MeshTriangle& triangle = mesh.triangles[t];
    static const renderer::TriangleTexels kNone;
    const renderer::TriangleTexels* texels = renderer::TexelsOf(mesh, triangle);
    const double(&uv)[3][2] = (texels != nullptr ? texels : &kNone)->uv;
    for (int c = 0; c < 3; ++c) {
      GlCorner corner{};
      const renderer::IntVertex& v = mesh.vertices[size_t(triangle.vertex[c])];
      corner.position[0] = v.x;
      corner.position[1] = v.y;
      corner.position[2] = v.z;
      if (!normals.empty()) {
        const renderer::Vector3& n = normals[t].corner[c];
        corner.normal[0] = float(n.x);
        corner.normal[1] = float(n.y);
        corner.normal[2] = float(n.z);
      }
      corner.uv[0] = float(uv[c][0]);
      corner.uv[1] = float(uv[c][1]);
      // The flat and smooth lights both take corner 0's colour.
      corner.colour = triangle.colour[0] & 0xFFFFFFu;
      corners.push_back(corner);
    }
  }
  return corners;
}

void BindAttributes(const GlBatch& batch) {
  glBindBuffer(GL_ARRAY_BUFFER, batch.corners);
  const GLsizei stride = sizeof(GlCorner);
  glVertexAttribIPointer(kPositionSlot, 3, GL_INT, stride,
                         reinterpret_cast<void*>(offsetof(GlCorner, position)));
  glVertexAttribPointer(kNormalSlot, 3, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(GlCorner, normal)));
  glVertexAttribPointer(kUvSlot, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<void*>(offsetof(GlCorner, uv)));
  glVertexAttribIPointer(kColourSlot, 1, GL_UNSIGNED_INT, stride,
                         reinterpret_cast<void*>(offsetof(GlCorner, colour)));
}

// Draws each batch with its texture bound to unit 0; `texelScale` (a vec2
// uniform, -1 for none) gets 1 / the texture's size, read from `scene`.
void DrawBatches(const Scene* scene, const GlMesh& mesh,
                 const std::vector<GLuint>& textures, GLint textured,
                 GLint texels, GLint texelScale) {
  for (const GlBatch& batch : mesh.batches) {
    const bool hasTexture = batch.texture != renderer::kNoTexture;
    glUniform1i(textured, hasTexture ? 1 : 0);
    if (hasTexture) {
      glActiveTexture(GL_TEXTURE0);
      glBindTexture(GL_TEXTURE_2D, textures[size_t(batch.texture)]);
      glUniform1i(texels, 0);
      if (scene != nullptr) {
        const renderer::Texture& t = scene->textures[size_t(batch.texture)];
        glUniform2f(texelScale, 1.0f / GLfloat(t.width), 1.0f / GLfloat(t.height));
      }
    }
    BindAttributes(batch);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(batch.triangles.size() * 3));
  }
}

// A new texture, bound, sampled at the nearest texel, rows packed.
GLuint NewNearestTexture() {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return id;
}

}  // namespace

void UploadMesh(const Scene& scene, const Mesh& mesh, bool smooth,
                GlMesh* out) {
  if (out->batches.empty()) GroupTriangles(scene, mesh, out);
  std::vector<CornerNormals> normals;
  if (smooth) renderer::MeshCornerNormals(mesh, &normals);
  for (const GlBatch& batch : out->batches) {
    const std::vector<GlCorner> corners = BatchCorners(mesh, batch, normals);
    glBindBuffer(GL_ARRAY_BUFFER, batch.corners);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(corners.size() * sizeof(GlCorner)),
                 corners.data(), GL_STATIC_DRAW);
  }
}

void DrawObject(const renderer::SceneObject& object, const GlMesh& mesh,
                const std::vector<GLuint>& textures, const ScenePass& pass) {
  pass.uniform3dv(pass.orientation, 3, &object.orientation[0][0]);
  glUniform3i(pass.position, object.position[0], object.position[1],
              object.position[2]);
  DrawBatches(nullptr, mesh, textures, pass.textured, pass.texels, -1);
}

GLuint UploadTexture(const renderer::Texture& texture) {
  const GLuint id = NewNearestTexture();
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8UI, texture.width, texture.height, 0,
               GL_RGB_INTEGER, GL_UNSIGNED_BYTE, texture.texels.data());
  return id;
}

void DrawObjectPlain(const Scene& scene, const renderer::SceneObject& object,
                     const GlMesh& mesh, const std::vector<GLuint>& textures,
                     const PlainPass& pass) {
  GLfloat turn[9];
  for (int i = 0; i < 9; ++i) turn[i] = GLfloat(object.orientation[i / 3][i % 3]);
  glUniformMatrix3fv(pass.orientation, 1, GL_TRUE, turn);  // rows as stored
  glUniform3f(pass.position, GLfloat(object.position[0]),
              GLfloat(object.position[1]), GLfloat(object.position[2]));
  DrawBatches(&scene, mesh, textures, pass.textured, pass.texels,
              pass.texelScale);
}

GLuint UploadPlainTexture(const renderer::Texture& texture) {
  std::vector<uint8_t> rgba(size_t(texture.width) * size_t(texture.height) * 4);
  for (size_t i = 0; i * 4 < rgba.size(); ++i) {
    const uint8_t* p = texture.texels.data() + 3 * i;
    const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
    rgba[4 * i] = p[0];
    rgba[4 * i + 1] = p[1];
    rgba[4 * i + 2] = p[2];
    rgba[4 * i + 3] = white ? 0 : 255;
  }
  const GLuint id = NewNearestTexture();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, texture.width, texture.height, 0,
               GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return id;
}

}  // namespace peer
