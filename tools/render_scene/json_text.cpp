#include "tools/render_scene/json_text.h"

#include <set>
#include <vector>

namespace {

// One open object or array while the parser walks the text.
struct PathFrame {
  int32_t isArray;
  size_t index;    // arrays: the element being read
  int32_t hasKey;  // objects: a key was read, its value is next
  std::string key;
  std::set<std::string> keys;
};

struct PathTracker {
  std::vector<PathFrame> frames;
  int32_t hasDuplicate;
  SceneError duplicate;
};

std::string CurrentPath(const PathTracker& tracker) {
  std::string path;
  for (const PathFrame& frame : tracker.frames) {
    if (frame.isArray) {
      path = IndexPath(path, frame.index);
    } else if (frame.hasKey) {
      path = KeyPath(path, frame.key);
    } else {
      break;
    }
  }
  return path;
}

void FinishElement(PathTracker* tracker) {
  if (tracker->frames.empty()) return;
  PathFrame& frame = tracker->frames.back();
  if (frame.isArray) {
    ++frame.index;
  } else {
    frame.hasKey = 0;
  }
}

void ReadKey(PathTracker* tracker, const std::string& key) {
  PathFrame& frame = tracker->frames.back();
  frame.key = key;
  frame.hasKey = 1;
  if (!frame.keys.insert(key).second && !tracker->hasDuplicate) {
    tracker->hasDuplicate = 1;
    tracker->duplicate.path = CurrentPath(*tracker);
    tracker->duplicate.problem = "key given more than once";
  }
}

void Track(PathTracker* tracker, Json::parse_event_t event,
           const Json& parsed) {
  switch (event) {
    case Json::parse_event_t::object_start:
      tracker->frames.push_back(PathFrame{0, 0, 0, {}, {}});
      break;
    case Json::parse_event_t::array_start:
      tracker->frames.push_back(PathFrame{1, 0, 0, {}, {}});
      break;
    case Json::parse_event_t::key:
      ReadKey(tracker, parsed.get<std::string>());
      break;
    case Json::parse_event_t::object_end:
    case Json::parse_event_t::array_end:
      tracker->frames.pop_back();
      FinishElement(tracker);
      break;
    case Json::parse_event_t::value:
      FinishElement(tracker);
      break;
  }
}

// nlohmann's messages start with "[json.exception.NAME.ID] ".
std::string WithoutExceptionTag(const std::string& message) {
  const size_t end = message.find("] ");
  return end == std::string::npos ? message : message.substr(end + 2);
}

// nlohmann reads "-0" as the integer 0 and so loses the sign that a writer
// of shortest-form doubles (std::to_chars, Go) puts there for -0.0. Each
// such token outside strings becomes "-0.0", which reads as -0.0; error
// columns after it move by two.
std::string WithNegativeZeroAsDouble(const std::string& text) {
  std::string result;
  int32_t inString = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    result += c;
    if (inString) {
      if (c == '\\' && i + 1 < text.size()) {
        result += text[++i];
      } else if (c == '"') {
        inString = 0;
      }
      continue;
    }
    if (c == '"') inString = 1;
    const int32_t negativeZero =
        c == '-' && i + 1 < text.size() && text[i + 1] == '0' &&
        (i + 2 == text.size() ||
         std::string(".0123456789eE").find(text[i + 2]) == std::string::npos);
    if (negativeZero) {
      result += "0.0";
      ++i;
    }
  }
  return result;
}

std::string PathOrTopLevel(const std::string& path) {
  return path.empty() ? "(top level)" : path;
}

}  // namespace

int32_t ParseJsonText(const std::string& text, Json* document,
                      SceneError* error) {
  PathTracker tracker{};
  try {
    *document =
        Json::parse(WithNegativeZeroAsDouble(text),
                    [&tracker](int, Json::parse_event_t event, Json& parsed) {
                      Track(&tracker, event, parsed);
                      return true;
                    });
  } catch (const Json::exception& failure) {
    return Refuse(error, PathOrTopLevel(CurrentPath(tracker)),
                  WithoutExceptionTag(failure.what()));
  }
  if (tracker.hasDuplicate) {
    return Refuse(error, tracker.duplicate.path, tracker.duplicate.problem);
  }
  return 1;
}
