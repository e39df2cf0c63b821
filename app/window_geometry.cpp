#include "app/window_geometry.h"

#include <algorithm>

#include "platform/window_system.h"
#include "renderer/demo.h"
#include "renderer/int32.h"

namespace app {

using namespace platform;
using renderer::SaturateToInt32;

namespace {

void CopyRect(const PlatformRect& from, Rect* to) {
  *to = {from.left, from.top, from.right, from.bottom};
}

// Width and height; saturated, so that no rectangle can overflow them.
IntPoint SizeOf(const Rect& r) {
  return {SaturateToInt32(int64_t{r.right} - r.left),
          SaturateToInt32(int64_t{r.bottom} - r.top)};
}

IntPoint CentreOf(const Rect& r) {
  const IntPoint size = SizeOf(r);
  return {SaturateToInt32(int64_t{r.left} + (size.x >> 1)),
          SaturateToInt32(int64_t{r.top} + (size.y >> 1))};
}

// Bytes per frame-buffer row. Once the buffer exists its rows never change,
// whatever display the window moves to.
int32_t PitchFor(const AppWindow& w) {
  const int32_t width =
      w.frameBufferSize.x > 0 ? w.frameBufferSize.x : w.desktopSize.x;
  return SaturateToInt32(int64_t{width} * 4);
}

}  // namespace

void UpdateWindowMetrics(App& app) {
  AppWindow& w = app.window;
  const Platform& platform = app.platform;
  PlatformRect rect;
  if (GetWindowRect(platform, w.desktopWindow, &rect)) {
    CopyRect(rect, &w.desktopRect);
  }
  if (GetWindowRect(platform, w.hwnd, &rect)) CopyRect(rect, &w.windowRect);
  if (GetClientRect(w.hwnd, &rect)) CopyRect(rect, &w.clientRect);
  PlatformPoint origin;
  if (GetDCOrgEx(w.windowDc, &origin)) w.dcOrigin = {origin.x, origin.y};

  w.desktopSize = SizeOf(w.desktopRect);
  w.desktopCentre = CentreOf(w.desktopRect);
  w.windowSize = SizeOf(w.windowRect);
  w.windowCentre = CentreOf(w.windowRect);
  w.clientSize = SizeOf(w.clientRect);
  w.clientCentre = {w.clientSize.x >> 1, w.clientSize.y >> 1};
  w.pitch = PitchFor(w);
}

void UpdateClientGeometry(App& app, WindowHandle window) {
  AppWindow& w = app.window;
  PlatformRect rect;
  if (GetWindowRect(app.platform, GetDesktopWindow(app.platform), &rect)) {
    CopyRect(rect, &w.windowRect);
  }

  PlatformPoint origin = {0, 0};
  DeviceContext* dc = GetDC(window);
  GetDCOrgEx(dc, &origin);
  ReleaseDC(window, dc);

  PlatformRect client;
  if (!GetClientRect(window, &client)) return;
  Rect& c = w.clientRect;
  c = {SaturateToInt32(int64_t{client.left} + origin.x),
       SaturateToInt32(int64_t{client.top} + origin.y),
       SaturateToInt32(int64_t{client.right} + origin.x),
       SaturateToInt32(int64_t{client.bottom} + origin.y)};
  w.clientCentre = CentreOf(c);

  const Rect& desktop = w.windowRect;
  c.right = std::min(c.right, desktop.right);
  c.bottom = std::min(c.bottom, desktop.bottom);
  c.left = std::max(c.left, desktop.left);
  c.top = std::max(c.top, desktop.top);
}

void FitViewToClientArea(const AppWindow& window, renderer::View* view) {
  const int32_t focalLength = view->focalLength;
  const int32_t nearZ = view->nearZ;
  renderer::SetDemoProjection(*view, window.clientRect, window.clientCentre);
  view->focalLength = focalLength;
  view->nearZ = nearZ;
}

}  // namespace app
