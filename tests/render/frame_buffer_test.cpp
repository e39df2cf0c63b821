// The frame buffer's clear, the headless target and the demo projection.
#include <gtest/gtest.h>

#include "render/demo_scene.h"
#include "render/frame_buffer.h"
#include "render/headless_target.h"
#include "render_test_support.h"

namespace {

TEST(ClearFrame, FillsRowsAndColumnsUpToTheLastInclusive) {
  GuardedFrame target(40, 30);
  target.Bind();
  ClearFrame(9, 19);
  EXPECT_EQ(target.CountNot(kFillPixel), 10 * 20);
  EXPECT_EQ(target.At(19, 9), 0x787878u);
  EXPECT_EQ(target.At(20, 9), kFillPixel);
  EXPECT_EQ(target.At(19, 10), kFillPixel);
}

TEST(ClearFrame, NegativeBoundsWriteNothingAndLargeOnesStopAtTheBuffer) {
  GuardedFrame target(40, 30);
  target.Bind();
  ClearFrame(-1, 10);
  ClearFrame(10, -1);
  EXPECT_EQ(target.CountNot(kFillPixel), 0);
  ClearFrame(5000, 5000);  // a client area larger than the buffer
  EXPECT_EQ(target.CountNot(0x787878u), 0);
  EXPECT_TRUE(target.Intact());
}

TEST(ClearFrame, UnboundOrMissingBufferDrawsNothing) {
  frame = FrameShortcuts{};
  ClearFrame(10, 10);
  GuardedFrame target(8, 8);
  target.Bind();
  target.pixels = nullptr;  // a frame buffer that failed to be created
  ClearFrame(10, 10);
  SUCCEED();
}

TEST(FrameBufferPixels, ZeroFilledOrNullForEmptySizes) {
  EXPECT_EQ(AllocateFrameBufferPixels(0, 5), nullptr);
  EXPECT_EQ(AllocateFrameBufferPixels(5, -1), nullptr);
  uint32_t* pixels = AllocateFrameBufferPixels(3, 2);
  ASSERT_NE(pixels, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(pixels[i], 0u);
  ReleaseFrameBufferPixels(pixels);
}

TEST(HeadlessTarget, BindsGeometryAndKeepsOrReplacesItsBuffer) {
  HeadlessTarget target{};
  BindHeadlessTarget(&target, 64, 48, 40, 30);
  EXPECT_EQ(frame.pixels, &target.pixels);
  EXPECT_EQ(target.pitch, 256);
  EXPECT_EQ(target.windowRect.right, 64);
  EXPECT_EQ(target.windowRect.bottom, 48);
  EXPECT_EQ(target.clientRect.right, 40);
  EXPECT_EQ(target.clientCentre.x, 20);
  EXPECT_EQ(target.clientCentre.y, 15);
  const uint32_t* first = target.pixels;
  target.pixels[5] = 7;
  BindHeadlessTarget(&target, 64, 48, 41, 31);
  EXPECT_EQ(target.pixels, first);  // same size: same buffer, same content
  EXPECT_EQ(target.pixels[5], 7u);
  EXPECT_EQ(target.clientCentre.x, 20);
  BindHeadlessTarget(&target, 32, 16, 32, 16);
  EXPECT_EQ(target.pitch, 128);
  EXPECT_EQ(target.pixels[5], 0u);
  BindHeadlessTarget(&target, 0, 16, 32, 16);  // nothing to draw into
  EXPECT_EQ(target.pixels, nullptr);
  EXPECT_EQ(target.bufferSize.x, 0);
  ClearFrame(15, 31);
}

TEST(DemoProjection, CentreIsRelativeToTheClientAreaAndViewportItsSize) {
  RenderContext context{};
  SetDemoProjection(&context, Rect{100, 50, 900, 650}, IntPoint{500, 350});
  EXPECT_EQ(context.focalLength, 400);
  EXPECT_EQ(context.nearZ, 2);
  EXPECT_EQ(context.centreX, 400.0);
  EXPECT_EQ(context.centreY, 300.0);
  EXPECT_EQ(context.viewportLeft, 0);
  EXPECT_EQ(context.viewportTop, 0);
  EXPECT_EQ(context.viewportRight, 800);
  EXPECT_EQ(context.viewportBottom, 600);
}

}  // namespace
