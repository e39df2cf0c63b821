// The BMP reader: row order, byte order, padding, and every refusal leaving
// the texture as it was.
#include <gtest/gtest.h>

#include <limits>

#include "renderer/texture.h"
#include "tests/scene/bmp_bytes.h"

using namespace renderer;

namespace {

bool Load(const BmpBytes& b, Texture& t) {
  return LoadBmpFromMemory(b.bytes.data(), b.bytes.size(), t);
}

TEST(BmpReader, BottomUpRowsBecomeTopRowFirstAndBgrBecomesRgb) {
  // File rows: bottom (10,20,30)(1,2,3), top (40,50,60)(4,5,6), as B, G, R.
  const BmpBytes b = MakeBmp(2, 2, {10, 20, 30, 1, 2, 3, 40, 50, 60, 4, 5, 6});
  Texture t{};
  ASSERT_TRUE(Load(b, t));
  EXPECT_EQ(t.width, 2);
  EXPECT_EQ(t.height, 2);
  EXPECT_EQ(t.texels.size(), 12u);
  const std::vector<uint8_t> expected = {60, 50, 40, 6, 5, 4, 30, 20, 10, 3, 2, 1};
  EXPECT_EQ(t.texels, expected);
}

TEST(BmpReader, ThreePixelRowsUseATwelveByteStrideAndDropThePadding) {
  std::vector<uint8_t> bgr;
  for (int i = 0; i < 18; ++i) bgr.push_back(uint8_t(i + 1));
  BmpBytes b = MakeBmp(3, 2, bgr);
  ASSERT_EQ(b.bytes.size(), 54u + 24u);
  for (int pad = 9; pad < 12; ++pad) b.bytes[54 + pad] = b.bytes[66 + pad] = 0xEE;
  Texture t{};
  ASSERT_TRUE(Load(b, t));
  // Texel row 0 is the file's second row (bytes 10..18), reversed per pixel.
  const std::vector<uint8_t> top = {12, 11, 10, 15, 14, 13, 18, 17, 16};
  EXPECT_EQ(std::vector<uint8_t>(t.texels.begin(), t.texels.begin() + 9), top);
  EXPECT_EQ(t.texels[9], 3);  // row 1 starts 9 bytes on
  for (uint8_t texel : t.texels) EXPECT_NE(texel, 0xEE);
}

TEST(BmpReader, WriterOutputReadsBackPixelForPixel) {
  const uint32_t pixels[] = {0x112233, 0xFFFFFF, 0x000000, 0x0A0B0C, 0xFF0001,
                             0x7F8081, 0x123456, 0x654321, 0xABCDEF, 0xFEDCBA};
  const auto dir = FreshFolder("bmp-writer");
  const std::string path = (dir / "w.bmp").string();
  ASSERT_TRUE(WriteBmp24(path.c_str(), pixels, 5, 2, 5));
  Texture t{};
  ASSERT_TRUE(LoadBmpTexture(path.c_str(), t));
  ASSERT_EQ(t.width, 5);
  ASSERT_EQ(t.height, 2);
  for (int i = 0; i < 10; ++i) {
    const uint32_t c = uint32_t(t.texels[3 * i]) << 16 |
                       uint32_t(t.texels[3 * i + 1]) << 8 | t.texels[3 * i + 2];
    EXPECT_EQ(c, pixels[i]) << "texel " << i;
  }
}

TEST(BmpReader, ASuccessfulLoadReplacesAnEarlierImage) {
  Texture t{};
  ASSERT_TRUE(Load(MakeBmp(1, 1, {1, 2, 3}), t));
  ASSERT_TRUE(Load(MakeBmp(2, 1, {4, 5, 6, 7, 8, 9}), t));
  EXPECT_EQ(t.width, 2);
  EXPECT_EQ(t.texels.size(), 6u);
  EXPECT_EQ(t.texels[0], 6);
}

// Each case spoils one thing in a valid 4 x 3 file.
struct Spoiler {
  const char* what;
  void (*spoil)(BmpBytes*);
};

const Spoiler kSpoilers[] = {
    {"signature BA", [](BmpBytes* b) { b->bytes[1] = 'A'; }},
    {"shorter than its header", [](BmpBytes* b) { b->bytes.resize(30); }},
    {"empty file", [](BmpBytes* b) { b->bytes.clear(); }},
    {"rows past the end", [](BmpBytes* b) { b->bytes.resize(b->bytes.size() - 1); }},
    {"pixel offset past the end", [](BmpBytes* b) { b->Put32(10, 1000); }},
    {"negative pixel offset", [](BmpBytes* b) { b->Put32(10, 0x80000000u); }},
    {"width 0", [](BmpBytes* b) { b->Put32(18, 0); }},
    {"negative width", [](BmpBytes* b) { b->Put32(18, uint32_t(-4)); }},
    {"height 0", [](BmpBytes* b) { b->Put32(22, 0); }},
    {"top-down height", [](BmpBytes* b) { b->Put32(22, uint32_t(-3)); }},
    {"32 bits per pixel", [](BmpBytes* b) { b->Put16(28, 32); }},
    {"8 bits per pixel", [](BmpBytes* b) { b->Put16(28, 8); }},
    {"compressed", [](BmpBytes* b) { b->Put32(30, 1); }},
    {"byte count overflows", [](BmpBytes* b) {
       b->Put32(18, 0x7FFFFFFF);
       b->Put32(22, 0x7FFFFFFF);
     }},
    {"texel count past int32", [](BmpBytes* b) {
       b->Put32(18, 40000);
       b->Put32(22, 40000);
     }},
};

TEST(BmpReader, EveryRefusalLeavesTheTextureAsItWas) {
  std::vector<uint8_t> bgr(4 * 3 * 3, 77);
  const std::vector<uint8_t> keep = {9, 8, 7};
  for (const Spoiler& s : kSpoilers) {
    BmpBytes b = MakeBmp(4, 3, bgr);
    s.spoil(&b);
    Texture t{1, 1, keep};
    const uint8_t* texels = t.texels.data();
    EXPECT_FALSE(Load(b, t)) << s.what;
    EXPECT_EQ(t.width, 1) << s.what;
    EXPECT_EQ(t.height, 1) << s.what;
    EXPECT_EQ(t.texels, keep) << s.what;
    EXPECT_EQ(t.texels.data(), texels) << s.what;
  }
}

TEST(BmpReader, MissingFileIsRefused) {
  Texture t{};
  EXPECT_FALSE(LoadBmpTexture("/nonexistent/renderer/none.bmp", t));
  EXPECT_TRUE(t.texels.empty());
}

TEST(BmpReader, ADirectoryIsRefusedWithoutReading) {
  Texture t{};
  EXPECT_FALSE(LoadBmpTexture(FreshFolder("bmp-dir").c_str(), t));
}

TEST(Textures, MakeTextureAndTheWhiteRule) {
  const uint32_t pixels[] = {0xFFFFFF, 0x102030, 0xFFFFFE, 0xFFFFFF};
  Texture t = MakeTexture(2, 2, pixels);
  ASSERT_TRUE(TextureIsUsable(t));
  EXPECT_EQ(t.texels, (std::vector<uint8_t>{255, 255, 255, 0x10, 0x20, 0x30,
                                            255, 255, 254, 255, 255, 255}));
  MakeWhiteOpaque(t);
  EXPECT_EQ(t.texels, (std::vector<uint8_t>{255, 254, 255, 0x10, 0x20, 0x30,
                                            255, 255, 254, 255, 254, 255}));
  EXPECT_FALSE(TextureIsUsable(MakeTexture(0, 2, pixels)));
  EXPECT_FALSE(TextureIsUsable(MakeTexture(2, 2, nullptr)));
  t.texels.pop_back();  // one byte short
  EXPECT_FALSE(TextureIsUsable(t));
}

}  // namespace
