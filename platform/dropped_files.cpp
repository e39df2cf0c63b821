#include "platform/dropped_files.h"

#include <utility>

#include "platform/platform_state.h"

namespace platform {

std::string TakeDroppedFile(Platform& platform) {
  return std::exchange(platform.droppedFile, std::string());
}

}  // namespace platform
