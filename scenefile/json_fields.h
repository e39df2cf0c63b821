#pragma once
// Reading the scene file's JSON values. A Field is a value together with the
// way to it from the top of the document; every read checks the value's type
// and range and, when it refuses, fills the SceneError with the field's path
// and the problem, in words a user can act on. The path is spelled out only
// then, so reading a large file builds no strings.
//
// Every key of a scene file is optional: a member that is absent reads as
// success and leaves the output as it was (the default).
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace renderer {

using Json = nlohmann::json;

struct SceneError {
  std::string path;     // e.g. "objects[0].mesh"
  std::string problem;  // e.g. "index 3 out of range (2 meshes)"
};

struct Field {
  const Json* value;    // nullptr: an absent object member
  const Field* parent;  // the object or array that holds it; nullptr at the top
  const char* key;      // the member's name; nullptr for array elements
  size_t index;         // array elements: the position
  SceneError* error;
};

// The document itself; its path is empty.
Field TopLevel(const Json& document, SceneError* error);
// The member `key` of `object` (absent when `object` is absent, not an object
// or lacks the key), and the element `index` of an array. Both refer to their
// parent, which must outlive them.
Field Member(const Field& object, const char* key);
Field Element(const Field& array, size_t index);
// `field`, reading `fallback` in its place when it is absent: for keys whose
// default must pass the same checks, such as index 0.
Field OrDefault(Field field, const Json& fallback);
int32_t Present(const Field& field);

// "objects[0].mesh"; "" at the top level.
std::string PathOf(const Field& field);
// "parent.key", or "key" at the top level.
std::string KeyPath(const std::string& parent, const std::string& key);
// "parent[index]".
std::string IndexPath(const std::string& parent, size_t index);
// `count` followed by the noun, plural unless count is 1: "2 meshes".
std::string CountOf(size_t count, const char* singular, const char* plural);

int32_t Refuse(const Field& field, const std::string& problem);
int32_t Refuse(SceneError* error, const std::string& path,
               const std::string& problem);

// An object whose keys are all among `known`; else the first unknown key is
// refused.
int32_t ExpectObject(const Field& field,
                     std::initializer_list<const char*> known);
int32_t ExpectArray(const Field& field);
// An array of exactly `length` entries.
int32_t ExpectArrayOf(const Field& field, size_t length, const char* what);
// The number of entries of an array field; 0 when it is absent.
size_t ElementCount(const Field& array);

// Any JSON number, as the double it stands for.
int32_t ReadDouble(const Field& field, double* out);
// A whole number inside the int32 range.
int32_t ReadInt32(const Field& field, int32_t* out);
// A whole number from `low` to `high`, with `what` naming the range.
int32_t ReadInt32InRange(const Field& field, int32_t low, int32_t high,
                         const char* what, int32_t* out);
// A whole number from 0 to 4294967295, kept as the int32 with the same bits.
int32_t ReadColour(const Field& field, int32_t* out);
int32_t ReadBool(const Field& field, int32_t* out);
int32_t ReadString(const Field& field, std::string* out);
// Reads every element of an array field with read(element, position),
// stopping at the first refusal.
template <typename Read>
int32_t ReadElements(const Field& array, Read read) {
  if (!ExpectArray(array)) return 0;
  const size_t count = ElementCount(array);
  for (size_t i = 0; i < count; ++i) {
    if (!read(Element(array, i), i)) return 0;
  }
  return 1;
}

// The same for an array of exactly `length` entries.
template <typename Read>
int32_t ReadElementsOf(const Field& array, size_t length, const char* what,
                       Read read) {
  return ExpectArrayOf(array, length, what) && ReadElements(array, read);
}

// An array field read into `entries`, one value-initialised entry per
// element filled by read(element, &entry); an absent field keeps `entries`.
template <typename Entry, typename Read>
int32_t ReadList(const Field& array, std::vector<Entry>* entries, Read read) {
  if (!ExpectArray(array)) return 0;
  if (!Present(array)) return 1;
  entries->clear();
  entries->resize(ElementCount(array));
  return ReadElements(array, [&](const Field& element, size_t i) {
    return read(element, &(*entries)[i]);
  });
}

}  // namespace renderer
