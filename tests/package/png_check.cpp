// png-check FILE WIDTH HEIGHT [X Y RRGGBB[|RRGGBB...]]...: exits 0 when the
// PNG has that size and each listed pixel one of the listed colours;
// otherwise prints the first difference and exits 1.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool ColourListed(uint32_t colour, const std::string& list) {
  size_t at = 0;
  while (at <= list.size()) {
    const size_t end = list.find('|', at);
    const std::string one = list.substr(at, end - at);
    if (std::strtoul(one.c_str(), nullptr, 16) == colour) return true;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || (argc - 4) % 3 != 0) {
    std::fprintf(stderr, "usage: png-check FILE W H [X Y RRGGBB]...\n");
    return 2;
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, argv[1])) {
    std::fprintf(stderr, "png-check: cannot read %s\n", argv[1]);
    return 1;
  }
  png.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return 1;
  if (png.width != std::strtoul(argv[2], nullptr, 10) ||
      png.height != std::strtoul(argv[3], nullptr, 10)) {
    std::fprintf(stderr, "png-check: %s is %u x %u\n", argv[1], png.width,
                 png.height);
    return 1;
  }
  for (int i = 4; i < argc; i += 3) {
    const size_t x = std::strtoul(argv[i], nullptr, 10);
    const size_t y = std::strtoul(argv[i + 1], nullptr, 10);
    const png_byte* p = &rgb[3 * (y * png.width + x)];
    const uint32_t colour = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    if (!ColourListed(colour, argv[i + 2])) {
      std::fprintf(stderr, "png-check: pixel (%zu, %zu) is %06X, not %s\n", x,
                   y, colour, argv[i + 2]);
      return 1;
    }
  }
  return 0;
}
