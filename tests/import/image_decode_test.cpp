// PNG, JPEG and BMP images decoded into textures, top row first.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "renderer/texture.h"
#include "scene/import/image_decode.h"
#include "scene/import/model_files.h"
#include "testmodels/image_encode.h"
#include "testmodels/model_catalog.h"

namespace {

models::GenImage Pattern() {
  models::GenImage image = models::SolidImage(5, 3, 0x000000);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      models::SetTexel(image, x, y, uint32_t(x * 50) << 16 | uint32_t(y * 100) << 8 | 7,
                       uint8_t(x * 60));
    }
  }
  return image;
}

TEST(ImageDecode, PngKeepsEveryTexelAndAlphaSeparately) {
  models::GenImage image = Pattern();
  for (bool alpha : {false, true}) {
    image.alpha = alpha;
    const std::vector<uint8_t> png = models::EncodePng(image);
    renderer::DecodedImage decoded;
    std::string problem;
    ASSERT_TRUE(renderer::DecodeImage(png.data(), png.size(), &decoded, &problem)) << problem;
    ASSERT_EQ(decoded.rgb.width, 5);
    ASSERT_EQ(decoded.rgb.height, 3);
    ASSERT_EQ(decoded.alpha.size(), alpha ? 15u : 0u);
    for (size_t i = 0; i < 15; ++i) {
      for (size_t c = 0; c < 3; ++c) {
        EXPECT_EQ(decoded.rgb.texels[i * 3 + c], image.rgba[i * 4 + c]);
      }
      if (alpha) {
        EXPECT_EQ(decoded.alpha[i], image.rgba[i * 4 + 3]);
      }
    }
  }
}

TEST(ImageDecode, JpegDecodesCloseToTheImageTopRowFirst) {
  models::GenImage image = models::SolidImage(16, 16, 0x2040C0);
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 8; ++y) models::SetTexel(image, x, y, 0xE0E020);
  }
  const std::vector<uint8_t> jpeg = models::EncodeJpeg(image);
  renderer::DecodedImage decoded;
  std::string problem;
  ASSERT_TRUE(renderer::DecodeImage(jpeg.data(), jpeg.size(), &decoded, &problem)) << problem;
  ASSERT_EQ(decoded.rgb.width, 16);
  EXPECT_TRUE(decoded.alpha.empty());
  EXPECT_NEAR(decoded.rgb.texels[0], 0xE0, 8);                  // top: yellow
  EXPECT_NEAR(decoded.rgb.texels[(15 * 16) * 3 + 2], 0xC0, 8);  // bottom: blue
}

TEST(ImageDecode, BmpGoesThroughTheProgramsOwnReader) {
  const uint32_t pixels[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0};
  const std::string path = ::testing::TempDir() + "/image_decode_test.bmp";
  ASSERT_TRUE(renderer::WriteBmp24(path.c_str(), pixels, 3, 2, 3));
  std::vector<uint8_t> bytes;
  std::string problem;
  ASSERT_TRUE(renderer::ReadWholeFile(path, &bytes, &problem)) << problem;
  std::filesystem::remove(path);
  renderer::DecodedImage decoded;
  ASSERT_TRUE(renderer::DecodeImage(bytes.data(), bytes.size(), &decoded, &problem)) << problem;
  ASSERT_EQ(decoded.rgb.width, 3);
  ASSERT_EQ(decoded.rgb.height, 2);
  EXPECT_EQ(decoded.rgb.texels[0], 0xFF);           // top-left red
  EXPECT_EQ(decoded.rgb.texels[3 * 3 + 1], 0x34);   // second row, first texel
  bytes.resize(bytes.size() - 4);  // into the last row's texels
  EXPECT_FALSE(renderer::DecodeImage(bytes.data(), bytes.size(), &decoded, &problem));
  EXPECT_EQ(problem, "BMP: not an uncompressed bottom-up 24-bit BMP, or cut short");
}

TEST(ImageDecode, CorruptDataIsRefusedWithTheLibrarysReason) {
  std::vector<uint8_t> png = models::EncodePng(Pattern());
  png[png.size() / 2] ^= 0x55;  // breaks a CRC or the deflate stream
  renderer::DecodedImage decoded;
  std::string problem;
  EXPECT_FALSE(renderer::DecodeImage(png.data(), png.size(), &decoded, &problem));
  EXPECT_EQ(problem.rfind("PNG: ", 0), 0u) << problem;
  std::vector<uint8_t> jpeg = models::EncodeJpeg(models::SolidImage(32, 32, 0x336699));
  jpeg.resize(jpeg.size() / 2);
  EXPECT_FALSE(renderer::DecodeImage(jpeg.data(), jpeg.size(), &decoded, &problem));
  EXPECT_EQ(problem.rfind("JPEG: ", 0), 0u) << problem;
  EXPECT_FALSE(renderer::DecodeImage(nullptr, 0, &decoded, &problem));
  EXPECT_EQ(problem, "not a PNG, JPEG or BMP image");
}

}  // namespace
