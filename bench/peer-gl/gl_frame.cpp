// The peer's buffers, projection, clear, resolve and read-back.
#include "bench/peer-gl/gl_frame.h"

namespace peer {

namespace {

void CreateBuffers(int32_t width, int32_t height, GlBuffers* out) {
  out->width = width;
  out->height = height;
  glGenFramebuffers(1, &out->frameBuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, out->frameBuffer);
  glGenTextures(1, &out->colour);
  glBindTexture(GL_TEXTURE_2D, out->colour);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8UI, width, height, 0,
               GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                         out->colour, 0);
  glGenRenderbuffers(1, &out->depth);
  glBindRenderbuffer(GL_RENDERBUFFER, out->depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT32F, width, height);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT,
                            GL_RENDERBUFFER, out->depth);
  const GLuint zero[4] = {0, 0, 0, 0};
  glClearBufferuiv(GL_COLOR, 0, zero);
}

// Camera space (x right, y down, z away) to clip space for a width x height
// viewport whose pixel (x, y), rows from the top, samples the renderer's
// point (x, y): screen x = x f / z + cx, screen y = y f / z + cy, and GL's
// pixel centres lie half a pixel in. Clip z is 1 with w = z, so window depth
// is 1 / z (with the [0, 1] depth range): nearer is larger, and the near
// plane is z = 1, where the renderer clips.
void LoadProjection(GLint location, double f, double cx, double cy,
                    int32_t width, int32_t height) {
  const double w = width;
  const double h = height;
  const GLfloat m[16] = {  // column-major: x, y, z, 1 columns
      GLfloat(2 * f / w), 0, 0, 0,
      0, GLfloat(-2 * f / h), 0, 0,
      GLfloat(2 * (cx + 0.5) / w - 1), GLfloat(1 - 2 * (cy + 0.5) / h), 0, 1,
      0, 0, 1, 0};
  glUniformMatrix4fv(location, 1, GL_FALSE, m);
}

}  // namespace

void CreateFrame(const FrameSizes& sizes, int32_t samples, GlFrame* frame) {
  frame->sizes = sizes;
  frame->factor = samples == 16 ? 4 : samples == 4 ? 2 : 1;
  CreateBuffers(sizes.desktopWidth, sizes.desktopHeight, &frame->desktop);
  if (frame->factor > 1) {
    CreateBuffers(sizes.clientWidth * frame->factor,
                  sizes.clientHeight * frame->factor, &frame->samples);
  }
  glGenVertexArrays(1, &frame->emptyArray);
}

void BeginScene(const GlFrame& frame, const renderer::View& view,
                GLuint program, GLint projection) {
  const int32_t k = frame.factor;
  const GlBuffers& target = k > 1 ? frame.samples : frame.desktop;
  const int32_t width = frame.sizes.clientWidth * k;
  const int32_t height = frame.sizes.clientHeight * k;
  glBindFramebuffer(GL_FRAMEBUFFER, target.frameBuffer);
  glDisable(GL_SCISSOR_TEST);
  const GLfloat far = 0;
  glClearBufferfv(GL_DEPTH, 0, &far);
  // The client area, at the top left, rows counted from GL's bottom row.
  glViewport(0, target.height - height, width, height);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, target.height - height, width, height);
  const GLuint grey[4] = {(renderer::kBackgroundColour >> 16) & 255u,
                          (renderer::kBackgroundColour >> 8) & 255u,
                          renderer::kBackgroundColour & 255u, 255u};
  glClearBufferuiv(GL_COLOR, 0, grey);
  glDisable(GL_SCISSOR_TEST);
  glUseProgram(program);
  const double shift = (k - 1) / 2.0;
  LoadProjection(projection, double(k) * view.focalLength,
                 k * view.centreX - shift, k * view.centreY - shift, width,
                 height);
}

void ResolveSamples(const GlFrame& frame, const ResolvePass& pass) {
  if (frame.factor == 1) return;
  const FrameSizes& s = frame.sizes;
  glBindFramebuffer(GL_FRAMEBUFFER, frame.desktop.frameBuffer);
  glViewport(0, s.desktopHeight - s.clientHeight, s.clientWidth,
             s.clientHeight);
  glDisable(GL_DEPTH_TEST);
  glUseProgram(pass.program);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, frame.samples.colour);
  glUniform1i(pass.samples, 0);
  glUniform1i(pass.factor, frame.factor);
  glUniform1i(pass.top, s.desktopHeight - 1);
  glUniform1i(pass.sampleRows, frame.samples.height);
  glBindVertexArray(frame.emptyArray);
  glDrawArrays(GL_TRIANGLES, 0, 3);
  glEnable(GL_DEPTH_TEST);
}

std::vector<uint32_t> ReadClient(const GlFrame& frame) {
  const FrameSizes& s = frame.sizes;
  std::vector<uint8_t> rgba(size_t(s.clientWidth) * size_t(s.clientHeight) * 4);
  glBindFramebuffer(GL_FRAMEBUFFER, frame.desktop.frameBuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, s.desktopHeight - s.clientHeight, s.clientWidth,
               s.clientHeight, GL_RGBA_INTEGER, GL_UNSIGNED_BYTE, rgba.data());
  std::vector<uint32_t> pixels(size_t(s.clientWidth) * size_t(s.clientHeight));
  for (int32_t y = 0; y < s.clientHeight; ++y) {
    // GL's rows run bottom-up.
    const uint8_t* row = rgba.data() + size_t(s.clientHeight - 1 - y) * size_t(s.clientWidth) * 4;
    for (int32_t x = 0; x < s.clientWidth; ++x) {
      const uint8_t* p = row + size_t(x) * 4;
      pixels[size_t(y) * size_t(s.clientWidth) + size_t(x)] =
          (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
  }
  return pixels;
}

}  // namespace peer
