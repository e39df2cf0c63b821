#pragma once
// The platform layer's state: its window classes and windows, the message
// queue, the file dropped last, the terminal's saved signal actions, the
// clock and the back end's last failure. One record, made at start and passed
// to every call that reads or changes that state.
#include <memory>

namespace platform {

struct Platform;  // opaque: platform/platform_state.h

struct PlatformDeleter {
  void operator()(Platform* platform) const;
};
using PlatformPtr = std::unique_ptr<Platform, PlatformDeleter>;

// A platform with no class, no window, an empty queue, the system's clock
// and no window system started yet.
PlatformPtr MakePlatform();

}  // namespace platform
