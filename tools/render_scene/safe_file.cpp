#include "tools/render_scene/safe_file.h"

#include <unistd.h>

#include <cstdio>

std::string TemporaryNameFor(const std::string& finalName) {
  const size_t slash = finalName.rfind('/');
  const size_t start = slash == std::string::npos ? 0 : slash + 1;
  return finalName.substr(0, start) + "." + finalName.substr(start) + "." +
         std::to_string(::getpid()) + ".part";
}

int32_t CommitFile(const std::string& temporary, const std::string& finalName) {
  if (std::rename(temporary.c_str(), finalName.c_str()) == 0) return 1;
  DiscardFile(temporary);
  return 0;
}

void DiscardFile(const std::string& temporary) {
  std::remove(temporary.c_str());
}
