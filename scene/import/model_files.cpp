// Model-relative paths: checked lexically, then read.
#include "scene/import/model_files.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace renderer {

namespace {

// "name:" at the start, as URI schemes are spelt; empty when there is none.
std::string SchemeOf(const std::string& path) {
  if (path.empty() || !std::isalpha(static_cast<unsigned char>(path[0]))) {
    return "";
  }
  for (size_t i = 1; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c == ':') return path.substr(0, i);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return "";
  }
  return "";
}

}  // namespace

bool PathStaysInFolder(const std::string& path, std::string* problem) {
  if (path.empty()) {
    *problem = "empty file name";
    return false;
  }
  if (path.find('\0') != std::string::npos) {
    *problem = "file name holds a NUL character";
    return false;
  }
  if (path[0] == '/' || path[0] == '\\') {
    *problem = "absolute paths are refused";
    return false;
  }
  const std::string scheme = SchemeOf(path);
  if (!scheme.empty()) {
    *problem = "URI scheme \"" + scheme + ":\" refused (only relative files " +
               "and base64 data: URIs are read)";
    return false;
  }
  int depth = 0;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    depth += part == ".." ? -1 : (part.empty() || part == "." ? 0 : 1);
    if (depth < 0) {
      *problem = "the path leaves the model's folder";
      return false;
    }
    start = end + 1;
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes,
                   std::string* problem) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    *problem = "no such file";
    return false;
  }
  const bool regular = std::filesystem::is_regular_file(path, error);
  const uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
  if (!regular || error) {
    *problem = "not a regular file";
    return false;
  }
  if (size > uintmax_t(kMaxModelFileBytes)) {
    *problem = "larger than 2 GiB";
    return false;
  }
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *problem = std::strerror(errno);
    return false;
  }
  bytes->resize(size_t(size));
  const size_t got = std::fread(bytes->data(), 1, bytes->size(), file);
  const bool ok = got == bytes->size() && std::fgetc(file) == EOF;
  std::fclose(file);
  if (!ok) *problem = "changed or unreadable while being read";
  return ok;
}

bool ReadModelFile(const ModelFiles& files, const std::string& path,
                   std::vector<uint8_t>* bytes, std::string* problem) {
  if (!PathStaysInFolder(path, problem)) return false;
  if (files.memory != nullptr) {
    const auto found = files.memory->find(path);
    if (found == files.memory->end()) {
      *problem = "no such file";
      return false;
    }
    *bytes = found->second;
    return true;
  }
  const std::string full = files.folder.empty() ? path : files.folder + "/" + path;
  return ReadWholeFile(full, bytes, problem);
}

bool ModelFileMissing(const ModelFiles& files, const std::string& path) {
  std::string problem;
  if (!PathStaysInFolder(path, &problem)) return false;
  if (files.memory != nullptr) return files.memory->count(path) == 0;
  std::error_code error;
  const std::string full = files.folder.empty() ? path : files.folder + "/" + path;
  return !std::filesystem::exists(full, error) && !error;
}

std::string MissingFileWarning(const std::string& name, const std::string& place,
                               const std::string& consequence) {
  return OneLine(name + ": " + place + ": no such file; drawn without " + consequence);
}

std::string Quoted(const std::string& name) {
  constexpr size_t kLongest = 60;
  return "\"" + (name.size() > kLongest ? name.substr(0, kLongest - 3) + "..." : name) + "\"";
}

std::string OneLine(const std::string& message) {
  std::string line;
  for (const char c : message) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
      line += c;
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
    line += escaped;
  }
  constexpr size_t kLongest = 400;  // names copied from a file can be huge
  if (line.size() > kLongest) line = line.substr(0, kLongest - 3) + "...";
  return line;
}

}  // namespace renderer
