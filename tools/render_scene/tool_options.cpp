#include "tools/render_scene/tool_options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "renderer/render.h"

const char* const kUsageLine =
    "usage: render-scene [--scene FILE] [--textures DIR] [--steps N] "
    "[--client WxH] [--desktop WxH] [--threads N] [--out IMAGE] [--raw FILE] "
    "[--write-scene FILE.json] [--frames N] [--first-frame K] "
    "[--frame-delay MS] [--bench]; IMAGE is .png, .bmp, .ppm, or .webp/.gif "
    "for all frames in one animation (MS per frame, default 20); a %d or "
    "%04d in --out or --raw names one file per frame";

namespace {

// A decimal whole number from `low` to `high`, nothing else around it.
int32_t ParseWhole(const std::string& text, int32_t low, int32_t high,
                   int32_t* out) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) {
    return 0;
  }
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return 0;
  *out = static_cast<int32_t>(value);
  return 1;
}

int32_t ParseSize(const std::string& text, int32_t least, int32_t* width,
                  int32_t* height) {
  const size_t cross = text.find('x');
  if (cross == std::string::npos) return 0;
  return ParseWhole(text.substr(0, cross), least, 16384, width) &&
         ParseWhole(text.substr(cross + 1), least, 16384, height);
}

int32_t Fail(std::string* problem, const std::string& text) {
  *problem = text;
  return 0;
}

int32_t ApplyValue(const std::string& name, const std::string& value,
                   ToolOptions* options, std::string* problem) {
  const std::string shown = name + " " + value;
  if (IsSequenceOption(name)) {
    return ApplySequenceOption(name, value, &options->sequence, problem);
  }
  if (name == "--scene") {
    options->hasScene = 1;
    options->sceneFile = value;
  } else if (name == "--textures") {
    options->hasTextures = 1;
    options->texturesFolder = value;
  } else if (name == "--steps") {
    options->hasSteps = 1;
    if (!ParseWhole(value, 0, INT32_MAX, &options->steps)) {
      return Fail(problem, shown +
                               ": expected a whole number from 0 to "
                               "2147483647");
    }
  } else if (name == "--frames") {
    if (!ParseWhole(value, 1, INT32_MAX, &options->frames)) {
      return Fail(problem, shown +
                               ": expected a whole number from 1 to "
                               "2147483647");
    }
  } else if (name == "--threads") {
    if (!ParseWhole(value, 0, renderer::kMaxThreads, &options->threads)) {
      return Fail(problem, shown +
                               ": expected a whole number from 0 to " +
                               std::to_string(renderer::kMaxThreads));
    }
  } else if (name == "--client" || name == "--desktop") {
    // A minimised window's client area is 0 by 0; a frame buffer is not.
    renderer::SceneOverrides& sizes = options->sizes;
    const int32_t client = name == "--client";
    if (!ParseSize(value, client ? 0 : 1,
                   client ? &sizes.clientWidth : &sizes.desktopWidth,
                   client ? &sizes.clientHeight : &sizes.desktopHeight)) {
      return Fail(problem, shown + ": expected WxH with sides from " +
                               (client ? "0" : "1") +
                               " to 16384, e.g. 800x600");
    }
    (client ? sizes.hasClient : sizes.hasDesktop) = 1;
  } else if (name == "--out") {
    options->outFile = value;
    options->outFormat = ImageFormatFor(value);
    if (options->outFormat == ImageFormat::kNone) {
      return Fail(problem, shown +
                               ": the name must end in .png, .bmp, .ppm, "
                               ".webp or .gif");
    }
  } else if (name == "--write-scene") {
    options->hasWriteScene = 1;
    options->writeSceneFile = value;
  } else {
    options->hasRaw = 1;
    options->rawFile = value;
  }
  return 1;
}

int32_t TakesValue(const std::string& name) {
  for (const char* known : {"--scene", "--textures", "--steps", "--client",
                            "--desktop", "--out", "--raw", "--write-scene",
                            "--frames", "--first-frame", "--frame-delay",
                            "--threads"}) {
    if (name == known) return 1;
  }
  return 0;
}

}  // namespace

int32_t ParseToolOptions(int argc, const char* const* argv,
                         ToolOptions* options, std::string* problem) {
  *options = ToolOptions{};
  options->frames = 1;
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    std::string value;
    int32_t hasValue = 0;
    const size_t equals = name.find('=');
    if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
      hasValue = 1;
    }
    if (name == "--bench" || name == "--help" || name == "-h") {
      if (hasValue) return Fail(problem, name + " takes no value");
      (name == "--bench" ? options->bench : options->help) = 1;
      continue;
    }
    if (!TakesValue(name)) {
      return Fail(problem, "unknown option \"" + std::string(argv[i]) + "\"");
    }
    if (!hasValue) {
      if (i + 1 >= argc) return Fail(problem, name + " needs a value");
      value = argv[++i];
    }
    if (!ApplyValue(name, value, options, problem)) return 0;
  }
  return CheckSequenceOptions(options, problem);
}

int32_t CheckImageOutput(const ToolOptions& options, int32_t clientWidth,
                         int32_t clientHeight, std::string* problem) {
  if (options.outFormat == ImageFormat::kNone ||
      (clientWidth > 0 && clientHeight > 0)) {
    return 1;
  }
  return Fail(problem, "--out " + options.outFile + ": the client area is " +
                           std::to_string(clientWidth) + "x" +
                           std::to_string(clientHeight) +
                           ", an image with no pixels; --raw writes the frame "
                           "buffer");
}
