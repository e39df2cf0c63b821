#pragma once
// The desktop program's command line: `renderer [--threads N] [FILE]`.
// `--threads N` (or `--threads=N`) sets the renderer's worker threads, 0
// meaning one per hardware thread; FILE is a scene or model file to open.
#include <cstdint>
#include <string>

namespace app {

// Reads argv[1..argc-1] into `threads` and `file` (each left as it is when
// not given). Returns true on success; on failure false with `problem` set
// to one sentence naming the argument and what is wrong with it.
bool ParseCommandLine(int argc, const char* const* argv, int32_t* threads,
                      std::string* file, std::string* problem);

}  // namespace app
