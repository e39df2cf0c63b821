// model-info FILE...: reads each model file as render-scene would and
// prints what it became, or the one-line reason it was refused (exit 2);
// warnings about missing material files and images go to standard error.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "renderer/model.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: model-info FILE...\n");
    return 2;
  }
  int status = 0;
  for (int i = 1; i < argc; ++i) {
    renderer::Mesh mesh;
    std::vector<renderer::Texture> textures;
    std::vector<std::string> warnings;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = renderer::LoadModel(argv[i], mesh, textures, warnings, error);
    const double ms = std::chrono::duration<double, std::milli>(
                          std::chrono::steady_clock::now() - start).count();
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    if (!ok) {
      std::fprintf(stderr, "%s\n", error.c_str());
      status = 2;
      continue;
    }
    std::printf("%s: %zu vertices, %zu triangles, %zu lines, %zu textures, %.1f ms\n",
                argv[i], mesh.vertices.size(), mesh.triangles.size(), mesh.lines.size(),
                textures.size(), ms);
  }
  return status;
}
