#pragma once
// The peer's frame: a desktop-sized colour and depth buffer whose top-left
// client area the scene is drawn into, directly with one sample per pixel,
// or through a buffer k times the client's width and height that the
// resolve pass averages down.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "bench/peer-gl/gl_looks_program.h"
#include "renderer/render.h"

namespace peer {

struct FrameSizes {
  int32_t desktopWidth = 0;
  int32_t desktopHeight = 0;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
};

struct GlBuffers {
  GLuint frameBuffer = 0;
  GLuint colour = 0;  // RGBA8UI: the renderer's 8-bit channels as they are
  GLuint depth = 0;   // 32-bit float
  int32_t width = 0;
  int32_t height = 0;
};

struct GlFrame {
  FrameSizes sizes;
  int32_t factor = 1;   // k: 1, 2 or 4
  GlBuffers desktop;
  GlBuffers samples;    // k > 1 only
  GLuint emptyArray = 0;  // the resolve pass's vertex array (no attributes)
};

// Creates the buffers for `samples` per pixel (1, 4 or 16).
void CreateFrame(const FrameSizes& sizes, int32_t samples, GlFrame* frame);

// Binds the buffer the scene is drawn into, sets its viewport, clears its
// depth and its client area (the background grey), puts `program` in use
// and loads the projection of `view`, scaled for the samples, into its
// mat4 uniform `projection`.
void BeginScene(const GlFrame& frame, const renderer::View& view,
                GLuint program, GLint projection);

// With several samples: averages them into the desktop buffer's client area.
void ResolveSamples(const GlFrame& frame, const ResolvePass& pass);

// The client area as 0x00RRGGBB pixels, rows top first.
std::vector<uint32_t> ReadClient(const GlFrame& frame);

}  // namespace peer
