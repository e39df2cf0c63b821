#pragma once
// The files a model names: paths checked to stay inside the model's folder,
// read from disk or, for tests and fuzzing, from memory.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace renderer {

// Largest file read: 2 GiB - 1 bytes (the readers count bytes in int).
constexpr int64_t kMaxModelFileBytes = 0x7FFFFFFF;

struct ModelFiles {
  std::string folder;  // the model's folder; "" is the working directory
  // When set, it stands for the folder: file name -> bytes.
  const std::map<std::string, std::vector<uint8_t>>* memory = nullptr;
};

// True when `path` (already percent-decoded) is a plain relative path that
// stays inside the model's folder; otherwise false with `problem` saying
// why (without the path): empty, absolute, a URI scheme, or leaving the
// folder. Checked lexically, component by component.
bool PathStaysInFolder(const std::string& path, std::string* problem);

// Reads the file `path` names inside the model's folder, after the check
// above.
bool ReadModelFile(const ModelFiles& files, const std::string& path,
                   std::vector<uint8_t>* bytes, std::string* problem);

// True when `path` stays inside the model's folder and nothing there has
// that name. A model drawn without such a file (a material file or an
// image) warns instead of failing; anything else that cannot be read
// still refuses the model.
bool ModelFileMissing(const ModelFiles& files, const std::string& path);

// The warning for a missing file: "NAME: PLACE: no such file; drawn
// without CONSEQUENCE", on one line.
std::string MissingFileWarning(const std::string& name, const std::string& place,
                               const std::string& consequence);

// Reads a whole file from disk; `problem` does not repeat the path.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes,
                   std::string* problem);

// `name` in double quotes, cut to 60 characters, for a message's place.
std::string Quoted(const std::string& name);

// `message` with control characters (names taken from the file may hold
// newlines) written as \xNN, so it stays one line, and cut to 400
// characters.
std::string OneLine(const std::string& message);

}  // namespace renderer
