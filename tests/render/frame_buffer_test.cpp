// The frame buffer's clear, the headless target and the demo projection.
#include <gtest/gtest.h>

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

TEST(ClearFrame, TargetsWithoutUsablePixelsLeaveEveryPixelAndGuardAlone) {
  GuardedFrame guarded(8, 8);
  const FrameTarget whole = MakeFrameTarget(guarded.pixels, nullptr, 8, 8);
  FrameTarget missing = whole;
  missing.pixels = nullptr;  // a frame buffer that failed to be created
  FrameTarget noRows = whole;
  noRows.height = 0;
  FrameTarget noColumns = whole;
  noColumns.width = 0;
  FrameTarget noPitch = whole;
  noPitch.pitch = 3;  // less than one pixel per row
  FrameTarget empty;
  for (FrameTarget* target : {&missing, &noRows, &noColumns, &noPitch, &empty}) {
    renderer::ClearFrame(*target, 10, 10);
    EXPECT_EQ(guarded.CountNot(kFillPixel), 0);
    EXPECT_TRUE(guarded.Intact());
  }
  // The same memory as a usable target is cleared, guards untouched.
  FrameTarget usable = whole;
  usable.pitch = guarded.pitch;
  renderer::ClearFrame(usable, 10, 10);
  EXPECT_EQ(guarded.CountNot(0x787878u), 0);
  EXPECT_TRUE(guarded.Intact());
}

TEST(FrameBufferPixels, ZeroFilledOrNullForEmptySizes) {
  EXPECT_EQ(AllocateFrameBufferPixels(0, 5), nullptr);
  EXPECT_EQ(AllocateFrameBufferPixels(5, -1), nullptr);
  uint32_t* pixels = AllocateFrameBufferPixels(3, 2);
  ASSERT_NE(pixels, nullptr);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(pixels[i], 0u);
  ReleaseFrameBufferPixels(pixels);
}

TEST(HeadlessTarget, OwnsItsBuffersAndKeepsOrReplacesThem) {
  HeadlessTarget headless;
  BindHeadlessTarget(headless, 64, 48, 40, 30);
  const FrameTarget& target = headless.target;
  EXPECT_EQ(target.pixels, headless.pixels.get());
  EXPECT_EQ(target.pitch, 256);
  EXPECT_EQ(target.width, 64);
  EXPECT_EQ(target.height, 48);
  EXPECT_EQ(target.depthStride, 64);
  EXPECT_EQ(target.depthEntries, DepthEntriesFor(64, 48));
  EXPECT_EQ(target.depthEntries, int64_t{65} * 49);
  EXPECT_EQ(DepthAt(target, 63, 47), 9.0e20f);
  EXPECT_EQ(target.clientRect.right, 40);
  EXPECT_EQ(headless.clientCentre.x, 20);
  EXPECT_EQ(headless.clientCentre.y, 15);
  const uint32_t* first = target.pixels;
  target.pixels[5] = 7;
  BindHeadlessTarget(headless, 64, 48, 41, 31);
  EXPECT_EQ(target.pixels, first);  // same size: same buffer, same content
  EXPECT_EQ(target.pixels[5], 7u);
  EXPECT_EQ(headless.clientCentre.x, 20);
  BindHeadlessTarget(headless, 32, 16, 32, 16);
  EXPECT_EQ(target.pitch, 128);
  EXPECT_EQ(target.pixels[5], 0u);
  BindHeadlessTarget(headless, 0, 16, 32, 16);  // nothing to draw into
  EXPECT_EQ(target.pixels, nullptr);
  EXPECT_EQ(target.depth, nullptr);
  EXPECT_EQ(target.width, 0);
  renderer::ClearFrame(headless.target, 15, 31);
}

TEST(DemoProjection, CentreIsRelativeToTheClientAreaAndViewportItsSize) {
  View view;
  SetDemoProjection(view, Rect{100, 50, 900, 650}, IntPoint{500, 350});
  EXPECT_EQ(view.focalLength, 400);
  EXPECT_EQ(view.nearZ, 2);
  EXPECT_EQ(view.centreX, 400.0);
  EXPECT_EQ(view.centreY, 300.0);
  EXPECT_EQ(view.viewportLeft, 0);
  EXPECT_EQ(view.viewportTop, 0);
  EXPECT_EQ(view.viewportRight, 800);
  EXPECT_EQ(view.viewportBottom, 600);
}

}  // namespace
