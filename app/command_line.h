#pragma once
// The desktop program's command line: `--threads N` (or `--threads=N`),
// the renderer's worker threads, 0 meaning one per hardware thread.
#include <cstdint>
#include <string>

// Reads argv[1..argc-1] into `threads` (left as it is when not given).
// Returns true on success; on failure false with `problem` set to one
// sentence naming the argument and what is wrong with it.
bool ParseCommandLine(int argc, const char* const* argv, int32_t* threads,
                      std::string* problem);
