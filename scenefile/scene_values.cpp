#include "scenefile/scene_sections.h"

namespace renderer {

int32_t ReadIndex(const Field& field, size_t count, const char* singular,
                  const char* plural, int32_t* out) {
  if (!Present(field)) return 1;
  int32_t index = 0;
  if (!ReadInt32(field, &index)) return 0;
  if (index < 0 || static_cast<size_t>(index) >= count) {
    return Refuse(field, "index " + std::to_string(index) + " out of range (" +
                             CountOf(count, singular, plural) + ")");
  }
  *out = index;
  return 1;
}

int32_t ReadDoubles(const Field& field, size_t length, double* out) {
  return ReadElementsOf(field, length, "numbers",
                        [out](const Field& number, size_t i) {
                          return ReadDouble(number, &out[i]);
                        });
}

int32_t ReadInt32s(const Field& field, size_t length, int32_t* out) {
  return ReadElementsOf(field, length, "numbers",
                        [out](const Field& number, size_t i) {
                          return ReadInt32(number, &out[i]);
                        });
}

}  // namespace renderer
