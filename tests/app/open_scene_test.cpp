// Scene and model files in the desktop program: given at start, or dropped
// on the window (kMsgDropFiles) to replace the scene.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/controls.h"
#include "app/scene_source.h"
#include "platform/dropped_files.h"
#include "platform/message_queue.h"
#include "tests/app/app_fixture.h"
#include "testmodels/model_catalog.h"
#include "testmodels/model_writers.h"

namespace {

// The generated torus as a .glb in a fresh folder; its path.
std::string WriteTorus() {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("open-scene-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto files = models::WriteGltf(models::Catalog()[1].model, "torus",
                                       models::GltfLayout::kBinary, models::ImageKind::kPng);
  const std::vector<uint8_t>& bytes = files.at("torus.glb");
  std::ofstream(dir / "torus.glb", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return (dir / "torus.glb").string();
}

class OpenSceneTest : public AppTest {
 protected:
  // As the back end reports a drop: the message, and the path beside it.
  void DropAndDispatch(const std::string& path) {
    fakeWindows.droppedFile = path;
    QueueEvent(kMsgDropFiles);
    PlatformMessage message;
    ASSERT_TRUE(PeekMessage(app.platform, &message));
    DispatchMessage(&message);
  }
};

TEST_F(OpenSceneTest, ADroppedModelReplacesTheSceneAndIsTheOneThatTurns) {
  StartDemo();
  DropAndDispatch(WriteTorus());
  ASSERT_EQ(app.scene.scene.objects.size(), 2u);
  EXPECT_EQ(app.scene.scene.objects[0].mesh, renderer::kNoMesh);  // the light
  EXPECT_EQ(app.scene.scene.objects[0].position[0], -3200);
  EXPECT_EQ(app.scene.scene.objects[1].mesh, 0);
  EXPECT_EQ(app.scene.animatedObject, 1);
  EXPECT_EQ(app.selectedObject, 1);
  EXPECT_TRUE(fakeWindows.messageBoxTexts.empty());
  const renderer::SceneObject light = app.scene.scene.objects[0];
  const renderer::SceneObject model = app.scene.scene.objects[1];
  fakeTick += 21;
  IdleTick(app);
  EXPECT_EQ(std::memcmp(light.orientation, app.scene.scene.objects[0].orientation,
                        sizeof light.orientation), 0);
  EXPECT_NE(std::memcmp(model.orientation, app.scene.scene.objects[1].orientation,
                        sizeof model.orientation), 0);
}

TEST_F(OpenSceneTest, AnUnreadableDropLeavesTheSceneAndSaysWhy) {
  StartDemo();
  testing::internal::CaptureStderr();
  DropAndDispatch("missing.glb");
  testing::internal::GetCapturedStderr();
  ASSERT_EQ(fakeWindows.messageBoxTexts.size(), 1u);
  EXPECT_EQ(fakeWindows.messageBoxTexts[0], "missing.glb: file: no such file");
  EXPECT_EQ(app.scene.scene.objects.size(), 1u);  // still the demo
  EXPECT_EQ(app.scene.animatedObject, 0);
}

TEST_F(OpenSceneTest, AFileGivenAtStartIsShownFromTheFirstFrame) {
  OpenedScene opened;
  std::string error;
  ASSERT_TRUE(OpenSceneFile(WriteTorus(), &opened, &error)) << error;
  QueueEvent(kMsgKeyDown, 0x1B);
  EXPECT_EQ(RunApplication(app, &opened), 0);
  EXPECT_EQ(app.scene.scene.objects.size(), 2u);
  EXPECT_EQ(app.selectedObject, 1);
}

}  // namespace
