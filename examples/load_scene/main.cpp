// load-scene SCENE OUT.png: a scene file (or a model file) loaded, checked
// and drawn by the renderer library, its client area written as a PNG.
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include <renderer/renderer.h>

int main(int argc, char** argv) {
  using namespace renderer;
  if (argc != 3) return std::fprintf(stderr, "usage: load-scene SCENE OUT.png\n"), 2;
  LoadedScene loaded;
  std::string error;
  if (!LoadScene(argv[1], {}, loaded, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());  // file: place: problem
    return 2;
  }
  for (const std::string& note : loaded.notes) std::fprintf(stderr, "%s\n", note.c_str());
  HeadlessTarget target;
  BindSceneTarget(loaded, target);
  WorkspacePtr workspace = MakeWorkspace();
  DrawScene(loaded, target, *workspace);
  // The client area, the part of the frame buffer a window would show.
  const FrameTarget& frame = target.target;
  std::vector<png_byte> rgb;
  for (int32_t y = 0; y < loaded.clientHeight; ++y) {
    const uint32_t* row = frame.pixels + size_t(y) * size_t(frame.pitch / 4);
    for (int32_t x = 0; x < loaded.clientWidth; ++x) {
      rgb.insert(rgb.end(), {png_byte(row[x] >> 16), png_byte(row[x] >> 8), png_byte(row[x])});
    }
  }
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = png_uint_32(loaded.clientWidth), png.height = png_uint_32(loaded.clientHeight);
  png.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&png, argv[2], 0, rgb.data(), 0, nullptr)) return 0;
  std::fprintf(stderr, "load-scene: cannot write %s\n", argv[2]);
  return 1;
}
