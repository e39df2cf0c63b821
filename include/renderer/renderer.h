#pragma once
// The renderer's public interface: include this one header.
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
