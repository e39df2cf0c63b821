#include "scenefile/json_fields.h"

#include <cmath>
#include <cstdint>

namespace renderer {

namespace {

int32_t RefuseOutside(const Field& field, const std::string& rangeText) {
  return Refuse(field, field.value->dump() + " is outside " + rangeText);
}

// Whole numbers that JSON can hold, widened so that every int32 and every
// colour fits: integers as written, floats when they have no fraction.
int32_t ReadWhole(const Field& field, double low, double high,
                  const std::string& rangeText, int64_t* out) {
  const Json& value = *field.value;
  if (!value.is_number()) {
    return Refuse(field, std::string("expected a whole number, got ") +
                             value.type_name());
  }
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (std::trunc(number) != number) {
      return Refuse(field, value.dump() + " is not a whole number");
    }
    if (number < low || number > high) return RefuseOutside(field, rangeText);
    *out = static_cast<int64_t>(number);
    return 1;
  }
  if (value.is_number_unsigned()) {
    const uint64_t number = value.get<uint64_t>();
    if (number > static_cast<uint64_t>(high)) {
      return RefuseOutside(field, rangeText);
    }
    *out = static_cast<int64_t>(number);
  } else {
    *out = value.get<int64_t>();
  }
  if (static_cast<double>(*out) < low || static_cast<double>(*out) > high) {
    return RefuseOutside(field, rangeText);
  }
  return 1;
}

}  // namespace

Field TopLevel(const Json& document, SceneError* error) {
  return Field{&document, nullptr, nullptr, 0, error};
}

Field Member(const Field& object, const char* key) {
  Field member{nullptr, &object, key, 0, object.error};
  if (object.value != nullptr && object.value->is_object()) {
    const auto found = object.value->find(key);
    if (found != object.value->end()) member.value = &*found;
  }
  return member;
}

Field Element(const Field& array, size_t index) {
  return Field{&(*array.value)[index], &array, nullptr, index, array.error};
}

Field OrDefault(Field field, const Json& fallback) {
  if (field.value == nullptr) field.value = &fallback;
  return field;
}

int32_t Present(const Field& field) { return field.value != nullptr; }

std::string PathOf(const Field& field) {
  if (field.parent == nullptr) return "";
  const std::string parent = PathOf(*field.parent);
  return field.key != nullptr ? KeyPath(parent, field.key)
                              : IndexPath(parent, field.index);
}

std::string KeyPath(const std::string& parent, const std::string& key) {
  return parent.empty() ? key : parent + "." + key;
}

std::string IndexPath(const std::string& parent, size_t index) {
  return parent + "[" + std::to_string(index) + "]";
}

std::string CountOf(size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

int32_t Refuse(const Field& field, const std::string& problem) {
  return Refuse(field.error, PathOf(field), problem);
}

int32_t Refuse(SceneError* error, const std::string& path,
               const std::string& problem) {
  error->path = path;
  error->problem = problem;
  return 0;
}

int32_t ExpectObject(const Field& field,
                     std::initializer_list<const char*> known) {
  if (!Present(field)) return 1;
  const Json& value = *field.value;
  if (!value.is_object()) {
    const std::string path = PathOf(field);
    return Refuse(field.error, path.empty() ? "(top level)" : path,
                  std::string("expected an object, got ") + value.type_name());
  }
  for (auto item = value.begin(); item != value.end(); ++item) {
    int32_t found = 0;
    for (const char* name : known) {
      if (item.key() == name) found = 1;
    }
    if (!found) {
      return Refuse(field.error, KeyPath(PathOf(field), item.key()),
                    "unknown key");
    }
  }
  return 1;
}

int32_t ExpectArray(const Field& field) {
  if (!Present(field) || field.value->is_array()) return 1;
  return Refuse(field, std::string("expected an array, got ") +
                           field.value->type_name());
}

int32_t ExpectArrayOf(const Field& field, size_t length, const char* what) {
  if (!ExpectArray(field)) return 0;
  if (!Present(field) || field.value->size() == length) return 1;
  return Refuse(field, "expected " + std::to_string(length) + " " + what +
                           ", got " + std::to_string(field.value->size()));
}

size_t ElementCount(const Field& array) {
  return Present(array) ? array.value->size() : 0;
}

int32_t ReadDouble(const Field& field, double* out) {
  if (!Present(field)) return 1;
  const Json& value = *field.value;
  if (!value.is_number()) {
    return Refuse(field,
                  std::string("expected a number, got ") + value.type_name());
  }
  // The parser keeps integers as integers; converting them here rounds
  // exactly as reading the same text as a double would.
  if (value.is_number_unsigned()) {
    *out = static_cast<double>(value.get<uint64_t>());
  } else if (value.is_number_integer()) {
    *out = static_cast<double>(value.get<int64_t>());
  } else {
    *out = value.get<double>();
  }
  return 1;
}

int32_t ReadInt32(const Field& field, int32_t* out) {
  return ReadInt32InRange(field, INT32_MIN, INT32_MAX, "the int32 range", out);
}

int32_t ReadInt32InRange(const Field& field, int32_t low, int32_t high,
                         const char* what, int32_t* out) {
  if (!Present(field)) return 1;
  int64_t whole = 0;
  if (!ReadWhole(field, low, high, what, &whole)) return 0;
  *out = static_cast<int32_t>(whole);
  return 1;
}

int32_t ReadColour(const Field& field, int32_t* out) {
  if (!Present(field)) return 1;
  int64_t whole = 0;
  if (!ReadWhole(field, 0.0, 4294967295.0, "the colour range 0 to 4294967295",
                 &whole)) {
    return 0;
  }
  *out = static_cast<int32_t>(static_cast<uint32_t>(whole));
  return 1;
}

int32_t ReadBool(const Field& field, int32_t* out) {
  if (!Present(field)) return 1;
  if (!field.value->is_boolean()) {
    return Refuse(field, std::string("expected true or false, got ") +
                             field.value->type_name());
  }
  *out = field.value->get<bool>() ? 1 : 0;
  return 1;
}

int32_t ReadString(const Field& field, std::string* out) {
  if (!Present(field)) return 1;
  if (!field.value->is_string()) {
    return Refuse(field, std::string("expected a string, got ") +
                             field.value->type_name());
  }
  *out = field.value->get<std::string>();
  return 1;
}

}  // namespace renderer
