// Walking a glTF scene's node tree and composing node transforms.
#include "scene/import/gltf_nodes.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace renderer {

namespace {

std::string NodePlace(size_t node) { return "nodes[" + std::to_string(node) + "]"; }

bool Fail(GltfError* error, std::string place, std::string problem) {
  error->place = std::move(place);
  error->problem = std::move(problem);
  return false;
}

bool AllFinite(const std::vector<double>& values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

void Multiply(const double a[16], const double b[16], double out[16]) {
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
      out[c * 4 + r] = sum;
    }
  }
}

// Translation x rotation (unit quaternion x, y, z, w) x scale.
void ComposeTrs(const double t[3], const double q[4], const double s[3],
                double out[16]) {
  const double x = q[0], y = q[1], z = q[2], w = q[3];
  const double rotation[9] = {
      1 - 2 * (y * y + z * z), 2 * (x * y + z * w),     2 * (x * z - y * w),
      2 * (x * y - z * w),     1 - 2 * (x * x + z * z), 2 * (y * z + x * w),
      2 * (x * z + y * w),     2 * (y * z - x * w),     1 - 2 * (x * x + y * y)};
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) out[c * 4 + r] = rotation[c * 3 + r] * s[c];
    out[c * 4 + 3] = 0;
  }
  out[12] = t[0];
  out[13] = t[1];
  out[14] = t[2];
  out[15] = 1;
}

// The node's own transform: its matrix, or its translation, rotation and
// scale, each checked for length and finite values.
bool LocalMatrix(const tinygltf::Node& node, size_t index, double out[16],
                 GltfError* error) {
  const std::string here = NodePlace(index);
  const std::pair<const std::vector<double>*, const char*> fields[] = {
      {&node.matrix, "matrix"}, {&node.translation, "translation"},
      {&node.rotation, "rotation"}, {&node.scale, "scale"}};
  const size_t lengths[] = {16, 3, 4, 3};
  for (int f = 0; f < 4; ++f) {
    const std::vector<double>& v = *fields[f].first;
    if (!v.empty() && (v.size() != lengths[f] || !AllFinite(v))) {
      return Fail(error, here + "." + fields[f].second,
                  "needs " + std::to_string(lengths[f]) + " finite numbers");
    }
  }
  if (node.matrix.size() == 16) {
    std::memcpy(out, node.matrix.data(), sizeof(double) * 16);
    return true;
  }
  double t[3] = {0, 0, 0}, q[4] = {0, 0, 0, 1}, s[3] = {1, 1, 1};
  if (!node.translation.empty()) std::memcpy(t, node.translation.data(), sizeof t);
  if (!node.scale.empty()) std::memcpy(s, node.scale.data(), sizeof s);
  if (!node.rotation.empty()) {
    const std::vector<double>& r = node.rotation;
    const double length = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2] + r[3] * r[3]);
    if (!(length > 0) || !std::isfinite(length)) {
      return Fail(error, here + ".rotation", "is not a usable quaternion");
    }
    for (int i = 0; i < 4; ++i) q[i] = r[size_t(i)] / length;
  }
  ComposeTrs(t, q, s, out);
  return true;
}

// Checks every child index; fills `isChild`.
bool CheckChildren(const tinygltf::Model& model, std::vector<char>* isChild,
                   GltfError* error) {
  isChild->assign(model.nodes.size(), 0);
  for (size_t n = 0; n < model.nodes.size(); ++n) {
    const std::vector<int>& children = model.nodes[n].children;
    for (size_t c = 0; c < children.size(); ++c) {
      if (children[c] < 0 || size_t(children[c]) >= model.nodes.size()) {
        return Fail(error, NodePlace(n) + ".children[" + std::to_string(c) + "]",
                    "node " + std::to_string(children[c]) + " out of range (" +
                        std::to_string(model.nodes.size()) + " nodes)");
      }
      (*isChild)[size_t(children[c])] = 1;
    }
  }
  return true;
}

// The root list: the scene's nodes, or every node that is nobody's child.
bool SceneRoots(const tinygltf::Model& model, const std::vector<char>& isChild,
                std::vector<int>* roots, std::string* rootsPlace,
                GltfError* error) {
  int scene = model.defaultScene;
  if (scene >= 0 && size_t(scene) >= model.scenes.size()) {
    return Fail(error, "scene", "scene " + std::to_string(scene) +
                                    " out of range (" +
                                    std::to_string(model.scenes.size()) + " scenes)");
  }
  if (scene < 0 && !model.scenes.empty()) scene = 0;
  roots->clear();
  if (scene >= 0) {
    *roots = model.scenes[size_t(scene)].nodes;
    *rootsPlace = "scenes[" + std::to_string(scene) + "].nodes";
    return true;
  }
  *rootsPlace = "nodes";
  for (size_t n = 0; n < model.nodes.size(); ++n) {
    if (isChild[n] == 0) roots->push_back(int(n));
  }
  return true;
}

}  // namespace

bool SceneNodes(const tinygltf::Model& model, std::vector<NodeInstance>* nodes,
                GltfError* error) {
  std::vector<char> isChild;
  std::vector<int> roots;
  std::string rootsPlace;
  if (!CheckChildren(model, &isChild, error) ||
      !SceneRoots(model, isChild, &roots, &rootsPlace, error)) {
    return false;
  }
  static const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::vector<char> visited(model.nodes.size(), 0);
  // Pending nodes with the index of their parent's instance (-1: a root),
  // pushed in reverse so they come off in their listed order.
  std::vector<std::pair<int, int>> stack;
  for (size_t r = roots.size(); r-- > 0;) {
    if (roots[r] < 0 || size_t(roots[r]) >= model.nodes.size()) {
      return Fail(error, rootsPlace + "[" + std::to_string(r) + "]",
                  "node " + std::to_string(roots[r]) + " out of range (" +
                      std::to_string(model.nodes.size()) + " nodes)");
    }
    stack.push_back({roots[r], -1});
  }
  nodes->clear();
  while (!stack.empty()) {
    const auto [node, parent] = stack.back();
    stack.pop_back();
    if (visited[size_t(node)] != 0) {
      return Fail(error, NodePlace(size_t(node)),
                  "reached a second time (the nodes form a cycle, or a node has "
                  "two parents)");
    }
    visited[size_t(node)] = 1;
    double local[16];
    if (!LocalMatrix(model.nodes[size_t(node)], size_t(node), local, error)) {
      return false;
    }
    NodeInstance instance;
    instance.node = node;
    const double* above = parent < 0 ? kIdentity : (*nodes)[size_t(parent)].matrix;
    Multiply(above, local, instance.matrix);
    nodes->push_back(instance);
    const std::vector<int>& children = model.nodes[size_t(node)].children;
    for (size_t c = children.size(); c-- > 0;) {
      stack.push_back({children[c], int(nodes->size() - 1)});
    }
  }
  return true;
}

Vector3 TransformPoint(const double m[16], const Vector3& p) {
  return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
          m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
          m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

}  // namespace renderer
