#pragma once
// The peer's GLSL programs: the scene pass, which draws every look of the
// renderer (flat or smooth light, nearest or bilinear texels) from the same
// formulas; the resolve pass, which averages a supersampled frame in linear
// light; and the plain pass, GL's own everyday way for speed comparisons
// (float transform, GL's nearest sampler with repeat, pure white
// alpha-tested away, untextured triangles unlit).
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <string>

namespace peer {

// Vertex attribute slots of the scene pass.
constexpr GLuint kPositionSlot = 0;  // model-space corner, ivec3
constexpr GLuint kNormalSlot = 1;    // model-space corner normal, vec3
constexpr GLuint kUvSlot = 2;        // texel coordinates, vec2
constexpr GLuint kColourSlot = 3;    // 0x00RRGGBB, uint

struct ScenePass {
  GLuint program = 0;
  GLint projection = -1;   // mat4, camera space to clip space
  GLint orientation = -1;  // dvec3[3], the object's orientation's rows
  GLint position = -1;     // ivec3, the object's position
  GLint light = -1;        // ivec3, camera space (the flat light)
  GLint lightPoint = -1;   // vec3, the same point (the smooth light)
  GLint smooth = -1;       // int, 1 for smooth shading
  GLint bilinear = -1;     // int, 1 for bilinear texels
  GLint textured = -1;     // int, 1 when the batch's triangles are textured
  GLint texels = -1;       // usampler2D
  PFNGLUNIFORM3DVPROC uniform3dv = nullptr;
};

struct ResolvePass {
  GLuint program = 0;
  GLint samples = -1;      // usampler2D, the k-times frame
  GLint factor = -1;       // int, k
  GLint top = -1;          // int, the GL row of the output's top row
  GLint sampleRows = -1;   // int, the k-times frame's height
};

// The plain pass reads the scene pass's attribute slots but the normal.
struct PlainPass {
  GLuint program = 0;
  GLint projection = -1;   // mat4
  GLint orientation = -1;  // mat3
  GLint position = -1;     // vec3
  GLint texelScale = -1;   // vec2, 1 / the texture's size
  GLint textured = -1;     // int
  GLint texels = -1;       // sampler2D, RGBA8 with pure white transparent
};

// Each compiles and links; false with `problem` set (the GL log) otherwise.
// The scene pass needs glUniform3dv, which the library does not export:
// `uniform3dv` is looked up by the caller.
bool BuildScenePass(ScenePass* pass, std::string* problem);
bool BuildResolvePass(ResolvePass* pass, std::string* problem);
bool BuildPlainPass(PlainPass* pass, std::string* problem);

}  // namespace peer
