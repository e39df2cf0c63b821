// The peer's GLSL. The scene pass makes camera-space corners as the
// renderer's scene pass does (whole numbers), lets GL rasterise and
// interpolate, and forms each look's colour with the renderer's formulas:
// the flat light per triangle (in doubles, in the geometry shader, which
// sees the whole triangle), the smooth light per pixel from the
// interpolated camera-space point and normal, nearest and bilinear texels
// fetched and wrapped by hand.
#include "bench/peer-gl/gl_looks_program.h"

#include <vector>

namespace peer {

namespace {

// Each corner turned by the object's orientation (in doubles, each sum of
// products left to right, never fused), truncated toward zero and then
// moved by its position, as the renderer's scene pass makes camera space.
const char* const kSceneVertex = R"(#version 400 core
layout(location = 0) in ivec3 modelCorner;
layout(location = 1) in vec3 modelNormal;
layout(location = 2) in vec2 texelCoords;
layout(location = 3) in uint cornerColour;
uniform dvec3 orientation[3];
uniform ivec3 position;
flat out ivec3 vCamera;
out vec3 vNormal;
out vec2 vUv;
flat out uint vColour;
int Turned(dvec3 row, dvec3 p) {
  precise double sum = row.x * p.x + row.y * p.y;
  precise double turned = sum + row.z * p.z;
  return int(trunc(turned));
}
void main() {
  dvec3 p = dvec3(modelCorner);
  vCamera = ivec3(Turned(orientation[0], p), Turned(orientation[1], p),
                  Turned(orientation[2], p)) + position;
  vNormal = vec3(dot(vec3(orientation[0]), modelNormal),
                 dot(vec3(orientation[1]), modelNormal),
                 dot(vec3(orientation[2]), modelNormal));
  vUv = texelCoords;
  vColour = cornerColour;
}
)";

// Flat look: corner 0's colour brightened toward white by the cosine
// between the plane normal E2 x E1 and the direction from the corners'
// whole-number centroid to the light.
const char* const kSceneGeometry = R"(#version 400 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
flat in ivec3 vCamera[];
in vec3 vNormal[];
in vec2 vUv[];
flat in uint vColour[];
uniform mat4 projection;
uniform ivec3 light;
uniform int smoothLight;
out vec3 point;
out vec3 normal;
out vec2 uv;
flat out uint colour;

uint Channel(uint c, int level) {
  return c + ((255u - c) * uint(level)) / 255u;
}

uint FlatColour() {
  dvec3 e1 = dvec3(vCamera[1] - vCamera[0]);
  dvec3 e2 = dvec3(vCamera[2] - vCamera[0]);
  dvec3 n = cross(e2, e1);
  ivec3 sum = vCamera[0] + vCamera[1] + vCamera[2];
  ivec3 middle = sign(sum) * (abs(sum) / 3);
  dvec3 l = dvec3(light - middle);
  double cosine = dot(l, n) / sqrt(dot(n, n) * dot(l, l));
  int level = cosine > 0.0 ? min(int(cosine * 255.0), 255) : 0;
  uint c = vColour[0];
  return (Channel((c >> 16) & 255u, level) << 16) |
         (Channel((c >> 8) & 255u, level) << 8) | Channel(c & 255u, level);
}

void main() {
  uint shade = smoothLight == 1 ? vColour[0] : FlatColour();
  for (int i = 0; i < 3; ++i) {
    gl_Position = projection * vec4(vec3(vCamera[i]), 1.0);
    point = vec3(vCamera[i]);
    normal = vNormal[i];
    uv = vUv[i];
    colour = shade;
    EmitVertex();
  }
  EndPrimitive();
}
)";

// Texel columns are centred on whole u and rows on v + 0.5 (nearest picks
// column trunc(u + 0.5), row trunc(v)); both wrap around the image.
const char* const kSceneFragment = R"(#version 400 core
in vec3 point;
in vec3 normal;
in vec2 uv;
flat in uint colour;
uniform vec3 lightPoint;
uniform int smoothLight;
uniform int bilinear;
uniform int textured;
uniform usampler2D texels;
out uvec4 fragColour;

int Wrap(int i, int n) {
  return i >= 0 ? i % n : (n - 1) - ((-i - 1) % n);
}

uvec3 Texel(ivec2 at, ivec2 size) {
  return texelFetch(texels, ivec2(Wrap(at.x, size.x), Wrap(at.y, size.y)), 0).rgb;
}

uvec3 Bilinear(ivec2 size, uvec3 nearest) {
  vec2 shifted = vec2(uv.x, uv.y - 0.5);
  vec2 corner = floor(shifted);
  vec2 f = shifted - corner;
  ivec2 ij = ivec2(corner);
  uvec3 c[4];
  for (int k = 0; k < 4; ++k) {
    c[k] = Texel(ij + ivec2(k & 1, k >> 1), size);
    if (c[k] == uvec3(255u)) c[k] = nearest;
  }
  vec3 top = vec3(c[0]) + (vec3(c[1]) - vec3(c[0])) * f.x;
  vec3 bottom = vec3(c[2]) + (vec3(c[3]) - vec3(c[2])) * f.x;
  return uvec3(floor(top + (bottom - top) * f.y + 0.5));
}

int SmoothLevel() {
  vec3 l = lightPoint - point;
  float cosine = dot(l, normal) / sqrt(dot(normal, normal) * dot(l, l));
  return cosine > 0.0 ? min(int(cosine * 255.0), 255) : 0;
}

void main() {
  uvec3 rgb = uvec3((colour >> 16) & 255u, (colour >> 8) & 255u, colour & 255u);
  if (textured == 1) {
    ivec2 size = textureSize(texels, 0);
    uvec3 nearest = Texel(ivec2(int(uv.x + 0.5), int(uv.y)), size);
    if (nearest == uvec3(255u)) discard;
    rgb = bilinear == 1 ? Bilinear(size, nearest) : nearest;
  }
  if (smoothLight == 1) {
    uint scale = 89u * 255u + 166u * uint(SmoothLevel());
    rgb = rgb * scale / 65025u;
  }
  fragColour = uvec4(rgb, 255u);
}
)";

// Output pixel (x, y), rows counted from the top, is the mean of samples
// (k x + i, k y + j) in linear light, encoded back to sRGB, rounded half up.
const char* const kResolveVertex = R"(#version 400 core
void main() {
  vec2 corner = vec2(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1));
  gl_Position = vec4(corner, 0.0, 1.0);
}
)";

const char* const kResolveFragment = R"(#version 400 core
uniform usampler2D samples;
uniform int factor;
uniform int top;
uniform int sampleRows;
out uvec4 fragColour;

float Decode(uint c) {
  float v = float(c) / 255.0;
  return v <= 0.04045 ? v / 12.92 : pow((v + 0.055) / 1.055, 2.4);
}

uint Encode(float v) {
  float e = v > 0.0031308 ? 1.055 * pow(v, 1.0 / 2.4) - 0.055 : 12.92 * v;
  return uint(clamp(floor(e * 255.0 + 0.5), 0.0, 255.0));
}

void main() {
  int x = int(gl_FragCoord.x);
  int y = top - int(gl_FragCoord.y);
  vec3 sum = vec3(0.0);
  for (int j = 0; j < factor; ++j) {
    for (int i = 0; i < factor; ++i) {
      ivec2 at = ivec2(factor * x + i, sampleRows - 1 - (factor * y + j));
      uvec3 c = texelFetch(samples, at, 0).rgb;
      sum += vec3(Decode(c.r), Decode(c.g), Decode(c.b));
    }
  }
  vec3 mean = sum / float(factor * factor);
  fragColour = uvec4(Encode(mean.r), Encode(mean.g), Encode(mean.b), 255u);
}
)";

const char* const kPlainVertex = R"(#version 400 core
layout(location = 0) in ivec3 modelCorner;
layout(location = 2) in vec2 texelCoords;
layout(location = 3) in uint cornerColour;
uniform mat4 projection;
uniform mat3 orientation;
uniform vec3 position;
uniform vec2 texelScale;
out vec2 st;
flat out uint colour;
void main() {
  gl_Position = projection * vec4(orientation * vec3(modelCorner) + position, 1.0);
  st = texelCoords * texelScale;
  colour = cornerColour;
}
)";

const char* const kPlainFragment = R"(#version 400 core
in vec2 st;
flat in uint colour;
uniform int textured;
uniform sampler2D texels;
out uvec4 fragColour;
void main() {
  if (textured == 1) {
    vec4 t = texture(texels, st);
    if (t.a < 0.5) discard;
    fragColour = uvec4(round(t * 255.0));
  } else {
    fragColour = uvec4((colour >> 16) & 255u, (colour >> 8) & 255u, colour & 255u, 255u);
  }
}
)";

bool Compile(GLenum kind, const char* source, GLuint program,
             std::string* problem) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    std::vector<char> log(4096);
    glGetShaderInfoLog(shader, GLsizei(log.size()), nullptr, log.data());
    *problem = std::string("shader: ") + log.data();
    return false;
  }
  glAttachShader(program, shader);
  glDeleteShader(shader);
  return true;
}

bool Link(GLuint program, std::string* problem) {
  glLinkProgram(program);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok == GL_TRUE) return true;
  std::vector<char> log(4096);
  glGetProgramInfoLog(program, GLsizei(log.size()), nullptr, log.data());
  *problem = std::string("program: ") + log.data();
  return false;
}

// A program of the given vertex, geometry (may be null) and fragment
// shaders; 0 with `problem` set when one does not compile or link.
GLuint BuildProgram(const char* vertex, const char* geometry,
                    const char* fragment, std::string* problem) {
  const GLuint program = glCreateProgram();
  if (!Compile(GL_VERTEX_SHADER, vertex, program, problem) ||
      (geometry != nullptr &&
       !Compile(GL_GEOMETRY_SHADER, geometry, program, problem)) ||
      !Compile(GL_FRAGMENT_SHADER, fragment, program, problem) ||
      !Link(program, problem)) {
    return 0;
  }
  return program;
}

}  // namespace

bool BuildScenePass(ScenePass* pass, std::string* problem) {
  pass->program = BuildProgram(kSceneVertex, kSceneGeometry, kSceneFragment, problem);
  if (pass->program == 0) return false;
  const GLuint p = pass->program;
  pass->projection = glGetUniformLocation(p, "projection");
  pass->orientation = glGetUniformLocation(p, "orientation");
  pass->position = glGetUniformLocation(p, "position");
  pass->light = glGetUniformLocation(p, "light");
  pass->lightPoint = glGetUniformLocation(p, "lightPoint");
  pass->smooth = glGetUniformLocation(p, "smoothLight");
  pass->bilinear = glGetUniformLocation(p, "bilinear");
  pass->textured = glGetUniformLocation(p, "textured");
  pass->texels = glGetUniformLocation(p, "texels");
  return true;
}

bool BuildResolvePass(ResolvePass* pass, std::string* problem) {
  pass->program = BuildProgram(kResolveVertex, nullptr, kResolveFragment, problem);
  if (pass->program == 0) return false;
  const GLuint p = pass->program;
  pass->samples = glGetUniformLocation(p, "samples");
  pass->factor = glGetUniformLocation(p, "factor");
  pass->top = glGetUniformLocation(p, "top");
  pass->sampleRows = glGetUniformLocation(p, "sampleRows");
  return true;
}

bool BuildPlainPass(PlainPass* pass, std::string* problem) {
  pass->program = BuildProgram(kPlainVertex, nullptr, kPlainFragment, problem);
  if (pass->program == 0) return false;
  const GLuint p = pass->program;
  pass->projection = glGetUniformLocation(p, "projection");
  pass->orientation = glGetUniformLocation(p, "orientation");
  pass->position = glGetUniformLocation(p, "position");
  pass->texelScale = glGetUniformLocation(p, "texelScale");
  pass->textured = glGetUniformLocation(p, "textured");
  pass->texels = glGetUniformLocation(p, "texels");
  return true;
}

}  // namespace peer
