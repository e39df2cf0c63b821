#pragma once
// The renderer's state and the per-frame scene pass.
#include <cstdint>

#include "scene/scene_object.h"

struct ProjectedVertex {
  double screenX;
  double screenY;
  int32_t visible;  // 1: camera z > 1 and screenX/Y are this frame's
};

struct Span {
  int32_t first;  // first covered column, inclusive
  int32_t last;   // last covered column, inclusive
};

constexpr int32_t kSpanTableRows = 900;
constexpr uint32_t kDepthClearBits = 0x62432809u;  // 9.0e20f

struct RenderContext {
  float* zBuffer;  // the ZBuffer, owned
  int32_t firstRow;
  int32_t middleRow;
  int32_t lastRow;
  Span* spanTable;  // owned
  int32_t focalLength;
  int32_t nearZ;
  int32_t viewportLeft;
  int32_t viewportTop;
  int32_t viewportRight;
  int32_t viewportBottom;
  double centreX;
  double centreY;
  ProjectedVertex** projectedVertices;  // one array per object
  // Allocated sizes, so that every index can be kept inside its buffer.
  int64_t zBufferEntries;
  int32_t spanTableRows;
};

extern RenderContext renderContext;

void AllocateRenderBuffers(RenderContext* context);
void ClearZBuffer();
void TransformObject(SceneObject* object);
void ProjectVertices();
void RenderScene();
