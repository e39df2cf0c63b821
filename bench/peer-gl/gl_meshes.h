#pragma once
// The scene's meshes in GL vertex buffers, one batch per texture: each
// corner's model-space position, normal, texel coordinates and colour,
// uploaded once (the built-in model's again each frame, as its fins
// scroll); the vertex shader places them for each object.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "bench/peer-gl/gl_looks_program.h"
#include "renderer/scene.h"

namespace peer {

// The triangles of one mesh that share a texture (kNoTexture: untextured).
struct GlBatch {
  int32_t texture = renderer::kNoTexture;
  std::vector<uint32_t> triangles;  // indices into the mesh's triangles
  GLuint corners = 0;  // per corner: position, normal, uv, colour
};

struct GlMesh {
  std::vector<GlBatch> batches;
};

// Groups the mesh's drawable triangles and uploads their corners; with
// `smooth`, each corner's normal is the mesh's own or the one the renderer
// computes (render/corner_normals.h); otherwise zero (the flat light does
// not read it). Run again to refresh texel coordinates.
void UploadMesh(const renderer::Scene& scene, const renderer::Mesh& mesh,
                bool smooth, GlMesh* out);

// Draws every batch of the object's mesh (the scene pass's program in use).
void DrawObject(const renderer::SceneObject& object, const GlMesh& mesh,
                const std::vector<GLuint>& textures, const ScenePass& pass);

// The same with the plain pass (its textures from UploadPlainTexture).
void DrawObjectPlain(const renderer::Scene& scene,
                     const renderer::SceneObject& object, const GlMesh& mesh,
                     const std::vector<GLuint>& textures, const PlainPass& pass);

// Uploads a texture's 8-bit texels as they are (RGB8UI), for texelFetch.
GLuint UploadTexture(const renderer::Texture& texture);

// Uploads a texture for GL's own sampler: RGBA8, pure white with alpha 0,
// nearest texels, repeat.
GLuint UploadPlainTexture(const renderer::Texture& texture);

}  // namespace peer
