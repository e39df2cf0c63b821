#pragma once
// Writing the peer's picture: binary PPM, or PNG through the generated test
// models' encoder, chosen by the file name's ending.
#include <cstdint>
#include <string>
#include <vector>

namespace peer {

// `pixels` 0x00RRGGBB, rows top first. False when the file cannot be written.
bool WritePicture(const std::string& path, const std::vector<uint32_t>& pixels,
                  int32_t width, int32_t height);

}  // namespace peer
