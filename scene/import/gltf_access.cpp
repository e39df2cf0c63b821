// Checked views of glTF bufferViews and accessors.
#include "scene/import/gltf_access.h"

#include <cmath>
#include <cstring>

namespace renderer {

namespace {

int ComponentBytes(int componentType) {
  switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
      return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT:
      return 4;
    default:
      return 0;
  }
}

int ComponentCount(int type) {
  switch (type) {
    case TINYGLTF_TYPE_SCALAR:
      return 1;
    case TINYGLTF_TYPE_VEC2:
      return 2;
    case TINYGLTF_TYPE_VEC3:
      return 3;
    case TINYGLTF_TYPE_VEC4:
      return 4;
    default:
      return 0;
  }
}

bool Fail(GltfError* error, std::string place, std::string problem) {
  error->place = std::move(place);
  error->problem = std::move(problem);
  return false;
}

std::string Indexed(const char* list, int index) {
  return std::string(list) + "[" + std::to_string(index) + "]";
}

// Checks the accessor's own fields; `elementBytes` is set from them.
bool CheckAccessorFields(const tinygltf::Accessor& accessor,
                         const std::string& here, uint32_t allowedCounts,
                         size_t* elementBytes, GltfError* error) {
  if (accessor.sparse.isSparse) {
    return Fail(error, here, "sparse accessors are not read");
  }
  if (accessor.bufferView < 0) {
    return Fail(error, here, "has no bufferView (zero-filled accessors are "
                             "not read)");
  }
  const int bytes = ComponentBytes(accessor.componentType);
  const int count = ComponentCount(accessor.type);
  if (bytes == 0) {
    return Fail(error, here, "componentType " +
                                 std::to_string(accessor.componentType) +
                                 " is not one this attribute can have");
  }
  if (count == 0 || (allowedCounts & (1u << count)) == 0) {
    return Fail(error, here, "type " + std::to_string(accessor.type) +
                                 " is not one this attribute can have");
  }
  *elementBytes = size_t(bytes) * size_t(count);
  return true;
}

}  // namespace

bool ViewBufferView(const tinygltf::Model& model, int index,
                    const std::string& place, const uint8_t** bytes,
                    size_t* length, GltfError* error) {
  if (index < 0 || size_t(index) >= model.bufferViews.size()) {
    return Fail(error, place, "bufferView " + std::to_string(index) +
                                  " out of range (" +
                                  std::to_string(model.bufferViews.size()) +
                                  " bufferViews)");
  }
  const tinygltf::BufferView& view = model.bufferViews[size_t(index)];
  const std::string here = Indexed("bufferViews", index);
  if (view.buffer < 0 || size_t(view.buffer) >= model.buffers.size()) {
    return Fail(error, here + ".buffer",
                "buffer " + std::to_string(view.buffer) + " out of range (" +
                    std::to_string(model.buffers.size()) + " buffers)");
  }
  const std::vector<unsigned char>& data = model.buffers[size_t(view.buffer)].data;
  if (view.byteOffset > data.size() || view.byteLength > data.size() - view.byteOffset) {
    return Fail(error, here,
                std::to_string(view.byteLength) + " bytes from offset " +
                    std::to_string(view.byteOffset) + " run past the end of " +
                    Indexed("buffers", view.buffer) + " (" +
                    std::to_string(data.size()) + " bytes)");
  }
  *bytes = data.data() + view.byteOffset;
  *length = view.byteLength;
  return true;
}

bool ViewAccessor(const tinygltf::Model& model, int index,
                  const std::string& place, uint32_t allowedCounts,
                  AccessorView* view, GltfError* error) {
  if (index < 0 || size_t(index) >= model.accessors.size()) {
    return Fail(error, place, "accessor " + std::to_string(index) +
                                  " out of range (" +
                                  std::to_string(model.accessors.size()) +
                                  " accessors)");
  }
  const tinygltf::Accessor& accessor = model.accessors[size_t(index)];
  const std::string here = Indexed("accessors", index);
  size_t elementBytes = 0;
  if (!CheckAccessorFields(accessor, here, allowedCounts, &elementBytes, error)) {
    return false;
  }
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  if (!ViewBufferView(model, accessor.bufferView, here + ".bufferView", &bytes,
                      &length, error)) {
    return false;
  }
  const size_t declared = model.bufferViews[size_t(accessor.bufferView)].byteStride;
  const size_t stride = declared == 0 ? elementBytes : declared;
  if (stride < elementBytes) {
    return Fail(error, Indexed("bufferViews", accessor.bufferView) + ".byteStride",
                std::to_string(stride) + " is smaller than an element of " +
                    here + " (" + std::to_string(elementBytes) + " bytes)");
  }
  const size_t count = accessor.count;
  // offset + stride * (count - 1) + elementBytes <= length, without overflow.
  const bool fits =
      count == 0 ||
      (accessor.byteOffset <= length && elementBytes <= length - accessor.byteOffset &&
       (count - 1) <= (length - accessor.byteOffset - elementBytes) / stride);
  if (!fits) {
    return Fail(error, here,
                std::to_string(count) + " elements run past the end of " +
                    Indexed("bufferViews", accessor.bufferView));
  }
  view->data = bytes + accessor.byteOffset;
  view->count = count;
  view->stride = stride;
  view->componentType = accessor.componentType;
  view->components = ComponentCount(accessor.type);
  view->normalized = accessor.normalized;
  return true;
}

size_t FirstNonFinite(const AccessorView& view) {
  if (view.componentType != TINYGLTF_COMPONENT_TYPE_FLOAT) return view.count;
  for (size_t i = 0; i < view.count; ++i) {
    for (int c = 0; c < view.components; ++c) {
      if (!std::isfinite(ReadNumber(view, i, c))) return i;
    }
  }
  return view.count;
}

double ReadNumber(const AccessorView& view, size_t i, int c) {
  const uint8_t* p = view.data + view.stride * i;
  switch (view.componentType) {
    case TINYGLTF_COMPONENT_TYPE_FLOAT: {
      float f;
      std::memcpy(&f, p + 4 * c, 4);
      return f;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return view.normalized ? p[c] / 255.0 : p[c];
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
      const double v = int8_t(p[c]);
      return view.normalized ? (v < -127 ? -1.0 : v / 127.0) : v;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
      uint16_t u;
      std::memcpy(&u, p + 2 * c, 2);
      return view.normalized ? u / 65535.0 : u;
    }
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
      int16_t s;
      std::memcpy(&s, p + 2 * c, 2);
      return view.normalized ? (s < -32767 ? -1.0 : s / 32767.0) : s;
    }
    default: {
      uint32_t u;
      std::memcpy(&u, p + 4 * c, 4);
      return view.normalized ? u / 4294967295.0 : u;
    }
  }
}

uint32_t ReadIndex(const AccessorView& view, size_t i) {
  const uint8_t* p = view.data + view.stride * i;
  switch (view.componentType) {
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
      return p[0];
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
      uint16_t u;
      std::memcpy(&u, p, 2);
      return u;
    }
    default: {
      uint32_t u;
      std::memcpy(&u, p, 4);
      return u;
    }
  }
}

}  // namespace renderer
