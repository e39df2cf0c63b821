#pragma once
// glTF accessors read only after every offset, stride and count has been
// checked against the bufferView and buffer behind it.
#include <tiny_gltf.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace renderer {

// A checked accessor: `count` elements of `components` numbers each, the
// first at `data`, each `stride` bytes after the one before.
struct AccessorView {
  const uint8_t* data = nullptr;
  size_t count = 0;
  size_t stride = 0;
  int componentType = 0;
  int components = 0;
  bool normalized = false;
};

// An error: the place in the file (a JSON path) and what is wrong there.
struct GltfError {
  std::string place;
  std::string problem;
};

// Checks accessors[`index`], named at `place` by its user, and that its
// type is a scalar or vector whose component count n is allowed
// (`allowedCounts` bit 1 << n).
bool ViewAccessor(const tinygltf::Model& model, int index,
                  const std::string& place, uint32_t allowedCounts,
                  AccessorView* view, GltfError* error);

// Checks bufferViews[`index`] against its buffer; on success `bytes` and
// `length` give its contents.
bool ViewBufferView(const tinygltf::Model& model, int index,
                    const std::string& place, const uint8_t** bytes,
                    size_t* length, GltfError* error);

// Component `c` of element `i` as a double: floats as stored, normalised
// integers scaled to 0..1 (-1..1 when signed), other integers as stored.
double ReadNumber(const AccessorView& view, size_t i, int c);

// The first element with a component that is not a finite number (only
// float components can be one), or view.count when there is none.
size_t FirstNonFinite(const AccessorView& view);

// Element `i` of an index accessor (unsigned byte, short or int).
uint32_t ReadIndex(const AccessorView& view, size_t i);

constexpr uint32_t kScalar = 1u << 1;
constexpr uint32_t kVec2 = 1u << 2;
constexpr uint32_t kVec3 = 1u << 3;
constexpr uint32_t kVec4 = 1u << 4;

}  // namespace renderer
