#pragma once
// The generated models: small ones for tests, pictures and fuzz seeds, and
// a large one of any triangle count for timing.
#include <string>
#include <vector>

#include "testmodels/model_description.h"

namespace models {

struct NamedModel {
  std::string name;
  GenModel model;
};

// cube (texture atlas), torus, quad-ring (coloured quads), cutout (alpha-cut
// texture), hierarchy (rotated nodes), strip (triangle strip and fan),
// lines (lines, strip, loop, and points that are left out).
std::vector<NamedModel> Catalog();

// A sphere of about `triangles` triangles, one material.
GenModel BigSphere(long triangles);

// Helpers the catalog and the tests share.
GenImage SolidImage(int width, int height, uint32_t rgb);
void SetTexel(GenImage& image, int x, int y, uint32_t rgb, uint8_t alpha = 255);
GenMaterial ColourMaterial(const std::string& name, double r, double g, double b);
// Quaternion for a turn of `degrees` about the unit axis (x, y, z).
void AxisTurn(double x, double y, double z, double degrees, double out[4]);

}  // namespace models
