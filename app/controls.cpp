#include "app/controls.h"

#include "app/app_window.h"
#include "app/demo.h"
#include "app/frame_composer.h"
#include "app/saturate.h"
#include "app/window_geometry.h"
#include "platform/message_queue.h"
#include "renderer/renderer.h"

int32_t selectedObject = 0;
int32_t dragging = 0;
IntPoint dragLast = {350, 350};

namespace {

// The selected object, or null when the selection names no object.
renderer::SceneObject* SelectedObject() {
  std::vector<renderer::SceneObject>& objects = appScene.scene.objects;
  if (selectedObject < 0 || size_t(selectedObject) >= objects.size()) {
    return nullptr;
  }
  return &objects[size_t(selectedObject)];
}

int32_t ObjectCount() {
  return static_cast<int32_t>(appScene.scene.objects.size());
}

int32_t AddSaturated(int32_t value, int32_t step) {
  return SaturateToInt32(int64_t{value} + step);
}

void FollowClientArea(WindowHandle window) {
  UpdateClientGeometry(window);
  const AppWindow& w = *appWindow;
  renderer::View& c = appScene.view;
  c.centreX =
      static_cast<double>(int64_t{w.clientCentre.x} - w.clientRect.left);
  c.centreY = static_cast<double>(int64_t{w.clientCentre.y} - w.clientRect.top);
  c.viewportLeft = 0;
  c.viewportTop = 0;
  c.viewportRight =
      SaturateToInt32(int64_t{w.clientRect.right} - w.clientRect.left);
  c.viewportBottom =
      SaturateToInt32(int64_t{w.clientRect.bottom} - w.clientRect.top);
}

// The cursor of a mouse message relative to the client area's centre; the
// two halves of lParam are taken as unsigned.
IntPoint CursorFromCentre(intptr_t lParam) {
  const uint32_t packed = static_cast<uint32_t>(lParam);
  const int64_t x = packed & 0xFFFF;
  const int64_t y = (packed >> 16) & 0xFFFF;
  const AppWindow& w = *appWindow;
  return {SaturateToInt32(x + w.clientRect.left - w.clientCentre.x),
          SaturateToInt32(y + w.clientRect.top - w.clientCentre.y)};
}

void DragTo(intptr_t lParam) {
  const IntPoint p = CursorFromCentre(lParam);
  renderer::SceneObject* s = SelectedObject();
  if (s != nullptr) {
    renderer::RotateObjectY(
        *s, static_cast<double>(int64_t{p.x} - dragLast.x) / -5.0);
    renderer::RotateObjectX(
        *s, static_cast<double>(int64_t{p.y} - dragLast.y) / -5.0);
  }
  dragLast = p;
}

// Keys that change the selection, the display or the projection.
bool HandleViewKey(uint32_t key) {
  switch (key) {
    case kKeyEscape: PostQuitMessage(0); return true;
    case kKeyPageUp:
      selectedObject =
          selectedObject < ObjectCount() - 1 ? selectedObject + 1 : 0;
      return true;
    case kKeyPageDown:
      selectedObject =
          selectedObject > 0 ? selectedObject - 1 : ObjectCount() - 1;
      return true;
    case '1': helpVisible = !helpVisible; return true;
    case 'O': textureScrollPaused = !textureScrollPaused; return true;
    case 'P': rotationPaused = !rotationPaused; return true;
    case 'X':
      // Never below 100.
      if (appScene.view.focalLength > 100) appScene.view.focalLength -= 10;
      return true;
    case 'Z':
      appScene.view.focalLength = AddSaturated(appScene.view.focalLength, 10);
      return true;
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

void HandleKey(uint32_t key) {
  if (HandleViewKey(key)) return;
  renderer::SceneObject* s = SelectedObject();
  if (s != nullptr) HandleObjectKey(key, s);
}

}  // namespace

int32_t HandleAppMessage(uint32_t message, intptr_t lParam, uintptr_t wParam,
                         WindowHandle window) {
  switch (message) {
    case kMsgCreate: UpdateClientGeometry(window); break;
    case kMsgMove:
    case kMsgSize:
    case kMsgPaint: FollowClientArea(window); break;
    case kMsgKeyDown:
      HandleKey(wParam <= 0xFFFFFFFFu ? static_cast<uint32_t>(wParam) : 0);
      break;
    case kMsgMouseMove:
      if (dragging) DragTo(lParam);
      break;
    case kMsgLeftButtonDown:
      dragging = 1;
      dragLast = CursorFromCentre(lParam);
      break;
    case kMsgLeftButtonUp: dragging = 0; break;
    default: break;
  }
  return 0;
}
