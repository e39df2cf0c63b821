#include "app/controls.h"

#include "app/window_geometry.h"
#include "platform/message_queue.h"
#include "renderer/int32.h"
#include "renderer/renderer.h"

namespace app {

using namespace platform;
using renderer::SaturateToInt32;

namespace {

// The selected object, or null when the selection names no object.
renderer::SceneObject* SelectedObject(App& app) {
  std::vector<renderer::SceneObject>& objects = app.scene.scene.objects;
  const int32_t selected = app.selectedObject;
  if (selected < 0 || size_t(selected) >= objects.size()) return nullptr;
  return &objects[size_t(selected)];
}

int32_t ObjectCount(const App& app) {
  return static_cast<int32_t>(app.scene.scene.objects.size());
}

int32_t AddSaturated(int32_t value, int32_t step) {
  return SaturateToInt32(int64_t{value} + step);
}

void FollowClientArea(App& app, WindowHandle window) {
  UpdateClientGeometry(app, window);
  FitViewToClientArea(app.window, &app.scene.view);
}

// The cursor of a mouse message relative to the client area's centre; the
// two halves of lParam are taken as unsigned.
IntPoint CursorFromCentre(const AppWindow& w, intptr_t lParam) {
  const uint32_t packed = static_cast<uint32_t>(lParam);
  const int64_t x = packed & 0xFFFF;
  const int64_t y = (packed >> 16) & 0xFFFF;
  return {SaturateToInt32(x + w.clientRect.left - w.clientCentre.x),
          SaturateToInt32(y + w.clientRect.top - w.clientCentre.y)};
}

void DragTo(App& app, intptr_t lParam) {
  const IntPoint p = CursorFromCentre(app.window, lParam);
  const IntPoint last = app.dragLast;
  renderer::SceneObject* s = SelectedObject(app);
  if (s != nullptr) {
    renderer::RotateObjectY(
        *s, static_cast<double>(int64_t{p.x} - last.x) / -5.0);
    renderer::RotateObjectX(
        *s, static_cast<double>(int64_t{p.y} - last.y) / -5.0);
  }
  app.dragLast = p;
}

// Keys that change the selection, the display or the projection.
bool HandleViewKey(App& app, uint32_t key) {
  int32_t& selected = app.selectedObject;
  int32_t& focalLength = app.scene.view.focalLength;
  switch (key) {
    case kKeyEscape: PostQuitMessage(app.platform, 0); return true;
    case kKeyPageUp:
      selected = selected < ObjectCount(app) - 1 ? selected + 1 : 0;
      return true;
    case kKeyPageDown:
      selected = selected > 0 ? selected - 1 : ObjectCount(app) - 1;
      return true;
    case '1': app.helpVisible = !app.helpVisible; return true;
    case 'O': app.textureScrollPaused = !app.textureScrollPaused; return true;
    case 'P': app.rotationPaused = !app.rotationPaused; return true;
    case 'X':
      // Never below 100.
      if (focalLength > 100) focalLength -= 10;
      return true;
    case 'Z': focalLength = AddSaturated(focalLength, 10); return true;
    default: return false;
  }
}

// Keys that turn, move, scale or reset the selected object.
void HandleObjectKey(uint32_t key, renderer::SceneObject* s) {
  using namespace renderer;
  int32_t* position = s->position;
  switch (key) {
    case kKeyLeft: RotateObjectZ(*s, 1); break;
    case kKeyUp: position[2] = AddSaturated(position[2], 10); break;
    case kKeyRight: RotateObjectZ(*s, -1); break;
    case kKeyDown: position[2] = AddSaturated(position[2], -10); break;
    case kKeyPad0 + 1: RotateObjectX(*s, -1); break;
    case kKeyPad0 + 2: position[1] = AddSaturated(position[1], 10); break;
    case kKeyPad0 + 3: RotateObjectY(*s, 1); break;
    case kKeyPad0 + 4: position[0] = AddSaturated(position[0], -10); break;
    case kKeyPad0 + 5: ResetObject(*s); break;
    case kKeyPad0 + 6: position[0] = AddSaturated(position[0], 10); break;
    case kKeyPad0 + 7: RotateObjectX(*s, 1); break;
    case kKeyPad0 + 8: position[1] = AddSaturated(position[1], -10); break;
    case kKeyPad0 + 9: RotateObjectY(*s, -1); break;
    case kKeyPadAdd: ScaleObject(*s, 1.1); break;
    case kKeyPadSubtract: ScaleObject(*s, 0.9); break;
    default: break;
  }
}

void HandleKey(App& app, uint32_t key) {
  if (HandleViewKey(app, key)) return;
  renderer::SceneObject* s = SelectedObject(app);
  if (s != nullptr) HandleObjectKey(key, s);
}

}  // namespace

int32_t HandleAppMessage(App& app, WindowHandle window, uint32_t message,
                         uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case kMsgCreate: UpdateClientGeometry(app, window); break;
    case kMsgMove:
    case kMsgSize:
    case kMsgPaint: FollowClientArea(app, window); break;
    case kMsgKeyDown:
      HandleKey(app, wParam <= 0xFFFFFFFFu ? static_cast<uint32_t>(wParam) : 0);
      break;
    case kMsgMouseMove:
      if (app.dragging) DragTo(app, lParam);
      break;
    case kMsgLeftButtonDown:
      app.dragging = 1;
      app.dragLast = CursorFromCentre(app.window, lParam);
      break;
    case kMsgLeftButtonUp: app.dragging = 0; break;
    default: break;
  }
  return 0;
}

}  // namespace app
