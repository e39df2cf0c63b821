// render-scene's animated WebP and GIF files, read back by decoders that
// are not ours: webpmux and ImageMagick for the frame count and size,
// libwebpdemux and ImageMagick for the pixels, against the raw dumps of the
// same frames.
#include <gtest/gtest.h>
#include <webp/demux.h>

#include "tests/tools/tool_test_support.h"
#include "tools/render_scene/gif_palette.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 96;
constexpr int32_t kHeight = 72;
constexpr int32_t kDesktopWidth = 120;
constexpr int32_t kFrames = 6;

// Draws kFrames demo frames into `animation`, each also as a raw dump.
void DrawAnimation(const fs::path& dir, const std::string& animation,
                   const std::vector<std::string>& more = {}) {
  std::vector<std::string> arguments = {"--textures", RENDERER_TEXTURE_DIR,
                                        "--desktop",  "120x90",
                                        "--client",   "96x72",
                                        "--steps",    "30",
                                        "--frames",   std::to_string(kFrames),
                                        "--out",      animation,
                                        "--raw",      "r-%d.raw"};
  arguments.insert(arguments.end(), more.begin(), more.end());
  const ToolRun run = RunTool(dir, arguments);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
}

// The client-area pixel (x, y) of frame k's raw dump.
uint32_t RawPixel(const std::vector<RawDump>& dumps, int32_t k, int32_t x,
                  int32_t y) {
  return dumps[size_t(k)].pixels[size_t(y) * kDesktopWidth + size_t(x)];
}

std::vector<RawDump> ReadDumps(const fs::path& dir) {
  std::vector<RawDump> dumps;
  for (int32_t k = 0; k < kFrames; ++k) {
    dumps.push_back(ReadRawDump(dir / ("r-" + std::to_string(k) + ".raw")));
    EXPECT_TRUE(dumps.back().valid);
  }
  return dumps;
}

TEST(AnimationCliTest, WebpHasEveryFrameAsDrawn) {
  const auto dir = FreshTestFolder("anim-webp");
  DrawAnimation(dir, "a.webp", {"--frame-delay", "40"});
  const std::string info =
      CommandOutput("webpmux -info " + Quoted((dir / "a.webp").string()));
  EXPECT_NE(info.find("Canvas size: 96 x 72"), std::string::npos) << info;
  EXPECT_NE(info.find("Number of frames: 6"), std::string::npos) << info;
  EXPECT_NE(info.find("lossless"), std::string::npos) << info;

  const std::vector<uint8_t> bytes = ReadBytes(dir / "a.webp");
  const WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoderOptions options;
  ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
  options.color_mode = MODE_RGBA;
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  ASSERT_NE(decoder, nullptr);
  WebPAnimInfo animation;
  ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder, &animation));
  EXPECT_EQ(animation.canvas_width, uint32_t(kWidth));
  EXPECT_EQ(animation.canvas_height, uint32_t(kHeight));
  EXPECT_EQ(animation.frame_count, uint32_t(kFrames));
  EXPECT_EQ(animation.loop_count, 0u);
  const std::vector<RawDump> dumps = ReadDumps(dir);
  for (int32_t k = 0; WebPAnimDecoderHasMoreFrames(decoder); ++k) {
    SCOPED_TRACE(k);
    uint8_t* rgba = nullptr;
    int timestamp = 0;
    ASSERT_TRUE(WebPAnimDecoderGetNext(decoder, &rgba, &timestamp));
    EXPECT_EQ(timestamp, 40 * (k + 1));  // the time the frame ends
    int32_t mismatches = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        const uint8_t* p = rgba + 4 * (size_t(y) * kWidth + size_t(x));
        const uint32_t decoded =
            uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
        mismatches += decoded != RawPixel(dumps, k, x, y) || p[3] != 255;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
  WebPAnimDecoderDelete(decoder);
  EXPECT_FALSE(ReadBytes(dir / "r-0.raw") == ReadBytes(dir / "r-5.raw"));
}

TEST(AnimationCliTest, GifHasEveryFrameInThePalette) {
  const auto dir = FreshTestFolder("anim-gif");
  DrawAnimation(dir, "a.gif");
  const std::string gif = Quoted((dir / "a.gif").string());
  // One line a frame: canvas size and delay (2/100 s, the default 20 ms).
  std::string lines;
  for (int32_t k = 0; k < kFrames; ++k) lines += "96 72 2\n";
  EXPECT_EQ(CommandOutput("identify -format '%W %H %T\\n' " + gif), lines);
  // Composed frame by frame as a viewer shows them, then as RGB bytes.
  const fs::path rgb = dir / "frames.rgb";
  ASSERT_EQ(std::system(("convert " + gif +
                         " -coalesce -depth 8 rgb:" + Quoted(rgb.string()))
                            .c_str()),
            0);
  const std::vector<uint8_t> bytes = ReadBytes(rgb);
  ASSERT_EQ(bytes.size(), size_t(kFrames) * kWidth * kHeight * 3);
  GifColorType palette[kGifPaletteSize];
  FillGifPalette(palette);
  const std::vector<RawDump> dumps = ReadDumps(dir);
  for (int32_t k = 0; k < kFrames; ++k) {
    SCOPED_TRACE(k);
    int32_t mismatches = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        const uint8_t* p =
            &bytes[3 *
                   ((size_t(k) * kHeight + size_t(y)) * kWidth + size_t(x))];
        const GifColorType& c =
            palette[GifPaletteIndex(RawPixel(dumps, k, x, y))];
        mismatches += p[0] != c.Red || p[1] != c.Green || p[2] != c.Blue;
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(AnimationCliTest, UnwritableAnimationExitsOne) {
  const auto dir = FreshTestFolder("anim-unwritable");
  for (const char* name :
       {"/nonexistent-folder/a.gif", "/nonexistent-folder/a.webp"}) {
    const ToolRun run =
        RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--client", "64x48",
                      "--frames", "2", "--out", name});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              std::string("render-scene: cannot write ") + name + "\n");
  }
}

}  // namespace
