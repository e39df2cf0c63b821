#pragma once
// One row's covered columns.
#include <cstdint>

namespace renderer {

// The covered columns of one row, both inclusive; first > last covers none.
struct Span {
  int32_t first;
  int32_t last;
};

}  // namespace renderer
