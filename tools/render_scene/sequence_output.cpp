#include "tools/render_scene/sequence_output.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

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
  if (!BeginAnimation(&output->animation, options.outFormat, name, clientWidth,
                      clientHeight, sequence.frameDelayMs)) {
    return CannotWrite(name);
  }
  if ((options.outFormat != ImageFormat::kNone &&
       !IsAnimatedFormat(options.outFormat)) ||
      options.hasRaw) {
    output->writers = std::make_unique<WriterPool>();
    // One writer a hardware thread, up to eight: each holds a frame's copy
    // (a raw dump's is the whole frame and depth buffer).
    const int32_t threads =
        static_cast<int32_t>(std::thread::hardware_concurrency());
    StartWriterPool(output->writers.get(), std::min(threads, 8), stop);
  }
  return 1;
}

int32_t WriteSequenceFrame(SequenceOutput* output, int32_t number,
                           const SequenceFrame& frame) {
  const int32_t animated = IsAnimatedFormat(output->outFormat);
  if (animated && !AddAnimationFrame(&output->animation, frame.client)) {
    return CannotWrite(output->animation.finalName);
  }
  const std::string still = !animated &&
                                    output->outFormat != ImageFormat::kNone &&
                                    Takes(*output, output->out, number)
                                ? FrameFileName(output->out, number)
                                : std::string();
  const std::string raw = output->hasRaw && Takes(*output, output->raw, number)
                              ? FrameFileName(output->raw, number)
                              : std::string();
  if (still.empty() && raw.empty()) return 1;
  return QueueFrameFiles(output->writers.get(), still, output->outFormat, raw,
                         frame);
}

int32_t CloseSequenceOutput(SequenceOutput* output, int32_t complete) {
  int32_t written = 1;
  if (output->writers != nullptr) {
    written = FinishWriterPool(output->writers.get());
    output->filesWritten += output->writers->filesWritten;
  }
  if (!complete || !written || *output->stop != 0) {
    AbandonAnimation(&output->animation);
    return written;
  }
  const ImageFormat format = output->animation.format;
  if (!FinishAnimation(&output->animation)) {
    return CannotWrite(output->animation.finalName);
  }
  output->filesWritten += format != ImageFormat::kNone;
  return 1;
}
