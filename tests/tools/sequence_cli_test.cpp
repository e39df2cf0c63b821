// render-scene's sequences run as outside tools run them: slices of a
// sequence against one run (directly and through GNU parallel), names with
// number patterns, refused patterns, and runs stopped by a signal.
#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <set>
#include <thread>

#include "tests/tools/tool_test_support.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kSmallDemo = {"--textures", RENDERER_TEXTURE_DIR,
                                             "--desktop",  "200x150",
                                             "--client",   "160x120",
                                             "--steps",    "7"};

std::vector<std::string> Demo(const std::vector<std::string>& more) {
  std::vector<std::string> arguments = kSmallDemo;
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

std::string Numbered(const char* format, int32_t number) {
  char name[64];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

// Every PNG and raw dump of frames 0..23 in `a` equals the one in `b`.
void ExpectSameFrames(const fs::path& a, const fs::path& b) {
  for (int32_t k = 0; k < 24; ++k) {
    SCOPED_TRACE(k);
    for (const char* format : {"f-%02d.png", "r-%02d.raw"}) {
      const std::vector<uint8_t> one = ReadBytes(a / Numbered(format, k));
      ASSERT_FALSE(one.empty());
      EXPECT_TRUE(one == ReadBytes(b / Numbered(format, k)));
    }
  }
}

// Frames 0 to 23 in one run into `dir`/one, and an empty `dir`/`sliced`.
void DrawOneRun(const fs::path& dir, const char* sliced) {
  fs::create_directories(dir / "one");
  fs::create_directories(dir / sliced);
  ASSERT_EQ(RunTool(dir, Demo({"--frames", "24", "--out", "one/f-%02d.png",
                               "--raw", "one/r-%02d.raw"}))
                .status,
            0);
}

TEST(SequenceCliTest, SlicesEqualOneRun) {
  const auto dir = FreshTestFolder("seq-slices");
  DrawOneRun(dir, "sliced");
  for (const char* first : {"0", "5", "17"}) {
    const char* count = first[0] == '0' ? "5" : first[0] == '5' ? "12" : "7";
    const ToolRun run =
        RunTool(dir, Demo({"--frames", count, "--first-frame", first, "--out",
                           "sliced/f-%02d.png", "--raw", "sliced/r-%02d.raw"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no progress line off a terminal
  }
  EXPECT_EQ(NamesIn(dir / "sliced").size(), 48u);
  ExpectSameFrames(dir / "one", dir / "sliced");
  // Frames differ from each other: the animation moves between them.
  EXPECT_FALSE(ReadBytes(dir / "one/r-00.raw") ==
               ReadBytes(dir / "one/r-01.raw"));
  // Frame k is the single frame after steps + k animation steps.
  ASSERT_EQ(RunTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop",
                          "200x150", "--client", "160x120", "--steps", "20",
                          "--raw", "single.raw"})
                .status,
            0);
  EXPECT_TRUE(ReadBytes(dir / "single.raw") == ReadBytes(dir / "one/r-13.raw"));
}

TEST(SequenceCliTest, SlicesThroughGnuParallelEqualOneRun) {
  const auto dir = FreshTestFolder("seq-parallel");
  DrawOneRun(dir, "parallel");
  std::string command = ToolCommand(
      dir, "parallel --will-cite --halt now,fail=1 -j 3 ", kSmallDemo);
  command +=
      " --frames 8 --first-frame {} --out parallel/f-%02d.png"
      " --raw parallel/r-%02d.raw ::: 0 8 16";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(NamesIn(dir / "parallel").size(), 48u);
  ExpectSameFrames(dir / "one", dir / "parallel");
}

// A viewport larger than the client area: the scene pass draws outside the
// client, where no clear reaches, and the triangle moves from frame to frame.
constexpr const char* kWideViewportScene = R"({
  "frameBuffer": {"width": 80, "height": 60},
  "client": {"width": 40, "height": 30},
  "viewport": {"left": 0, "top": 0, "right": 70, "bottom": 50},
  "camera": {"focalLength": 60, "centreX": 30, "centreY": 20},
  "meshes": [{"vertices": [[-300, -40, 0], [300, -40, 0], [300, 40, 0]],
              "triangles": [{"vertex": [0, 1, 2],
                             "colour": [16711680, 65280, 255]}]}],
  "objects": [{"position": [0, 0, 400]}]
})";

TEST(SequenceCliTest, FramesOutsideTheClientDoNotKeepEarlierFrames) {
  const auto dir = FreshTestFolder("seq-margin");
  WriteText(dir / "wide.json", kWideViewportScene);
  ASSERT_EQ(RunTool(dir, {"--scene", "wide.json", "--frames", "12", "--raw",
                          "one-%02d.raw"})
                .status,
            0);
  ASSERT_EQ(RunTool(dir, {"--scene", "wide.json", "--frames", "6",
                          "--first-frame", "6", "--raw", "slice-%02d.raw"})
                .status,
            0);
  for (int32_t k = 6; k < 12; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(ReadBytes(dir / Numbered("one-%02d.raw", k)) ==
                ReadBytes(dir / Numbered("slice-%02d.raw", k)));
  }
  // Frame 0 drew pixels outside the client that frame 1 does not draw: in
  // frame 1 they are back to the buffer's zero fill.
  const RawDump first = ReadRawDump(dir / "one-00.raw");
  const RawDump second = ReadRawDump(dir / "one-01.raw");
  ASSERT_TRUE(first.valid && second.valid);
  int32_t cleared = 0;
  for (size_t i = 0; i < first.pixels.size(); ++i) {
    const bool outside = i % 80 >= 40 || i / 80 >= 30;
    cleared += outside && first.pixels[i] != 0 && second.pixels[i] == 0;
  }
  EXPECT_GT(cleared, 0);
}

TEST(SequenceCliTest, PlainNamesHoldTheLastFrame) {
  const auto dir = FreshTestFolder("seq-plain");
  ASSERT_EQ(RunTool(dir, Demo({"--frames", "6", "--first-frame", "2", "--out",
                               "last.bmp", "--raw", "last.raw"}))
                .status,
            0);
  ASSERT_EQ(RunTool(dir, Demo({"--first-frame", "7", "--out", "f-%d.bmp",
                               "--raw", "100%%-%d.raw"}))
                .status,
            0);
  EXPECT_TRUE(ReadBytes(dir / "last.bmp") == ReadBytes(dir / "f-7.bmp"));
  EXPECT_TRUE(ReadBytes(dir / "last.raw") == ReadBytes(dir / "100%-7.raw"));
  EXPECT_EQ(NamesIn(dir), (std::set<std::string>{
                              "last.bmp", "last.raw", "f-7.bmp", "100%-7.raw",
                              "tool-stdout.txt", "tool-stderr.txt"}));
}

TEST(SequenceCliTest, BadPatternsAreRefusedBeforeAnythingIsWritten) {
  const auto dir = FreshTestFolder("seq-refused");
  fs::create_directories(dir / "out");
  const std::vector<std::vector<std::string>> cases = {
      {"--out", "out/f-%d-%d.png"}, {"--out", "out/f-%5d.png"},
      {"--out", "out/f-%010d.png"}, {"--raw", "out/r-%x.raw"},
      {"--out", "out/a-%03d.webp"}, {"--out", "out/a-%d.gif"},
      {"--out", "out/f-%.png"},     {"--raw", "out/r-%i.raw"},
  };
  for (const auto& pattern : cases) {
    SCOPED_TRACE(pattern[1]);
    std::vector<std::string> arguments =
        Demo({"--frames", "3", "--out", "out/fine-%d.png"});
    arguments.insert(arguments.end(), pattern.begin(), pattern.end());
    const ToolRun run = RunTool(dir, arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(LineCount(run.err), 1u) << run.err;
    EXPECT_NE(run.err.find(pattern[1]), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(dir / "out"));
  }
}

TEST(SequenceCliTest, ProgressLineOnlyOnATerminal) {
  const auto dir = FreshTestFolder("seq-progress");
  // util-linux's `script` gives the run a terminal and copies what it
  // shows there to standard output.
  std::string command = "cd " + Quoted(dir.string()) + " && script -qec " +
                        Quoted(Quoted(RENDER_SCENE_BINARY) + " --textures " +
                               Quoted(RENDERER_TEXTURE_DIR) +
                               " --client 64x48 --frames 30 --out f-%d.ppm") +
                        " /dev/null";
  const std::string shown = CommandOutput(command);
  EXPECT_TRUE(std::regex_search(
      shown, std::regex(R"(\rframe 30 of 30  [0-9.]+ frames/s  0\.0 s left)")))
      << shown;
  EXPECT_EQ(NamesIn(dir).size(), 30u);
  // Off a terminal, and for one frame, nothing.
  EXPECT_EQ(RunTool(dir, Demo({"--frames", "3", "--out", "g-%d.ppm"})).err, "");
}

// Starts render-scene in `folder` with its output streams discarded.
pid_t StartTool(const fs::path& folder, const std::vector<std::string>& args) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::chdir(folder.c_str()) != 0) ::_exit(127);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(RENDER_SCENE_BINARY));
    for (const std::string& arg : args) {
      argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(RENDER_SCENE_BINARY, argv.data());
    ::_exit(127);
  }
  return child;
}

// Waits until `folder` holds at least `count` finished files, not counting
// hidden temporary ones (up to a minute).
bool WaitForFiles(const fs::path& folder, size_t count) {
  for (int32_t tries = 0; tries < 6000; ++tries) {
    size_t finished = 0;
    for (const std::string& name : NamesIn(folder)) finished += name[0] != '.';
    if (finished >= count) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

int StopAndWait(pid_t child, int signalNumber) {
  ::kill(child, signalNumber);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool PngDecodes(const fs::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  const bool read =
      png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return read && image.width == 1920 && image.height == 1080;
}

TEST(SequenceCliTest, InterruptedRunLeavesOnlyCompleteFiles) {
  const auto dir = FreshTestFolder("seq-interrupt");
  fs::create_directories(dir / "out");
  const pid_t child = StartTool(
      dir, {"--textures", RENDERER_TEXTURE_DIR, "--client", "1920x1080",
            "--frames", "100000", "--out", "out/f-%06d.png"});
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitForFiles(dir / "out", 4));
  EXPECT_EQ(StopAndWait(child, SIGINT), 130);
  const std::set<std::string> names = NamesIn(dir / "out");
  ASSERT_GE(names.size(), 4u);
  ASSERT_LT(names.size(), 100000u);
  // Frames are written on several threads, so the last few may finish out
  // of order; every file there is a whole frame, and no temporary is left.
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(std::regex_match(name, std::regex("f-[0-9]{6}\\.png")));
    EXPECT_TRUE(PngDecodes(dir / "out" / name));
  }
  EXPECT_TRUE(names.count("f-000000.png"));
}

TEST(SequenceCliTest, TerminatedAnimationLeavesNoFile) {
  const auto dir = FreshTestFolder("seq-terminate");
  fs::create_directories(dir / "out");
  const pid_t child =
      StartTool(dir, {"--textures", RENDERER_TEXTURE_DIR, "--desktop",
                      "400x300", "--client", "400x300", "--frames", "100000",
                      "--out", "out/a.webp", "--raw", "out/r-%06d.raw"});
  ASSERT_GT(child, 0);
  ASSERT_TRUE(WaitForFiles(dir / "out", 4));
  EXPECT_EQ(StopAndWait(child, SIGTERM), 143);
  // The animation was in progress: it is gone, temporary name and all.
  for (const std::string& name : NamesIn(dir / "out")) {
    SCOPED_TRACE(name);
    EXPECT_EQ(name.rfind("r-", 0), 0u);
    EXPECT_TRUE(ReadRawDump(dir / "out" / name).valid);
  }
}

}  // namespace
