// Runs a fuzz target's entry point over saved inputs, without libFuzzer:
// each argument is a file or a folder of files. Any crash, sanitizer report
// or failed check in the target ends the run with a non-zero status.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The files named, folders expanded in name order; missing paths are skipped.
std::vector<std::filesystem::path> InputFiles(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    if (std::filesystem::is_regular_file(arg)) files.push_back(arg);
    if (!std::filesystem::is_directory(arg)) continue;
    std::vector<std::filesystem::path> inFolder;
    for (const auto& entry : std::filesystem::directory_iterator(arg)) {
      if (entry.is_regular_file() && entry.path().filename() != "README.md") {
        inFolder.push_back(entry.path());
      }
    }
    std::sort(inFolder.begin(), inFolder.end());
    files.insert(files.end(), inFolder.begin(), inFolder.end());
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const auto files = InputFiles(argc, argv);
  for (const auto& file : files) {
    const std::vector<uint8_t> bytes = ReadAll(file);
    // A null pointer for an empty input, as libFuzzer may pass.
    LLVMFuzzerTestOneInput(bytes.empty() ? nullptr : bytes.data(), bytes.size());
  }
  std::printf("replayed %zu inputs\n", files.size());
  return files.empty() ? 1 : 0;
}
