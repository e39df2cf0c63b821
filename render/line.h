#pragma once
// 3D lines: clipped at the near plane, projected, stepped one pixel at a
// time along the major screen axis with linearly interpolated colour and a
// perspective-correct depth pulled 0.1 toward the viewer.
#include <cstdint>

#include "render/draw_area.h"

namespace renderer {

// a and b are camera-space end points; fromColour belongs to a, toColour to
// b (0x00RRGGBB, top byte ignored). End b's own pixel is never drawn.
void DrawLine(const DrawContext& context, uint32_t fromColour,
              uint32_t toColour, const Vector3& a, const Vector3& b);

}  // namespace renderer
