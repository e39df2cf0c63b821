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
  int32_t projectedObjectCount;    // objects with a projected-vertex array
  int32_t* projectedVertexCounts;  // entries of each of those arrays
};

extern RenderContext renderContext;

// Allocates the projected-vertex arrays (one per object, sized from its
// mesh), the span table (at least 900 rows, and one more than windowRect's
// height) and the depth buffer ((W + 1) x (H + 1) entries from windowRect).
// Buffers from an earlier call are released first.
void AllocateRenderBuffers(RenderContext* context);

// Resets every allocated depth entry to 9.0e20f, the spare ones past W x H
// included, so that no stale depth ever survives into a frame.
void ClearZBuffer();

// Camera-space vertices (and vectors) of `object`; results past the int32
// range saturate.
void TransformObject(SceneObject* object);
void ProjectVertices();

// One frame's scene into the frame buffer and depth buffer. Objects without
// a mesh, or whose mesh outgrew the arrays allocated for them, are skipped.
void RenderScene();

// True when object i has a mesh, buffers and projected vertices enough for
// it, so the scene pass may transform, project and draw it.
bool ObjectIsRenderable(int32_t objectIndex);
