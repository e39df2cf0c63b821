#pragma once
// The command line of sequences: --first-frame, --frame-delay, and the
// number patterns in --out and --raw.
#include <cstdint>
#include <string>

#include "tools/render_scene/frame_pattern.h"

struct ToolOptions;

struct SequenceOptions {
  int32_t firstFrame = 0;     // --first-frame K: the first frame's number
  int32_t frameDelayMs = 20;  // --frame-delay MS: the time each frame shows
  FramePattern out;           // --out read as a pattern
  FramePattern raw;           // --raw read as a pattern
};

// 1 for the options that ApplySequenceOption reads.
int32_t IsSequenceOption(const std::string& name);

// Reads --first-frame or --frame-delay. Returns 0 with `problem` set when
// the value is out of range.
int32_t ApplySequenceOption(const std::string& name, const std::string& value,
                            SequenceOptions* sequence, std::string* problem);

// After the whole command line: reads the --out and --raw names as patterns
// and refuses a bad pattern, a pattern for an animation, and frame numbers
// or animation times past the int32 range. Returns 0 with `problem` set.
int32_t CheckSequenceOptions(ToolOptions* options, std::string* problem);
