#include "tools/render_scene/gif_animation.h"

#include <fcntl.h>
#include <unistd.h>

#include "tools/render_scene/gif_palette.h"

namespace {

// The application block that makes viewers loop the animation forever.
int32_t PutLoopForever(GifFileType* file) {
  static const GifByteType kName[] = "NETSCAPE2.0";
  static const GifByteType kLoop[3] = {1, 0, 0};  // sub-block 1, count 0
  return EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
         EGifPutExtensionBlock(file, 11, kName) == GIF_OK &&
         EGifPutExtensionBlock(file, 3, kLoop) == GIF_OK &&
         EGifPutExtensionTrailer(file) == GIF_OK;
}

int32_t PutFrameControl(const GifAnimation& animation) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;  // later frames draw over it
  control.UserInputFlag = false;
  control.DelayTime = animation.delayCentiseconds;
  control.TransparentColor =
      animation.frames > 0 ? kGifUnchanged : NO_TRANSPARENT_COLOR;
  GifByteType bytes[4];
  const size_t size = EGifGCBToExtension(&control, bytes);
  return EGifPutExtension(animation.file, GRAPHICS_EXT_FUNC_CODE,
                          static_cast<int>(size), bytes) == GIF_OK;
}

// Maps one row to palette entries, marking entries that did not change.
void MapRow(GifAnimation* animation, const uint32_t* pixels, size_t start) {
  for (int32_t x = 0; x < animation->width; ++x) {
    const uint8_t entry = GifPaletteIndex(pixels[x]);
    uint8_t& shown = animation->shown[start + static_cast<size_t>(x)];
    const int32_t same = animation->frames > 0 && shown == entry;
    animation->row[static_cast<size_t>(x)] = same ? kGifUnchanged : entry;
    shown = entry;
  }
}

}  // namespace

int32_t BeginGifAnimation(GifAnimation* animation, const char* fileName,
                          int32_t width, int32_t height, int32_t delayMs) {
  *animation = GifAnimation{};
  animation->width = width;
  animation->height = height;
  const int32_t centiseconds = (delayMs + 5) / 10;
  animation->delayCentiseconds = centiseconds > 0 ? centiseconds : 1;
  animation->shown.assign(static_cast<size_t>(width) * height, 0);
  animation->row.assign(static_cast<size_t>(width), 0);
  // Opened here rather than by giflib, which would make the file readable
  // by its owner alone; this way it gets the usual mode, as the other
  // outputs do.
  const int descriptor = ::open(fileName, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (descriptor < 0) return 0;
  int error = 0;
  animation->file = EGifOpenFileHandle(descriptor, &error);
  if (animation->file == nullptr) {
    ::close(descriptor);
    return 0;
  }
  EGifSetGifVersion(animation->file, true);
  GifColorType colours[kGifPaletteSize];
  FillGifPalette(colours);
  ColorMapObject* palette = GifMakeMapObject(kGifPaletteSize, colours);
  const int32_t started = palette != nullptr &&
                          EGifPutScreenDesc(animation->file, width, height, 8,
                                            0, palette) == GIF_OK &&
                          PutLoopForever(animation->file);
  GifFreeMapObject(palette);
  return started;
}

int32_t AddGifFrame(GifAnimation* animation, const PixelRect& frame) {
  if (!PutFrameControl(*animation) ||
      EGifPutImageDesc(animation->file, 0, 0, animation->width,
                       animation->height, false, nullptr) != GIF_OK) {
    return 0;
  }
  for (int32_t y = 0; y < animation->height; ++y) {
    const size_t start = static_cast<size_t>(y) * animation->width;
    MapRow(animation, frame.pixels + static_cast<size_t>(y) * frame.rowStride,
           start);
    if (EGifPutLine(animation->file, animation->row.data(), animation->width) !=
        GIF_OK) {
      return 0;
    }
  }
  ++animation->frames;
  return 1;
}

int32_t FinishGifAnimation(GifAnimation* animation) {
  int error = 0;
  const int32_t closed = EGifCloseFile(animation->file, &error) == GIF_OK;
  animation->file = nullptr;
  return closed;
}

void DropGifAnimation(GifAnimation* animation) {
  if (animation->file == nullptr) return;
  int error = 0;
  EGifCloseFile(animation->file, &error);
  animation->file = nullptr;
}
