#include "tools/render_scene/webp_animation.h"

#include <bit>
#include <cstdio>

static_assert(std::endian::native == std::endian::little,
              "0x00RRGGBB words are read as B, G, R, X bytes");

namespace {

// libwebp's lossless effort, from 0 (fastest) to 9 (smallest). Level 1
// encodes 240 demo frames at 800 x 600 in about half the time of level 3
// for a file about 16 % larger; higher levels gain little on rendered
// frames (README, "Sequences and animations").
constexpr int kLosslessLevel = 1;

}  // namespace

int32_t BeginWebpAnimation(WebpAnimation* animation, int32_t width,
                           int32_t height, int32_t delayMs) {
  *animation = WebpAnimation{};
  animation->delayMs = delayMs;
  WebPAnimEncoderOptions options;
  if (!WebPAnimEncoderOptionsInit(&options) ||
      !WebPConfigInit(&animation->config) ||
      !WebPConfigLosslessPreset(&animation->config, kLosslessLevel)) {
    return 0;
  }
  options.anim_params.loop_count = 0;  // forever
  animation->encoder = WebPAnimEncoderNew(width, height, &options);
  return animation->encoder != nullptr;
}

int32_t AddWebpFrame(WebpAnimation* animation, const PixelRect& frame) {
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) return 0;
  picture.use_argb = 1;
  picture.width = frame.width;
  picture.height = frame.height;
  const int32_t imported = WebPPictureImportBGRX(
      &picture, reinterpret_cast<const uint8_t*>(frame.pixels),
      frame.rowStride * 4);
  const int timestamp = animation->frames * animation->delayMs;
  const int32_t added =
      imported && WebPAnimEncoderAdd(animation->encoder, &picture, timestamp,
                                     &animation->config);
  WebPPictureFree(&picture);
  animation->frames += added;
  return added;
}

int32_t FinishWebpAnimation(WebpAnimation* animation, const char* fileName) {
  const int end = animation->frames * animation->delayMs;
  WebPData data;
  WebPDataInit(&data);
  int32_t written =
      WebPAnimEncoderAdd(animation->encoder, nullptr, end, nullptr) &&
      WebPAnimEncoderAssemble(animation->encoder, &data);
  DropWebpAnimation(animation);
  std::FILE* file = written ? std::fopen(fileName, "wb") : nullptr;
  written = file != nullptr &&
            std::fwrite(data.bytes, 1, data.size, file) == data.size;
  if (file != nullptr) written = std::fclose(file) == 0 && written;
  WebPDataClear(&data);
  return written;
}

void DropWebpAnimation(WebpAnimation* animation) {
  WebPAnimEncoderDelete(animation->encoder);
  animation->encoder = nullptr;
}
