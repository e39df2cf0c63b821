// Reading scene files: defaults, every kind of refusal with its message, and
// numbers that reproduce the file's doubles bit for bit.
#include "scenefile/scene_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <string>

#include <time.h>

#include "tests/support/test_files.h"

using namespace renderer;

namespace {

struct Parsed {
  int32_t ok;
  SceneDescription scene;
  std::string message;  // "path: problem" on refusal
};

Parsed Parse(const std::string& text, const SceneOverrides& overrides = {}) {
  Parsed parsed{};
  SceneError error;
  parsed.ok = ParseSceneText(text, "/scenes", overrides, &parsed.scene, &error);
  if (!parsed.ok) parsed.message = error.path + ": " + error.problem;
  return parsed;
}

std::string Shortest(double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// `text` with every '@' replaced by `value`.
std::string WithEachAt(const std::string& text, const std::string& value) {
  std::string result;
  for (char c : text) {
    if (c == '@') {
      result += value;
    } else {
      result += c;
    }
  }
  return result;
}

void ExpectSameBits(double expected, double actual) {
  EXPECT_EQ(std::bit_cast<uint64_t>(expected), std::bit_cast<uint64_t>(actual))
      << Shortest(expected) << " read back as " << Shortest(actual);
}

TEST(SceneFileTest, EmptyObjectStandsForTheDemo) {
  const Parsed parsed = Parse("{}");
  ASSERT_TRUE(parsed.ok) << parsed.message;
  const SceneDescription& s = parsed.scene;
  EXPECT_EQ(s.frameWidth, 1920);
  EXPECT_EQ(s.frameHeight, 1080);
  EXPECT_EQ(s.clientWidth, 800);
  EXPECT_EQ(s.clientHeight, 600);
  EXPECT_EQ(s.viewportLeft, 0);
  EXPECT_EQ(s.viewportTop, 0);
  EXPECT_EQ(s.viewportRight, 800);
  EXPECT_EQ(s.viewportBottom, 600);
  EXPECT_EQ(s.focalLength, 400);
  EXPECT_EQ(s.nearZ, 2);
  EXPECT_EQ(s.centreX, 400.0);
  EXPECT_EQ(s.centreY, 300.0);
  ASSERT_EQ(s.meshes.size(), 1u);
  EXPECT_TRUE(s.meshes[0].builtin);
  ASSERT_EQ(s.objects.size(), 1u);
  EXPECT_EQ(s.objects[0].mesh, 0);
  EXPECT_EQ(s.objects[0].position[2], 3200);
  EXPECT_EQ(s.objects[0].orientation[1][1], 1.0);
  EXPECT_EQ(s.objects[0].orientation[0][1], 0.0);
  EXPECT_EQ(s.animationSteps, 0);
  EXPECT_TRUE(s.textures.empty());
}

TEST(SceneFileTest, DefaultsFollowTheClientSizeAndPartialViewport) {
  // Odd sizes: the centre is w >> 1, h >> 1; missing viewport sides default.
  Parsed parsed = Parse(
      R"({"client": {"width": 301, "height": 201}, "viewport": {"left": 10}})");
  ASSERT_TRUE(parsed.ok) << parsed.message;
  EXPECT_EQ(parsed.scene.viewportLeft, 10);
  EXPECT_EQ(parsed.scene.viewportRight, 301);
  EXPECT_EQ(parsed.scene.viewportBottom, 201);
  EXPECT_EQ(parsed.scene.centreX, 150.0);
  EXPECT_EQ(parsed.scene.centreY, 100.0);

  // The command line's client replaces the file's, and the defaults follow.
  SceneOverrides sizes{};
  sizes.hasClient = 1;
  sizes.clientWidth = 640;
  sizes.clientHeight = 480;
  parsed = Parse(R"({"client": {"width": 300, "height": 200},
                     "camera": {"centreY": 7.5}})",
                 sizes);
  ASSERT_TRUE(parsed.ok) << parsed.message;
  EXPECT_EQ(parsed.scene.clientWidth, 640);
  EXPECT_EQ(parsed.scene.viewportRight, 640);
  EXPECT_EQ(parsed.scene.centreX, 320.0);
  EXPECT_EQ(parsed.scene.centreY, 7.5);
}

TEST(SceneFileTest, ReadsEveryKindOfEntryOfTheExampleScene) {
  const Parsed parsed = Parse(kExampleScene);
  ASSERT_TRUE(parsed.ok) << parsed.message;
  const SceneDescription& s = parsed.scene;
  EXPECT_EQ(s.centreX, 60.0);
  EXPECT_EQ(s.centreY, 45.0);
  ASSERT_EQ(s.textures.size(), 1u);
  EXPECT_EQ(s.textures[0].path, "/scenes/checker.bmp");
  const MeshEntry& mesh = s.meshes[0];
  EXPECT_FALSE(mesh.builtin);
  ASSERT_EQ(mesh.vertices.size(), 3u);
  EXPECT_EQ(mesh.vertices[2].y, 60);
  EXPECT_EQ(mesh.triangles[0].texture, 0);
  EXPECT_EQ(mesh.triangles[0].uv[2][0], 8.0);
  EXPECT_EQ(mesh.triangles[0].colour[0], 0);
  EXPECT_EQ(mesh.lines[0].fromColour, 0xFF0000);
  const ObjectEntry& object = s.objects[0];
  EXPECT_EQ(object.position[2], 0);
  ASSERT_EQ(object.transforms.size(), 2u);
  EXPECT_EQ(object.transforms[0].kind, TransformKind::kRotateZ);
  EXPECT_EQ(object.transforms[1].amount, 1.1);
}

TEST(SceneFileTest, WholeNumbersAndColoursAtTheirLimits) {
  const Parsed parsed = Parse(R"({
    "camera": {"focalLength": 4e2, "nearZ": -2147483648},
    "meshes": [{"vertices": [[2147483647, -0, 3.0]],
                "triangles": [{"colour": [4294967295, 0, 16777215],
                               "texture": null}]}]})");
  ASSERT_TRUE(parsed.ok) << parsed.message;
  EXPECT_EQ(parsed.scene.focalLength, 400);
  EXPECT_EQ(parsed.scene.nearZ, INT32_MIN);
  EXPECT_EQ(parsed.scene.meshes[0].vertices[0].x, INT32_MAX);
  EXPECT_EQ(parsed.scene.meshes[0].vertices[0].z, 3);
  // Colours keep their bits in the int32 field.
  EXPECT_EQ(uint32_t(parsed.scene.meshes[0].triangles[0].colour[0]),
            0xFFFFFFFFu);
  EXPECT_EQ(parsed.scene.meshes[0].triangles[0].texture, kNoTexture);
}

TEST(SceneFileTest, AwkwardDoublesReproduceBitForBit) {
  const double values[] = {0.1,
                           1e-300,
                           2.0 / 3.0,
                           5e-324,
                           1.7976931348623157e308,
                           -0.0,
                           0.30000000000000004};
  for (double value : values) {
    const std::string v = Shortest(value);
    SCOPED_TRACE(v);
    const Parsed parsed = Parse(WithEachAt(R"({
        "camera": {"centreX": @, "centreY": @},
        "meshes": [{"vertices": [[0, 0, 1]], "vertexVectors": [[@, 1, @]],
                    "triangles": [{"uv": [[@, @], [0, 0], [0, 0]]}]}],
        "objects": [{"orientation": [[@, 0, 0], [0, 1, 0], [0, 0, @]],
                     "transforms": [["rotateX", @], ["scale", @]]}]})",
                                           v));
    ASSERT_TRUE(parsed.ok) << parsed.message;
    const SceneDescription& s = parsed.scene;
    ExpectSameBits(value, s.centreX);
    ExpectSameBits(value, s.centreY);
    ExpectSameBits(value, s.meshes[0].vertexVectors[0].x);
    ExpectSameBits(value, s.meshes[0].vertexVectors[0].z);
    ExpectSameBits(value, s.meshes[0].triangles[0].uv[0][0]);
    ExpectSameBits(value, s.meshes[0].triangles[0].uv[0][1]);
    ExpectSameBits(value, s.objects[0].orientation[0][0]);
    ExpectSameBits(value, s.objects[0].orientation[2][2]);
    ExpectSameBits(value, s.objects[0].transforms[0].amount);
    ExpectSameBits(value, s.objects[0].transforms[1].amount);
  }
  // Integers beyond 2^53 round exactly as the same text read as a double.
  const Parsed big = Parse(R"({"camera": {"centreX": 9007199254740993,
                                          "centreY": 18446744073709551615}})");
  ASSERT_TRUE(big.ok) << big.message;
  ExpectSameBits(9007199254740992.0, big.scene.centreX);
  ExpectSameBits(18446744073709551616.0, big.scene.centreY);
}

struct Refusal {
  const char* text;
  const char* message;
};

void ExpectRefusals(const Refusal* refusals, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(refusals[i].text);
    const Parsed parsed = Parse(refusals[i].text);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.message, refusals[i].message);
  }
}

TEST(SceneFileTest, RefusesBadJsonWithThePlaceReached) {
  const Refusal refusals[] = {
      {"",
       "(top level): parse error at line 1, column 1: syntax error while "
       "parsing value - unexpected end of input; expected '[', '{', or a "
       "literal"},
      {"{\"camera\": {\n  \"nearZ\": }}",
       "camera.nearZ: parse error at line 2, column 12: syntax error while "
       "parsing value - unexpected '}'; expected '[', '{', or a literal"},
      {R"({"camera": {"centreX": 1e400}})",
       "camera.centreX: number overflow parsing '1e400'"},
      {R"({"objects": [{}, {"position": [1, 2, 3], "position": [1, 2, 3]}]})",
       "objects[1].position: key given more than once"},
      {"[1, 2]", "(top level): expected an object, got array"},
  };
  ExpectRefusals(refusals, std::size(refusals));
}

// `count` copies of `entry`, comma-separated, between `head` and `tail`.
std::string Repeated(const std::string& head, const std::string& entry,
                     int32_t count, const std::string& tail) {
  std::string text = head;
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0) text += ',';
    text += entry;
  }
  return text + tail;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The least processor time of five readings of `text`, in seconds: on a
// shared machine the time spent waiting for a processor is left out.
double FastestParse(const std::string& text) {
  double fastest = 1e9;
  for (int32_t run = 0; run < 5; ++run) {
    const double start = ThreadSeconds();
    Parse(text);
    fastest = std::min(fastest, ThreadSeconds() - start);
  }
  return fastest;
}

// Time grows with the text's length: four times the entries take about four
// times as long, where a reader that looks back through a list for every
// entry it adds takes about sixteen times as long.
TEST(SceneFileTest, LongListsReadInTimeProportionalToTheirLength) {
  const std::string meshHead =
      R"({"meshes": [{"vertices": [[0, 0, 1], [1, 0, 1], [0, 1, 1]],
                      "triangles": [)";
  const std::string triangle = R"({"vertex": [0, 1, 2], "colour": [1, 2, 3]})";
  constexpr int32_t kCount = 20000;
  for (int32_t list = 0; list < 2; ++list) {
    SCOPED_TRACE(list == 0 ? "top-level array" : "triangles");
    // Small entries, so that looking back would outweigh reading them.
    const auto text = [&](int32_t count) {
      return list == 0 ? Repeated("[", R"({"a": 1})", count, "]")
                       : Repeated(meshHead, "{}", count, "]}]}");
    };
    const double small = FastestParse(text(kCount));
    const double large = FastestParse(text(4 * kCount));
    EXPECT_LT(large, 8.0 * small) << small << " s, then " << large << " s";
  }

  const Parsed mesh = Parse(Repeated(meshHead, triangle, 4 * kCount, "]}]}"));
  ASSERT_TRUE(mesh.ok) << mesh.message;
  EXPECT_EQ(mesh.scene.meshes[0].triangles.size(), size_t(4 * kCount));
  EXPECT_EQ(mesh.scene.meshes[0].triangles[4 * kCount - 1].colour[2], 3);
  EXPECT_EQ(Parse(Repeated(meshHead, triangle, 4 * kCount,
                           R"(,{"vertex": [0, 1, 3]}]}]})"))
                .message,
            "meshes[0].triangles[80000].vertex[2]: index 3 out of range (3 "
            "vertices)");
  EXPECT_EQ(Parse(Repeated(meshHead, triangle, 4 * kCount, ",{]}]}")).message,
            "meshes[0].triangles[80000]: parse error at line 2, column "
            "3440038: syntax error while parsing object key - unexpected "
            "']'; expected string literal");
}

TEST(SceneFileTest, RefusesUnknownKeysAndWrongTypes) {
  const Refusal refusals[] = {
      {R"({"frameBufer": {}})", "frameBufer: unknown key"},
      {R"({"objects": [{"postion": [0, 0, 0]}]})",
       "objects[0].postion: unknown key"},
      {R"({"meshes": [{"vertices": [], "triangle": []}]})",
       "meshes[0].triangle: unknown key"},
      {R"({"camera": {"nearZ": "2"}})",
       "camera.nearZ: expected a whole number, got string"},
      {R"({"camera": {"centreX": null}})",
       "camera.centreX: expected a number, got null"},
      {R"({"textures": [{"file": "a.bmp", "opaqueWhite": 1}]})",
       "textures[0].opaqueWhite: expected true or false, got number"},
      {R"({"textures": [{"file": 7}]})",
       "textures[0].file: expected a string, got number"},
      {R"({"builtinTextures": ["x"]})",
       "builtinTextures: expected a string, got array"},
      {R"({"meshes": ["cube"]})",
       "meshes[0]: expected \"builtin\" or a mesh object"},
      {R"({"objects": {}})", "objects: expected an array, got object"},
      {R"({"client": [800, 600]})", "client: expected an object, got array"},
  };
  ExpectRefusals(refusals, std::size(refusals));
}

TEST(SceneFileTest, RefusesNumbersOutOfTheirRange) {
  const Refusal refusals[] = {
      {R"({"camera": {"focalLength": 400.5}})",
       "camera.focalLength: 400.5 is not a whole number"},
      {R"({"objects": [{"position": [0, 0, 2147483648]}]})",
       "objects[0].position[2]: 2147483648 is outside the int32 range"},
      {R"({"camera": {"nearZ": -2147483649}})",
       "camera.nearZ: -2147483649 is outside the int32 range"},
      {R"({"camera": {"nearZ": 1e20}})",
       "camera.nearZ: 1e+20 is outside the int32 range"},
      {R"({"meshes": [{"vertices": [[0, 0, 0]], "lines": [{"toColour": -1}]}]})",
       "meshes[0].lines[0].toColour: -1 is outside the colour range 0 to "
       "4294967295"},
      {R"({"meshes": [{"vertices": [[0, 0, 0]],
                       "triangles": [{"colour": [0, 0, 4294967296]}]}]})",
       "meshes[0].triangles[0].colour[2]: 4294967296 is outside the colour "
       "range 0 to 4294967295"},
      {R"({"frameBuffer": {"width": 0}})",
       "frameBuffer.width: 0 is outside the size range 1 to 16384"},
      {R"({"client": {"height": 16385}})",
       "client.height: 16385 is outside the size range 0 to 16384"},
      {R"({"client": {"width": -1}})",
       "client.width: -1 is outside the size range 0 to 16384"},
      {R"({"animationSteps": -1})",
       "animationSteps: -1 is outside the range 0 to 2147483647"},
  };
  ExpectRefusals(refusals, std::size(refusals));
}

TEST(SceneFileTest, RefusesIndicesOutOfRange) {
  const Refusal refusals[] = {
      {R"({"meshes": ["builtin", "builtin"], "objects": [{"mesh": 3}]})",
       "objects[0].mesh: index 3 out of range (2 meshes)"},
      {R"({"objects": [{"mesh": -1}]})",
       "objects[0].mesh: index -1 out of range (1 mesh)"},
      {R"({"meshes": []})",
       "objects: the default object shows mesh 0, but there are 0 meshes"},
      {R"({"meshes": [{"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]],
                       "triangles": [{"vertex": [0, 5, 2]}]}]})",
       "meshes[0].triangles[0].vertex[1]: index 5 out of range (3 vertices)"},
      {R"({"meshes": [{"triangles": [{}]}]})",
       "meshes[0].triangles[0].vertex[0]: index 0 out of range (0 vertices)"},
      {R"({"meshes": [{"vertices": [[0, 0, 0]], "lines": [{"to": 1}]}]})",
       "meshes[0].lines[0].to: index 1 out of range (1 vertex)"},
      {R"({"textures": [{"file": "a.bmp"}],
           "meshes": [{"vertices": [[0, 0, 0]],
                       "triangles": [{"texture": 1}]}]})",
       "meshes[0].triangles[0].texture: index 1 out of range (1 texture)"},
      {R"({"meshes": [{"vertices": [[0, 0, 0]],
                       "triangles": [{"texture": 0}]}]})",
       "meshes[0].triangles[0].texture: index 0 out of range (0 textures)"},
  };
  ExpectRefusals(refusals, std::size(refusals));
}

TEST(SceneFileTest, RefusesListsOfTheWrongShape) {
  const Refusal refusals[] = {
      {R"({"meshes": [{"vertices": [[0, 0, 0], [1, 2]]}]})",
       "meshes[0].vertices[1]: expected 3 numbers, got 2"},
      {R"({"meshes": [{"vertices": [[0, 0, 0], [1, 0, 0]],
                       "vertexVectors": [[0, 0, 1]]}]})",
       "meshes[0].vertexVectors: 1 vector for 2 vertices (one per vertex)"},
      {R"({"meshes": [{"vertices": [[0, 0, 0]],
                       "triangles": [{"uv": [[0, 0], [0, 0]]}]}]})",
       "meshes[0].triangles[0].uv: expected 3 (u, v) pairs, got 2"},
      {R"({"objects": [{"orientation": [[1, 0, 0], [0, 1, 0]]}]})",
       "objects[0].orientation: expected 3 rows, got 2"},
      {R"({"objects": [{"orientation": [[1, 0, 0], [0, 1, 0], [0, "1", 1]]}]})",
       "objects[0].orientation[2][1]: expected a number, got string"},
      {R"({"objects": [{"transforms": [["spin", 3]]}]})",
       "objects[0].transforms[0][0]: unknown operation \"spin\" (rotateX, "
       "rotateY, rotateZ, scale or reset)"},
      {R"({"objects": [{"transforms": [["reset"], ["scale"]]}]})",
       "objects[0].transforms[1]: \"scale\" takes 1 number, got 0"},
      {R"({"objects": [{"transforms": [["reset", 1]]}]})",
       "objects[0].transforms[0]: \"reset\" takes 0 numbers, got 1"},
      {R"({"objects": [{"transforms": [[]]}]})",
       "objects[0].transforms[0]: expected an operation name first"},
  };
  ExpectRefusals(refusals, std::size(refusals));
}

TEST(SceneFileTest, RefusesAClientOrViewportTheFrameBufferCannotHold) {
  const Refusal refusals[] = {
      {R"({"frameBuffer": {"width": 100, "height": 100},
           "client": {"width": 101, "height": 50}})",
       "client.width: 101 is wider than the frame buffer (the frame buffer "
       "is 100x100)"},
      {R"({"frameBuffer": {"width": 100, "height": 100},
           "client": {"width": 100, "height": 101}})",
       "client.height: 101 is taller than the frame buffer (the frame buffer "
       "is 100x100)"},
      {R"({"viewport": {"left": -1}})",
       "viewport.left: -1 is outside 0 to 1920 (the frame buffer's width)"},
      {R"({"viewport": {"bottom": 1081}})",
       "viewport.bottom: 1081 is outside 0 to 1080 (the frame buffer's "
       "height)"},
      {R"({"viewport": {"right": 1921}})",
       "viewport.right: 1921 is outside 0 to 1920 (the frame buffer's "
       "width)"},
  };
  ExpectRefusals(refusals, std::size(refusals));

  // A client as large as the frame buffer, and a viewport whose inclusive
  // bounds reach its edge, are allowed; an empty viewport draws nothing.
  EXPECT_TRUE(Parse(R"({"frameBuffer": {"width": 64, "height": 48},
                        "client": {"width": 64, "height": 48}})")
                  .ok);
  EXPECT_TRUE(Parse(R"({"viewport": {"left": 500, "right": 10}})").ok);

  // A minimised window's client area is empty: its viewport and centre
  // follow it down to 0.
  const Parsed minimised = Parse(R"({"client": {"width": 0, "height": 0}})");
  ASSERT_TRUE(minimised.ok) << minimised.message;
  EXPECT_EQ(minimised.scene.clientWidth, 0);
  EXPECT_EQ(minimised.scene.viewportRight, 0);
  EXPECT_EQ(minimised.scene.viewportBottom, 0);
  EXPECT_EQ(minimised.scene.centreX, 0.0);

  SceneOverrides sizes{};
  sizes.hasClient = 1;
  sizes.clientWidth = 3000;
  sizes.clientHeight = 600;
  const Parsed parsed = Parse("{}", sizes);
  EXPECT_FALSE(parsed.ok);
  EXPECT_EQ(parsed.message,
            "--client: 3000x600 does not fit in the frame buffer (the frame "
            "buffer is 1920x1080)");
}

TEST(SceneFileTest, PathsAreTakenFromTheSceneFolder) {
  EXPECT_EQ(ResolvePath("/scenes", "a.bmp"), "/scenes/a.bmp");
  EXPECT_EQ(ResolvePath("/scenes", "/abs/a.bmp"), "/abs/a.bmp");
  EXPECT_EQ(ResolvePath("", "a.bmp"), "a.bmp");
  EXPECT_EQ(ResolvePath("/", "a.bmp"), "/a.bmp");
  EXPECT_EQ(FolderOf("scene.json"), "");
  EXPECT_EQ(FolderOf("dir/sub/scene.json"), "dir/sub");
  EXPECT_EQ(FolderOf("/scene.json"), "/");
  const Parsed parsed = Parse(R"({"builtinTextures": "../images"})");
  ASSERT_TRUE(parsed.ok) << parsed.message;
  EXPECT_EQ(parsed.scene.builtinTextures, "/scenes/../images");
  // Text inside strings is kept as written, "-0" and escapes included.
  const Parsed quoted = Parse(R"({"builtinTextures": "a\"-0\\-0"})");
  ASSERT_TRUE(quoted.ok) << quoted.message;
  EXPECT_EQ(quoted.scene.builtinTextures, "/scenes/a\"-0\\-0");

  SceneDescription scene;
  SceneError error;
  EXPECT_FALSE(LoadSceneFile("/nonexistent/scene.json", {}, &scene, &error));
  EXPECT_EQ(FormatSceneError("/nonexistent/scene.json", error),
            "/nonexistent/scene.json: (file): cannot be read");
}

}  // namespace
