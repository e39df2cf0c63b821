#include "tools/render_scene/scene_sections.h"

int32_t ReadIndex(const Json& value, const std::string& path, size_t count,
                  const char* singular, const char* plural, int32_t* out,
                  SceneError* error) {
  int32_t index = 0;
  if (!ReadInt32(value, path, &index, error)) return 0;
  if (index < 0 || static_cast<size_t>(index) >= count) {
    return Refuse(error, path,
                  "index " + std::to_string(index) + " out of range (" +
                      CountOf(count, singular, plural) + ")");
  }
  *out = index;
  return 1;
}

int32_t ReadDoubles(const Json& value, const std::string& path, size_t length,
                    double* out, SceneError* error) {
  if (!ExpectArrayOf(value, path, length, "numbers", error)) return 0;
  for (size_t i = 0; i < length; ++i) {
    if (!ReadDouble(value[i], IndexPath(path, i), &out[i], error)) return 0;
  }
  return 1;
}

int32_t ReadInt32s(const Json& value, const std::string& path, size_t length,
                   int32_t* out, SceneError* error) {
  if (!ExpectArrayOf(value, path, length, "numbers", error)) return 0;
  for (size_t i = 0; i < length; ++i) {
    if (!ReadInt32(value[i], IndexPath(path, i), &out[i], error)) return 0;
  }
  return 1;
}
