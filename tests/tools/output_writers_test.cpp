// The output files: PNG, BMP and PPM of a pixel rectangle read back pixel
// for pixel, the raw dump's exact layout, and failures reported.
#include <gtest/gtest.h>
#include <png.h>

#include <bit>
#include <cstring>
#include <vector>

#include "renderer/texture.h"
#include "tests/tools/tool_test_support.h"
#include "tools/render_scene/image_writers.h"
#include "tools/render_scene/raw_dump.h"

namespace {

// A 3 x 2 picture inside rows 5 pixels apart, so neither the row stride nor
// BMP's row padding can hide; the padding column holds a marker.
struct Picture {
  std::vector<uint32_t> pixels{0x102030, 0xFFFFFF, 0x000001, 0xBAD, 0xBAD,
                               0xFF0000, 0x00FF00, 0x0000FF, 0xBAD, 0xBAD};
  PixelRect Rect() const { return PixelRect{pixels.data(), 3, 2, 5}; }
  uint32_t At(int32_t x, int32_t y) const { return pixels[5 * y + x]; }
};

uint32_t TexelAt(const uint8_t* rgb, size_t index) {
  return uint32_t(rgb[3 * index]) << 16 | uint32_t(rgb[3 * index + 1]) << 8 |
         rgb[3 * index + 2];
}

TEST(OutputWritersTest, BmpReadsBackThroughTheProgramsReader) {
  const auto dir = FreshTestFolder("bmp");
  const Picture picture;
  const auto file = dir / "p.bmp";
  ASSERT_TRUE(WriteImage(file.c_str(), ImageFormat::kBmp, picture.Rect()));
  renderer::Texture texture;
  ASSERT_TRUE(renderer::LoadBmpTexture(file.c_str(), texture));
  ASSERT_EQ(texture.width, 3);
  ASSERT_EQ(texture.height, 2);
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(TexelAt(texture.texels.data(), size_t(3 * y + x)), picture.At(x, y))
          << x << "," << y;
    }
  }
}

TEST(OutputWritersTest, PngDecodesToTheSamePixels) {
  const auto dir = FreshTestFolder("png");
  const Picture picture;
  const auto file = dir / "p.png";
  ASSERT_TRUE(WriteImage(file.c_str(), ImageFormat::kPng, picture.Rect()));
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, file.c_str()));
  image.format = PNG_FORMAT_RGB;
  ASSERT_EQ(image.width, 3u);
  ASSERT_EQ(image.height, 2u);
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  for (int32_t y = 0; y < 2; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      EXPECT_EQ(TexelAt(rgb.data(), size_t(3 * y + x)), picture.At(x, y));
    }
  }
}

TEST(OutputWritersTest, PpmIsBinaryRgbTopRowFirst) {
  const auto dir = FreshTestFolder("ppm");
  const Picture picture;
  const auto file = dir / "p.ppm";
  ASSERT_TRUE(WriteImage(file.c_str(), ImageFormat::kPpm, picture.Rect()));
  const std::string expected =
      std::string("P6\n3 2\n255\n") +
      std::string("\x10\x20\x30\xFF\xFF\xFF\x00\x00\x01", 9) +
      std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF", 9);
  EXPECT_EQ(ReadText(file), expected);
}

TEST(OutputWritersTest, RawDumpLayoutIsExact) {
  const auto dir = FreshTestFolder("raw");
  const std::vector<uint32_t> pixels = {0x00112233, 0x00445566, 0x00778899,
                                        0x00AABBCC, 0x00DDEEFF, 0x00000000};
  const std::vector<float> depth = {1.0f, -2.5f, 9.0e20f, 0.1f, 3.0f, 4.0f};
  const auto file = dir / "f.raw";
  ASSERT_TRUE(WriteRawDump(file.c_str(), pixels.data(), depth.data(), 3, 2));
  const std::vector<uint8_t> bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 12u + 6 * 4 + 6 * 4);
  EXPECT_EQ(
      std::memcmp(bytes.data(), "RFRM\x03\x00\x00\x00\x02\x00\x00\x00", 12), 0);
  // Pixels little-endian: 0x00112233 is stored 33 22 11 00.
  EXPECT_EQ(bytes[12], 0x33);
  EXPECT_EQ(bytes[13], 0x22);
  EXPECT_EQ(bytes[14], 0x11);
  EXPECT_EQ(bytes[15], 0x00);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(GetUint32(&bytes[12 + 4 * i]), pixels[i]);
    EXPECT_EQ(GetUint32(&bytes[36 + 4 * i]), std::bit_cast<uint32_t>(depth[i]));
  }
  EXPECT_EQ(GetUint32(&bytes[36 + 8]), 0x62432809u);  // 9.0e20f
}

TEST(OutputWritersTest, UnwritableFilesAreReported) {
  const Picture picture;
  const float depth[10] = {};
  const char* missing = "/nonexistent-folder/frame";
  for (ImageFormat format :
       {ImageFormat::kPng, ImageFormat::kBmp, ImageFormat::kPpm}) {
    EXPECT_FALSE(WriteImage(missing, format, picture.Rect()));
  }
  EXPECT_FALSE(WriteRawDump(missing, picture.pixels.data(), depth, 5, 2));
  // A full device fails at write or close time, not at open time.
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_FALSE(WriteImage("/dev/full", ImageFormat::kPpm, picture.Rect()));
    EXPECT_FALSE(WriteRawDump("/dev/full", picture.pixels.data(), depth, 5, 2));
  }
}

}  // namespace
