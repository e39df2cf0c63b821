#pragma once
// The renderer's public interface: include this one header.
//   scene.h   textures, meshes, objects and their turns
//   render.h  view, frame target, workspace, RenderFrame
//   demo.h    the built-in model and the demo scene
#include "renderer/geometry.h"
#include "renderer/mesh.h"
#include "renderer/render.h"
#include "renderer/scene.h"
#include "renderer/texture.h"
