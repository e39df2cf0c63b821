// render-scene and model-info on hostile OBJ files: numbers that are not
// finite, indices that do not fit, faces too long to cut are refused with
// exit status 2 and one line; a missing material file draws with a warning.
#include <gtest/gtest.h>

#include "tests/tools/tool_test_support.h"

namespace {

// Runs model-info on `file` in `dir`.
ToolRun RunModelInfo(const std::filesystem::path& dir, const std::string& file) {
  const auto err = dir / "info-stderr.txt";
  const std::string command = "cd " + Quoted(dir.string()) + " && " +
                              Quoted(MODEL_INFO_BINARY) + " " + Quoted(file) + " >/dev/null 2>" +
                              Quoted(err.string());
  const int raw = std::system(command.c_str());
  ToolRun run{-1, "", ReadText(err)};
  if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  return run;
}

const std::string kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";

TEST(ModelTextCli, HostileNumbersAndFacesExitTwoWithOneLine) {
  const auto dir = FreshTestFolder("model-text");
  std::string longFace = "f";
  for (int i = 0; i < 200000; ++i) longFace += i % 3 == 0 ? " 1" : (i % 3 == 1 ? " 2" : " 3");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"v 0 0 0\nv 1 NaN 0\nv 0 1 0\nf 1 2 3\n",
       "line 2: coordinate \"NaN\" is not a finite number"},
      {"v 0 0 0\nv 1 0 -inf\nv 0 1 0\nf 1 2 3\n",
       "line 2: coordinate \"-inf\" is not a finite number"},
      {"v 0 0 0\nv 1e999 0 0\nv 0 1 0\nf 1 2 3\n",
       "line 2: coordinate \"1e999\" is not a finite number"},
      {kTriangle + "f 1 2 0\n", "line 4: index 0 out of range (3 vertices)"},
      {kTriangle + "f 1 2 -0\n", "line 4: index -0 out of range (3 vertices)"},
      {kTriangle + "f 1 2 2147483648\n", "line 4: index 2147483648 out of range (3 vertices)"},
      {kTriangle + "f 1 2 9223372036854775808\n",
       "line 4: index 9223372036854775808 out of range (3 vertices)"},
      {kTriangle + "f 1 2 99999999999999999999\n",
       "line 4: index 99999999999999999999 out of range (3 vertices)"},
      {kTriangle + longFace + "\n", "line 4: a face of 200000 corners (at most 4096 are read)"},
  };
  for (const auto& [text, problem] : cases) {
    SCOPED_TRACE(problem);
    WriteText(dir / "truck.obj", text);
    const ToolRun drawn = RunTool(dir, {"--scene", "truck.obj", "--out", "x.png"});
    EXPECT_EQ(drawn.status, 2);
    EXPECT_EQ(drawn.err, "truck.obj: " + problem + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    const ToolRun info = RunModelInfo(dir, "truck.obj");
    EXPECT_EQ(info.status, 2);
    EXPECT_EQ(info.err, "truck.obj: " + problem + "\n");
  }
}

TEST(ModelTextCli, AMissingMaterialFileDrawsWithOneWarning) {
  const auto dir = FreshTestFolder("model-missing");
  WriteText(dir / "truck.obj", "mtllib truck.mtl\n" + kTriangle + "usemtl paint\nf 1 2 3\n");
  const ToolRun drawn = RunTool(dir, {"--scene", "truck.obj", "--out", "x.png"});
  EXPECT_EQ(drawn.status, 0);
  EXPECT_EQ(drawn.err,
            "truck.obj: mtllib \"truck.mtl\": no such file; drawn without its materials\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "x.png"));
  const ToolRun info = RunModelInfo(dir, "truck.obj");
  EXPECT_EQ(info.status, 0);
  EXPECT_EQ(info.err,
            "truck.obj: mtllib \"truck.mtl\": no such file; drawn without its materials\n");
  // In a scene file the model's warning is printed the same way.
  WriteText(dir / "scene.json", R"({"meshes": [{"file": "truck.obj"}]})");
  const ToolRun inScene = RunTool(dir, {"--scene", "scene.json", "--out", "y.png"});
  EXPECT_EQ(inScene.status, 0);
  EXPECT_EQ(inScene.err,
            "truck.obj: mtllib \"truck.mtl\": no such file; drawn without its materials\n");
}

}  // namespace
