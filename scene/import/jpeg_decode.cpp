// JPEG images through libjpeg(-turbo). Its errors jump back here instead of
// ending the process; its messages are kept, never printed; any warning
// (such as data cut short, which the library would fill with grey) refuses
// the image.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>  // after <cstdio>: it uses size_t and FILE

#include "scene/import/image_decode.h"

namespace renderer {

namespace {

// Progressive files can hold many scans, each a pass over the image; more
// than this are refused so a small file cannot cost minutes.
constexpr int kMaxScans = 200;

struct JpegErrors {
  jpeg_error_mgr manager;  // first, so the library's pointer is ours too
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool warned;
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  auto* errors = reinterpret_cast<JpegErrors*>(info->err);
  if (level < 0 && !errors->warned) {
    errors->warned = true;
    (*info->err->format_message)(info, errors->message);
  }
}

void OnProgress(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message,
                  "more than %d scans", kMaxScans);
    std::longjmp(errors->jump, 1);
  }
}

// A warning so far (data cut short, corrupt entropy data) refuses the image;
// checked as decoding goes, so a cut file stops early.
bool Warned(const JpegErrors& errors, std::string* problem) {
  if (errors.warned) *problem = std::string("JPEG: ") + errors.message;
  return errors.warned;
}

// Everything after the error handler is set: header, limits, rows.
// Runs with the jump target set by the caller.
bool ReadRows(jpeg_decompress_struct* info, const JpegErrors& errors,
              DecodedImage* image, std::string* problem) {
  jpeg_read_header(info, TRUE);
  if (!ImageSizeAllowed(info->image_width, info->image_height, problem)) {
    return false;
  }
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  if (Warned(errors, problem)) return false;
  const size_t rowBytes = size_t(info->output_width) * 3;
  image->rgb.width = int32_t(info->output_width);
  image->rgb.height = int32_t(info->output_height);
  image->rgb.texels.resize(rowBytes * info->output_height);
  image->alpha.clear();
  while (info->output_scanline < info->output_height) {
    JSAMPROW row = &image->rgb.texels[rowBytes * info->output_scanline];
    jpeg_read_scanlines(info, &row, 1);
    if (Warned(errors, problem)) return false;
  }
  jpeg_finish_decompress(info);
  return !Warned(errors, problem);
}

}  // namespace

bool DecodeJpeg(const uint8_t* bytes, size_t length, DecodedImage* image,
                std::string* problem) {
  jpeg_decompress_struct info;
  JpegErrors errors;
  jpeg_progress_mgr progress;
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnError;
  errors.manager.emit_message = OnMessage;
  errors.warned = false;
  errors.message[0] = '\0';
  progress.progress_monitor = OnProgress;
  bool ok = false;
  if (setjmp(errors.jump) == 0) {
    jpeg_create_decompress(&info);
    info.progress = &progress;
    info.mem->max_memory_to_use = long(kMaxImageBytes) * 2;
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(length));
    ok = ReadRows(&info, errors, image, problem);
  } else {
    *problem = std::string("JPEG: ") + errors.message;
    ok = false;
  }
  jpeg_destroy_decompress(&info);
  return ok;
}

}  // namespace renderer
