// The demo's start-up and its idle tick: a frame every call, an animation
// step only after more than 20 ms, never a burst, always object 0.
#include "app/demo.h"

#include <gtest/gtest.h>

#include "app/controls.h"
#include "platform/tick_count.h"
#include "renderer/renderer.h"
#include "tests/app/app_fixture.h"
#include "tests/app/object_compare.h"

namespace {

double FinU(const App& app) {
  const renderer::Mesh& model = app.scene.scene.meshes[0];
  return TexelsOf(model, model.triangles[renderer::kFirstFinTriangle])->uv[0][0];
}

// What one animation step does to an object's placement.
SceneObject Stepped(const SceneObject& object) {
  SceneObject expected = PlacementOf(object);
  RotateObjectX(expected, 0.5);
  RotateObjectY(expected, 1);
  return expected;
}

class IdleTickTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartDemo();
  }
};

TEST_F(IdleTickTest, StartUpPlacesOneObjectAndProjectsFromTheClientArea) {
  EXPECT_EQ(app.scene.scene.objects.size(), 1u);
  EXPECT_EQ(app.scene.scene.objects[0].position[2], 3200);
  EXPECT_EQ(app.scene.scene.objects[0].mesh, 0);
  EXPECT_EQ(app.scene.scene.meshes.size(), 1u);
  EXPECT_EQ(app.scene.view.focalLength, 400);
  EXPECT_EQ(app.scene.view.nearZ, 2);
  // Client area (50, 50)-(800, 700) on the screen.
  EXPECT_EQ(app.scene.view.centreX, 375.0);
  EXPECT_EQ(app.scene.view.centreY, 325.0);
  EXPECT_EQ(app.scene.view.viewportRight, 750);
  EXPECT_EQ(app.scene.view.viewportBottom, 650);
  EXPECT_EQ(app.lastAnimationTick, fakeTick);
}

TEST_F(IdleTickTest, StepsOnlyAfterMoreThan20MsAndRendersEveryTime) {
  const SceneObject start = PlacementOf(app.scene.scene.objects[0]);
  const double u = FinU(app);
  fakeTick += 20;
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], start));
  EXPECT_EQ(FinU(app), u);
  fakeTick += 1;
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], Stepped(start)));
  EXPECT_EQ(FinU(app), u + 10);
  EXPECT_EQ(app.lastAnimationTick, fakeTick);
  EXPECT_EQ(fakeWindows.presentCount, 2);
}

TEST_F(IdleTickTest, ALongStallGivesOneStepNotABurst) {
  const SceneObject start = PlacementOf(app.scene.scene.objects[0]);
  fakeTick += 10000;
  IdleTick(app);
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], Stepped(start)));
}

uint32_t risingTick = 0;
uint32_t RisingTick() { return risingTick += 15; }

TEST_F(IdleTickTest, TheStepTimeIsReadAfresh) {
  SetTickSource(app.platform, RisingTick);
  risingTick = 1000;
  app.lastAnimationTick = 1000;
  IdleTick(app);  // reads 1015: too early
  EXPECT_EQ(app.lastAnimationTick, 1000u);
  IdleTick(app);  // reads 1030 to decide, then 1045 to keep
  EXPECT_EQ(app.lastAnimationTick, 1045u);
}

TEST_F(IdleTickTest, StepsAcrossTheTickCountsWrap) {
  app.lastAnimationTick = 0xFFFFFFF0u;
  fakeTick = 0x10u;  // 32 ms later
  IdleTick(app);
  EXPECT_EQ(app.lastAnimationTick, 0x10u);
}

TEST_F(IdleTickTest, PausesFreezeAndResumeWhereTheyWere) {
  app.rotationPaused = 1;
  const SceneObject start = PlacementOf(app.scene.scene.objects[0]);
  const double u = FinU(app);
  fakeTick += 21;
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], start));
  EXPECT_EQ(FinU(app), u + 10);

  app.rotationPaused = 0;
  app.textureScrollPaused = 1;
  fakeTick += 21;
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], Stepped(start)));
  EXPECT_EQ(FinU(app), u + 10);

  app.textureScrollPaused = 0;
  fakeTick += 21;
  IdleTick(app);
  EXPECT_EQ(FinU(app), u + 20);
}

TEST_F(IdleTickTest, TheAnimationAlwaysTurnsObjectZero) {
  renderer::SceneObject object;
  object.mesh = 0;
  app.scene.scene.objects.assign(2, object);
  app.selectedObject = 1;
  const SceneObject first = PlacementOf(app.scene.scene.objects[0]);
  const SceneObject second = PlacementOf(app.scene.scene.objects[1]);
  fakeTick += 21;
  IdleTick(app);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], Stepped(first)));
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[1], second));
}

}  // namespace
