#pragma once
// The renderer's public interface: include this one header.
//
// One convention throughout: a parameter the function writes and the
// caller must supply is a reference (Texture& texture); a pointer is either
// memory the caller owns (pixels, depth) or an optional out-parameter that
// may be null (AnimateStep's object and model). Inputs are values, const
// references or C strings. Failures return false with a one-line message
// where there is one to give; the library never prints or exits.
//
//   geometry.h      vectors, vertices, rectangles
//   int32.h         int32 conversions that saturate
//   texture.h       images and BMP files
//   mesh.h          vertices, triangles and lines
//   scene.h         textures, meshes, objects and their turns
//   render.h        view, frame target, workspace, RenderFrame
//   frame_memory.h  frame and depth memory, and a target that owns both
//   demo.h          the built-in model and the demo scene
//   model.h         model files (.obj, .gltf, .glb) made into a mesh
//   scene_file.h    scene files loaded into a scene ready to draw, and written
#include "renderer/demo.h"
#include "renderer/frame_memory.h"
#include "renderer/geometry.h"
#include "renderer/int32.h"
#include "renderer/mesh.h"
#include "renderer/model.h"
#include "renderer/render.h"
#include "renderer/scene.h"
#include "renderer/scene_file.h"
#include "renderer/texture.h"
