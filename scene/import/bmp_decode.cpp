// BMP images through the program's own 24-bit BMP reader.
#include <cstring>

#include "scene/import/image_decode.h"
#include "scene/texture.h"

namespace renderer {

bool DecodeBmp(const uint8_t* bytes, size_t length, DecodedImage* image,
               std::string* problem) {
  ::Texture loaded{0, 0, 0, nullptr};
  if (LoadBmpFromMemory(bytes, length, &loaded) == 0) {
    *problem = "BMP: not an uncompressed bottom-up 24-bit BMP, or cut short";
    return false;
  }
  const bool allowed = ImageSizeAllowed(loaded.width, loaded.height, problem);
  if (allowed) {
    image->rgb.width = loaded.width;
    image->rgb.height = loaded.height;
    image->rgb.texels.assign(loaded.texels, loaded.texels + loaded.byteSize);
    image->alpha.clear();
  }
  FreeTexture(&loaded);
  return allowed;
}

}  // namespace renderer
