// The small platform services: wide formatting of the FPS text, the
// terminal's title, the replaceable tick count.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/console.h"
#include "platform/platform.h"
#include "platform/tick_count.h"
#include "platform/wide_format.h"

namespace {

using namespace platform;

std::wstring Format(const wchar_t* format, int32_t value,
                    int32_t capacity = 40) {
  wchar_t out[64];
  const int32_t length = FormatWide(out, capacity, format, value);
  EXPECT_EQ(size_t(length), std::wstring(out).size());
  return out;
}

TEST(FormatWide, FormatsTheFpsText) {
  EXPECT_EQ(Format(L"FPS:  %d  ", 0), L"FPS:  0  ");
  EXPECT_EQ(Format(L"FPS:  %d  ", 1234), L"FPS:  1234  ");
  EXPECT_EQ(Format(L"FPS:  %d  ", -17), L"FPS:  -17  ");
  EXPECT_EQ(Format(L"%d", INT_MIN), L"-2147483648");
  EXPECT_EQ(Format(L"100%% %d", 5), L"100% 5");
}

TEST(FormatWide, CutToTheCapacityAndAlwaysTerminated) {
  EXPECT_EQ(Format(L"FPS:  %d  ", 123456, 8), L"FPS:  1");
  EXPECT_EQ(Format(L"abc", 0, 1), L"");
}

// Opens a pseudo-terminal; returns its (controller, terminal) descriptors.
bool OpenTerminal(int* controller, int* terminal) {
  *controller = posix_openpt(O_RDWR | O_NOCTTY);
  if (*controller < 0 || grantpt(*controller) != 0 ||
      unlockpt(*controller) != 0) {
    return false;
  }
  *terminal = open(ptsname(*controller), O_RDWR | O_NOCTTY);
  return *terminal >= 0;
}

TEST(ConsoleTitle, SentToATerminalOnly) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  EXPECT_EQ(WriteTerminalTitle(pipeEnds[1], L"Renderer"), 0);
  close(pipeEnds[1]);
  char byte;
  EXPECT_EQ(read(pipeEnds[0], &byte, 1), 0);  // nothing was written
  close(pipeEnds[0]);

  int controller, terminal;
  ASSERT_TRUE(OpenTerminal(&controller, &terminal));
  // Control characters of the title cannot end the sequence early.
  EXPECT_EQ(WriteTerminalTitle(terminal, L"Rend\aerer"), 1);
  char buffer[64] = {};
  const ssize_t got = read(controller, buffer, sizeof buffer - 1);
  EXPECT_EQ(std::string(buffer, size_t(got > 0 ? got : 0)),
            "\033]0;Renderer\a");
  close(terminal);
  close(controller);
}

uint32_t FixedTick() { return 0xFFFFFFF0u; }

TEST(TickCount, ReadsTheReplaceableSource) {
  const PlatformPtr record = MakePlatform();
  const uint32_t a = GetTickCount(*record);  // the system's clock at first
  usleep(20000);
  const uint32_t elapsed = GetTickCount(*record) - a;
  EXPECT_GE(elapsed, 19u);
  EXPECT_LT(elapsed, 5000u);
  SetTickSource(*record, FixedTick);
  EXPECT_EQ(GetTickCount(*record), 0xFFFFFFF0u);
}

}  // namespace
