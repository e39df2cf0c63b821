// draw-meshes OUT.png: a textured square and an untextured triangle drawn
// by the renderer library into our own buffers, written as a PNG.
#include <png.h>

#include <cstdio>
#include <vector>

#include <renderer/renderer.h>

int main(int argc, char** argv) {
  using namespace renderer;
  if (argc != 2) return std::fprintf(stderr, "usage: draw-meshes OUT.png\n"), 2;
  const int32_t width = 320, height = 240;
  Scene scene;
  const uint32_t checker[4] = {0xD03030, 0xF0D040, 0xF0D040, 0xD03030};
  scene.textures.push_back(MakeTexture(2, 2, checker));
  Mesh square, triangle;
  square.vertices = {{-900, -600, 0}, {-100, -600, 0}, {-100, 200, 0}, {-900, 200, 0}};
  AddTexturedTriangle(square, {0, 1, 2}, 0, {{0, 0}, {4, 0}, {4, 4}});
  AddTexturedTriangle(square, {0, 2, 3}, 0, {{0, 0}, {4, 4}, {0, 4}});
  triangle.vertices = {{200, -500, 0}, {900, 300, 0}, {100, 400, 300}};
  triangle.triangles = {{{0, 1, 2}, {0x3060C0, 0x3060C0, 0x3060C0}}};
  scene.meshes = {square, triangle};
  scene.objects.resize(2);  // each at (0, 0, 3200), facing the viewer
  scene.objects[0].mesh = 0;
  scene.objects[1].mesh = 1;
  View view;  // focal length 400, the centre and viewport set here
  view.centreX = width / 2, view.centreY = height / 2;
  view.viewportRight = width, view.viewportBottom = height;
  std::vector<uint32_t> pixels(size_t(width) * height);
  std::vector<float> depth(size_t(DepthEntriesFor(width, height)));
  FrameTarget target = MakeFrameTarget(pixels.data(), depth.data(), width, height);
  ClearFrame(target, height - 1, width - 1);
  WorkspacePtr workspace = MakeWorkspace();
  RenderFrame(scene, view, target, *workspace);
  std::vector<png_byte> rgb;
  for (uint32_t p : pixels) rgb.insert(rgb.end(), {png_byte(p >> 16), png_byte(p >> 8), png_byte(p)});
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = width, png.height = height, png.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&png, argv[1], 0, rgb.data(), 0, nullptr)) return 0;
  return std::fprintf(stderr, "draw-meshes: cannot write %s\n", argv[1]), 1;
}
