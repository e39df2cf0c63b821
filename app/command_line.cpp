#include "app/command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "renderer/render.h"

namespace app {

namespace {

bool ParseThreads(const std::string& text, int32_t* threads) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value > renderer::kMaxThreads) {
    return false;
  }
  *threads = static_cast<int32_t>(value);
  return true;
}

}  // namespace

bool ParseCommandLine(int argc, const char* const* argv, int32_t* threads,
                      std::string* file, std::string* problem) {
  const char* const usage = "usage: renderer [--threads N] [FILE]";
  bool haveFile = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    std::string value;
    if (arg == "--threads") {
      if (i + 1 >= argc) {
        *problem = "--threads needs a value";
        return false;
      }
      value = argv[++i];
    } else if (arg.rfind("--threads=", 0) == 0) {
      value = arg.substr(10);
    } else if (arg.rfind("--", 0) == 0 || haveFile) {
      *problem = "unknown argument \"" + arg + "\"; " + usage;
      return false;
    } else {
      *file = arg;
      haveFile = true;
      continue;
    }
    if (!ParseThreads(value, threads)) {
      *problem = "--threads " + value + ": expected a whole number from 0 to " +
                 std::to_string(renderer::kMaxThreads);
      return false;
    }
  }
  return true;
}

}  // namespace app
