#pragma once
// Each test starts from the start-up defaults over the scripted window
// system, with a tick count it controls.
#include <gtest/gtest.h>

#include "app/app_window.h"
#include "app/application.h"
#include "app/demo.h"
#include "tests/app/fake_window_system.h"

class AppTest : public testing::Test {
 protected:
  void SetUp() override { ResetEverything(); }

  // The program as it is when its loop begins.
  void StartDemo() {
    ASSERT_EQ(StartApplication(), 1);
    ASSERT_EQ(InitDemo(), 0);
    appWindow->running = 1;
  }
};
