// The seven texture slots and their start-up loading.
#include <string>

#include "scene/texture.h"

Texture textureSlots[kTextureSlotCount];

const char* const kTextureFileNames[kTextureSlotCount] = {
    "corvik.bmp", "data3.bmp",   "neo.bmp",   "t2.bmp",
    "dremma2.bmp", "saffel1.bmp", "torvel.bmp",
};

const char* const kTextureFallbackFolder = "../../__pic/__face/";

namespace {

std::string InFolder(const char* folder, const std::string& name) {
  if (folder == nullptr || folder[0] == '\0') return name;
  std::string path = folder;
  if (path.back() != '/') path += '/';
  return path + name;
}

}  // namespace

void MakeWhiteOpaque(Texture* texture) {
  uint8_t* t = texture->texels;
  const int32_t count = texture->byteSize / 3;
  for (int32_t i = 0; i < count; ++i, t += 3) {
    if (t[0] == 255 && t[1] == 255 && t[2] == 255) t[1] = 254;
  }
}

void LoadTexturesFrom(const char* folder) {
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    const std::string name = kTextureFileNames[slot];
    const std::string bare = InFolder(folder, name);
    if (LoadBmpTexture(bare.c_str(), &textureSlots[slot]) == 0) {
      const std::string fallback =
          InFolder(folder, kTextureFallbackFolder + name);
      LoadBmpTexture(fallback.c_str(), &textureSlots[slot]);
    }
  }
  // The six face images draw fully opaque; the fin image keeps its holes.
  for (int slot = 0; slot < 6; ++slot) MakeWhiteOpaque(&textureSlots[slot]);
}

void LoadTextures() { LoadTexturesFrom(""); }
