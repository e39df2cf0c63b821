// make-textures OUTDIR: writes the seven demo images as 24-bit BMP files.
#include <cstdio>
#include <string>

#include "renderer/renderer.h"
#include "tools/make_textures/texture_art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-textures OUTDIR\n");
    return 2;
  }
  for (int slot = 0; slot < renderer::kTextureSlotCount; ++slot) {
    const ArtImage image = MakeDemoImage(slot);
    const std::string path = std::string(argv[1]) + "/" + renderer::kTextureFileNames[slot];
    if (!renderer::WriteBmp24(path.c_str(), image.pixels.data(), image.width, image.height,
                    image.width)) {
      std::fprintf(stderr, "make-textures: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
