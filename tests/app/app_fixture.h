#pragma once
// Each test starts from a fresh platform record and application record over
// the scripted window system, with a tick count it controls.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/application.h"
#include "app/demo.h"
#include "app/frame_composer.h"
#include "platform/platform.h"
#include "platform/tick_count.h"
#include "tests/app/fake_window_system.h"

using namespace app;
using namespace platform;

class AppTest : public testing::Test {
 protected:
  AppTest() {
    ResetFakes();
    SetTickSource(*platformRecord, FakeTickCount);
    app.window.consoleEnabled = 0;
  }
  ~AppTest() override { ReleaseFrameBuffer(app.window); }

  // The program as it is when its loop begins.
  void StartDemo() {
    ASSERT_EQ(StartApplication(app), 1);
    ASSERT_EQ(InitDemo(app), 0);
    app.window.running = 1;
  }

  PlatformPtr platformRecord = MakePlatform();
  App app{*platformRecord};
};
