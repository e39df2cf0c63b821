// peer-gl: the demo scene drawn by Mesa's software OpenGL through OSMesa, for
// speed comparisons with our renderer. Same model, same seven images, same
// projection and the same per-frame work: a 1920 x 1080 float depth buffer
// cleared every frame, the client area cleared to grey, one animation step
// per frame. Select the Mesa driver with GALLIUM_DRIVER (llvmpipe, softpipe)
// and llvmpipe's threads with LP_NUM_THREADS.
//
// usage: peer-gl [--textures DIR] [--client WxH] [--frames N] [--out FILE.ppm]
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

using namespace renderer;

namespace {

constexpr int kDesktopWidth = 1920;
constexpr int kDesktopHeight = 1080;
constexpr double kFocalLength = 400;
constexpr double kNear = 1.0;
constexpr double kFar = 1.0e6;

struct Options {
  std::string textures;
  int clientWidth = 800;
  int clientHeight = 600;
  int frames = 200;
  std::string out;
};

bool ParseSize(const char* text, int* w, int* h) {
  return std::sscanf(text, "%dx%d", w, h) == 2 && *w > 0 && *h > 0 &&
         *w <= kDesktopWidth && *h <= kDesktopHeight;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (value == nullptr) return false;
    if (a == "--textures") o->textures = value;
    else if (a == "--client") { if (!ParseSize(value, &o->clientWidth, &o->clientHeight)) return false; }
    else if (a == "--frames") o->frames = std::max(1, std::atoi(value));
    else if (a == "--out") o->out = value;
    else return false;
    ++i;
  }
  return true;
}

// Uploads one slot as RGBA; pure white gets alpha 0 in the fin image so the
// alpha test discards it, as our fill leaves pure-white fin texels out.
GLuint UploadTexture(const Texture& t, bool whiteIsHole) {
  std::vector<uint8_t> rgba(size_t(t.width) * t.height * 4);
  for (int i = 0; i < t.width * t.height; ++i) {
    const uint8_t* p = t.texels.data() + 3 * i;
    const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
    rgba[4 * i] = p[0];
    rgba[4 * i + 1] = p[1];
    rgba[4 * i + 2] = p[2];
    rgba[4 * i + 3] = whiteIsHole && white ? 0 : 255;
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

// Camera space (x right, y down, z away) to clip space for a w x h viewport:
// screen x = x f / z + w/2, screen y = y f / z + h/2 measured downwards.
void LoadProjection(int w, int h) {
  const double cx = w >> 1, cy = h >> 1;
  const double a = (kFar + kNear) / (kFar - kNear);
  const double b = -2 * kFar * kNear / (kFar - kNear);
  const GLdouble m[16] = {  // column-major
      2 * kFocalLength / w, 0, 0, 0,
      0, -2 * kFocalLength / h, 0, 0,
      2 * cx / w - 1, 1 - 2 * cy / h, a, 1,
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

void DrawModel(const Scene& scene, const GLuint* textureIds) {
  const Mesh& mesh = scene.meshes[0];
  for (const MeshTriangle& tri : mesh.triangles) {
    const int slot = tri.texture;
    const Texture& texture = scene.textures[size_t(slot)];
    if (texture.width == 0 || texture.height == 0) continue;
    glBindTexture(GL_TEXTURE_2D, textureIds[slot]);
    glBegin(GL_TRIANGLES);
    for (int c = 0; c < 3; ++c) {
      const IntVertex& v = mesh.vertices[size_t(tri.vertex[c])];
      glTexCoord2d(tri.uv[c][0] / texture.width, tri.uv[c][1] / texture.height);
      glVertex3d(v.x, v.y, v.z);
    }
    glEnd();
  }
}

struct Target {
  GLuint framebuffer, colour, depth;
};

// A desktop-sized colour buffer with a 32-bit float depth buffer.
Target CreateTarget() {
  Target t{};
  glGenFramebuffers(1, &t.framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
  glGenRenderbuffers(1, &t.colour);
  glBindRenderbuffer(GL_RENDERBUFFER, t.colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kDesktopWidth, kDesktopHeight);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, t.colour);
  glGenRenderbuffers(1, &t.depth);
  glBindRenderbuffer(GL_RENDERBUFFER, t.depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, kDesktopWidth, kDesktopHeight);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, t.depth);
  return t;
}

void ClearBuffers(const Options& o) {
  glDisable(GL_SCISSOR_TEST);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, kDesktopHeight - o.clientHeight, o.clientWidth, o.clientHeight);
  glClearColor(120 / 255.0f, 120 / 255.0f, 120 / 255.0f, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

void WritePpm(const std::string& path, const Options& o) {
  std::vector<uint8_t> rgb(size_t(o.clientWidth) * o.clientHeight * 3);
  glReadPixels(0, kDesktopHeight - o.clientHeight, o.clientWidth, o.clientHeight,
               GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  std::fprintf(f, "P6\n%d %d\n255\n", o.clientWidth, o.clientHeight);
  for (int y = o.clientHeight - 1; y >= 0; --y) {
    std::fwrite(rgb.data() + size_t(y) * o.clientWidth * 3, 1, size_t(o.clientWidth) * 3, f);
  }
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fprintf(stderr, "usage: peer-gl [--textures DIR] [--client WxH] [--frames N] [--out FILE.ppm]\n");
    return 2;
  }
  OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 0, 0, 0, nullptr);
  std::vector<uint8_t> window(4);  // OSMesa needs a default buffer; we draw to an FBO
  if (context == nullptr || !OSMesaMakeCurrent(context, window.data(), GL_UNSIGNED_BYTE, 1, 1)) {
    std::fprintf(stderr, "peer-gl: cannot create an OSMesa context\n");
    return 1;
  }
  Scene scene = MakeDemoScene(o.textures.c_str());
  GLuint textureIds[kTextureSlotCount] = {};
  for (int s = 0; s < kTextureSlotCount; ++s) {
    const Texture& texture = scene.textures[size_t(s)];
    if (texture.width > 0) textureIds[s] = UploadTexture(texture, s == 6);
  }
  CreateTarget();
  // Our rows run top-down; GL's bottom-up: the client area is the top-left.
  glViewport(0, kDesktopHeight - o.clientHeight, o.clientWidth, o.clientHeight);
  LoadProjection(o.clientWidth, o.clientHeight);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  glDisable(GL_CULL_FACE);

  std::vector<double> times;
  for (int frame = 0; frame < o.frames; ++frame) {
    const auto start = std::chrono::steady_clock::now();
    ClearBuffers(o);
    LoadObjectMatrix(scene.objects[0]);
    DrawModel(scene, textureIds);
    glFinish();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    if (frame + 1 < o.frames) AnimateDemoScene(&scene, false, false);
  }
  if (!o.out.empty()) WritePpm(o.out, o);
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::printf("bench: frames=%d median_ms=%.3f min_ms=%.3f max_ms=%.3f fps=%.1f renderer=%s\n",
              o.frames, median, sorted.front(), sorted.back(), 1000.0 / median,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  OSMesaDestroyContext(context);
  return 0;
}
