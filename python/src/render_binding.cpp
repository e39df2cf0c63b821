// renderer.Renderer, renderer.Frame and renderer.render: frames drawn
// without the interpreter lock into memory the frame then owns.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "python/src/arrays.h"
#include "python/src/bindings.h"
#include "python/src/handles.h"

namespace renderer_py {

namespace {

using RendererRef = std::shared_ptr<RendererHandle>;

// The largest frame side, as scene files allow.
constexpr int64_t kMaxSide = 16384;

// Spare targets a renderer keeps: enough for a loop that holds on to the
// previous frame while drawing the next.
constexpr size_t kMaxSpareTargets = 2;

static_assert(std::endian::native == std::endian::little,
              "colour arrays read 0x00RRGGBB words as bytes B, G, R, 0");

// A look option by name, or ValueError naming the argument and the choices.
renderer::Shading ShadingArg(const std::string& name) {
  renderer::Shading shading;
  if (!renderer::ShadingFromName(name.c_str(), &shading)) {
    throw py::value_error("shading: expected 'flat' or 'smooth', got '" + name + "'");
  }
  return shading;
}

renderer::TextureFilter FilterArg(const std::string& name) {
  renderer::TextureFilter filter;
  if (!renderer::TextureFilterFromName(name.c_str(), &filter)) {
    throw py::value_error("texture_filter: expected 'nearest' or 'bilinear', got '" + name +
                          "'");
  }
  return filter;
}

int32_t SamplesArg(int64_t samples) {
  if (samples != 1 && samples != 4 && samples != 16) {
    throw py::value_error("samples: expected 1, 4 or 16, got " + std::to_string(samples));
  }
  return int32_t(samples);
}

// The looks given as keyword arguments over `looks`; None keeps a value.
renderer::Looks LooksArgs(renderer::Looks looks, const std::optional<std::string>& shading,
                          const std::optional<std::string>& filter,
                          std::optional<int64_t> samples) {
  if (shading) looks.shading = ShadingArg(*shading);
  if (filter) looks.textureFilter = FilterArg(*filter);
  if (samples) looks.samples = SamplesArg(*samples);
  return looks;
}

RendererRef MakeRenderer(int64_t width, int64_t height, int64_t focalLength,
                         int64_t threads, int64_t nearZ) {
  auto handle = std::make_shared<RendererHandle>();
  handle->width = CheckedInt32(width, "width", 1, kMaxSide);
  handle->height = CheckedInt32(height, "height", 1, kMaxSide);
  renderer::View& view = handle->view;
  view.focalLength = CheckedInt32(focalLength, "focal_length", 1, INT32_MAX);
  view.nearZ = CheckedInt32(nearZ, "near_z", INT32_MIN, INT32_MAX);
  view.centreX = handle->width >> 1;
  view.centreY = handle->height >> 1;
  view.viewportRight = handle->width;
  view.viewportBottom = handle->height;
  handle->threads = CheckedInt32(threads, "threads", 0, renderer::kMaxThreads);
  renderer::SetThreadCount(*handle->workspace, handle->threads);
  return handle;
}

// A renderer with the scene's own client size and view (camera and
// viewport), as render-scene draws the scene's client area.
RendererRef RendererForScene(const SceneHandle& scene, int64_t threads) {
  const renderer::LoadedScene& loaded = scene.loaded;
  RendererRef r = MakeRenderer(loaded.clientWidth, loaded.clientHeight,
                               loaded.view.focalLength, threads, loaded.view.nearZ);
  r->view = loaded.view;
  return r;
}

// A target from the pool, or a new one of the renderer's size.
std::unique_ptr<renderer::HeadlessTarget> TakeTarget(RendererHandle& r) {
  {
    std::lock_guard<std::mutex> hold(r.pool->lock);
    if (!r.pool->spare.empty()) {
      auto target = std::move(r.pool->spare.back());
      r.pool->spare.pop_back();
      return target;
    }
  }
  auto target = std::make_unique<renderer::HeadlessTarget>();
  renderer::BindHeadlessTarget(*target, r.width, r.height, r.width, r.height);
  if (target->target.pixels == nullptr) {
    throw py::value_error("Renderer: no memory for a " + std::to_string(r.width) +
                          " x " + std::to_string(r.height) + " frame");
  }
  return target;
}

// Clears the frame and draws the scene, as render-scene draws a frame whose
// frame buffer is its client area.
std::unique_ptr<FrameHandle> Render(RendererHandle& r, SceneHandle& scene) {
  auto frame = std::make_unique<FrameHandle>();
  frame->target = TakeTarget(r);
  frame->pool = r.pool;
  py::gil_scoped_release released;
  std::lock_guard<std::mutex> busy(r.busy);
  std::shared_lock<std::shared_mutex> reading(scene.lock);
  renderer::FrameTarget& target = frame->target->target;
  renderer::ClearAndRenderFrame(scene.scene, r.view, target, r.height - 1,
                                r.width - 1, *r.workspace);
  return frame;
}

const renderer::FrameTarget& TargetOf(const FrameHandle& frame) {
  return frame.target->target;
}

// (H, W, 3) uint8 RGB, made once.
py::object Colour(FrameHandle& frame) {
  if (frame.color) return frame.color;
  const renderer::FrameTarget& t = TargetOf(frame);
  py::array_t<uint8_t> rgb({py::ssize_t(t.height), py::ssize_t(t.width), py::ssize_t(3)});
  uint8_t* out = rgb.mutable_data();
  for (int32_t y = 0; y < t.height; ++y) {
    const uint8_t* row = reinterpret_cast<const uint8_t*>(t.pixels) + size_t(y) * size_t(t.pitch);
    for (int32_t x = 0; x < t.width; ++x, out += 3) {
      out[0] = row[x * 4 + 2];
      out[1] = row[x * 4 + 1];
      out[2] = row[x * 4];
    }
  }
  frame.color = rgb;
  return rgb;
}

// (H, W) float32 camera-space depth, inf where the reset value stands.
py::object Depth(FrameHandle& frame) {
  if (frame.depth) return frame.depth;
  const renderer::FrameTarget& t = TargetOf(frame);
  py::array_t<float> depth({py::ssize_t(t.height), py::ssize_t(t.width)});
  float* out = depth.mutable_data();
  for (int32_t y = 0; y < t.height; ++y) {
    const float* row = t.depth + int64_t(y) * t.depthStride;
    for (int32_t x = 0; x < t.width; ++x) {
      const bool reset = std::bit_cast<uint32_t>(row[x]) == renderer::kDepthClearBits;
      *out++ = reset ? std::numeric_limits<float>::infinity() : row[x];
    }
  }
  frame.depth = depth;
  return depth;
}

// A frame from its arrays (a new frame, or unpickling): a target of its
// own, not pooled; no depth: inf everywhere.
std::unique_ptr<FrameHandle> FrameFromArrays(const py::handle& color,
                                             const py::handle& depthValues) {
  const py::array_t<uint8_t> rgb = ByteArray(color, "color", {{-1, -1, 3}, "(H, W, 3)"});
  const py::ssize_t h = rgb.shape(0), w = rgb.shape(1);
  const py::object inf = py::module_::import("numpy").attr("full")(
      py::make_tuple(h, w), std::numeric_limits<float>::infinity());
  const py::array_t<float, py::array::c_style | py::array::forcecast> depth =
      NumberArray(depthValues.is_none() ? inf : depthValues, "depth", {{h, w}, "(H, W)"});
  auto frame = std::make_unique<FrameHandle>();
  frame->target = std::make_unique<renderer::HeadlessTarget>();
  renderer::BindHeadlessTarget(*frame->target, CheckedInt32(w, "width", 1, kMaxSide),
                               CheckedInt32(h, "height", 1, kMaxSide), int32_t(w), int32_t(h));
  renderer::FrameTarget& t = frame->target->target;
  const float reset = std::bit_cast<float>(renderer::kDepthClearBits);
  for (py::ssize_t y = 0; y < h; ++y) {
    for (py::ssize_t x = 0; x < w; ++x) {
      const uint8_t* c = rgb.data(y, x, 0);
      t.pixels[y * w + x] = uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | c[2];
      const float z = depth.at(y, x);
      t.depth[y * w + x] = std::isinf(z) && z > 0 ? reset : z;
    }
  }
  return frame;
}

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

FrameHandle::~FrameHandle() {
  std::shared_ptr<FramePool> owner = pool.lock();
  if (!owner || !target) return;
  std::lock_guard<std::mutex> hold(owner->lock);
  if (owner->spare.size() < kMaxSpareTargets) owner->spare.push_back(std::move(target));
}

void BindRender(py::module_& m) {
  py::class_<FrameHandle>(m, "Frame", R"doc(
A drawn frame. It owns its memory (the renderer reuses it once the frame is
dropped); .color and .depth are NumPy copies made from it on first use.)doc")
      .def_property_readonly("width", [](const FrameHandle& f) { return TargetOf(f).width; },
                             "Width in pixels.")
      .def_property_readonly("height", [](const FrameHandle& f) { return TargetOf(f).height; },
                             "Height in pixels.")
      .def_property_readonly("color", &Colour, R"doc(
(H, W, 3) uint8 RGB, top row first: a copy made on first use, then the same
array on every access.)doc")
      .def_property_readonly("depth", &Depth, R"doc(
(H, W) float32 camera-space z of the surface at each pixel (smaller is
nearer): a copy made on first use, then the same array on every access.
Pixels nothing covers hold inf; the renderer's depth buffer holds its reset
value 9.0e20 there, and exactly that value becomes inf.)doc")
      .def(
          "save",
          [](const FrameHandle& f, const py::object& path) {
            const renderer::FrameTarget& t = TargetOf(f);
            SaveImage(py::str(py::module_::import("os").attr("fspath")(path)),
                      t.pixels, t.width, t.height, t.pitch / 4);
          },
          py::arg("path"), R"doc(
Writes the colour as an image; the ending picks the format: .png, .bmp
(24-bit), .ppm or .webp (lossless).)doc")
      .def("__repr__",
           [](const FrameHandle& f) {
             return "<renderer.Frame " + SizeText(TargetOf(f).width, TargetOf(f).height) + ">";
           })
      .def(py::init(&FrameFromArrays), py::arg("color"), py::arg("depth") = py::none(),
           R"doc(
A frame from arrays, e.g. to save a picture made in NumPy: `color` (H, W, 3)
uint8 RGB, `depth` (H, W) numbers (default: inf, nothing drawn).)doc")
      .def(py::pickle(
          [](FrameHandle& f) { return py::make_tuple(Colour(f), Depth(f)); },
          [](const py::tuple& state) {
            if (state.size() != 2) throw py::value_error("Frame state: expected 2 entries");
            return FrameFromArrays(state[0], state[1]);
          }));

  py::class_<RendererHandle, RendererRef>(m, "Renderer", R"doc(
Draws scenes into frames of one size, with its own workspace (worker
threads, scratch memory) and frame memory. Frames are drawn without the
interpreter lock, so renderers on separate Python threads draw at once; one
renderer draws one frame at a time.)doc")
      .def(py::init([](int64_t width, int64_t height, int64_t focalLength, int64_t threads,
                       int64_t nearZ, const std::string& shading, const std::string& filter,
                       int64_t samples) {
             RendererRef r = MakeRenderer(width, height, focalLength, threads, nearZ);
             r->view.looks = LooksArgs(r->view.looks, shading, filter, samples);
             return r;
           }),
           py::arg("width"), py::arg("height"), py::arg("focal_length") = 400,
           py::arg("threads") = 0, py::kw_only(), py::arg("near_z") = 2,
           py::arg("shading") = "flat", py::arg("texture_filter") = "nearest",
           py::arg("samples") = 1, R"doc(
A renderer for width x height frames (1 to 16384 each): the camera at the
origin looking down +z with `focal_length` in pixels, the screen centre at
(width // 2, height // 2). `threads` workers draw each frame (0: one per
hardware thread); the output is the same, bit for bit, for every count.
The look: `shading` 'flat' or 'smooth', `texture_filter` 'nearest' or
'bilinear', `samples` 1, 4 or 16 per pixel (the defaults are the exact flat
fills).)doc")
      .def_property(
          "shading",
          [](const RendererHandle& r) { return renderer::ShadingName(r.view.looks.shading); },
          [](RendererHandle& r, const std::string& name) {
            r.view.looks.shading = ShadingArg(name);
          },
          "'flat' or 'smooth'.")
      .def_property(
          "texture_filter",
          [](const RendererHandle& r) {
            return renderer::TextureFilterName(r.view.looks.textureFilter);
          },
          [](RendererHandle& r, const std::string& name) {
            r.view.looks.textureFilter = FilterArg(name);
          },
          "'nearest' or 'bilinear'.")
      .def_property(
          "samples", [](const RendererHandle& r) { return r.view.looks.samples; },
          [](RendererHandle& r, int64_t samples) { r.view.looks.samples = SamplesArg(samples); },
          "Samples per pixel: 1, 4 or 16.")
      .def_property_readonly("width", [](const RendererHandle& r) { return r.width; })
      .def_property_readonly("height", [](const RendererHandle& r) { return r.height; })
      .def_property_readonly("focal_length",
                             [](const RendererHandle& r) { return r.view.focalLength; })
      .def_property_readonly("near_z", [](const RendererHandle& r) { return r.view.nearZ; })
      .def_property_readonly(
          "threads", [](const RendererHandle& r) { return renderer::ThreadCount(*r.workspace); },
          "Threads drawing each frame, the calling thread included.")
      .def("render", &Render, py::arg("scene"), R"doc(
Draws the scene: the frame cleared to grey (120, 120, 120), then every
object in order. Returns a new Frame.)doc")
      .def(
          "step", [](const RendererHandle&, SceneHandle& s, int64_t n) { StepScene(s, n); },
          py::arg("scene"), py::arg("n") = 1, "Runs n animation steps of the scene (Scene.step).")
      .def("__repr__",
           [](const RendererHandle& r) {
             return "<renderer.Renderer " + SizeText(r.width, r.height) +
                    " focal_length=" + std::to_string(r.view.focalLength) + ">";
           })
      .def(py::pickle(
          [](const RendererHandle& r) {
            return py::make_tuple(r.width, r.height, r.view.focalLength, r.threads,
                                  r.view.nearZ, renderer::ShadingName(r.view.looks.shading),
                                  renderer::TextureFilterName(r.view.looks.textureFilter),
                                  r.view.looks.samples);
          },
          [](const py::tuple& s) {
            if (s.size() != 8) throw py::value_error("Renderer state: expected 8 entries");
            RendererRef r = MakeRenderer(s[0].cast<int64_t>(), s[1].cast<int64_t>(),
                                         s[2].cast<int64_t>(), s[3].cast<int64_t>(),
                                         s[4].cast<int64_t>());
            r->view.looks = LooksArgs(r->view.looks, s[5].cast<std::string>(),
                                      s[6].cast<std::string>(), s[7].cast<int64_t>());
            return r;
          }));

  m.def(
      "render",
      [](SceneHandle& scene, std::optional<int64_t> width, std::optional<int64_t> height,
         std::optional<int64_t> focalLength, int64_t threads,
         const std::optional<std::string>& shading, const std::optional<std::string>& filter,
         std::optional<int64_t> samples) {
        const renderer::LoadedScene& loaded = scene.loaded;
        RendererRef r = width || height || focalLength
                            ? MakeRenderer(width.value_or(loaded.clientWidth),
                                           height.value_or(loaded.clientHeight),
                                           focalLength.value_or(400), threads, 2)
                            : RendererForScene(scene, threads);
        r->view.looks = LooksArgs(loaded.view.looks, shading, filter, samples);
        return Render(*r, scene);
      },
      py::arg("scene"), py::arg("width") = py::none(), py::arg("height") = py::none(),
      py::arg("focal_length") = py::none(), py::arg("threads") = 0, py::kw_only(),
      py::arg("shading") = py::none(), py::arg("texture_filter") = py::none(),
      py::arg("samples") = py::none(), R"doc(
One frame of the scene. With no size and no focal length, drawn with the
scene's own client size and camera (a scene file's, else 800 x 600 and
focal length 400), as render-scene draws its client area; otherwise as
Renderer(width, height, focal_length or 400, threads).render(scene).
The look is the scene's own (a model file's: smooth and bilinear; a scene
file's keys; else flat) unless `shading`, `texture_filter` or `samples`
say otherwise.)doc");
}

}  // namespace renderer_py
