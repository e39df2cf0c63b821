// render-scene's command line: values, defaults and the refusals that end
// in the usage line.
#include "tools/render_scene/tool_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/parse_options.h"

namespace {

TEST(ToolOptionsTest, DefaultsWithoutArguments) {
  const Parsed parsed = Parse({});
  ASSERT_TRUE(parsed.ok);
  EXPECT_FALSE(parsed.options.hasScene);
  EXPECT_FALSE(parsed.options.hasSteps);
  EXPECT_FALSE(parsed.options.sizes.hasClient);
  EXPECT_FALSE(parsed.options.sizes.hasDesktop);
  EXPECT_EQ(parsed.options.outFormat, ImageFormat::kNone);
  EXPECT_FALSE(parsed.options.hasRaw);
  EXPECT_EQ(parsed.options.frames, 1);
  EXPECT_FALSE(parsed.options.bench);
  EXPECT_EQ(parsed.options.threads, 0);  // one per hardware thread
}

TEST(ToolOptionsTest, ReadsEveryOption) {
  const Parsed parsed =
      Parse({"--scene", "s.json", "--textures", "img", "--steps", "25",
             "--client", "640x480", "--desktop=1024x768", "--out", "a.PNG",
             "--raw", "a.raw", "--frames", "7", "--bench", "--threads", "3"});
  ASSERT_TRUE(parsed.ok) << parsed.problem;
  const ToolOptions& o = parsed.options;
  EXPECT_EQ(o.sceneFile, "s.json");
  EXPECT_EQ(o.texturesFolder, "img");
  EXPECT_TRUE(o.hasSteps);
  EXPECT_EQ(o.steps, 25);
  EXPECT_EQ(o.sizes.clientWidth, 640);
  EXPECT_EQ(o.sizes.clientHeight, 480);
  EXPECT_EQ(o.sizes.desktopWidth, 1024);
  EXPECT_EQ(o.sizes.desktopHeight, 768);
  EXPECT_EQ(o.outFormat, ImageFormat::kPng);
  EXPECT_EQ(o.rawFile, "a.raw");
  EXPECT_EQ(o.frames, 7);
  EXPECT_TRUE(o.bench);
  EXPECT_EQ(o.threads, 3);
  EXPECT_EQ(ImageFormatFor("x.bmp"), ImageFormat::kBmp);
  EXPECT_EQ(ImageFormatFor("dir.png/x.ppm"), ImageFormat::kPpm);
  EXPECT_EQ(ImageFormatFor("x.jpg"), ImageFormat::kNone);
  EXPECT_EQ(ImageFormatFor("png"), ImageFormat::kNone);
}

// A minimised window's client area has no pixels: it is drawn, and only an
// image of it cannot be written.
TEST(ToolOptionsTest, AnEmptyClientIsAcceptedButHasNoImage) {
  const Parsed parsed = Parse({"--client", "0x600", "--out", "shot.png"});
  ASSERT_TRUE(parsed.ok) << parsed.problem;
  EXPECT_EQ(parsed.options.sizes.clientWidth, 0);
  EXPECT_EQ(parsed.options.sizes.clientHeight, 600);
  std::string problem;
  EXPECT_FALSE(CheckImageOutput(parsed.options, 0, 600, &problem));
  EXPECT_EQ(problem,
            "--out shot.png: the client area is 0x600, an image with no "
            "pixels; --raw writes the frame buffer");
  EXPECT_FALSE(CheckImageOutput(parsed.options, 800, 0, &problem));
  EXPECT_TRUE(CheckImageOutput(parsed.options, 1, 1, &problem));
  const Parsed rawOnly = Parse({"--client", "0x0", "--raw", "frame.raw"});
  ASSERT_TRUE(rawOnly.ok) << rawOnly.problem;
  EXPECT_TRUE(CheckImageOutput(rawOnly.options, 0, 0, &problem));
}

TEST(ToolOptionsTest, RefusesBadOptionsNamingThem) {
  const struct {
    std::vector<const char*> arguments;
    const char* problem;
  } cases[] = {
      {{"--bogus"}, "unknown option \"--bogus\""},
      {{"scene.json"}, "unknown option \"scene.json\""},
      {{"--scene"}, "--scene needs a value"},
      {{"--steps", "abc"},
       "--steps abc: expected a whole number from 0 to 2147483647"},
      {{"--steps", "-1"},
       "--steps -1: expected a whole number from 0 to 2147483647"},
      {{"--steps", "2147483648"},
       "--steps 2147483648: expected a whole number from 0 to 2147483647"},
      {{"--threads", "-1"},
       "--threads -1: expected a whole number from 0 to 256"},
      {{"--threads", "257"},
       "--threads 257: expected a whole number from 0 to 256"},
      {{"--frames", "0"},
       "--frames 0: expected a whole number from 1 to 2147483647"},
      {{"--frames", "3x"},
       "--frames 3x: expected a whole number from 1 to 2147483647"},
      {{"--client", "800"},
       "--client 800: expected WxH with sides from 0 to 16384, e.g. 800x600"},
      {{"--client", "-1x600"},
       "--client -1x600: expected WxH with sides from 0 to 16384, e.g. "
       "800x600"},
      {{"--desktop", "0x600"},
       "--desktop 0x600: expected WxH with sides from 1 to 16384, e.g. "
       "800x600"},
      {{"--client", "16385x10"},
       "--client 16385x10: expected WxH with sides from 0 to 16384, e.g. "
       "800x600"},
      {{"--out", "frame.jpg"},
       "--out frame.jpg: the name must end in .png, .bmp, .ppm, .webp or "
       ".gif"},
      {{"--bench=1"}, "--bench takes no value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.problem);
    const Parsed parsed = Parse(c.arguments);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.problem, c.problem);
  }
}

}  // namespace
