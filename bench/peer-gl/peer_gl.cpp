// peer-gl: a scene drawn by Mesa's software OpenGL through OSMesa, for speed
// comparisons with our renderer. It sets the frame up exactly as
// render-scene does (the demo, or a scene file read by the renderer's scene-file
// library) and does the same per-frame work: the whole float depth
// buffer cleared, the client area cleared to grey, every object's mesh
// drawn, one demo animation step between frames. Meshes sit in vertex
// buffers, one per texture, uploaded once (the built-in model's again each
// frame, as its fin texture scrolls). Textured triangles: nearest texels,
// repeat, pure-white texels alpha-tested away unless made opaque at load;
// untextured ones take their first corner's colour, unlit. Select the Mesa
// driver with GALLIUM_DRIVER (llvmpipe, softpipe) and llvmpipe's threads
// with LP_NUM_THREADS.
//
// usage: peer-gl [--scene FILE.json] [--textures DIR] [--client WxH]
//                [--desktop WxH] [--frames N] [--out FILE.ppm]
#define GL_GLEXT_PROTOTYPES 1
#include <GL/osmesa.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "renderer/renderer.h"
#include "renderer/scene_file.h"

using namespace renderer;

namespace {

constexpr double kNear = 1.0;
constexpr double kFar = 1.0e6;

struct Options {
  std::string scene;
  std::string textures;
  SceneOverrides sizes{};
  int frames = 200;
  std::string out;
};

bool ParseSize(const char* text, int32_t* w, int32_t* h) {
  return std::sscanf(text, "%dx%d", w, h) == 2 && *w > 0 && *h > 0 &&
         *w <= 16384 && *h <= 16384;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (value == nullptr) return false;
    SceneOverrides& s = o->sizes;
    if (a == "--scene") o->scene = value;
    else if (a == "--textures") o->textures = value;
    else if (a == "--client") { if (!ParseSize(value, &s.clientWidth, &s.clientHeight)) return false; s.hasClient = 1; }
    else if (a == "--desktop") { if (!ParseSize(value, &s.desktopWidth, &s.desktopHeight)) return false; s.hasDesktop = 1; }
    else if (a == "--frames") o->frames = std::max(1, std::atoi(value));
    else if (a == "--out") o->out = value;
    else return false;
    ++i;
  }
  return true;
}

// The scene as render-scene loads it; false after printing the problem.
bool SetUpScene(const Options& o, LoadedScene& loaded) {
  SceneFileOptions options;
  options.sizes = o.sizes;
  options.builtinTextures = o.textures;
  std::string error;
  bool ok = false;
  if (!o.scene.empty()) {
    ok = LoadScene(o.scene, options, loaded, error);
  } else {
    options.name = "peer-gl";
    ok = LoadDemoScene(options, loaded, error);
  }
  if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
  return ok;
}

// Uploads a texture as RGBA; pure white gets alpha 0 so the alpha test
// discards it, as our fills leave pure-white texels out.
GLuint UploadTexture(const Texture& t) {
  std::vector<uint8_t> rgba(size_t(t.width) * t.height * 4);
  for (int i = 0; i < t.width * t.height; ++i) {
    const uint8_t* p = t.texels.data() + 3 * i;
    const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
    rgba[4 * i] = p[0];
    rgba[4 * i + 1] = p[1];
    rgba[4 * i + 2] = p[2];
    rgba[4 * i + 3] = white ? 0 : 255;
  }
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t.width, t.height, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, rgba.data());
  return id;
}

// Camera space (x right, y down, z away) to clip space for the client
// viewport: screen x = x f / z + centreX, screen y = y f / z + centreY
// measured downwards from the client's top.
void LoadProjection(const View& view, int w, int h) {
  const double f = view.focalLength;
  const double a = (kFar + kNear) / (kFar - kNear);
  const double b = -2 * kFar * kNear / (kFar - kNear);
  const GLdouble m[16] = {  // column-major
      2 * f / w, 0, 0, 0,
      0, -2 * f / h, 0, 0,
      2 * view.centreX / w - 1, 1 - 2 * view.centreY / h, a, 1,
      0, 0, b, 0};
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(m);
}

void LoadObjectMatrix(const SceneObject& o) {
  GLdouble m[16] = {};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) m[col * 4 + row] = o.orientation[row][col];
    m[12 + row] = o.position[row];
  }
  m[15] = 1;
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(m);
}

// One corner in a vertex buffer.
struct GlVertex {
  float x, y, z;
  float s, t;
  uint8_t rgba[4];
};

// A mesh's triangles grouped by texture (-1: untextured), each group in a
// vertex buffer of its own.
struct GlBatch {
  int32_t texture;
  GLuint buffer;
  GLsizei count;
};

struct GlMesh {
  std::vector<GlBatch> batches;
};

GlVertex CornerOf(const Scene& scene, const Mesh& mesh, const MeshTriangle& tri,
                  int c) {
  const IntVertex& v = mesh.vertices[size_t(tri.vertex[c])];
  GlVertex out{float(v.x), float(v.y), float(v.z), 0, 0, {0, 0, 0, 255}};
  const TriangleTexels* texels = TexelsOf(mesh, tri);
  if (tri.texture >= 0 && texels != nullptr) {
    const Texture& t = scene.textures[size_t(tri.texture)];
    out.s = float(texels->uv[c][0] / t.width);
    out.t = float(texels->uv[c][1] / t.height);
  }
  const uint32_t colour = tri.colour[0];
  out.rgba[0] = uint8_t(colour >> 16);
  out.rgba[1] = uint8_t(colour >> 8);
  out.rgba[2] = uint8_t(colour);
  return out;
}

bool Drawable(const Scene& scene, const MeshTriangle& tri) {
  if (tri.texture < 0) return true;
  if (size_t(tri.texture) >= scene.textures.size()) return false;
  const Texture& t = scene.textures[size_t(tri.texture)];
  return t.width > 0 && t.height > 0;
}

void UploadMesh(const Scene& scene, const Mesh& mesh, GlMesh* out) {
  std::vector<std::vector<GlVertex>> groups(scene.textures.size() + 1);
  for (const MeshTriangle& tri : mesh.triangles) {
    if (!Drawable(scene, tri)) continue;
    std::vector<GlVertex>& group = groups[size_t(tri.texture + 1)];
    for (int c = 0; c < 3; ++c) group.push_back(CornerOf(scene, mesh, tri, c));
  }
  if (out->batches.empty()) {
    for (size_t g = 0; g < groups.size(); ++g) {
      GlBatch batch{int32_t(g) - 1, 0, 0};
      glGenBuffers(1, &batch.buffer);
      out->batches.push_back(batch);
    }
  }
  for (size_t g = 0; g < groups.size(); ++g) {
    GlBatch& batch = out->batches[g];
    batch.count = GLsizei(groups[g].size());
    glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(groups[g].size() * sizeof(GlVertex)),
                 groups[g].data(), GL_STATIC_DRAW);
  }
}

void DrawMesh(const GlMesh& mesh, const std::vector<GLuint>& textureIds) {
  for (const GlBatch& batch : mesh.batches) {
    if (batch.count == 0) continue;
    if (batch.texture >= 0) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, textureIds[size_t(batch.texture)]);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);
    const GLsizei stride = sizeof(GlVertex);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<void*>(offsetof(GlVertex, x)));
    glTexCoordPointer(2, GL_FLOAT, stride, reinterpret_cast<void*>(offsetof(GlVertex, s)));
    glColorPointer(4, GL_UNSIGNED_BYTE, stride, reinterpret_cast<void*>(offsetof(GlVertex, rgba)));
    glDrawArrays(GL_TRIANGLES, 0, batch.count);
  }
}

// A desktop-sized colour buffer with a 32-bit float depth buffer.
void CreateTarget(int w, int h) {
  GLuint framebuffer = 0, colour = 0, depth = 0;
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glGenRenderbuffers(1, &colour);
  glBindRenderbuffer(GL_RENDERBUFFER, colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  glGenRenderbuffers(1, &depth);
  glBindRenderbuffer(GL_RENDERBUFFER, depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, w, h);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
}

struct Sizes {
  int desktopWidth, desktopHeight, clientWidth, clientHeight;
};

void ClearBuffers(const Sizes& s) {
  glDisable(GL_SCISSOR_TEST);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, s.desktopHeight - s.clientHeight, s.clientWidth, s.clientHeight);
  glClearColor(120 / 255.0f, 120 / 255.0f, 120 / 255.0f, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

void WritePpm(const std::string& path, const Sizes& s) {
  std::vector<uint8_t> rgb(size_t(s.clientWidth) * s.clientHeight * 3);
  glReadPixels(0, s.desktopHeight - s.clientHeight, s.clientWidth, s.clientHeight,
               GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fprintf(f, "P6\n%d %d\n255\n", s.clientWidth, s.clientHeight);
  for (int y = s.clientHeight - 1; y >= 0; --y) {
    std::fwrite(rgb.data() + size_t(y) * s.clientWidth * 3, 1, size_t(s.clientWidth) * 3, f);
  }
  std::fclose(f);
}

void SetUpGl(const View& view, const Sizes& s) {
  CreateTarget(s.desktopWidth, s.desktopHeight);
  // Our rows run top-down; GL's bottom-up: the client area is the top-left.
  glViewport(0, s.desktopHeight - s.clientHeight, s.clientWidth, s.clientHeight);
  LoadProjection(view, s.clientWidth, s.clientHeight);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glShadeModel(GL_FLAT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glDisable(GL_CULL_FACE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fprintf(stderr, "usage: peer-gl [--scene FILE.json] [--textures DIR] [--client WxH] [--desktop WxH] [--frames N] [--out FILE.ppm]\n");
    return 2;
  }
  LoadedScene loaded;
  if (!SetUpScene(o, loaded)) return 2;
  const Sizes sizes{loaded.frameWidth, loaded.frameHeight, loaded.clientWidth,
                    loaded.clientHeight};
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
  std::vector<uint8_t> window(4);  // OSMesa needs a default buffer; we draw to an FBO
  if (context == nullptr || !OSMesaMakeCurrent(context, window.data(), GL_UNSIGNED_BYTE, 1, 1)) {
    std::fprintf(stderr, "peer-gl: cannot create an OSMesa context\n");
    return 1;
  }
  Scene& scene = loaded.scene;
  std::vector<GLuint> textureIds(scene.textures.size(), 0);
  for (size_t t = 0; t < scene.textures.size(); ++t) {
    if (scene.textures[t].width > 0) textureIds[t] = UploadTexture(scene.textures[t]);
  }
  SetUpGl(loaded.view, sizes);
  std::vector<GlMesh> meshes(scene.meshes.size());
  for (size_t m = 0; m < scene.meshes.size(); ++m) UploadMesh(scene, scene.meshes[m], &meshes[m]);
  const int32_t builtin = loaded.builtinMesh;

  std::vector<double> times;
  for (int n = 0; n < o.frames; ++n) {
    if (n > 0) StepSceneAnimation(loaded);
    const auto start = std::chrono::steady_clock::now();
    if (n > 0) {
      if (builtin >= 0) UploadMesh(scene, scene.meshes[size_t(builtin)], &meshes[size_t(builtin)]);
    }
    ClearBuffers(sizes);
    for (const SceneObject& object : scene.objects) {
      if (object.mesh < 0 || size_t(object.mesh) >= meshes.size()) continue;
      LoadObjectMatrix(object);
      DrawMesh(meshes[size_t(object.mesh)], textureIds);
    }
    glFinish();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  if (!o.out.empty()) WritePpm(o.out, sizes);
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::printf("bench: frames=%d median_ms=%.3f min_ms=%.3f max_ms=%.3f fps=%.1f renderer=%s\n",
              o.frames, median, sorted.front(), sorted.back(), 1000.0 / median,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  OSMesaDestroyContext(context);
  return 0;
}
