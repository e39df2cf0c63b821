// Start-up texture loading: lookup order, fallback folder, the white rule.
#include <gtest/gtest.h>

#include "renderer/renderer.h"
#include "tests/scene/bmp_bytes.h"

using namespace renderer;

namespace {

namespace fs = std::filesystem;

class TextureSlots : public ::testing::Test {
 protected:
  void SetUp() override {
    // DIR/work/run stands for the working directory; its fallback folder
    // is DIR/__pic/__face.
    root_ = FreshFolder("slots");
    work_ = root_ / "work" / "run";
    fallback_ = root_ / "__pic" / "__face";
    fs::create_directories(work_);
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_, work_, fallback_;
};

TEST_F(TextureSlots, NoImageAnywhereLeavesSevenEmptySlots) {
  const std::vector<Texture> textureSlots = LoadTexturesFrom(work_.c_str());
  ASSERT_EQ(textureSlots.size(), size_t(kTextureSlotCount));
  for (const Texture& t : textureSlots) {
    EXPECT_EQ(t.width, 0);
    EXPECT_EQ(t.height, 0);
    EXPECT_TRUE(t.texels.empty());
  }
}

TEST_F(TextureSlots, WorkingDirectoryFileIsPreferredOverTheFallback) {
  WriteFile(work_ / "neo.bmp", MakeBmp(1, 1, {1, 2, 3}).bytes);
  WriteFile(fallback_ / "neo.bmp", MakeBmp(2, 1, {4, 5, 6, 7, 8, 9}).bytes);
  const std::vector<Texture> textureSlots = LoadTexturesFrom(work_.c_str());
  EXPECT_EQ(textureSlots[2].width, 1);
}

TEST_F(TextureSlots, ARejectedFileFallsBackToTheFallbackFolder) {
  BmpBytes bad = MakeBmp(1, 1, {1, 2, 3});
  bad.bytes[1] = 'A';  // "BA"
  WriteFile(work_ / "t2.bmp", bad.bytes);
  WriteFile(fallback_ / "t2.bmp", MakeBmp(3, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}).bytes);
  const std::vector<Texture> textureSlots = LoadTexturesFrom(work_.c_str());
  EXPECT_EQ(textureSlots[3].width, 3);
  EXPECT_EQ(textureSlots[3].texels[0], 3);
}

TEST_F(TextureSlots, PureWhiteBecomesOpaqueInTheFaceImagesOnly) {
  // Pixels as B, G, R: white, (255,255,254) red-green-blue, (254,255,255).
  const std::vector<uint8_t> bgr = {255, 255, 255, 254, 255, 255, 255, 255, 254};
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    WriteFile(work_ / kTextureFileNames[slot], MakeBmp(3, 1, bgr).bytes);
  }
  const std::vector<Texture> textureSlots = LoadTexturesFrom(work_.c_str());
  for (int slot = 0; slot < 6; ++slot) {
    const uint8_t* t = textureSlots[size_t(slot)].texels.data();
    EXPECT_EQ(std::vector<uint8_t>(t, t + 9),
              (std::vector<uint8_t>{255, 254, 255, 255, 255, 254, 254, 255, 255}))
        << "slot " << slot;
  }
  const uint8_t* fin = textureSlots[6].texels.data();
  EXPECT_EQ(std::vector<uint8_t>(fin, fin + 3), (std::vector<uint8_t>{255, 255, 255}));
}

TEST_F(TextureSlots, SlotsFollowTheirFileNames) {
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    std::vector<uint8_t> bgr(size_t(slot + 1) * 3, uint8_t(slot));
    WriteFile(work_ / kTextureFileNames[slot], MakeBmp(slot + 1, 1, bgr).bytes);
  }
  const std::vector<Texture> textureSlots = LoadTexturesFrom(work_.c_str());
  for (int slot = 0; slot < kTextureSlotCount; ++slot) {
    EXPECT_EQ(textureSlots[size_t(slot)].width, slot + 1);
  }
}

}  // namespace
