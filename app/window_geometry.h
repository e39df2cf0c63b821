#pragma once
// Keeps the window record's rectangles, sizes and centres in step with the
// window. Halves are taken by an arithmetic shift right by one.
#include "app/app.h"
#include "platform/window_messages.h"
#include "renderer/render.h"

namespace app {

// Desktop, window and client rectangles, their sizes and centres, the device
// context's origin. A query the platform refuses (before the window and the
// desktop handle exist) leaves the field as it was.
void UpdateWindowMetrics(App& app);

// windowRect becomes the desktop's rectangle; clientRect the client area in
// screen coordinates, clamped to the desktop; clientCentre the centre of the
// unclamped client area.
void UpdateClientGeometry(App& app, platform::WindowHandle window);

// The view's projection centre and viewport from the window's client area,
// as SetDemoProjection sets them; its focal length and near plane stay.
void FitViewToClientArea(const AppWindow& window, renderer::View* view);

}  // namespace app
