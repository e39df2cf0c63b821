// The terminal's own title is saved before the program sets its title and
// given back on every way out: FreeConsole, exit(), SIGINT and SIGTERM.
// Each case runs in a child process whose standard output is a
// pseudo-terminal, and the bytes the terminal received are compared.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/console.h"
#include "platform/platform.h"

namespace {

using namespace platform;

constexpr const char* kPush = "\033[22;0t";
constexpr const char* kPop = "\033[23;0t";
constexpr const char* kSetRenderer = "\033]0;Renderer\a";

struct ChildRun {
  std::string terminalBytes;
  int status;
};

// Runs `body` in a child whose standard output is `output`, or a fresh
// pseudo-terminal when `output` is negative, then collects what reached the
// terminal.
template <typename Body>
ChildRun RunChild(Body body, int output = -1) {
  ChildRun run{"", -1};
  int controller = -1, terminal = -1;
  if (openpty(&controller, &terminal, nullptr, nullptr, nullptr) != 0) {
    ADD_FAILURE() << "no pseudo-terminal";
    return run;
  }
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    dup2(output >= 0 ? output : terminal, STDOUT_FILENO);
    close(terminal);
    close(controller);
    body();
    _exit(0);
  }
  close(terminal);
  waitpid(child, &run.status, 0);
  char buffer[256];
  ssize_t got = 0;
  fcntl(controller, F_SETFL, O_NONBLOCK);
  while ((got = read(controller, buffer, sizeof buffer)) > 0) {
    run.terminalBytes.append(buffer, size_t(got));
  }
  close(controller);
  return run;
}

TEST(ConsoleTitle, StackSequencesGoToATerminalOnly) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  EXPECT_EQ(PushTerminalTitle(pipeEnds[1]), 0);
  EXPECT_EQ(PopTerminalTitle(pipeEnds[1]), 0);
  close(pipeEnds[1]);
  char byte;
  EXPECT_EQ(read(pipeEnds[0], &byte, 1), 0);
  close(pipeEnds[0]);

  const ChildRun run = RunChild([] {
    PushTerminalTitle(STDOUT_FILENO);
    PopTerminalTitle(STDOUT_FILENO);
  });
  EXPECT_EQ(run.terminalBytes, std::string(kPush) + kPop);
}

TEST(ConsoleTitle, SavedBeforeSettingAndGivenBackOnce) {
  const ChildRun run = RunChild([] {
    const PlatformPtr record = MakePlatform();
    AllocConsole();
    SetConsoleTitle(*record, L"Renderer");
    SetConsoleTitle(*record, L"Renderer");  // the saved title stays the first one
    FreeConsole(*record);
    FreeConsole(*record);
  });
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0);
  EXPECT_EQ(run.terminalBytes,
            std::string(kPush) + kSetRenderer + kSetRenderer + kPop);
}

TEST(ConsoleTitle, GivenBackWhenTheProgramExitsWithoutFreeing) {
  const ChildRun run = RunChild([] {
    const PlatformPtr record = MakePlatform();
    SetConsoleTitle(*record, L"Renderer");
    std::exit(3);
  });
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 3);
  EXPECT_EQ(run.terminalBytes, std::string(kPush) + kSetRenderer + kPop);
}

TEST(ConsoleTitle, GivenBackOnInterruptAndTerminateWhichStillEndTheProgram) {
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const ChildRun run = RunChild([signal] {
      const PlatformPtr record = MakePlatform();
      SetConsoleTitle(*record, L"Renderer");
      kill(getpid(), signal);
      pause();
    });
    EXPECT_TRUE(WIFSIGNALED(run.status) && WTERMSIG(run.status) == signal)
        << run.status;
    EXPECT_EQ(run.terminalBytes, std::string(kPush) + kSetRenderer + kPop);
  }
  // After FreeConsole the signals have their own actions again.
  const ChildRun freed = RunChild([] {
    const PlatformPtr record = MakePlatform();
    SetConsoleTitle(*record, L"Renderer");
    FreeConsole(*record);
    kill(getpid(), SIGTERM);
    pause();
  });
  EXPECT_TRUE(WIFSIGNALED(freed.status) && WTERMSIG(freed.status) == SIGTERM);
  EXPECT_EQ(freed.terminalBytes, std::string(kPush) + kSetRenderer + kPop);
}

TEST(ConsoleTitle, NothingIsSavedWhenOutputIsNoTerminal) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const ChildRun run = RunChild(
      [] {
        const PlatformPtr record = MakePlatform();
        SetConsoleTitle(*record, L"Renderer");
        struct sigaction action {};
        sigaction(SIGTERM, nullptr, &action);
        FreeConsole(*record);
        // The handler stays the default one: exit 7 tells the test so.
        std::exit(action.sa_handler == SIG_DFL ? 7 : 8);
      },
      pipeEnds[1]);
  close(pipeEnds[1]);
  char buffer[16];
  EXPECT_EQ(read(pipeEnds[0], buffer, sizeof buffer), 0);
  close(pipeEnds[0]);
  EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 7);
  EXPECT_EQ(run.terminalBytes, "");
}

}  // namespace
