#include "platform/platform.h"

#include "platform/platform_state.h"

namespace platform {

void PlatformDeleter::operator()(Platform* platform) const { delete platform; }

PlatformPtr MakePlatform() { return PlatformPtr(new Platform{}); }

}  // namespace platform
