// Number patterns in output names, the sequence options, and the GIF
// palette's colour mapping.
#include "tools/render_scene/frame_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/parse_options.h"
#include "tools/render_scene/gif_palette.h"

namespace {

std::string NameFor(const std::string& pattern, int32_t number) {
  FramePattern parsed;
  std::string problem;
  EXPECT_TRUE(ParseFramePattern(pattern, &parsed, &problem)) << problem;
  return FrameFileName(parsed, number);
}

TEST(FramePatternTest, NumberFieldsAndPercentSigns) {
  EXPECT_EQ(NameFor("frame-%04d.png", 7), "frame-0007.png");
  EXPECT_EQ(NameFor("frame-%04d.png", 123456), "frame-123456.png");
  EXPECT_EQ(NameFor("%d.raw", 0), "0.raw");
  EXPECT_EQ(NameFor("f%01d", 42), "f42");
  EXPECT_EQ(NameFor("%09d.ppm", 2147483647), "2147483647.ppm");
  EXPECT_EQ(NameFor("100%%-%03d%%.png", 5), "100%-005%.png");
  // No number field: a plain name, the same for every frame.
  EXPECT_EQ(NameFor("still.png", 9), "still.png");
  EXPECT_EQ(NameFor("50%%.png", 9), "50%.png");
}

TEST(FramePatternTest, RefusesEveryOtherPercent) {
  for (const char* bad : {"f-%d-%d.png", "f-%02d%03d.png", "f-%5d.png",
                          "f-%00d.png", "f-%010d.png", "f-%x.png", "f-%s.png",
                          "f-%.png", "f%", "f-%-3d.png", "f-%ld.png", "%%%"}) {
    SCOPED_TRACE(bad);
    FramePattern parsed;
    std::string problem;
    EXPECT_FALSE(ParseFramePattern(bad, &parsed, &problem));
    EXPECT_FALSE(problem.empty());
  }
}

TEST(SequenceOptionsTest, ReadsFirstFrameDelayAndPatterns) {
  const Parsed defaults = Parse({});
  ASSERT_TRUE(defaults.ok);
  EXPECT_EQ(defaults.options.sequence.firstFrame, 0);
  EXPECT_EQ(defaults.options.sequence.frameDelayMs, 20);

  const Parsed parsed =
      Parse({"--out", "a/f-%03d.png", "--raw", "r.raw", "--frames", "4",
             "--first-frame", "96", "--frame-delay=40"});
  ASSERT_TRUE(parsed.ok) << parsed.problem;
  const SequenceOptions& s = parsed.options.sequence;
  EXPECT_EQ(s.firstFrame, 96);
  EXPECT_EQ(s.frameDelayMs, 40);
  EXPECT_TRUE(s.out.numbered);
  EXPECT_EQ(FrameFileName(s.out, 99), "a/f-099.png");
  EXPECT_FALSE(s.raw.numbered);

  // A pattern with one frame is fine, and an animation with a plain name.
  EXPECT_TRUE(Parse({"--out", "f-%d.png", "--frames", "1"}).ok);
  EXPECT_TRUE(Parse({"--out", "a.GIF", "--raw", "r-%d.raw"}).ok);
  EXPECT_EQ(Parse({"--out", "x.webp"}).options.outFormat, ImageFormat::kWebp);
}

TEST(SequenceOptionsTest, RefusesBadSequencesNamingThem) {
  const struct {
    std::vector<const char*> arguments;
    const char* problem;
  } cases[] = {
      {{"--out", "f-%d-%d.png"},
       "--out f-%d-%d.png: more than one frame number field (%d or %0Nd)"},
      {{"--raw", "r-%5d.raw"},
       "--raw r-%5d.raw: a '%' must begin %d, %0Nd (N from 1 to 9) or %%"},
      {{"--out", "a-%03d.webp"},
       "--out a-%03d.webp: a .webp or .gif holds every frame in one file; it "
       "takes no frame number"},
      {{"--first-frame", "-1"},
       "--first-frame -1: expected a whole number from 0 to 2147483647"},
      {{"--first-frame", "2147483647", "--frames", "2"},
       "--first-frame 2147483647: the last frame's number would pass "
       "2147483647"},
      {{"--frame-delay", "0"},
       "--frame-delay 0: expected milliseconds from 1 to 655350"},
      {{"--out", "a.gif", "--frames", "10000000", "--frame-delay", "500"},
       "--frame-delay 500: 10000000 frames would run past 2147483647 ms"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem);
    const Parsed parsed = Parse(c.arguments);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

uint32_t PaletteColour(const GifColorType* palette, uint8_t index) {
  const GifColorType& c = palette[index];
  return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
}

int32_t Distance(uint32_t a, uint32_t b) {
  int32_t sum = 0;
  for (int32_t shift = 0; shift < 24; shift += 8) {
    const int32_t d =
        int32_t((a >> shift) & 0xFF) - int32_t((b >> shift) & 0xFF);
    sum += d * d;
  }
  return sum;
}

TEST(GifPaletteTest, MapsEveryColourToANearestEntry) {
  GifColorType palette[kGifPaletteSize];
  FillGifPalette(palette);
  for (uint32_t exact : {0x000000u, 0xFFFFFFu, 0x787878u, 0xFF0000u}) {
    EXPECT_EQ(PaletteColour(palette, GifPaletteIndex(exact)), exact);
  }
  for (uint32_t r = 0; r < 256; r += 5) {
    for (uint32_t g = 0; g < 256; g += 3) {
      for (uint32_t b = 0; b < 256; b += 7) {
        const uint32_t colour = r << 16 | g << 8 | b;
        const uint8_t chosen = GifPaletteIndex(colour);
        ASSERT_NE(chosen, kGifUnchanged);
        int32_t best = Distance(colour, PaletteColour(palette, 0));
        for (int32_t i = 1; i < kGifUnchanged; ++i) {
          best = std::min(best,
                          Distance(colour, PaletteColour(palette, uint8_t(i))));
        }
        ASSERT_EQ(Distance(colour, PaletteColour(palette, chosen)), best)
            << std::hex << colour;
      }
    }
  }
}

}  // namespace
