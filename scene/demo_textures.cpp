// The built-in model's seven images and their start-up loading.
#include <string>

#include "renderer/demo.h"

namespace renderer {

const char kTextureFileNames[kTextureSlotCount][12] = {
    "corvik.bmp", "data3.bmp",   "neo.bmp",   "t2.bmp",
    "dremma2.bmp", "saffel1.bmp", "torvel.bmp",
};

namespace {

// Folder tried after the image folder itself, relative to it.
constexpr char kTextureFallbackFolder[] = "../../__pic/__face/";

std::string InFolder(const char* folder, const std::string& name) {
  if (folder == nullptr || folder[0] == '\0') return name;
  std::string path = folder;
  if (path.back() != '/') path += '/';
  return path + name;
}

}  // namespace

std::vector<Texture> LoadTexturesFrom(const char* folder) {
  std::vector<Texture> slots(kTextureSlotCount);
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    const std::string name = kTextureFileNames[slot];
    const std::string bare = InFolder(folder, name);
    if (!LoadBmpTexture(bare.c_str(), slots[size_t(slot)])) {
      const std::string fallback =
          InFolder(folder, kTextureFallbackFolder + name);
      LoadBmpTexture(fallback.c_str(), slots[size_t(slot)]);
    }
  }
  // The six face images draw fully opaque; the fin image keeps its holes.
  for (int slot = 0; slot < 6; ++slot) MakeWhiteOpaque(slots[size_t(slot)]);
  return slots;
}

}  // namespace renderer
