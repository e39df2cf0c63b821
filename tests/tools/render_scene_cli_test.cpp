// The real render-scene program, run as outside tools run it: exit statuses
// and messages, output files against the raw dump, and pinned frames.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "renderer/texture.h"
#include "tests/support/golden_hashes.h"
#include "tests/tools/tool_test_support.h"

namespace {

// 16 x 16 texels in 4 x 4 squares of pure white (see-through without
// opaqueWhite) and blue.
void WriteChecker(const std::filesystem::path& file) {
  std::vector<uint32_t> pixels(256);
  for (int32_t y = 0; y < 16; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      pixels[16 * y + x] = ((x / 4 + y / 4) % 2) ? 0xFFFFFFu : 0x3050A0u;
    }
  }
  ASSERT_TRUE(renderer::WriteBmp24(file.c_str(), pixels.data(), 16, 16, 16));
}

void ExpectUsageRefusal(const ToolRun& run) {
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(LineCount(run.err), 1u) << run.err;
  EXPECT_EQ(run.err.rfind("render-scene: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("usage: render-scene [--scene FILE]"),
            std::string::npos)
      << run.err;
}

TEST(RenderSceneCliTest, BadOptionsExitTwoWithAUsageLine) {
  const auto dir = FreshTestFolder("cli-options");
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus"},        {"--steps", "abc"},       {"--desktop", "0x600"},
      {"--out", "x.jpg"}, {"--frames", "0"},        {"--steps"},
      {"positional"},     {"--client", "3000x600"},
  };
  for (const auto& arguments : cases) {
    SCOPED_TRACE(arguments[0]);
    const ToolRun run = RunTool(dir, arguments);
    if (arguments[1 % arguments.size()] == "3000x600") {
      // Well-formed, but larger than the default frame buffer.
      EXPECT_EQ(run.status, 2);
      EXPECT_EQ(run.err,
                "render-scene: --client: 3000x600 does not fit in the frame "
                "buffer (the frame buffer is 1920x1080)\n");
      continue;
    }
    ExpectUsageRefusal(run);
  }
  const ToolRun help = RunTool(dir, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: render-scene", 0), 0u);
}

// A minimised window has a client area of 0 x 0: the frame is still drawn
// and its raw buffers written, but there is no image of the client area.
TEST(RenderSceneCliTest, AnEmptyClientWritesRawButRefusesAnImage) {
  const auto dir = FreshTestFolder("cli-empty-client");
  const ToolRun raw = RunTool(dir, {"--client", "0x0", "--desktop", "64x48",
                                    "--raw", "f.raw", "--textures",
                                    RENDERER_TEXTURE_DIR});
  EXPECT_EQ(raw.err, "");
  const RawDump dump = ReadRawDump(dir / "f.raw");
  ASSERT_EQ(raw.status, 0);
  ASSERT_TRUE(dump.valid && dump.width == 64u && dump.height == 48u);
  // Nothing is cleared: the corner keeps the buffer's zero fill.
  EXPECT_EQ(dump.pixels[size_t(47) * 64 + 63], 0u);

  WriteText(dir / "scene.json", R"({"frameBuffer": {"width": 64, "height": 48},
      "client": {"width": 0, "height": 40}, "meshes": [], "objects": []})");
  const ToolRun fromScene =
      RunTool(dir, {"--scene", "scene.json", "--raw", "g.raw"});
  EXPECT_EQ(fromScene.status, 0) << fromScene.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "g.raw"));

  const ToolRun image = RunTool(
      dir, {"--scene", "scene.json", "--out", "g.png", "--raw", "h.raw"});
  EXPECT_EQ(image.status, 2);
  EXPECT_EQ(image.err,
            "render-scene: --out g.png: the client area is 0x40, an image "
            "with no pixels; --raw writes the frame buffer\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "g.png"));
  EXPECT_FALSE(std::filesystem::exists(dir / "h.raw"));
  const ToolRun option = RunTool(
      dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop", "64x48",
            "--client", "64x0", "--out", "i.bmp"});
  EXPECT_EQ(option.status, 2);
  EXPECT_EQ(LineCount(option.err), 1u) << option.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "i.bmp"));
}

TEST(RenderSceneCliTest, InvalidSceneExitsTwoAndDrawsNothing) {
  const auto dir = FreshTestFolder("cli-invalid");
  WriteText(dir / "scene.json",
            R"({"meshes": ["builtin", "builtin"], "objects": [{"mesh": 3}]})");
  const ToolRun run = RunTool(
      dir, {"--scene", "scene.json", "--out", "x.png", "--raw", "x.raw"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "scene.json: objects[0].mesh: index 3 out of range (2 meshes)\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
  EXPECT_FALSE(std::filesystem::exists(dir / "x.raw"));

  const ToolRun missing = RunTool(dir, {"--scene", "nothere.json"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "nothere.json: (file): cannot be read\n");
}

TEST(RenderSceneCliTest, UnwritableOutputExitsOne) {
  const auto dir = FreshTestFolder("cli-unwritable");
  const std::vector<std::string> small = {"--desktop",  "64x48",
                                          "--client",   "32x24",
                                          "--textures", RENDERER_TEXTURE_DIR};
  for (const char* option : {"--out", "--raw"}) {
    SCOPED_TRACE(option);
    std::vector<std::string> arguments = small;
    arguments.push_back(option);
    arguments.push_back("/nonexistent-folder/frame.png");
    const ToolRun run = RunTool(dir, arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "render-scene: cannot write /nonexistent-folder/frame.png\n");
  }
}

TEST(RenderSceneCliTest, ImagesMatchTheRawDumpsClientArea) {
  const auto dir = FreshTestFolder("cli-images");
  const ToolRun run =
      RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop", "331x203",
                    "--client", "301x187", "--steps", "40", "--out",
                    "frame.bmp", "--raw", "frame.raw"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const RawDump dump = ReadRawDump(dir / "frame.raw");
  ASSERT_TRUE(dump.valid);
  ASSERT_EQ(dump.width, 331u);
  ASSERT_EQ(dump.height, 203u);
  renderer::Texture image;
  ASSERT_TRUE(renderer::LoadBmpTexture((dir / "frame.bmp").c_str(), image));
  ASSERT_EQ(image.width, 301);
  ASSERT_EQ(image.height, 187);
  int32_t mismatches = 0;
  int32_t background = 0;
  for (int32_t y = 0; y < 187; ++y) {
    for (int32_t x = 0; x < 301; ++x) {
      const uint8_t* t = image.texels.data() + 3 * (size_t(y) * 301 + x);
      const uint32_t texel = uint32_t(t[0]) << 16 | uint32_t(t[1]) << 8 | t[2];
      const uint32_t pixel = dump.pixels[size_t(y) * 331 + x];
      mismatches += texel != pixel;
      background += pixel == 0x787878u;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(background, 0);
  EXPECT_LT(background, 301 * 187);  // the model is in the picture
  // Outside the client area the buffer keeps its zero fill.
  EXPECT_EQ(dump.pixels[size_t(202) * 331 + 330], 0u);
}

TEST(RenderSceneCliTest, RawDumpHoldsTheWholeFrameAndDepthBuffer) {
  const auto dir = FreshTestFolder("cli-raw");
  const ToolRun run =
      RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop", "200x100",
                    "--client", "150x90", "--raw", "f.raw"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<uint8_t> bytes = ReadBytes(dir / "f.raw");
  ASSERT_EQ(bytes.size(), 12u + 200 * 100 * 8);
  EXPECT_EQ(std::memcmp(bytes.data(), "RFRM", 4), 0);
  EXPECT_EQ(GetUint32(&bytes[4]), 200u);
  EXPECT_EQ(GetUint32(&bytes[8]), 100u);
  const RawDump dump = ReadRawDump(dir / "f.raw");
  ASSERT_TRUE(dump.valid);
  // Depth rows are 200 entries apart: cleared far outside the model, nearer
  // in the middle of the client area where the cube is.
  EXPECT_EQ(GetUint32(&dump.depthBytes[4 * (99 * 200 + 199)]), 0x62432809u);
  float middle = 0;
  std::memcpy(&middle, &dump.depthBytes[4 * (45 * 200 + 75)], 4);
  EXPECT_LT(middle, 3200.0f);
  EXPECT_GT(middle, 1000.0f);
}

TEST(RenderSceneCliTest, MissingTexturesAreReportedNotRefused) {
  const auto dir = FreshTestFolder("cli-missing");
  WriteText(dir / "scene.json", R"({
      "frameBuffer": {"width": 40, "height": 30},
      "client": {"width": 40, "height": 30},
      "textures": [{"file": "gone.bmp"}], "meshes": [], "objects": []})");
  const ToolRun run = RunTool(dir, {"--scene", "scene.json", "--out", "a.ppm"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err,
            "scene.json: textures[0].file: cannot load \"gone.bmp\"; the "
            "texture stays empty\n");
  EXPECT_EQ(ReadBytes(dir / "a.ppm").size(),
            std::string("P6\n40 30\n255\n").size() + 40 * 30 * 3);

  // The demo without its images: each is reported once, the frame is drawn.
  const ToolRun demo = RunTool(
      dir, {"--desktop", "40x30", "--client", "40x30", "--out", "b.png"});
  EXPECT_EQ(demo.status, 0);
  EXPECT_EQ(LineCount(demo.err), 7u) << demo.err;
  EXPECT_NE(demo.err.find("render-scene: built-in image corvik.bmp not found "
                          "in the working directory or its fallback folder; "
                          "it stays empty\n"),
            std::string::npos)
      << demo.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "b.png"));
}

TEST(RenderSceneCliTest, DemoImagesAreFoundInTheFallbackFolder) {
  // --textures one/two, taken from the working directory: the images are
  // not there but in one/two/../../__pic/__face.
  const auto dir = FreshTestFolder("cli-fallback");
  std::filesystem::create_directories(dir / "one" / "two");
  std::filesystem::create_directories(dir / "__pic" / "__face");
  for (const auto& image :
       std::filesystem::directory_iterator(RENDERER_TEXTURE_DIR)) {
    std::filesystem::copy_file(
        image.path(), dir / "__pic" / "__face" / image.path().filename());
  }
  const std::vector<std::string> small = {"--desktop", "160x120", "--client",
                                          "160x120",   "--steps", "3"};
  std::vector<std::string> viaFallback = small;
  viaFallback.insert(viaFallback.end(),
                     {"--textures", "one/two", "--raw", "fallback.raw"});
  std::vector<std::string> direct = small;
  direct.insert(direct.end(),
                {"--textures", RENDERER_TEXTURE_DIR, "--raw", "direct.raw"});
  const ToolRun fallback = RunTool(dir, viaFallback);
  ASSERT_EQ(fallback.status, 0);
  EXPECT_EQ(fallback.err, "");
  ASSERT_EQ(RunTool(dir, direct).status, 0);
  EXPECT_EQ(ReadBytes(dir / "fallback.raw"), ReadBytes(dir / "direct.raw"));
}

TEST(RenderSceneCliTest, BenchPrintsItsFigures) {
  const auto dir = FreshTestFolder("cli-bench");
  const ToolRun run =
      RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop", "320x240",
                    "--client", "320x240", "--frames", "5", "--bench",
                    "--threads", "2"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::regex line(
      "bench: frames=5 median_ms=[0-9.]+ min_ms=[0-9.]+ max_ms=[0-9.]+ "
      "fps=[0-9.]+ mpix_per_s=([0-9.]+|n/a) threads=2\n"
      "bench-stages: colour_clear_ms=[0-9.]+ scene_pass_ms=[0-9.]+"
      "( [a-z_]+=[0-9.]+)*\n"
      "bench-output: files=0 draw_ms=[0-9.]+ write_ms=[0-9.]+ run_ms=[0-9.]+ "
      "outside_drawing=[0-9.]+%\n");
  EXPECT_TRUE(std::regex_match(run.out, line)) << run.out;
}

// Frame hashes: FNV-1a 64 over the raw dump's pixel bytes and, separately,
// over its depth bytes, as the renderer's golden tests hash frames.
FrameHashes HashRaw(const std::filesystem::path& file) {
  const RawDump dump = ReadRawDump(file);
  EXPECT_TRUE(dump.valid);
  return FrameHashes{Fnv1a64(dump.pixelBytes.data(), dump.pixelBytes.size()),
                     Fnv1a64(dump.depthBytes.data(), dump.depthBytes.size())};
}

TEST(RenderSceneCliTest, ExampleSceneRendersToItsGoldenHash) {
  const auto dir = FreshTestFolder("cli-example");
  std::filesystem::create_directories(dir / "scenes");
  WriteChecker(dir / "scenes" / "checker.bmp");
  WriteText(dir / "scenes" / "example.json", kExampleScene);
  // Run from elsewhere: the texture is found beside the scene file.
  const ToolRun run = RunTool(dir, {"--scene", "scenes/example.json", "--raw",
                                    "example.raw", "--out", "example.png"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(MatchesGolden(RENDERER_GOLDEN_HASHES, "scene_file_example",
                            HashRaw(dir / "example.raw")));
}

TEST(RenderSceneCliTest, DemoAfterTwentyFiveStepsMatchesTheGolden) {
  const auto dir = FreshTestFolder("cli-demo");
  const ToolRun run = RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR,
                                    "--steps", "25", "--raw", "demo.raw"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // The renderer's golden test DemoGolden.After25Steps hashes the same
  // buffers of the same frame the same way and checks the same entry.
  EXPECT_TRUE(MatchesGolden(RENDERER_GOLDEN_HASHES, "demo_step25",
                            HashRaw(dir / "demo.raw")));
}

// The raw output does not depend on the thread count: the contract example
// scene and the demo, on 1 and 4 threads.
TEST(RenderSceneCliTest, RawOutputIsTheSameForOneAndFourThreads) {
  const auto dir = FreshTestFolder("cli-threads");
  WriteChecker(dir / "checker.bmp");
  WriteText(dir / "example.json", kExampleScene);
  for (const bool demo : {false, true}) {
    // Large enough for four bands of the default height.
    std::vector<std::string> args = {"--steps", "25", "--client", "800x600",
                                     "--desktop", "1920x1080"};
    if (demo) {
      args.insert(args.end(), {"--textures", RENDERER_TEXTURE_DIR});
    } else {
      args.insert(args.end(), {"--scene", "example.json"});
    }
    FrameHashes hashes[2];
    for (int i = 0; i < 2; ++i) {
      std::vector<std::string> run = args;
      run.insert(run.end(), {"--threads", i == 0 ? "1" : "4", "--raw",
                             "threads.raw"});
      const ToolRun result = RunTool(dir, run);
      ASSERT_EQ(result.status, 0) << result.err;
      hashes[i] = HashRaw(dir / "threads.raw");
    }
    EXPECT_EQ(hashes[0].pixels, hashes[1].pixels) << (demo ? "demo" : "example");
    EXPECT_EQ(hashes[0].depth, hashes[1].depth) << (demo ? "demo" : "example");
  }
}

}  // namespace
