#include "platform/console.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform_state.h"
#include "platform/text_encoding.h"

namespace platform {

namespace {

constexpr char kPushTitle[] = "\033[22;0t";
constexpr char kPopTitle[] = "\033[23;0t";
constexpr int kTitleSignals[] = {SIGINT, SIGTERM};

// 1 while standard output's terminal holds a title this program pushed.
// Read and cleared by the signal handler, which can reach nothing else: the
// layer's one variable outside the platform record, hence sig_atomic_t.
volatile sig_atomic_t titlePushed = 0;

int32_t WriteAll(int fd, const char* bytes, size_t count) {
  return write(fd, bytes, count) == static_cast<ssize_t>(count) ? 1 : 0;
}

// Only async-signal-safe calls: write(2), then the signal again with its
// default action (reset on entry by SA_RESETHAND), so the program ends with
// the status a shell expects from it.
void RestoreTitleAndRaise(int signal) {
  const int savedErrno = errno;
  if (titlePushed) {
    titlePushed = 0;
    const ssize_t ignored = write(STDOUT_FILENO, kPopTitle, sizeof kPopTitle - 1);
    static_cast<void>(ignored);
  }
  errno = savedErrno;
  raise(signal);
}

// The program is ending: the title goes back; the signal actions need not.
void RestoreTitleAtExit() {
  std::fflush(stdout);
  if (!titlePushed) return;
  titlePushed = 0;
  PopTerminalTitle(STDOUT_FILENO);
}

void CatchEndingSignals(ConsoleSignals& signals) {
  struct sigaction action {};
  action.sa_handler = RestoreTitleAndRaise;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (size_t i = 0; i < 2; ++i) {
    sigaction(kTitleSignals[i], &action, &signals.previous[i]);
  }
}

void ReleaseEndingSignals(const ConsoleSignals& signals) {
  for (size_t i = 0; i < 2; ++i) {
    sigaction(kTitleSignals[i], &signals.previous[i], nullptr);
  }
}

void SaveTerminalTitle(ConsoleSignals& signals) {
  if (titlePushed || !PushTerminalTitle(STDOUT_FILENO)) return;
  CatchEndingSignals(signals);
  titlePushed = 1;
  if (!signals.exitHookSet) {
    signals.exitHookSet = std::atexit(RestoreTitleAtExit) == 0;
  }
}

}  // namespace

int32_t AllocConsole() { return isatty(STDOUT_FILENO) ? 1 : 0; }

int32_t SetConsoleTitle(Platform& platform, const wchar_t* title) {
  std::fflush(stdout);
  SaveTerminalTitle(platform.console);
  return WriteTerminalTitle(STDOUT_FILENO, title);
}

void FreeConsole(Platform& platform) {
  std::fflush(stdout);
  if (!titlePushed) return;
  titlePushed = 0;
  ReleaseEndingSignals(platform.console);
  PopTerminalTitle(STDOUT_FILENO);
}

int32_t PushTerminalTitle(int fd) {
  return isatty(fd) && WriteAll(fd, kPushTitle, sizeof kPushTitle - 1);
}

int32_t PopTerminalTitle(int fd) {
  return isatty(fd) && WriteAll(fd, kPopTitle, sizeof kPopTitle - 1);
}

int32_t WriteTerminalTitle(int fd, const wchar_t* title) {
  if (!isatty(fd)) return 0;
  wchar_t clean[128];
  size_t length = 0;
  for (const wchar_t* c = title; c != nullptr && *c != L'\0'; ++c) {
    if (length + 1 == sizeof clean / sizeof clean[0]) break;
    if (*c >= 32 && *c != 127) clean[length++] = *c;
  }
  clean[length] = L'\0';
  // Operating system command 0 sets the icon name and the window title.
  char sequence[sizeof clean / sizeof clean[0] * 4 + 8] = "\033]0;";
  const size_t prefix = std::strlen(sequence);
  const size_t body =
      WideToUtf8(clean, sequence + prefix, sizeof sequence - prefix - 1);
  sequence[prefix + body] = '\a';
  return WriteAll(fd, sequence, prefix + body + 1);
}

}  // namespace platform
