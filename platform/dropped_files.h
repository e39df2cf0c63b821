#pragma once
// Files dropped on a window: the back end keeps the path in the platform
// record and posts kMsgDropFiles; the application takes the path when it
// handles the message.
#include <string>

#include "platform/platform.h"

namespace platform {

// The file dropped last (UTF-8), once; "" when none is waiting.
std::string TakeDroppedFile(Platform& platform);

}  // namespace platform
