#include "scenefile/scene_layout.h"

#include <string>

namespace renderer {

namespace {

std::string SizeText(int32_t width, int32_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

int32_t CheckClient(const SceneDescription& scene,
                    const SceneOverrides& overrides, SceneError* error) {
  const std::string frame = " (the frame buffer is " +
                            SizeText(scene.frameWidth, scene.frameHeight) + ")";
  if (overrides.hasClient) {
    if (scene.clientWidth > scene.frameWidth ||
        scene.clientHeight > scene.frameHeight) {
      return Refuse(error, "--client",
                    SizeText(scene.clientWidth, scene.clientHeight) +
                        " does not fit in the frame buffer" + frame);
    }
    return 1;
  }
  if (scene.clientWidth > scene.frameWidth) {
    return Refuse(error, "client.width",
                  std::to_string(scene.clientWidth) +
                      " is wider than the frame buffer" + frame);
  }
  if (scene.clientHeight > scene.frameHeight) {
    return Refuse(error, "client.height",
                  std::to_string(scene.clientHeight) +
                      " is taller than the frame buffer" + frame);
  }
  return 1;
}

int32_t CheckViewportSide(int32_t value, int32_t limit, const char* side,
                          const char* limitName, SceneError* error) {
  if (value >= 0 && value <= limit) return 1;
  return Refuse(error, std::string("viewport.") + side,
                std::to_string(value) + " is outside 0 to " +
                    std::to_string(limit) + " (the frame buffer's " +
                    limitName + ")");
}

}  // namespace

int32_t ApplySceneOverrides(const SceneOverrides& overrides,
                            SceneDescription* scene, SceneError* error) {
  if (overrides.hasClient) {
    scene->clientWidth = overrides.clientWidth;
    scene->clientHeight = overrides.clientHeight;
  }
  if (overrides.hasDesktop) {
    scene->frameWidth = overrides.desktopWidth;
    scene->frameHeight = overrides.desktopHeight;
  }
  ResolveViewportAndCentre(scene);
  return CheckSceneLayout(*scene, overrides, error);
}

int32_t CheckSceneLayout(const SceneDescription& scene,
                         const SceneOverrides& overrides, SceneError* error) {
  // The viewport's right and bottom bounds are drawn to, so they may reach
  // the frame buffer's width and height only because the renderer keeps its
  // writes inside the buffer; anything further out is a mistake.
  return CheckClient(scene, overrides, error) &&
         CheckViewportSide(scene.viewportLeft, scene.frameWidth, "left",
                           "width", error) &&
         CheckViewportSide(scene.viewportTop, scene.frameHeight, "top",
                           "height", error) &&
         CheckViewportSide(scene.viewportRight, scene.frameWidth, "right",
                           "width", error) &&
         CheckViewportSide(scene.viewportBottom, scene.frameHeight, "bottom",
                           "height", error);
}

}  // namespace renderer
