#pragma once
// The fills for the looks beside the flat one (renderer/looks.h): smooth
// shading of every triangle, and bilinear texels. Coverage and depth are
// exactly the flat look's (the untextured fill tests z in double, the
// textured one in float); only the colours differ.
#include <cstdint>

#include "render/clip.h"
#include "render/smooth_light.h"

namespace renderer {

// What the looks fills need beyond the clipped triangle.
struct LooksTriangle {
  const SmoothLight* smooth;  // the light, or null for flat shading
  uint32_t colour;            // the mesh triangle's colour (corner 0)
  bool bilinear;              // textured: bilinear texels
};

// True when the frame's look draws this triangle with the looks fills:
// smooth shading draws every triangle there, bilinear filtering the
// textured ones.
inline bool UsesLooksFill(const Looks& looks, const MeshTriangle& triangle) {
  if (looks.shading == Shading::kSmooth) return true;
  return looks.textureFilter == TextureFilter::kBilinear &&
         triangle.texture != kNoTexture;
}

// The light of a frame: the flat look's (SceneLight); in smooth shading
// the light object's position when that object draws nothing (no mesh, or
// one without triangles and lines), else the viewer (0, 0, 0).
IntVertex FrameLight(const Scene& scene, const Looks& looks);

// Points each object's frame vertices at its mesh's corner normals (worked
// out on first use) and its orientation when the look is smooth, else at
// none. Runs before the frame is drawn, on the calling thread.
void PrepareLooks(Workspace& workspace, const Scene& scene,
                  const Looks& looks);

// Classifies, clips and fills one mesh triangle with the looks fills
// (DrawTriangle has dropped it already when it misses the band's rows).
void DrawTriangleWithLooks(DrawContext& context, const ObjectFrame& object,
                           const MeshTriangle& triangle,
                           const Texture* texture);

// Run the workspace's fill version.
void FillUntexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                         const LooksTriangle& looks);
void FillTexturedLooks(DrawContext& context, const ClippedTriangle& triangle,
                       const LooksTriangle& looks);

// The plain, one-pixel-at-a-time fills: the reference. The untextured one
// needs the light.
void FillUntexturedLooksPlain(DrawContext& context,
                              const ClippedTriangle& triangle,
                              const LooksTriangle& looks);
void FillTexturedLooksPlain(DrawContext& context,
                            const ClippedTriangle& triangle,
                            const LooksTriangle& looks);

}  // namespace renderer
