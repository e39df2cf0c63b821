#include "tools/render_scene/sequence_output.h"

#include <cstdio>
#include <string>

#include "tools/render_scene/png_writer.h"
#include "tools/render_scene/raw_dump.h"
#include "tools/render_scene/safe_file.h"
#include "tools/render_scene/tool_options.h"

namespace {

int32_t CannotWrite(const std::string& name) {
  std::fprintf(stderr, "render-scene: cannot write %s\n", name.c_str());
  return 0;
}

// Whether frame `number` goes to the file the pattern names: every frame
// for a numbered pattern, the last one for a plain name.
int32_t Takes(const SequenceOutput& output, const FramePattern& pattern,
              int32_t number) {
  return pattern.numbered || number == output.lastNumber;
}

int32_t WriteStill(SequenceOutput* output, int32_t number,
                   const PixelRect& client) {
  const std::string name = FrameFileName(output->out, number);
  const ImageFormat format = output->outFormat;
  const StopFlag* stop = output->stop;
  const int32_t written = WriteThroughTemporary(name, [&](const char* file) {
    return format == ImageFormat::kPng ? WritePngFile(file, client, stop)
                                       : WriteImage(file, format, client);
  });
  if (written) ++output->filesWritten;
  return written || *stop != 0 ? written : CannotWrite(name);
}

int32_t WriteRaw(SequenceOutput* output, int32_t number,
                 const SequenceFrame& frame) {
  const std::string name = FrameFileName(output->raw, number);
  const int32_t written = WriteThroughTemporary(name, [&](const char* file) {
    return WriteRawDump(file, frame.buffer, frame.depth, frame.bufferWidth,
                        frame.bufferHeight);
  });
  if (written) ++output->filesWritten;
  return written ? 1 : CannotWrite(name);
}

}  // namespace

int32_t OpenSequenceOutput(const ToolOptions& options, int32_t clientWidth,
                           int32_t clientHeight, const StopFlag* stop,
                           SequenceOutput* output) {
  const SequenceOptions& sequence = options.sequence;
  *output = SequenceOutput{};
  output->outFormat = options.outFormat;
  output->out = sequence.out;
  output->hasRaw = options.hasRaw;
  output->raw = sequence.raw;
  output->lastNumber = sequence.firstFrame + (options.frames - 1);
  output->stop = stop;
  const std::string name = FrameFileName(sequence.out, 0);
  if (BeginAnimation(&output->animation, options.outFormat, name, clientWidth,
                     clientHeight, sequence.frameDelayMs)) {
    return 1;
  }
  return CannotWrite(name);
}

int32_t WriteSequenceFrame(SequenceOutput* output, int32_t number,
                           const SequenceFrame& frame) {
  if (IsAnimatedFormat(output->outFormat)) {
    if (!AddAnimationFrame(&output->animation, frame.client)) {
      return CannotWrite(output->animation.finalName);
    }
  } else if (output->outFormat != ImageFormat::kNone &&
             Takes(*output, output->out, number) &&
             !WriteStill(output, number, frame.client)) {
    return 0;
  }
  if (output->hasRaw && Takes(*output, output->raw, number)) {
    return WriteRaw(output, number, frame);
  }
  return 1;
}

int32_t CloseSequenceOutput(SequenceOutput* output) {
  const ImageFormat format = output->animation.format;
  if (FinishAnimation(&output->animation)) {
    output->filesWritten += format != ImageFormat::kNone;
    return 1;
  }
  return CannotWrite(output->animation.finalName);
}

void AbandonSequenceOutput(SequenceOutput* output) {
  AbandonAnimation(&output->animation);
}
