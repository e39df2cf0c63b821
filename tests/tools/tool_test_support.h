#pragma once
// Helpers for render-scene's tests: running the real program and reading its
// raw dumps; fresh folders and whole files come from tests/support.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

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

// The shell command "cd FOLDER && RUNNER render-scene ARGUMENTS...", the
// folder, program and arguments quoted; RUNNER (a command that runs the
// program, or empty) as it is. Built by appending: GCC 12's -Wrestrict
// misreads chains of "literal" + std::string at -O3.
inline std::string ToolCommand(const std::filesystem::path& folder,
                               const std::string& runner,
                               const std::vector<std::string>& arguments) {
  std::string command = "cd ";
  command += Quoted(folder.string());
  command += " && ";
  command += runner;
  command += Quoted(RENDER_SCENE_BINARY);
  for (const std::string& argument : arguments) {
    command += ' ';
    command += Quoted(argument);
  }
  return command;
}

// Runs render-scene with `arguments` in `folder`, capturing both streams.
inline ToolRun RunTool(const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments) {
  std::string command = ToolCommand(folder, "", arguments);
  const auto out = folder / "tool-stdout.txt";
  const auto err = folder / "tool-stderr.txt";
  command += " >";
  command += Quoted(out.string());
  command += " 2>";
  command += Quoted(err.string());
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

// What a shell command writes to standard output.
inline std::string CommandOutput(const std::string& command) {
  std::string text;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return text;
  char chunk[4096];
  size_t count = 0;
  while ((count = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) {
    text.append(chunk, count);
  }
  ::pclose(pipe);
  return text;
}
