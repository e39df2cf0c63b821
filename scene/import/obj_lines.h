#pragma once
// Finding the OBJ line a problem comes from, for messages: tinyobjloader
// keeps no line numbers with the faces it returns.
#include <cstddef>
#include <string>

namespace renderer {

// The 1-based line of the `ordinal`-th (0-based) statement starting with
// `keyword` ("v", "f", ...); 0 when there is none.
size_t ObjStatementLine(const std::string& text, const std::string& keyword,
                        size_t ordinal);

// The text with every `f` and `usemtl` statement blanked (line numbers
// kept). tinyobjloader repeats the `l` statements read so far each time
// `usemtl` changes the material; reading the lines from this text avoids it.
std::string ObjLinesOnly(const std::string& text);

}  // namespace renderer
