#include "tools/render_scene/sequence_options.h"

#include <cstdlib>

#include "tools/render_scene/tool_options.h"

namespace {

constexpr int64_t kInt32Max = 2147483647;
// GIF holds a delay in hundredths of a second, in 16 bits.
constexpr int32_t kMaxFrameDelayMs = 655350;

// A decimal whole number from `low` to `high`, digits only.
int32_t ReadWhole(const std::string& text, int64_t low, int64_t high,
                  int32_t* out) {
  if (text.empty() || text.size() > 10 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  const int64_t value = std::strtoll(text.c_str(), nullptr, 10);
  if (value < low || value > high) return 0;
  *out = static_cast<int32_t>(value);
  return 1;
}

int32_t ReadPattern(const char* option, const std::string& name,
                    FramePattern* pattern, std::string* problem) {
  std::string why;
  if (ParseFramePattern(name, pattern, &why)) return 1;
  *problem = std::string(option) + " " + name + ": " + why;
  return 0;
}

}  // namespace

int32_t IsSequenceOption(const std::string& name) {
  return name == "--first-frame" || name == "--frame-delay";
}

int32_t ApplySequenceOption(const std::string& name, const std::string& value,
                            SequenceOptions* sequence, std::string* problem) {
  if (name == "--first-frame") {
    if (ReadWhole(value, 0, kInt32Max, &sequence->firstFrame)) return 1;
    *problem =
        name + " " + value + ": expected a whole number from 0 to 2147483647";
    return 0;
  }
  if (ReadWhole(value, 1, kMaxFrameDelayMs, &sequence->frameDelayMs)) {
    return 1;
  }
  *problem = name + " " + value + ": expected milliseconds from 1 to " +
             std::to_string(kMaxFrameDelayMs);
  return 0;
}

int32_t CheckSequenceOptions(ToolOptions* options, std::string* problem) {
  SequenceOptions& sequence = options->sequence;
  const int32_t hasOut = options->outFormat != ImageFormat::kNone;
  if ((hasOut &&
       !ReadPattern("--out", options->outFile, &sequence.out, problem)) ||
      (options->hasRaw &&
       !ReadPattern("--raw", options->rawFile, &sequence.raw, problem))) {
    return 0;
  }
  const int64_t frames = options->frames;
  if (IsAnimatedFormat(options->outFormat) && sequence.out.numbered) {
    *problem = "--out " + options->outFile +
               ": a .webp or .gif holds every frame in one file; it takes "
               "no frame number";
    return 0;
  }
  if (sequence.firstFrame + frames - 1 > kInt32Max) {
    *problem = "--first-frame " + std::to_string(sequence.firstFrame) +
               ": the last frame's number would pass 2147483647";
    return 0;
  }
  if (IsAnimatedFormat(options->outFormat) &&
      frames * sequence.frameDelayMs > kInt32Max) {
    *problem = "--frame-delay " + std::to_string(sequence.frameDelayMs) + ": " +
               std::to_string(frames) + " frames would run past 2147483647 ms";
    return 0;
  }
  return 1;
}
