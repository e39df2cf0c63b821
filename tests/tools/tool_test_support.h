#pragma once
// Helpers for render-scene's tests: fresh folders, whole files, running the
// real program, and reading its raw dumps.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
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
inline std::filesystem::path FreshToolFolder(const std::string& name) {
  const auto dir =
      std::filesystem::temp_directory_path() /
      ("render-scene-test-" + name + "-" + std::to_string(::getpid()));
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

inline uint32_t GetUint32(const uint8_t* bytes) {
  return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 |
         uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// A raw dump split into its parts; `valid` is false when the layout is off.
struct RawDump {
  bool valid;
  uint32_t width;
  uint32_t height;
  std::vector<uint32_t> pixels;
  std::vector<uint8_t> pixelBytes;
  std::vector<uint8_t> depthBytes;
};

inline RawDump ReadRawDump(const std::filesystem::path& path) {
  RawDump dump{};
  const std::vector<uint8_t> bytes = ReadBytes(path);
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RFRM", 4) != 0) {
    return dump;
  }
  dump.width = GetUint32(&bytes[4]);
  dump.height = GetUint32(&bytes[8]);
  const size_t count = size_t(dump.width) * dump.height;
  if (bytes.size() != 12 + 8 * count) return dump;
  dump.pixelBytes.assign(bytes.begin() + 12, bytes.begin() + 12 + 4 * count);
  dump.depthBytes.assign(bytes.begin() + 12 + 4 * count, bytes.end());
  for (size_t i = 0; i < count; ++i) {
    dump.pixels.push_back(GetUint32(&dump.pixelBytes[4 * i]));
  }
  dump.valid = true;
  return dump;
}

// The outcome of one run of the real program.
struct ToolRun {
  int status;  // exit status, or -1 when it did not exit normally
  std::string out;
  std::string err;
};

inline std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

// Runs render-scene with `arguments` in `folder`, capturing both streams.
inline ToolRun RunTool(const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments) {
  std::string command =
      "cd " + Quoted(folder.string()) + " && " + Quoted(RENDER_SCENE_BINARY);
  for (const std::string& argument : arguments) {
    command += " " + Quoted(argument);
  }
  const auto out = folder / "tool-stdout.txt";
  const auto err = folder / "tool-stderr.txt";
  command += " >" + Quoted(out.string()) + " 2>" + Quoted(err.string());
  const int raw = std::system(command.c_str());
  ToolRun run{-1, ReadText(out), ReadText(err)};
  if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  return run;
}

inline size_t LineCount(const std::string& text) {
  size_t lines = 0;
  for (char c : text) lines += c == '\n' ? 1 : 0;
  return lines;
}
