// Object turns, scales and resets.
#include <gtest/gtest.h>

#include <cmath>

#include "renderer/renderer.h"
#include "scene/demo_steps.h"
#include "scene/matrix3.h"

using namespace renderer;

namespace {

SceneObject NewObject() { return SceneObject{}; }

void ExpectIdentity(const SceneObject& o, bool exact) {
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (exact) {
        EXPECT_EQ(o.orientation[i][j], i == j ? 1.0 : 0.0);
      } else {
        EXPECT_NEAR(o.orientation[i][j], i == j ? 1.0 : 0.0, 1e-12);
      }
    }
  }
}

TEST(SceneObjectTurns, ANewObjectIsAtTheStartPlacement) {
  const SceneObject o = NewObject();
  ExpectIdentity(o, true);
  EXPECT_EQ(o.position[2], 3200);
  EXPECT_EQ(o.mesh, kNoMesh);
}

TEST(SceneObjectTurns, ZeroDegreesLeavesTheOrientationExactly) {
  SceneObject o = NewObject();
  ScaleObject(o, 1.1);
  RotateObjectX(o, 13);
  SceneObject copy = o;
  RotateObjectX(o, 0);
  RotateObjectY(o, 0);
  RotateObjectZ(o, 0);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_EQ(o.orientation[i][j], copy.orientation[i][j]);
  }
}

TEST(SceneObjectTurns, NinetyDegreesUsesTheConstant31416) {
  SceneObject o = NewObject();
  RotateObjectZ(o, 90);
  const double r = (90 * 3.1416) / 180;
  EXPECT_EQ(o.orientation[0][0], std::cos(r));
  EXPECT_EQ(o.orientation[0][1], std::sin(r));
  EXPECT_EQ(o.orientation[1][0], -std::sin(r));
  EXPECT_NEAR(o.orientation[0][0], -3.67e-6, 0.01e-6);
  EXPECT_NE(o.orientation[0][1], 1.0);
}

TEST(SceneObjectTurns, ThreeHundredSixtyOneDegreeTurnsOvershootAFullTurn) {
  SceneObject o = NewObject();
  for (int i = 0; i < 360; ++i) RotateObjectY(o, 1);
  // sin of the overshoot, about 1.47e-5 radians.
  EXPECT_NEAR(o.orientation[0][2], 1.47e-5, 0.02e-5);
  EXPECT_NE(o.orientation[0][0], 1.0);
}

TEST(SceneObjectTurns, PositiveTurnsFollowTheCameraAxes) {
  SceneObject o = NewObject();
  RotateObjectX(o, 90);  // +y comes toward the viewer: z' = -s*y
  EXPECT_NEAR(o.orientation[2][1], -1.0, 1e-9);
  ResetObject(o);
  RotateObjectY(o, 90);  // +x comes toward the viewer: z' = -s*x
  EXPECT_NEAR(o.orientation[2][0], -1.0, 1e-9);
  ResetObject(o);
  RotateObjectZ(o, 90);  // +x turns up the screen: y' = -s*x
  EXPECT_NEAR(o.orientation[1][0], -1.0, 1e-9);
}

TEST(SceneObjectTurns, TheTurnStandsOnTheLeft) {
  // After 90 degrees about Y, a turn about X still tilts about the screen's
  // horizontal: the model's x axis (now along -z) is left where it is.
  SceneObject o = NewObject();
  RotateObjectY(o, 90);
  RotateObjectX(o, 30);
  const double zOfModelX = o.orientation[2][0];
  const double yOfModelX = o.orientation[1][0];
  // Model x went to camera -z; X-turns move -z toward +y (y' = c*y + s*z).
  EXPECT_NEAR(yOfModelX, -std::sin((30 * 3.1416) / 180), 1e-9);
  EXPECT_NEAR(zOfModelX, -std::cos((30 * 3.1416) / 180), 1e-9);
}

TEST(SceneObjectTurns, ScaleSurvivesTurnsAndKeepsThePosition) {
  SceneObject o = NewObject();
  o.position[0] = 17;
  ScaleObject(o, 1.1);
  ScaleObject(o, 0.9);
  EXPECT_NEAR(o.orientation[1][1], 0.99, 1e-15);
  RotateObjectZ(o, 40);
  const double c = o.orientation[0][0], s = o.orientation[0][1];
  EXPECT_NEAR(std::sqrt(c * c + s * s), 0.99, 1e-12);
  EXPECT_EQ(o.position[0], 17);
  EXPECT_EQ(o.position[2], 3200);
}

TEST(SceneObjectTurns, ResetDropsTurnsScaleAndMovesButKeepsTheMesh) {
  SceneObject o = NewObject();
  o.mesh = 3;
  ScaleObject(o, 3);
  RotateObjectX(o, 20);
  o.position[1] = -40;
  ResetObject(o);
  ExpectIdentity(o, true);
  EXPECT_EQ(o.position[1], 0);
  EXPECT_EQ(o.position[2], 3200);
  EXPECT_EQ(o.mesh, 3);
}

TEST(SceneObjectTurns, MatrixProductMayBeStoredOverEitherOperand) {
  double a[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  double b[3][3] = {{9, 8, 7}, {6, 5, 4}, {3, 2, 1}};
  double expected[3][3];
  MultiplyMatrix3(a, b, expected);
  EXPECT_EQ(expected[0][0], 1 * 9 + 2 * 6 + 3 * 3);
  EXPECT_EQ(expected[2][1], 7 * 8 + 8 * 5 + 9 * 2);
  double a2[3][3], b2[3][3];
  std::copy(&a[0][0], &a[0][0] + 9, &a2[0][0]);
  std::copy(&b[0][0], &b[0][0] + 9, &b2[0][0]);
  MultiplyMatrix3(a, b, a);
  MultiplyMatrix3(a2, b2, b2);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(a[i][j], expected[i][j]);
      EXPECT_EQ(b2[i][j], expected[i][j]);
    }
  }
}

TEST(DemoAnimation, AStepTurnsObjectZeroAndScrollsTheFins) {
  Scene scene;
  scene.meshes.push_back(BuildModel({}, 0));
  scene.objects.resize(2);
  AnimateDemoScene(scene, false, false);
  SceneObject expected = NewObject();
  RotateObjectX(expected, 0.5);
  RotateObjectY(expected, 1);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(scene.objects[0].orientation[i][j], expected.orientation[i][j]);
    }
  }
  ExpectIdentity(scene.objects[1], true);
  const Mesh& model = scene.meshes[0];
  EXPECT_EQ(TexelsOf(model, model.triangles[12])->uv[0][0], 10.0);
  AnimateDemoScene(scene, true, false);  // rotation paused
  EXPECT_EQ(scene.objects[0].orientation[0][0], expected.orientation[0][0]);
  EXPECT_EQ(TexelsOf(model, model.triangles[12])->uv[0][0], 20.0);
  AnimateDemoScene(scene, false, true);  // scroll paused
  EXPECT_EQ(TexelsOf(model, model.triangles[12])->uv[0][0], 20.0);
  EXPECT_NE(scene.objects[0].orientation[0][0], expected.orientation[0][0]);
}

TEST(DemoAnimation, AnEmptySceneOrMissingPartsAreLeftAlone) {
  Scene scene;
  AnimateDemoScene(scene, false, false);
  AnimateStep(nullptr, nullptr, false, false);
  Mesh small;
  small.triangles.resize(13);  // only one fin triangle, one without texels
  small.texels.resize(12);
  for (int32_t i = 0; i < 12; ++i) small.triangles[size_t(i) + 1].texels = i;
  AnimateStep(nullptr, &small, false, false);
  EXPECT_EQ(small.texels[11].uv[2][0], 10.0);  // triangle 12's
  EXPECT_EQ(small.texels[10].uv[2][0], 0.0);
  EXPECT_EQ(small.triangles[0].texels, kNoTexels);
}

}  // namespace
