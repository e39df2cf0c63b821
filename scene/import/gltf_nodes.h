#pragma once
// The nodes of a glTF file's scene, each with its matrix into model space.
#include <vector>

#include "renderer/geometry.h"
#include "scene/import/gltf_access.h"

namespace renderer {

// A node of the scene and the product of its own and its ancestors'
// transforms (column-major, as glTF stores matrices).
struct NodeInstance {
  int node = 0;
  double matrix[16] = {};
};

// The nodes reached from the scene's roots (the scene `scene` names, else
// the first of `scenes`, else every node no other node has as a child),
// depth first, each before its children, children in their listed order.
// Walks with an explicit stack; a node reached twice (a cycle, or a child
// of two parents) is an error, as are bad indices and transforms.
bool SceneNodes(const tinygltf::Model& model, std::vector<NodeInstance>* nodes,
                GltfError* error);

// `matrix` applied to a point.
Vector3 TransformPoint(const double matrix[16], const Vector3& p);

}  // namespace renderer
