#pragma once
// Typed reads of single JSON values for the scene file. Each read checks the
// value's type and range and, when it refuses, fills a SceneError with the
// value's JSON path and the problem, in words a user can act on.
#include <cstdint>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <string>

using Json = nlohmann::json;

struct SceneError {
  std::string path;     // e.g. "objects[0].mesh"
  std::string problem;  // e.g. "index 3 out of range (2 meshes)"
};

// "parent.key", or "key" at the top level.
std::string KeyPath(const std::string& parent, const std::string& key);
// "parent[index]".
std::string IndexPath(const std::string& parent, size_t index);

// `count` followed by the noun, plural unless count is 1: "2 meshes".
std::string CountOf(size_t count, const char* singular, const char* plural);

int32_t Refuse(SceneError* error, const std::string& path,
               const std::string& problem);

// An object whose keys are all among `known`; else the first unknown key is
// refused.
int32_t ExpectObject(const Json& value, const std::string& path,
                     std::initializer_list<const char*> known,
                     SceneError* error);
int32_t ExpectArray(const Json& value, const std::string& path,
                    SceneError* error);
// An array of exactly `length` entries.
int32_t ExpectArrayOf(const Json& value, const std::string& path, size_t length,
                      const char* what, SceneError* error);

// Any JSON number, as the double it stands for.
int32_t ReadDouble(const Json& value, const std::string& path, double* out,
                   SceneError* error);
// A whole number inside the int32 range.
int32_t ReadInt32(const Json& value, const std::string& path, int32_t* out,
                  SceneError* error);
// A whole number from `low` to `high`, with `what` naming the range.
int32_t ReadInt32InRange(const Json& value, const std::string& path,
                         int32_t low, int32_t high, const char* what,
                         int32_t* out, SceneError* error);
// A whole number from 0 to 4294967295, kept as the int32 with the same bits.
int32_t ReadColour(const Json& value, const std::string& path, int32_t* out,
                   SceneError* error);
int32_t ReadBool(const Json& value, const std::string& path, int32_t* out,
                 SceneError* error);
int32_t ReadString(const Json& value, const std::string& path, std::string* out,
                   SceneError* error);
