#include "scenefile/json_text.h"

#include <cstring>
#include <vector>

namespace renderer {

namespace {

// One open object or array while the parser walks the text.
struct OpenValue {
  Json* container;
  int32_t isArray;
  size_t index;    // arrays: the element being read
  int32_t hasKey;  // objects: a key was read, its value is next
  std::string key;
  Json* slot;  // objects: where the value of `key` goes
};

// Builds the document from nlohmann's parse events and keeps the JSON path
// of the place reached, for refusals. Every step costs time in proportion to
// its own value only: a file reads in time linear in its length. (nlohmann's
// parse with a callback looks through the whole parent array after every
// object, which makes long arrays of objects quadratic.)
struct DocumentBuilder {
  Json* root;
  std::vector<OpenValue> open;
  int32_t hasDuplicate;
  SceneError duplicate;
  int32_t failed;
  std::string failure;

  std::string CurrentPath() const {
    std::string path;
    for (const OpenValue& frame : open) {
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

  Json* Place(Json&& value) {
    if (open.empty()) {
      *root = std::move(value);
      return root;
    }
    OpenValue& frame = open.back();
    if (frame.isArray) {
      frame.container->push_back(std::move(value));
      return &frame.container->back();
    }
    *frame.slot = std::move(value);
    return frame.slot;
  }

  void FinishElement() {
    if (open.empty()) return;
    OpenValue& frame = open.back();
    if (frame.isArray) {
      ++frame.index;
    } else {
      frame.hasKey = 0;
    }
  }

  bool Scalar(Json&& value) {
    Place(std::move(value));
    FinishElement();
    return true;
  }

  bool Open(Json::value_t type) {
    Json* made = Place(Json(type));
    open.push_back(OpenValue{made, type == Json::value_t::array, 0, 0, {},
                             nullptr});
    return true;
  }

  bool Close() {
    open.pop_back();
    FinishElement();
    return true;
  }

  // The parse events, under the names nlohmann's event parser calls.
  bool null() { return Scalar(Json(nullptr)); }
  bool boolean(bool value) { return Scalar(Json(value)); }
  bool number_integer(Json::number_integer_t value) {
    return Scalar(Json(value));
  }
  bool number_unsigned(Json::number_unsigned_t value) {
    return Scalar(Json(value));
  }
  bool number_float(Json::number_float_t value, const std::string&) {
    return Scalar(Json(value));
  }
  bool string(std::string& value) { return Scalar(Json(std::move(value))); }
  bool binary(Json::binary_t& value) { return Scalar(Json(std::move(value))); }
  bool start_object(size_t) { return Open(Json::value_t::object); }
  bool start_array(size_t) { return Open(Json::value_t::array); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(std::string& name) {
    OpenValue& frame = open.back();
    frame.key = name;
    frame.hasKey = 1;
    auto& members = frame.container->get_ref<Json::object_t&>();
    const auto placed = members.emplace(std::move(name), nullptr);
    frame.slot = &placed.first->second;
    if (!placed.second && !hasDuplicate) {
      hasDuplicate = 1;
      duplicate.path = CurrentPath();
      duplicate.problem = "key given more than once";
    }
    return true;
  }

  bool parse_error(size_t, const std::string&, const Json::exception& error) {
    // nlohmann's messages start with "[json.exception.NAME.ID] ".
    const std::string message = error.what();
    const size_t end = message.find("] ");
    failed = 1;
    failure = end == std::string::npos ? message : message.substr(end + 2);
    return false;
  }
};

int32_t StartsNegativeZero(const std::string& text, size_t i) {
  return text[i] == '-' && i + 1 < text.size() && text[i + 1] == '0' &&
         (i + 2 == text.size() ||
          std::strchr(".0123456789eE", text[i + 2]) == nullptr ||
          text[i + 2] == '\0');
}

// nlohmann reads "-0" as the integer 0 and so loses the sign that a writer
// of shortest-form doubles (std::to_chars, Go) puts there for -0.0. Each
// such token outside strings becomes "-0.0", which reads as -0.0; error
// columns after it move by two. Returns 0, leaving `result` alone, when the
// text holds no such token.
int32_t RewriteNegativeZeros(const std::string& text, std::string* result) {
  int32_t inString = 0;
  size_t copied = 0;  // text before this is in result
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        inString = 0;
      }
    } else if (c == '"') {
      inString = 1;
    } else if (c == '-' && StartsNegativeZero(text, i)) {
      if (copied == 0) result->reserve(text.size() + 64);
      result->append(text, copied, i + 2 - copied);
      *result += ".0";
      copied = i + 2;
      ++i;
    }
  }
  if (copied == 0) return 0;
  result->append(text, copied, std::string::npos);
  return 1;
}

std::string PathOrTopLevel(const std::string& path) {
  return path.empty() ? "(top level)" : path;
}

}  // namespace

int32_t ParseJsonText(const std::string& text, Json* document,
                      SceneError* error) {
  DocumentBuilder builder{};
  builder.root = document;
  std::string rewritten;
  const std::string& source =
      RewriteNegativeZeros(text, &rewritten) ? rewritten : text;
  Json::sax_parse(source.data(), source.data() + source.size(), &builder);
  if (builder.failed) {
    return Refuse(error, PathOrTopLevel(builder.CurrentPath()),
                  builder.failure);
  }
  if (builder.hasDuplicate) {
    return Refuse(error, builder.duplicate.path, builder.duplicate.problem);
  }
  return 1;
}

}  // namespace renderer
