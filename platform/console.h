#pragma once
// The program's console is the terminal it was started from, if any: it
// gets the window's title and nothing else is written to it. The terminal's
// own title is saved on its title stack first and given back when the
// program ends: through FreeConsole, exit(), SIGINT or SIGTERM. The signal
// actions in place before are kept in the platform record and given back by
// FreeConsole.
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// Returns 1 when standard output is a terminal, 0 otherwise.
int32_t AllocConsole();

// Sets the title of the terminal on standard output, saving the terminal's
// title the first time; does nothing when standard output is not a
// terminal. Returns 1 when the title was sent.
int32_t SetConsoleTitle(Platform& platform, const wchar_t* title);

// Flushes what the program wrote to standard output and gives the terminal
// its saved title back.
void FreeConsole(Platform& platform);

// Writes the terminal's set-title sequence for `title` to `fd` when `fd` is
// a terminal. Control characters in the title are left out so that they
// cannot end the sequence early. Returns 1 when it was written.
int32_t WriteTerminalTitle(int fd, const wchar_t* title);

// xterm's title stack: push saves the icon name and window title
// (CSI 22;0t), pop restores them (CSI 23;0t). Each writes to `fd` only when
// it is a terminal and returns 1 when the sequence was written.
int32_t PushTerminalTitle(int fd);
int32_t PopTerminalTitle(int fd);

}  // namespace platform
