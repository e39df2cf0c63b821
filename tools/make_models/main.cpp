// make-models: writes the generated models in every format.
//
//   make-models OUTDIR            the catalogue: NAME.obj (+ .mtl, JPEG
//                                 images), NAME.gltf (+ .bin, PNG images),
//                                 NAME-embedded.gltf (data: URIs, JPEG
//                                 images), NAME.glb (PNG images)
//   make-models --big N FILE      a sphere of about N triangles, .glb or .obj
//   make-models --seeds DIR       the fuzz targets' seed inputs
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"
#include "testmodels/seed_files.h"

namespace {

bool WriteFiles(const std::string& folder, const models::FileSet& files) {
  for (const auto& [name, bytes] : files) {
    const std::string path = folder + "/" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    const bool ok = out != nullptr &&
                    std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out != nullptr && std::fclose(out) != 0) return false;
    if (!ok) {
      std::fprintf(stderr, "make-models: cannot write %s\n", path.c_str());
      return false;
    }
  }
  return true;
}

bool WriteCatalog(const std::string& folder) {
  using models::GltfLayout;
  using models::ImageKind;
  for (const models::NamedModel& m : models::Catalog()) {
    if (!WriteFiles(folder, models::WriteObj(m.model, m.name, ImageKind::kJpeg)) ||
        !WriteFiles(folder, models::WriteGltf(m.model, m.name, GltfLayout::kExternal, ImageKind::kPng)) ||
        !WriteFiles(folder, models::WriteGltf(m.model, m.name, GltfLayout::kDataUri, ImageKind::kJpeg)) ||
        !WriteFiles(folder, models::WriteGltf(m.model, m.name, GltfLayout::kBinary, ImageKind::kPng))) {
      return false;
    }
  }
  return true;
}

bool WriteBig(long triangles, const std::filesystem::path& file) {
  const models::GenModel model = models::BigSphere(triangles);
  const std::string name = file.stem().string();
  const std::string folder = file.parent_path().empty() ? "." : file.parent_path().string();
  if (file.extension() == ".obj") {
    return WriteFiles(folder, models::WriteObj(model, name, models::ImageKind::kPng));
  }
  return WriteFiles(folder, models::WriteGltf(model, name, models::GltfLayout::kBinary,
                                              models::ImageKind::kPng));
}

bool WriteSeeds(const std::string& folder) {
  for (const auto& [target, files] : models::SeedFiles()) {
    const std::string dir = folder + "/" + target;
    std::filesystem::create_directories(dir);
    if (!WriteFiles(dir, files)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first[0] != '-') return WriteCatalog(first) ? 0 : 1;
  if (argc == 4 && first == "--big") return WriteBig(std::atol(argv[2]), argv[3]) ? 0 : 1;
  if (argc == 3 && first == "--seeds") return WriteSeeds(argv[2]) ? 0 : 1;
  std::fprintf(stderr, "usage: make-models OUTDIR | --big N FILE | --seeds DIR\n");
  return 2;
}
