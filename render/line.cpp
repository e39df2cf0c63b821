// Line drawing with a 2 x 2 depth block per step and the colour written to
// the step's own pixel.
#include "render/line.h"

#include <cmath>

#include "renderer/int32.h"

namespace renderer {

namespace {

struct LineEnd {
  double x, y, z;
  double channel[3];  // red, green, blue
};

LineEnd MakeEnd(const Vector3& p, uint32_t c) {
  return LineEnd{p.x, p.y, p.z,
                 {double((c >> 16) & 0xFF), double((c >> 8) & 0xFF),
                  double(c & 0xFF)}};
}

// Moves one end to the plane z = n; t is always measured from a, and the
// colour is interpolated between the ends as they were, rounded half up.
LineEnd MoveToNearPlane(const LineEnd& a, const LineEnd& b, double n) {
  const double t = (n - a.z) / (b.z - a.z);
  LineEnd moved{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, n, {}};
  for (int i = 0; i < 3; ++i) {
    moved.channel[i] = double(
        TruncateToInt32(a.channel[i] + (b.channel[i] - a.channel[i]) * t + 0.5));
  }
  return moved;
}

// Everything one step needs: position, colour, and the depth model.
struct LineWalk {
  double sx, sy, stepX, stepY;
  double channel[3], channelStep[3];
  int32_t count;
  bool xMajor;
  bool constantDepth;
  double za, k, bigF, centre;
};

double StepDepth(const LineWalk& w, double f, bool* drawn) {
  *drawn = true;
  if (w.constantDepth) return w.za;
  const double s = w.xMajor ? w.sx : w.sy;
  const double d1 = (s - w.centre + 1) - f * w.k;
  const double d2 = (s - w.centre - 1) - f * w.k;
  const double d = std::fabs(d1) >= std::fabs(d2) ? d1 : d2;
  if (d == 0) {
    *drawn = false;
    return 0;
  }
  if (w.bigF == 0) return w.za;
  return w.bigF / d - 0.1;
}

uint32_t StepColour(const LineWalk& w) {
  const uint32_t r = uint32_t(TruncateToInt32(w.channel[0])) & 255;
  const uint32_t g = uint32_t(TruncateToInt32(w.channel[1])) & 255;
  const uint32_t b = uint32_t(TruncateToInt32(w.channel[2])) & 255;
  return r * 65536 + g * 256 + b;
}

// Tests and writes the 2 x 2 depth block at (x, y); the colour goes to pixel
// (x, y) alone when any cell passes. Cells outside the depth buffer's rows
// (the column right of its last, or past its allocated entries) are left
// out, never wrapped into the next row. Written cells and the pixel are
// noted in `drawn` when it is not null.
void PlotStep(int32_t x, int32_t y, double z, uint32_t colour,
              const FrameView& frameView, const DepthView& depthView,
              Span* drawn) {
  if (x < 0 || y < 0 || x >= frameView.columns || y >= frameView.rows) return;
  bool passed = false;
  for (int32_t cell = 0; cell < 4; ++cell) {
    const int64_t cx = x + (cell & 1);
    const int64_t cy = y + (cell >> 1);
    const int64_t index = cy * depthView.stride + cx;
    if (cx >= depthView.columns || index >= depthView.entries) continue;
    if (z <= depthView.depth[index]) {
      depthView.depth[index] = float(z);
      if (drawn != nullptr) NoteDrawn(drawn, cy, int32_t(cx), int32_t(cx));
      passed = true;
    }
  }
  if (!passed) return;
  frameView.pixels[y * frameView.stride + x] = colour;
  if (drawn != nullptr) NoteDrawn(drawn, y, x, x);
}

void WalkLine(const DrawContext& context, LineWalk w) {
  const View& view = context.view;
  const FrameView frameView = context.frame;
  const DepthView depthView = context.depth;
  const double f = double(view.focalLength);
  for (int32_t step = 0; step < w.count; ++step) {
    const int32_t x = TruncateToInt32(std::ceil(w.sx) - 1.0);
    const int32_t y = TruncateToInt32(std::ceil(w.sy) - 1.0);
    bool drawn;
    const double z = StepDepth(w, f, &drawn);
    const uint32_t colour = StepColour(w);
    if (drawn && view.viewportLeft < x && x < view.viewportRight &&
        view.viewportTop < y && y < view.viewportBottom) {
      PlotStep(x, y, z, colour, frameView, depthView, context.drawn);
    }
    w.sx += w.stepX;
    w.sy += w.stepY;
    for (int i = 0; i < 3; ++i) w.channel[i] += w.channelStep[i];
  }
}

bool OutsideViewport(const View& view, double sxa, double sya, double sxb,
                     double syb) {
  return (sxa <= view.viewportLeft && sxb <= view.viewportLeft) ||
         (sxa >= view.viewportRight && sxb >= view.viewportRight) ||
         (sya <= view.viewportTop && syb <= view.viewportTop) ||
         (sya >= view.viewportBottom && syb >= view.viewportBottom);
}

// Steps along the major axis from a toward b; the colour moves by equal
// steps per pixel and the depth follows M = k z + b0 along the line.
LineWalk MakeWalk(const View& view, const LineEnd& a, const LineEnd& b,
                  double sxa, double sya, double sxb, double syb) {
  const double dX = sxb - sxa;
  const double dY = syb - sya;
  LineWalk w;
  w.sx = sxa;
  w.sy = sya;
  w.xMajor = std::fabs(dX) > std::fabs(dY);
  if (w.xMajor) {
    w.stepX = sxb < sxa ? -1 : 1;
    w.stepY = std::fabs(dY) / std::fabs(dX);
    if (syb < sya) w.stepY = -w.stepY;
    w.count = TruncateToInt32(std::fabs(dX));
  } else {
    w.stepY = syb < sya ? -1 : 1;
    w.stepX = std::fabs(dX) / std::fabs(dY);
    if (sxb < sxa) w.stepX = -w.stepX;
    w.count = TruncateToInt32(std::fabs(dY));
  }
  const double dz = b.z - a.z;
  w.constantDepth = dz == 0;
  w.za = a.z;
  w.k = w.bigF = w.centre = 0;
  if (!w.constantDepth) {
    const double ma = w.xMajor ? a.x : a.y;
    const double mb = w.xMajor ? b.x : b.y;
    w.centre = w.xMajor ? view.centreX : view.centreY;
    w.k = (mb - ma) / dz;
    w.bigF = double(view.focalLength) * (ma - w.k * a.z);
  }
  for (int i = 0; i < 3; ++i) {
    w.channel[i] = a.channel[i];
    w.channelStep[i] = w.count > 0 ? (b.channel[i] - a.channel[i]) / w.count : 0;
  }
  return w;
}

}  // namespace

void DrawLine(const DrawContext& context, uint32_t fromColour,
              uint32_t toColour, const Vector3& a, const Vector3& b) {
  const View& view = context.view;
  LineEnd ea = MakeEnd(a, fromColour);
  LineEnd eb = MakeEnd(b, toColour);
  const double n = double(view.nearZ);
  if (ea.z < n && eb.z < n) return;
  if (ea.z < n) {
    ea = MoveToNearPlane(ea, eb, n);
  } else if (eb.z < n) {
    eb = MoveToNearPlane(ea, eb, n);
  }
  // Only a near plane at or behind the eye lets an end reach z = 0, where
  // it projects nowhere.
  if (ea.z == 0 || eb.z == 0) return;

  const double f = double(view.focalLength);
  const double sxa = ea.x * f / ea.z + view.centreX;
  const double sya = ea.y * f / ea.z + view.centreY;
  const double sxb = eb.x * f / eb.z + view.centreX;
  const double syb = eb.y * f / eb.z + view.centreY;
  const double dX = sxb - sxa;
  const double dY = syb - sya;
  if (OutsideViewport(view, sxa, sya, sxb, syb)) return;
  if (dX == 0 && dY == 0) return;
  // Written so that not-a-number is refused too.
  if (!(std::fabs(dX) <= 20000) || !(std::fabs(dY) <= 20000)) return;
  const LineWalk walk = MakeWalk(view, ea, eb, sxa, sya, sxb, syb);
  if (walk.count > 0) WalkLine(context, walk);
}

}  // namespace renderer
