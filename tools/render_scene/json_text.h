#pragma once
// JSON text to a document, refusing what nlohmann would accept silently:
// a key given twice in one object. Refusals carry the JSON path reached.
#include <string>

#include "tools/render_scene/json_fields.h"

int32_t ParseJsonText(const std::string& text, Json* document,
                      SceneError* error);
