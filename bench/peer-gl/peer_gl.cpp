// peer-gl: a scene drawn by Mesa's software OpenGL (llvmpipe) through
// OSMesa, for speed and picture comparisons with our renderer. It loads the
// scene exactly as render-scene does (the demo, a scene file or a model file,
// through the renderer's scene-file library, with the same look options)
// and draws every look with GLSL that forms the colours by the renderer's
// formulas, while GL does the rasterising, the depth test and the
// interpolation: camera space made in the vertex shader, whole numbers as
// the renderer's scene pass makes them; flat light per triangle; smooth light per pixel from the
// interpolated camera-space point and corner normals (the model's own or
// the ones the renderer computes), lit from object 0 when it draws nothing,
// else from the viewer; nearest and bilinear texels with wrap-around and the
// see-through texel decided by the nearest one; 4 or 16 samples drawn at 2
// or 4 times the size and averaged in linear light. Each frame clears the
// depth buffer and the client area, draws every object's triangles (lines
// are not drawn) and runs one demo animation step before the next. Select
// the Mesa driver with GALLIUM_DRIVER and llvmpipe's threads with
// LP_NUM_THREADS.
//
// usage: peer-gl [--scene FILE] [--textures DIR] [--client WxH]
//                [--desktop WxH] [--shading flat|smooth]
//                [--texture-filter nearest|bilinear] [--samples 1|4|16]
//                [--steps N] [--frames N] [--out FILE.ppm|FILE.png] [--plain]
// --steps runs animation steps before the first frame, as render-scene's.
// --plain draws as a GL program commonly would, for speed comparisons
// (bench/compare): float transform, GL's own nearest sampler with repeat,
// pure white alpha-tested away, untextured triangles unlit, one sample; the
// look options are then ignored.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/osmesa.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/peer-gl/gl_frame.h"
#include "bench/peer-gl/gl_looks_program.h"
#include "bench/peer-gl/gl_meshes.h"
#include "bench/peer-gl/peer_image.h"
#include "renderer/renderer.h"
#include "renderer/scene_file.h"

using namespace renderer;

namespace {

struct Options {
  std::string scene;
  std::string textures;
  SceneOverrides sizes{};
  SceneLookChoices looks;
  int32_t steps = kStepsFromFile;
  int frames = 200;
  std::string out;
  bool plain = false;
};

bool ParseSize(const char* text, int32_t* w, int32_t* h) {
  return std::sscanf(text, "%dx%d", w, h) == 2 && *w > 0 && *h > 0 &&
         *w <= 16384 && *h <= 16384;
}

bool ParseLook(const std::string& name, const char* value, SceneLookChoices* looks) {
  if (name == "--shading") {
    Shading shading;
    if (!ShadingFromName(value, &shading)) return false;
    looks->shading = shading;
  } else if (name == "--texture-filter") {
    TextureFilter filter;
    if (!TextureFilterFromName(value, &filter)) return false;
    looks->textureFilter = filter;
  } else {
    const int32_t samples = std::atoi(value);
    if (!SamplesValid(samples)) return false;
    looks->samples = samples;
  }
  return true;
}

bool ParseOption(const std::string& a, const char* value, Options* o) {
  SceneOverrides& s = o->sizes;
  if (a == "--scene") o->scene = value;
  else if (a == "--textures") o->textures = value;
  else if (a == "--client") return (s.hasClient = ParseSize(value, &s.clientWidth, &s.clientHeight));
  else if (a == "--desktop") return (s.hasDesktop = ParseSize(value, &s.desktopWidth, &s.desktopHeight));
  else if (a == "--steps") o->steps = std::max(0, std::atoi(value));
  else if (a == "--frames") o->frames = std::max(1, std::atoi(value));
  else if (a == "--out") o->out = value;
  else if (a == "--shading" || a == "--texture-filter" || a == "--samples") return ParseLook(a, value, &o->looks);
  else return false;
  return true;
}

bool ParseOptions(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; i += 2) {
    if (std::string(argv[i]) == "--plain") {
      o->plain = true;
      --i;
    } else if (i + 1 >= argc || !ParseOption(argv[i], argv[i + 1], o)) {
      return false;
    }
  }
  return true;
}

// The scene as render-scene loads it; false after printing the problem.
bool SetUpScene(const Options& o, LoadedScene& loaded) {
  SceneFileOptions options;
  options.sizes = o.sizes;
  options.builtinTextures = o.textures;
  options.looks = o.looks;
  options.steps = o.steps;
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

bool DrawsNothing(const Scene& scene, int32_t index) {
  if (index < 0 || size_t(index) >= scene.objects.size()) return true;
  const int32_t mesh = scene.objects[size_t(index)].mesh;
  if (mesh < 0 || size_t(mesh) >= scene.meshes.size()) return true;
  return scene.meshes[size_t(mesh)].triangles.empty() &&
         scene.meshes[size_t(mesh)].lines.empty();
}

// The flat light is the light object's position; the smooth light too when
// that object draws nothing, else the viewer (a light inside the demo's
// cube would leave every face dark).
void LoadLight(const Scene& scene, const Looks& looks, const peer::ScenePass& pass) {
  const bool inRange = scene.lightObject >= 0 &&
                       size_t(scene.lightObject) < scene.objects.size();
  const bool atViewer = !inRange || (looks.shading == Shading::kSmooth &&
                                     !DrawsNothing(scene, scene.lightObject));
  GLint p[3] = {0, 0, 0};
  if (!atViewer) {
    for (int i = 0; i < 3; ++i) p[i] = scene.objects[size_t(scene.lightObject)].position[i];
  }
  glUniform3i(pass.light, p[0], p[1], p[2]);
  glUniform3f(pass.lightPoint, GLfloat(p[0]), GLfloat(p[1]), GLfloat(p[2]));
  glUniform1i(pass.smooth, looks.shading == Shading::kSmooth ? 1 : 0);
  glUniform1i(pass.bilinear, looks.textureFilter == TextureFilter::kBilinear ? 1 : 0);
}

struct GlScene {
  bool plain = false;
  std::vector<GLuint> textures;
  std::vector<peer::GlMesh> meshes;
};

struct Programs {
  peer::ScenePass scene;
  peer::ResolvePass resolve;
  peer::PlainPass plain;
};

void UploadScene(const LoadedScene& loaded, bool plain, GlScene* out) {
  const Scene& scene = loaded.scene;
  const bool smooth = loaded.view.looks.shading == Shading::kSmooth;
  out->plain = plain;
  out->textures.assign(scene.textures.size(), 0);
  for (size_t t = 0; t < scene.textures.size(); ++t) {
    if (!TextureIsUsable(scene.textures[t])) continue;
    out->textures[t] = plain ? peer::UploadPlainTexture(scene.textures[t])
                             : peer::UploadTexture(scene.textures[t]);
  }
  out->meshes.resize(scene.meshes.size());
  for (size_t m = 0; m < scene.meshes.size(); ++m) {
    peer::UploadMesh(scene, scene.meshes[m], smooth, &out->meshes[m]);
  }
}

void DrawFrame(const LoadedScene& loaded, const peer::GlFrame& frame,
               const Programs& programs, const GlScene& gl) {
  const Scene& scene = loaded.scene;
  if (gl.plain) {
    peer::BeginScene(frame, loaded.view, programs.plain.program, programs.plain.projection);
  } else {
    peer::BeginScene(frame, loaded.view, programs.scene.program, programs.scene.projection);
    LoadLight(scene, loaded.view.looks, programs.scene);
  }
  for (const SceneObject& object : scene.objects) {
    if (object.mesh < 0 || size_t(object.mesh) >= scene.meshes.size()) continue;
    const peer::GlMesh& mesh = gl.meshes[size_t(object.mesh)];
    if (gl.plain) {
      peer::DrawObjectPlain(scene, object, mesh, gl.textures, programs.plain);
    } else {
      peer::DrawObject(object, mesh, gl.textures, programs.scene);
    }
  }
  peer::ResolveSamples(frame, programs.resolve);
  glFinish();
}

// False after printing the problem.
bool BuildPrograms(Programs* programs) {
  programs->scene.uniform3dv = reinterpret_cast<PFNGLUNIFORM3DVPROC>(
      OSMesaGetProcAddress("glUniform3dv"));
  if (programs->scene.uniform3dv == nullptr) {
    std::fprintf(stderr, "peer-gl: no glUniform3dv\n");
    return false;
  }
  std::string problem;
  if (!peer::BuildScenePass(&programs->scene, &problem) ||
      !peer::BuildResolvePass(&programs->resolve, &problem) ||
      !peer::BuildPlainPass(&programs->plain, &problem)) {
    std::fprintf(stderr, "peer-gl: %s\n", problem.c_str());
    return false;
  }
  return true;
}

// Depth from 0 to 1 rather than -1 to 1, for the precision of 1 / z; the
// library does not export this GL 4.5 entry point, so it is looked up.
bool SetUpGl() {
  const auto clipControl = reinterpret_cast<PFNGLCLIPCONTROLPROC>(
      OSMesaGetProcAddress("glClipControl"));
  if (clipControl == nullptr) return false;
  clipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_GREATER);  // depth 1 / z: nearer is larger; ties keep the first
  glDisable(GL_CULL_FACE);
  glProvokingVertex(GL_FIRST_VERTEX_CONVENTION);  // the plain pass's flat colour
  GLuint vertexArray = 0;
  glGenVertexArrays(1, &vertexArray);
  glBindVertexArray(vertexArray);
  for (GLuint slot : {peer::kPositionSlot, peer::kNormalSlot, peer::kUvSlot,
                      peer::kColourSlot}) {
    glEnableVertexAttribArray(slot);
  }
  return true;
}

OSMesaContext MakeContext() {
  const int attributes[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 0,
                            OSMESA_PROFILE, OSMESA_CORE_PROFILE,
                            OSMESA_CONTEXT_MAJOR_VERSION, 4,
                            OSMESA_CONTEXT_MINOR_VERSION, 5, 0};
  return OSMesaCreateContextAttribs(attributes, nullptr);
}

void PrintTimes(const std::vector<double>& times) {
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::printf("bench: frames=%zu median_ms=%.3f min_ms=%.3f max_ms=%.3f fps=%.1f renderer=%s\n",
              sorted.size(), median, sorted.front(), sorted.back(), 1000.0 / median,
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, &o)) {
    std::fprintf(stderr, "usage: peer-gl [--scene FILE] [--textures DIR] [--client WxH] [--desktop WxH] [--shading flat|smooth] [--texture-filter nearest|bilinear] [--samples 1|4|16] [--steps N] [--frames N] [--out FILE.ppm|FILE.png] [--plain]\n");
    return 2;
  }
  LoadedScene loaded;
  if (!SetUpScene(o, loaded)) return 2;
  const peer::FrameSizes sizes{loaded.frameWidth, loaded.frameHeight,
                               loaded.clientWidth, loaded.clientHeight};
  OSMesaContext context = MakeContext();
  std::vector<uint8_t> window(4);  // OSMesa needs a default buffer; we draw to our own
  if (context == nullptr || !OSMesaMakeCurrent(context, window.data(), GL_UNSIGNED_BYTE, 1, 1)) {
    std::fprintf(stderr, "peer-gl: cannot create an OpenGL 4.5 core context through OSMesa\n");
    return 1;
  }
  Programs programs;
  if (!BuildPrograms(&programs)) return 1;
  if (!SetUpGl()) {
    std::fprintf(stderr, "peer-gl: no glClipControl\n");
    return 1;
  }
  peer::GlFrame frame;
  peer::CreateFrame(sizes, o.plain ? 1 : loaded.view.looks.samples, &frame);
  GlScene gl;
  UploadScene(loaded, o.plain, &gl);
  const int32_t builtin = loaded.builtinMesh;
  const bool smooth = loaded.view.looks.shading == Shading::kSmooth;

  std::vector<double> times;
  for (int n = 0; n < o.frames; ++n) {
    if (n > 0) StepSceneAnimation(loaded);
    const auto start = std::chrono::steady_clock::now();
    // The built-in model's fins scroll: its texel coordinates change.
    if (n > 0 && builtin >= 0) {
      peer::UploadMesh(loaded.scene, loaded.scene.meshes[size_t(builtin)], smooth,
                       &gl.meshes[size_t(builtin)]);
    }
    DrawFrame(loaded, frame, programs, gl);
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  int status = 0;
  if (!o.out.empty() &&
      !peer::WritePicture(o.out, peer::ReadClient(frame), sizes.clientWidth,
                          sizes.clientHeight)) {
    std::fprintf(stderr, "peer-gl: cannot write %s\n", o.out.c_str());
    status = 1;
  }
  PrintTimes(times);
  OSMesaDestroyContext(context);
  return status;
}
