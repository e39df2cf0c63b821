#pragma once
// JSON text to a document, refusing what nlohmann would accept silently:
// a key given twice in one object. Refusals carry the JSON path reached.
#include <string>

#include "scenefile/json_fields.h"

namespace renderer {

int32_t ParseJsonText(const std::string& text, Json* document,
                      SceneError* error);

}  // namespace renderer
