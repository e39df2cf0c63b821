// The golden hashes file.
#include "tests/support/golden_hashes.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

bool UpdatingGoldens() {
  return std::getenv("RENDERER_UPDATE_GOLDEN") != nullptr;
}

std::map<std::string, FrameHashes> ReadGoldenHashes(const std::string& file) {
  std::map<std::string, FrameHashes> hashes;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name, pixels, depth;
    if (!(fields >> name >> pixels >> depth)) continue;
    hashes[name] = FrameHashes{std::stoull(pixels, nullptr, 16),
                               std::stoull(depth, nullptr, 16)};
  }
  return hashes;
}

void WriteGoldenHash(const std::string& file, const std::string& name,
                     const FrameHashes& hashes) {
  char entry[160];
  std::snprintf(entry, sizeof entry, "%s 0x%016" PRIx64 " 0x%016" PRIx64,
                name.c_str(), hashes.pixels, hashes.depth);
  std::ifstream in(file);
  std::ostringstream kept;
  std::string line;
  bool replaced = false;
  while (std::getline(in, line)) {
    const bool same = line.rfind(name + " ", 0) == 0;
    kept << (same ? std::string(entry) : line) << "\n";
    replaced = replaced || same;
  }
  if (!replaced) kept << entry << "\n";
  in.close();
  std::ofstream(file) << kept.str();
}

bool MatchesGolden(const std::string& file, const std::string& name,
                   const FrameHashes& actual) {
  if (UpdatingGoldens()) {
    WriteGoldenHash(file, name, actual);
    return true;
  }
  const auto hashes = ReadGoldenHashes(file);
  const auto expected = hashes.find(name);
  if (expected == hashes.end()) {
    ADD_FAILURE() << name << " is missing from " << file;
    return false;
  }
  EXPECT_EQ(actual.pixels, expected->second.pixels)
      << name << " pixels: 0x" << std::hex << actual.pixels;
  EXPECT_EQ(actual.depth, expected->second.depth)
      << name << " depth bits: 0x" << std::hex << actual.depth;
  return actual.pixels == expected->second.pixels &&
         actual.depth == expected->second.depth;
}
