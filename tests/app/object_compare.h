#pragma once
// Comparing an object's placement with one computed by the same calls.
#include <gtest/gtest.h>

#include <cstring>

#include "renderer/renderer.h"

using renderer::SceneObject;

// A detached copy of an object's orientation and position, for applying the
// expected turns to (no buffers, no mesh).
inline SceneObject PlacementOf(const SceneObject& object) {
  SceneObject copy{};
  std::memcpy(copy.orientation, object.orientation, sizeof copy.orientation);
  std::memcpy(copy.position, object.position, sizeof copy.position);
  return copy;
}

// Bit for bit: the same calls must give the same doubles.
inline bool SamePlacement(const SceneObject& a, const SceneObject& b) {
  return std::memcmp(a.orientation, b.orientation, sizeof a.orientation) == 0 &&
         std::memcmp(a.position, b.position, sizeof a.position) == 0;
}
