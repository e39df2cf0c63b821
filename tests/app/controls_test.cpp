// The key table and the drag rotation, through HandleAppMessage as the
// window procedure calls it.
#include "app/controls.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "app/demo.h"
#include "app/frame_composer.h"
#include "platform/message_queue.h"
#include "renderer/renderer.h"
#include "tests/app/app_fixture.h"
#include "tests/app/object_compare.h"

namespace {

class ControlsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    StartDemo();
  }
  void Key(uint32_t key) {
    HandleAppMessage(app, app.window.hwnd, kMsgKeyDown, key, 0);
  }
  // Mouse messages at client coordinates; the client area is 750 x 650
  // with its centre at (375, 325).
  void Mouse(uint32_t message, int32_t x, int32_t y) {
    HandleAppMessage(app, app.window.hwnd, message, 0,
                     PackCursorPosition(x, y));
  }
  SceneObject& Selected() { return app.scene.scene.objects[app.selectedObject]; }
};

TEST_F(ControlsTest, FocalLengthNeverDropsBelow100) {
  app.scene.view.focalLength = 110;
  Key('X');
  EXPECT_EQ(app.scene.view.focalLength, 100);
  Key('X');
  EXPECT_EQ(app.scene.view.focalLength, 100);
  Key('Z');
  EXPECT_EQ(app.scene.view.focalLength, 110);
}

TEST_F(ControlsTest, FocalLengthStopsAtTheLargestInteger) {
  app.scene.view.focalLength = INT_MAX - 5;
  Key('Z');
  EXPECT_EQ(app.scene.view.focalLength, INT_MAX);
}

TEST_F(ControlsTest, PageKeysWithOneObjectKeepTheSelection) {
  Key(kKeyPageUp);
  EXPECT_EQ(app.selectedObject, 0);
  Key(kKeyPageDown);
  EXPECT_EQ(app.selectedObject, 0);
}

TEST_F(ControlsTest, PageKeysWrapAroundTheObjects) {
  app.scene.scene.objects.assign(3, renderer::SceneObject{});
  Key(kKeyPageUp);
  Key(kKeyPageUp);
  EXPECT_EQ(app.selectedObject, 2);
  Key(kKeyPageUp);
  EXPECT_EQ(app.selectedObject, 0);
  Key(kKeyPageDown);
  EXPECT_EQ(app.selectedObject, 2);
}

TEST_F(ControlsTest, SwitchesToggle) {
  Key('1');
  Key('O');
  Key('P');
  EXPECT_EQ(app.helpVisible, 0);
  EXPECT_EQ(app.textureScrollPaused, 1);
  EXPECT_EQ(app.rotationPaused, 1);
  Key('1');
  Key('O');
  Key('P');
  EXPECT_EQ(app.helpVisible, 1);
  EXPECT_EQ(app.textureScrollPaused, 0);
  EXPECT_EQ(app.rotationPaused, 0);
}

TEST_F(ControlsTest, EscapeAsksTheLoopToQuitWithZero) {
  Key(kKeyEscape);
  PlatformMessage message;
  ASSERT_TRUE(PeekMessage(app.platform, &message));
  EXPECT_EQ(message.message, kMsgQuit);
  EXPECT_EQ(message.wParam, 0u);
}

TEST_F(ControlsTest, ObjectKeysTurnMoveScaleAndReset) {
  struct Case {
    uint32_t key;
    void (*expected)(SceneObject*);
  };
  const Case cases[] = {
      {kKeyLeft, [](SceneObject* s) { RotateObjectZ(*s, 1); }},
      {kKeyRight, [](SceneObject* s) { RotateObjectZ(*s, -1); }},
      {kKeyUp, [](SceneObject* s) { s->position[2] += 10; }},
      {kKeyDown, [](SceneObject* s) { s->position[2] -= 10; }},
      {0x61, [](SceneObject* s) { RotateObjectX(*s, -1); }},
      {0x62, [](SceneObject* s) { s->position[1] += 10; }},
      {0x63, [](SceneObject* s) { RotateObjectY(*s, 1); }},
      {0x64, [](SceneObject* s) { s->position[0] -= 10; }},
      {0x66, [](SceneObject* s) { s->position[0] += 10; }},
      {0x67, [](SceneObject* s) { RotateObjectX(*s, 1); }},
      {0x68, [](SceneObject* s) { s->position[1] -= 10; }},
      {0x69, [](SceneObject* s) { RotateObjectY(*s, -1); }},
      {kKeyPadAdd, [](SceneObject* s) { ScaleObject(*s, 1.1); }},
      {kKeyPadSubtract, [](SceneObject* s) { ScaleObject(*s, 0.9); }},
  };
  // Paused rotation does not stop the keys.
  app.rotationPaused = 1;
  for (const Case& c : cases) {
    SceneObject expected = PlacementOf(Selected());
    c.expected(&expected);
    Key(c.key);
    EXPECT_TRUE(SamePlacement(Selected(), expected)) << std::hex << c.key;
  }
  SceneObject reset = PlacementOf(Selected());
  ResetObject(reset);
  Key(0x65);
  EXPECT_TRUE(SamePlacement(Selected(), reset));
  EXPECT_EQ(Selected().position[2], 3200);
  EXPECT_EQ(Selected().orientation[0][0], 1.0);
}

TEST_F(ControlsTest, OtherKeysAndTheFKeyChangeNothing) {
  const SceneObject before = PlacementOf(Selected());
  for (uint32_t key : {uint32_t('F'), uint32_t('A'), 0x60u, 0x6Au, 0x70u}) {
    Key(key);
  }
  EXPECT_TRUE(SamePlacement(Selected(), before));
  EXPECT_EQ(app.scene.view.focalLength, 400);
  EXPECT_EQ(app.helpVisible, 1);
}

TEST_F(ControlsTest, KeysActOnTheSelectedObjectOnly) {
  app.scene.scene.objects.assign(2, renderer::SceneObject{});
  Key(kKeyPageUp);
  const SceneObject first = PlacementOf(app.scene.scene.objects[0]);
  Key(kKeyUp);
  EXPECT_TRUE(SamePlacement(app.scene.scene.objects[0], first));
  EXPECT_EQ(app.scene.scene.objects[1].position[2], 3210);
}

TEST_F(ControlsTest, FivePixelsRightTurnMinusOneDegreeAboutY) {
  SceneObject expected = PlacementOf(Selected());
  RotateObjectY(expected, -1.0);
  RotateObjectX(expected, -0.0);
  Mouse(kMsgLeftButtonDown, 400, 300);
  EXPECT_EQ(app.dragLast.x, 25);
  EXPECT_EQ(app.dragLast.y, -25);
  Mouse(kMsgMouseMove, 405, 300);
  EXPECT_TRUE(SamePlacement(Selected(), expected));
  EXPECT_EQ(app.dragLast.x, 30);
}

TEST_F(ControlsTest, FivePixelsDownTurnMinusOneDegreeAboutX) {
  SceneObject expected = PlacementOf(Selected());
  RotateObjectY(expected, -0.0);
  RotateObjectX(expected, -1.0);
  Mouse(kMsgLeftButtonDown, 10, 10);
  Mouse(kMsgMouseMove, 10, 15);
  EXPECT_TRUE(SamePlacement(Selected(), expected));
}

TEST_F(ControlsTest, ADragThatEndsWhereItBeganTurnsNothing) {
  const SceneObject start = PlacementOf(Selected());
  Mouse(kMsgLeftButtonDown, 200, 200);
  Mouse(kMsgMouseMove, 200, 200);
  Mouse(kMsgLeftButtonUp, 200, 200);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_EQ(Selected().orientation[row][column],
                start.orientation[row][column]);
    }
  }
  // Out and back again along a line: the two turns cancel.
  Mouse(kMsgLeftButtonDown, 200, 200);
  Mouse(kMsgMouseMove, 237, 200);
  Mouse(kMsgMouseMove, 200, 200);
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      EXPECT_NEAR(Selected().orientation[row][column],
                  start.orientation[row][column], 1e-12);
    }
  }
}

TEST_F(ControlsTest, MovesTurnOnlyWhileTheButtonIsDown) {
  const SceneObject start = PlacementOf(Selected());
  Mouse(kMsgMouseMove, 300, 300);
  Mouse(kMsgLeftButtonDown, 300, 300);
  Mouse(kMsgLeftButtonUp, 300, 300);
  Mouse(kMsgMouseMove, 350, 390);
  EXPECT_TRUE(SamePlacement(Selected(), start));
  EXPECT_EQ(app.dragging, 0);
}

TEST_F(ControlsTest, CursorHalvesOfLParamAreUnsigned) {
  // x = -1 packs as 0xFFFF and reads back as 65535.
  Mouse(kMsgLeftButtonDown, -1, 2);
  EXPECT_EQ(app.dragLast.x, 65535 - 375);
  EXPECT_EQ(app.dragLast.y, 2 - 325);
}

TEST_F(ControlsTest, NoObjectToActOnIsHarmless) {
  app.selectedObject = 5;
  Key(kKeyLeft);
  Key(0x65);
  Mouse(kMsgLeftButtonDown, 1, 1);
  Mouse(kMsgMouseMove, 100, 100);
  EXPECT_EQ(app.dragLast.x, 100 - 375);
}

}  // namespace
