#include "tools/render_scene/json_fields.h"

#include <cmath>
#include <cstdint>

namespace {

// Whole numbers that JSON can hold, widened so that every int32 and every
// colour fits: integers as written, floats when they have no fraction.
int32_t ReadWhole(const Json& value, const std::string& path, double low,
                  double high, const std::string& rangeText, int64_t* out,
                  SceneError* error) {
  if (!value.is_number()) {
    return Refuse(
        error, path,
        std::string("expected a whole number, got ") + value.type_name());
  }
  const std::string text = value.dump();
  if (value.is_number_float()) {
    const double number = value.get<double>();
    if (std::trunc(number) != number) {
      return Refuse(error, path, text + " is not a whole number");
    }
    if (number < low || number > high) {
      return Refuse(error, path, text + " is outside " + rangeText);
    }
    *out = static_cast<int64_t>(number);
    return 1;
  }
  if (value.is_number_unsigned()) {
    const uint64_t number = value.get<uint64_t>();
    if (number > static_cast<uint64_t>(high)) {
      return Refuse(error, path, text + " is outside " + rangeText);
    }
    *out = static_cast<int64_t>(number);
  } else {
    *out = value.get<int64_t>();
  }
  if (static_cast<double>(*out) < low || static_cast<double>(*out) > high) {
    return Refuse(error, path, text + " is outside " + rangeText);
  }
  return 1;
}

}  // namespace

std::string KeyPath(const std::string& parent, const std::string& key) {
  return parent.empty() ? key : parent + "." + key;
}

std::string IndexPath(const std::string& parent, size_t index) {
  return parent + "[" + std::to_string(index) + "]";
}

std::string CountOf(size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

int32_t Refuse(SceneError* error, const std::string& path,
               const std::string& problem) {
  error->path = path;
  error->problem = problem;
  return 0;
}

int32_t ExpectObject(const Json& value, const std::string& path,
                     std::initializer_list<const char*> known,
                     SceneError* error) {
  if (!value.is_object()) {
    return Refuse(error, path.empty() ? "(top level)" : path,
                  std::string("expected an object, got ") + value.type_name());
  }
  for (auto item = value.begin(); item != value.end(); ++item) {
    int32_t found = 0;
    for (const char* name : known) {
      if (item.key() == name) found = 1;
    }
    if (!found) return Refuse(error, KeyPath(path, item.key()), "unknown key");
  }
  return 1;
}

int32_t ExpectArray(const Json& value, const std::string& path,
                    SceneError* error) {
  if (value.is_array()) return 1;
  return Refuse(error, path,
                std::string("expected an array, got ") + value.type_name());
}

int32_t ExpectArrayOf(const Json& value, const std::string& path, size_t length,
                      const char* what, SceneError* error) {
  if (!ExpectArray(value, path, error)) return 0;
  if (value.size() == length) return 1;
  return Refuse(error, path,
                "expected " + std::to_string(length) + " " + what + ", got " +
                    std::to_string(value.size()));
}

int32_t ReadDouble(const Json& value, const std::string& path, double* out,
                   SceneError* error) {
  if (!value.is_number()) {
    return Refuse(error, path,
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

int32_t ReadInt32(const Json& value, const std::string& path, int32_t* out,
                  SceneError* error) {
  return ReadInt32InRange(value, path, INT32_MIN, INT32_MAX, "the int32 range",
                          out, error);
}

int32_t ReadInt32InRange(const Json& value, const std::string& path,
                         int32_t low, int32_t high, const char* what,
                         int32_t* out, SceneError* error) {
  int64_t whole = 0;
  if (!ReadWhole(value, path, low, high, what, &whole, error)) return 0;
  *out = static_cast<int32_t>(whole);
  return 1;
}

int32_t ReadColour(const Json& value, const std::string& path, int32_t* out,
                   SceneError* error) {
  int64_t whole = 0;
  if (!ReadWhole(value, path, 0.0, 4294967295.0,
                 "the colour range 0 to 4294967295", &whole, error)) {
    return 0;
  }
  *out = static_cast<int32_t>(static_cast<uint32_t>(whole));
  return 1;
}

int32_t ReadBool(const Json& value, const std::string& path, int32_t* out,
                 SceneError* error) {
  if (!value.is_boolean()) {
    return Refuse(
        error, path,
        std::string("expected true or false, got ") + value.type_name());
  }
  *out = value.get<bool>() ? 1 : 0;
  return 1;
}

int32_t ReadString(const Json& value, const std::string& path, std::string* out,
                   SceneError* error) {
  if (!value.is_string()) {
    return Refuse(error, path,
                  std::string("expected a string, got ") + value.type_name());
  }
  *out = value.get<std::string>();
  return 1;
}
