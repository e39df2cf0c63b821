#pragma once
// The demo: the built-in model (a cube of side 1600 with four fins), its
// seven images, the scene and projection the desktop program starts with,
// and its animation step.
#include <cstdint>
#include <vector>

#include "renderer/geometry.h"
#include "renderer/mesh.h"
#include "renderer/render.h"
#include "renderer/scene.h"
#include "renderer/texture.h"

namespace renderer {

// The built-in model's images: six faces, then the fins.
constexpr int kTextureSlotCount = 7;

// The built-in model's vertex and triangle counts; triangles from
// kFirstFinTriangle on are the fins.
constexpr int kModelVertexCount = 16;
constexpr int kModelTriangleCount = 20;
constexpr int kFirstFinTriangle = 12;

// File names of the seven images, e.g. "corvik.bmp", in slot order.
extern const char kTextureFileNames[kTextureSlotCount][12];

// Loads the seven images from `folder` ("" or null: the working directory),
// each by its bare name, then from a fallback folder relative to it; an
// image found in neither stays empty. Slots 0 to 5 have pure white made
// opaque.
std::vector<Texture> LoadTexturesFrom(const char* folder);

// The built-in model; its triangles use textures firstTexture ..
// firstTexture + 6, their texel coordinates spanning each image's size as
// `textures` gives it (an empty image gives 0 x 0).
Mesh BuildModel(const std::vector<Texture>& textures, int32_t firstTexture = 0);

// One step of the demo's animation: unless rotation is paused, turns
// `object` by 0.5 degrees about X, then 1 degree about Y; unless scrolling
// is paused, scrolls `model`'s fins (u += 10 on every corner of the built-in
// model's triangles 12 to 19, fewer when `model` has fewer). Either pointer
// may be null: optional out-parameters are pointers.
void AnimateStep(SceneObject* object, Mesh* model, bool rotationPaused,
                 bool textureScrollPaused);

// The demo's scene: the seven images from `textureFolder` (as
// LoadTexturesFrom), the built-in model as mesh 0, and one object at
// (0, 0, 3200) showing it, which also lights the scene.
Scene MakeDemoScene(const char* textureFolder);

// Focal length 400, near z 2, centre from `clientCentre` relative to the
// client area's top-left, viewport (0, 0, client width, client height).
void SetDemoProjection(View& view, const Rect& clientRect,
                       const IntPoint& clientCentre);

}  // namespace renderer
