#pragma once
// Files for tests: a fresh folder per test, whole files read and written,
// and a small scene file that uses every kind of entry.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A small scene that uses every kind of entry: sizes, camera, a texture
// file, a textured triangle, a line and object transforms.
constexpr const char* kExampleScene = R"({
  "frameBuffer": {"width": 160, "height": 120},
  "client": {"width": 120, "height": 90},
  "camera": {"focalLength": 100},
  "textures": [{"file": "checker.bmp", "opaqueWhite": false}],
  "meshes": [{
    "vertices": [[-50, -50, 300], [50, -50, 300], [0, 60, 250]],
    "triangles": [{"vertex": [0, 1, 2], "texture": 0,
                   "uv": [[0, 0], [16, 0], [8, 16]]}],
    "lines": [{"from": 0, "to": 2, "fromColour": 16711680, "toColour": 255}]
  }],
  "objects": [{"transforms": [["rotateZ", 15], ["scale", 1.1]],
               "position": [0, 0, 0]}]
}
)";

// A fresh, empty folder for one test.
inline std::filesystem::path FreshTestFolder(const std::string& name) {
  const auto dir =
      std::filesystem::temp_directory_path() /
      ("renderer-test-" + name + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

inline std::string ReadText(const std::filesystem::path& path) {
  std::string text;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return text;
  char chunk[65536];
  size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    text.append(chunk, count);
  }
  std::fclose(file);
  return text;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  const std::string text = ReadText(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

inline void WriteText(const std::filesystem::path& path,
                      const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

