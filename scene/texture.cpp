// Texture records: building one from pixels, checking one, and the white
// rule.
#include "renderer/texture.h"

namespace renderer {

Texture MakeTexture(int32_t width, int32_t height, const uint32_t* pixels) {
  Texture texture;
  if (width <= 0 || height <= 0 || pixels == nullptr) return texture;
  texture.width = width;
  texture.height = height;
  texture.texels.resize(size_t(width) * size_t(height) * 3);
  for (size_t i = 0; i < size_t(width) * size_t(height); ++i) {
    texture.texels[3 * i] = uint8_t(pixels[i] >> 16);
    texture.texels[3 * i + 1] = uint8_t(pixels[i] >> 8);
    texture.texels[3 * i + 2] = uint8_t(pixels[i]);
  }
  return texture;
}

bool TextureIsUsable(const Texture& texture) {
  return texture.width >= 1 && texture.height >= 1 &&
         int64_t{texture.width} * texture.height * 3 <=
             int64_t(texture.texels.size());
}

void MakeWhiteOpaque(Texture& texture) {
  std::vector<uint8_t>& t = texture.texels;
  for (size_t i = 0; i + 2 < t.size(); i += 3) {
    if (t[i] == 255 && t[i + 1] == 255 && t[i + 2] == 255) t[i + 1] = 254;
  }
}

}  // namespace renderer
