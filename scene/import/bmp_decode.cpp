// BMP images through the program's own 24-bit BMP reader.
#include "renderer/texture.h"
#include "scene/import/image_decode.h"

namespace renderer {

bool DecodeBmp(const uint8_t* bytes, size_t length, DecodedImage* image,
               std::string* problem) {
  Texture loaded;
  if (!LoadBmpFromMemory(bytes, length, loaded)) {
    *problem = "BMP: not an uncompressed bottom-up 24-bit BMP, or cut short";
    return false;
  }
  if (!ImageSizeAllowed(loaded.width, loaded.height, problem)) return false;
  image->rgb = std::move(loaded);
  image->alpha.clear();
  return true;
}

}  // namespace renderer
