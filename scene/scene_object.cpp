// Object instances and the turns, scales and moves applied to them.
#include <cmath>

#include "renderer/scene.h"
#include "scene/matrix3.h"

namespace renderer {

namespace {

void SetIdentity(double m[3][3]) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0 : 0.0;
  }
}

// Turns the object by the matrix R, standing on the left: the turn acts
// after every earlier one, about the camera's axes.
void TurnObject(SceneObject& object, const double r[3][3]) {
  MultiplyMatrix3(r, object.orientation, object.orientation);
}

// Sine and cosine of the angle, using 3.1416 for pi as the controls always
// have: one degree is 0.0174533 radians.
void AngleOf(double degrees, double& s, double& c) {
  const double radians = (degrees * 3.1416) / 180;
  s = std::sin(radians);
  c = std::cos(radians);
}

}  // namespace

void ResetObject(SceneObject& object) {
  SetIdentity(object.orientation);
  object.position[0] = 0;
  object.position[1] = 0;
  object.position[2] = 3200;
}

void ScaleObject(SceneObject& object, double factor) {
  for (auto& row : object.orientation) {
    for (double& m : row) m *= factor;
  }
}

void RotateObjectX(SceneObject& object, double degrees) {
  double s, c;
  AngleOf(degrees, s, c);
  const double r[3][3] = {{1, 0, 0}, {0, c, s}, {0, -s, c}};
  TurnObject(object, r);
}

void RotateObjectY(SceneObject& object, double degrees) {
  double s, c;
  AngleOf(degrees, s, c);
  const double r[3][3] = {{c, 0, s}, {0, 1, 0}, {-s, 0, c}};
  TurnObject(object, r);
}

void RotateObjectZ(SceneObject& object, double degrees) {
  double s, c;
  AngleOf(degrees, s, c);
  const double r[3][3] = {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
  TurnObject(object, r);
}

void MultiplyMatrix3(const double a[3][3], const double b[3][3],
                     double out[3][3]) {
  double product[3][3];
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      product[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    }
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) out[i][j] = product[i][j];
  }
}

}  // namespace renderer
