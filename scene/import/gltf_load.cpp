// tinygltf with our file access and image capture. The library reads the
// JSON, data: URIs and the GLB container; what it leaves unchecked
// (offsets, strides, counts, indices) is checked before any use.
#include "scene/import/gltf_load.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>

namespace renderer {

namespace {

// Stands for the model's folder in the paths tinygltf builds, so the file
// callbacks can tell a path inside it from the working-directory retry.
const char kFolderMarker[] = "\x01model/";
constexpr size_t kMarkerLength = sizeof kFolderMarker - 1;
// Deepest JSON nesting accepted; tinygltf reads extras recursively.
constexpr int kMaxJsonDepth = 64;

struct CallbackState {
  const ModelFiles* files;
  GltfSideFiles* side;
};

bool InFolder(const std::string& path, std::string* relative) {
  if (path.compare(0, kMarkerLength, kFolderMarker) != 0) return false;
  *relative = path.substr(kMarkerLength);
  return true;
}

void Refuse(CallbackState* state, const std::string& path, const std::string& problem) {
  state->side->refused.push_back({path, problem});
}

bool FileExists(const std::string& path, void* user) {
  auto* state = static_cast<CallbackState*>(user);
  std::string relative, problem;
  if (!InFolder(path, &relative)) return false;
  if (!PathStaysInFolder(relative, &problem)) {
    Refuse(state, relative, problem);
    return false;
  }
  const ModelFiles& files = *state->files;
  bool exists = false;
  if (files.memory != nullptr) {
    exists = files.memory->count(relative) != 0;
  } else {
    std::error_code error;
    exists = std::filesystem::is_regular_file(
        files.folder.empty() ? relative : files.folder + "/" + relative, error);
  }
  if (!exists) {
    Refuse(state, relative, "no such file");
    if (ModelFileMissing(files, relative)) state->side->missing.push_back(relative);
  }
  return exists;
}

std::string ExpandFilePath(const std::string& path, void*) { return path; }

bool ReadFile(std::vector<unsigned char>* out, std::string* err,
              const std::string& path, void* user) {
  auto* state = static_cast<CallbackState*>(user);
  std::string relative, problem;
  if (!InFolder(path, &relative)) return false;
  if (!ReadModelFile(*state->files, relative, out, &problem)) {
    Refuse(state, relative, problem);
    *err = problem;
    return false;
  }
  return true;
}

bool WriteFile(std::string*, const std::string&, const std::vector<unsigned char>&,
               void*) {
  return false;
}

// Keeps a URI image's bytes; bufferView images are read later, once checked.
bool KeepImage(tinygltf::Image* image, const int index, std::string*,
               std::string*, int, int, const unsigned char* bytes, int size,
               void* user) {
  if (image->bufferView >= 0 || index < 0 || size < 0) return true;
  auto* side = static_cast<CallbackState*>(user)->side;
  if (side->imageBytes.size() <= size_t(index)) {
    side->imageBytes.resize(size_t(index) + 1);
    side->imageRead.resize(size_t(index) + 1, 0);
  }
  side->imageBytes[size_t(index)].assign(bytes, bytes + size);
  side->imageRead[size_t(index)] = 1;
  return true;
}

// Deepest nesting of [ and { outside strings.
int JsonDepth(const uint8_t* text, size_t length) {
  int depth = 0, deepest = 0;
  bool inString = false;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      deepest = std::max(deepest, ++depth);
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  return deepest;
}

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
         uint32_t(p[3]) << 24;
}

// The GLB header and JSON chunk, checked; `json`/`jsonLength` locate it.
bool CheckGlbHeader(const std::vector<uint8_t>& bytes, size_t* jsonOffset,
                    size_t* jsonLength, GltfError* error) {
  error->place = "header";
  if (bytes.size() < 20 || std::memcmp(bytes.data(), "glTF", 4) != 0) {
    error->problem = "not a binary glTF file (no 20-byte header with 'glTF')";
    return false;
  }
  const uint32_t version = Le32(&bytes[4]), length = Le32(&bytes[8]);
  const uint32_t chunk = Le32(&bytes[12]), type = Le32(&bytes[16]);
  if (version != 2) {
    error->problem = "version " + std::to_string(version) + " is not 2";
    return false;
  }
  if (length != bytes.size()) {
    error->problem = "says " + std::to_string(length) + " bytes, the file has " +
                     std::to_string(bytes.size());
    return false;
  }
  if (type != 0x4E4F534Au || chunk == 0 || chunk > length - 20) {
    error->place = "chunks[0]";
    error->problem = "the first chunk is not a JSON chunk inside the file";
    return false;
  }
  *jsonOffset = 20;
  *jsonLength = chunk;
  return true;
}

// The first line of tinygltf's messages.
std::string FirstLine(const std::string& text) {
  const size_t end = text.find('\n');
  std::string line = text.substr(0, end);
  return line.empty() ? "the file could not be read" : line;
}

bool RunTinyGltf(const std::vector<uint8_t>& bytes, bool binary,
                 CallbackState* state, tinygltf::Model* model, std::string* err) {
  tinygltf::TinyGLTF loader;
  loader.SetFsCallbacks({&FileExists, &ExpandFilePath, &ReadFile, &WriteFile, state});
  loader.SetImageLoader(&KeepImage, state);
  std::string warn;
  const std::string folder(kFolderMarker, kMarkerLength - 1);
  if (binary) {
    return loader.LoadBinaryFromMemory(model, err, &warn, bytes.data(),
                                       static_cast<unsigned int>(bytes.size()), folder);
  }
  return loader.LoadASCIIFromString(
      model, err, &warn, reinterpret_cast<const char*>(bytes.data()),
      static_cast<unsigned int>(bytes.size()), folder);
}

}  // namespace

bool ParseGltf(const std::vector<uint8_t>& bytes, bool binary,
               const ModelFiles& files, tinygltf::Model* model,
               GltfSideFiles* side, GltfError* error) {
  size_t jsonOffset = 0, jsonLength = bytes.size();
  if (binary && !CheckGlbHeader(bytes, &jsonOffset, &jsonLength, error)) {
    return false;
  }
  if (JsonDepth(bytes.data() + jsonOffset, jsonLength) > kMaxJsonDepth) {
    error->place = "JSON";
    error->problem = "nested more than " + std::to_string(kMaxJsonDepth) + " deep";
    return false;
  }
  CallbackState state{&files, side};
  std::string err;
  bool ok = false;
  try {
    ok = RunTinyGltf(bytes, binary, &state, model, &err);
  } catch (const std::exception& e) {
    err = e.what();
  }
  if (!ok) {
    if (!side->refused.empty()) {
      error->place = "uri " + Quoted(side->refused.back().first);
      error->problem = side->refused.back().second;
    } else {
      error->place = "glTF";
      error->problem = FirstLine(err);
    }
    return false;
  }
  side->imageBytes.resize(model->images.size());
  side->imageRead.resize(model->images.size(), 0);
  return true;
}

}  // namespace renderer
