// Reading and writing the looks of a scene file; the model scene's framing.
#include "scenefile/scene_looks.h"

#include <algorithm>
#include <cmath>

#include "scenefile/scene_sections.h"

namespace renderer {

namespace {

int32_t ReadName(const Field& field, const char* expected,
                 bool (*parse)(const char*, int32_t*), int32_t* out) {
  std::string name;
  if (!Present(field)) return 1;
  if (!ReadString(field, &name)) return 0;
  if (!parse(name.c_str(), out)) {
    return Refuse(field, "\"" + name + "\" is not " + expected);
  }
  return 1;
}

bool ParseShading(const char* name, int32_t* out) {
  Shading shading;
  if (!ShadingFromName(name, &shading)) return false;
  *out = int32_t(shading);
  return true;
}

bool ParseFilter(const char* name, int32_t* out) {
  TextureFilter filter;
  if (!TextureFilterFromName(name, &filter)) return false;
  *out = int32_t(filter);
  return true;
}

int32_t ReadSamples(const Field& field, int32_t* samples) {
  int32_t value = *samples;
  if (!ReadInt32(field, &value)) return 0;
  if (!SamplesValid(value)) return Refuse(field, "expected 1, 4 or 16");
  *samples = value;
  return 1;
}

}  // namespace

int32_t ReadSceneLooks(const Field& root, Looks* looks) {
  int32_t shading = int32_t(looks->shading);
  int32_t filter = int32_t(looks->textureFilter);
  if (!ReadName(Member(root, "shading"), "\"flat\" or \"smooth\"",
                ParseShading, &shading) ||
      !ReadName(Member(root, "textureFilter"), "\"nearest\" or \"bilinear\"",
                ParseFilter, &filter) ||
      !ReadSamples(Member(root, "samples"), &looks->samples)) {
    return 0;
  }
  looks->shading = Shading(shading);
  looks->textureFilter = TextureFilter(filter);
  return 1;
}

int32_t ReadTriangleNormals(const Field& field, TriangleEntry* triangle) {
  if (!Present(field)) return 1;
  if (!ReadElementsOf(field, 3, "normals", [&](const Field& corner, size_t i) {
        double xyz[3];
        if (!ReadDoubles(corner, 3, xyz)) return 0;
        for (double v : xyz) {
          if (!std::isfinite(v)) return Refuse(corner, "not a finite number");
        }
        if (xyz[0] == 0 && xyz[1] == 0 && xyz[2] == 0) {
          return Refuse(corner, "a normal must not be all zero");
        }
        triangle->normals[i] = Vector3{xyz[0], xyz[1], xyz[2]};
        return 1;
      })) {
    return 0;
  }
  triangle->hasNormals = 1;
  return 1;
}

void OverrideSceneLooks(const SceneLookChoices& choices, Looks* looks) {
  if (choices.shading) looks->shading = *choices.shading;
  if (choices.textureFilter) looks->textureFilter = *choices.textureFilter;
  if (choices.samples) looks->samples = *choices.samples;
}

int32_t ModelSceneDistance(const Mesh& model, int32_t focalLength,
                           int32_t clientWidth, int32_t clientHeight) {
  double r = 0;
  for (const IntVertex& v : model.vertices) {
    const double x = v.x, y = v.y, z = v.z;
    r = std::max(r, std::sqrt(x * x + y * y + z * z));
  }
  const double m = std::max(std::min(clientWidth, clientHeight), 1);
  const double spread = double(focalLength) * r / (0.4 * m);
  const double z = std::round(std::sqrt(r * r + spread * spread));
  if (!(z < 2147483647.0)) return z >= 2147483647.0 ? 2147483647 : 2;
  return std::max(int32_t(z), 2);
}

}  // namespace renderer
