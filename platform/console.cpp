#include "platform/console.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/text_encoding.h"

int32_t AllocConsole() { return isatty(STDOUT_FILENO) ? 1 : 0; }

int32_t SetConsoleTitle(const wchar_t* title) {
  std::fflush(stdout);
  return WriteTerminalTitle(STDOUT_FILENO, title);
}

void FreeConsole() { std::fflush(stdout); }

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
  const size_t total = prefix + body + 1;
  return write(fd, sequence, total) == static_cast<ssize_t>(total) ? 1 : 0;
}
