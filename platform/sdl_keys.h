#pragma once
// Virtual-key codes for SDL key events.
#include <SDL.h>

#include <cstdint>

namespace platform {

// The virtual-key code of a key, or 0 for a key the program has no code
// for. Keypad keys go by their position, so that they give the same code
// with Num Lock on or off; letters and digits by the character the keyboard
// layout puts on them.
uint32_t VirtualKeyFromSdl(const SDL_Keysym& key);

}  // namespace platform
